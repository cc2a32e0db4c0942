// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstddef>
#include <string>

// Reads a small file whole (a page head, a settings-sized text), refusing what would block or
// run without end: a FIFO, a device, a directory or a file larger than limit is not read, and
// the read never waits for a writer.
namespace SmallFile {

enum class EResult {
    Ok,
    Missing,    // no such file
    NotRegular, // a directory, a FIFO, a device, /proc's endless files
    TooLarge,   // larger than the limit
    ReadFailed, // cannot be opened or read (errno tells why)
};

EResult Read(const std::string& path, std::size_t limit, std::string& bytes);

} // namespace SmallFile
