// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstdint>
#include <string>

// Little-endian integers in byte buffers: the dictionary file's words and the BMP headers.
namespace LittleEndian {

inline std::uint16_t LoadU16(const void* at) {
    const auto* b = static_cast<const unsigned char*>(at);
    return static_cast<std::uint16_t>(b[0] | (b[1] << 8));
}

inline std::uint32_t LoadU32(const void* at) {
    const auto* b = static_cast<const unsigned char*>(at);
    return static_cast<std::uint32_t>(b[0]) | static_cast<std::uint32_t>(b[1]) << 8 |
           static_cast<std::uint32_t>(b[2]) << 16 | static_cast<std::uint32_t>(b[3]) << 24;
}

inline void StoreU16(void* at, std::uint16_t v) {
    auto* b = static_cast<unsigned char*>(at);
    b[0] = static_cast<unsigned char>(v & 0xFF);
    b[1] = static_cast<unsigned char>(v >> 8);
}

inline void StoreU32(void* at, std::uint32_t v) {
    auto* b = static_cast<unsigned char*>(at);
    for (int k = 0; k < 4; ++k)
        b[k] = static_cast<unsigned char>((v >> (8 * k)) & 0xFF);
}

inline void AppendU32(std::string& out, std::uint32_t v) {
    for (int k = 0; k < 4; ++k)
        out += static_cast<char>((v >> (8 * k)) & 0xFF);
}

} // namespace LittleEndian
