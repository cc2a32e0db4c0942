// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

// What the fuzz targets share: a dictionary file made of the input, words and numbers taken from
// the input, and a stop that a sanitizer reports like a memory error.

#include "render/DictFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include <sys/mman.h>
#include <unistd.h>

namespace FuzzInput {

// Stops the run when a property that must hold does not; libFuzzer keeps the input.
inline void Require(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "property broken: %s\n", what);
        std::abort();
    }
}

// A file in memory that holds the bytes, for the readers that take a path. Closed with the object.
class CMemoryFile {
public:
    explicit CMemoryFile(std::string_view bytes) {
        m_fd = ::memfd_create("lekstar-fuzz", MFD_CLOEXEC);
        if (m_fd < 0)
            return;
        std::size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::write(m_fd, bytes.data() + done, bytes.size() - done);
            if (n <= 0)
                break;
            done += static_cast<std::size_t>(n);
        }
    }
    ~CMemoryFile() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    CMemoryFile(const CMemoryFile&) = delete;
    CMemoryFile& operator=(const CMemoryFile&) = delete;
    std::string Path() const { return m_fd < 0 ? std::string() : "/proc/self/fd/" + std::to_string(m_fd); }

private:
    int m_fd = -1;
};

// Short words cut from the end of the input (up to count of them, each up to 40 bytes, split at
// '\n'), where a fuzzer's changes soon reach; and the fixed edge cases.
inline std::vector<std::string> Words(std::string_view data, std::size_t count) {
    std::vector<std::string> words = {"", " ", "a", "\xFF", std::string(300, 'z')};
    std::size_t end = data.size();
    while (words.size() < count + 5 && end > 0) {
        std::size_t begin = end;
        while (begin > 0 && end - begin < 40 && data[begin - 1] != '\n')
            --begin;
        words.emplace_back(data.substr(begin, end - begin));
        end = begin > 0 ? begin - 1 : 0;
    }
    return words;
}

} // namespace FuzzInput
