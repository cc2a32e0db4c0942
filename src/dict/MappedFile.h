// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// A whole file mapped read-only into memory. The mapping lives until Close or destruction; the
// views it hands out do not own anything and die with it. Reads are bounds-checked: a read that
// would pass the end of the file returns nothing instead.
//
// A file cut short or rewritten in place while mapped takes pages away from under the mapping;
// reading one would kill the process with SIGBUS. The first such read instead puts zero pages
// over the whole mapping and marks the file as vanished: every later read sees zeros (a damaged
// file, which the readers handle) and the owner learns of it through HasVanished and, at once,
// through VanishedFd. A file replaced by rename is another file; the mapping keeps the old one.
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

    // Whether pages of the file vanished while it was mapped (see above).
    bool HasVanished() const { return m_bVanished.load(); }
    // A descriptor that becomes readable when any mapped file vanishes (one byte per event), for
    // an event loop to wait on; -1 before the first file was mapped.
    static int VanishedFd();

private:
    int m_fd = -1;
    const char* m_pData = nullptr;
    std::uint64_t m_nSize = 0;
    int m_nSlot = -1;
    std::atomic<bool> m_bVanished{false};
};
