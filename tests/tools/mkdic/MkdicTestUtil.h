// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "dict/Cp1257.h"

#include <zlib.h>

#include <stdexcept>
#include <string>
#include <string_view>

// The text compressed as one gzip member, as dictzip writes it.
inline std::string GzipBytes(std::string_view text) {
    z_stream z{};
    if (deflateInit2(&z, Z_BEST_COMPRESSION, Z_DEFLATED, 16 + MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        throw std::runtime_error("deflateInit2 failed");
    std::string out(deflateBound(&z, static_cast<uLong>(text.size())), '\0');
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.data()));
    z.avail_in = static_cast<uInt>(text.size());
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = static_cast<uInt>(out.size());
    const int rc = deflate(&z, Z_FINISH);
    out.resize(z.total_out);
    deflateEnd(&z);
    if (rc != Z_STREAM_END)
        throw std::runtime_error("deflate failed");
    return out;
}

// UTF-8 test text in the file's code page 1257.
inline std::string Cp(std::string_view utf8) {
    return Cp1257::FromUtf8(utf8);
}
