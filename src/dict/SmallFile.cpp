// SPDX-License-Identifier: GPL-2.0-or-later
#include "dict/SmallFile.h"

#include <cerrno>
#include <cstdint>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace SmallFile {

EResult Read(const std::string& path, std::size_t limit, std::string& bytes) {
    bytes.clear();
    // O_NONBLOCK: opening a FIFO must not wait for a writer.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return errno == ENOENT ? EResult::Missing : EResult::ReadFailed;
    struct stat st {};
    EResult result = EResult::Ok;
    if (::fstat(fd, &st) != 0)
        result = EResult::ReadFailed;
    else if (!S_ISREG(st.st_mode))
        result = EResult::NotRegular;
    else if (static_cast<std::uint64_t>(st.st_size) > limit)
        result = EResult::TooLarge;
    // A regular file may still grow while it is read (or be one of /proc's, which claim size 0):
    // never more than limit bytes are taken.
    char buffer[65536];
    while (result == EResult::Ok) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            result = EResult::ReadFailed;
        } else if (n == 0) {
            break;
        } else if (bytes.size() + static_cast<std::size_t>(n) > limit) {
            result = EResult::TooLarge;
        } else {
            bytes.append(buffer, static_cast<std::size_t>(n));
        }
    }
    const int saved = errno;
    ::close(fd);
    errno = saved;
    if (result != EResult::Ok)
        bytes.clear();
    return result;
}

} // namespace SmallFile
