// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// A whole file mapped read-only into memory. The mapping lives until Close or destruction; the
// views it hands out do not own anything and die with it. Reads are bounds-checked: a read that
// would pass the end of the file returns nothing instead.
class CMappedFile {
public:
    // OpenFailed: the file cannot be opened for reading; NotMappable: it is not a regular file
    // (a directory, a device) or cannot be measured; MapFailed: the system refused the mapping.
    enum class EResult { Ok, OpenFailed, NotMappable, MapFailed };

    CMappedFile() = default;
    ~CMappedFile();
    CMappedFile(const CMappedFile&) = delete;
    CMappedFile& operator=(const CMappedFile&) = delete;

    // Opens and maps the file at path. An empty file opens with no mapping (size 0).
    EResult Open(const std::string& path);
    // Unmaps and closes; harmless when nothing is open.
    void Close();

    bool IsOpen() const { return m_fd >= 0; }
    std::uint64_t Size() const { return m_nSize; }
    const char* Data() const { return m_pData; }

    // The bytes [offset, offset + length), or an empty view when they do not all lie in the file.
    std::string_view View(std::uint64_t offset, std::uint64_t length) const;
    // A little-endian 32-bit word at offset; false when it does not lie in the file.
    bool ReadU32(std::uint64_t offset, std::uint32_t& value) const;

private:
    int m_fd = -1;
    const char* m_pData = nullptr;
    std::uint64_t m_nSize = 0;
};
