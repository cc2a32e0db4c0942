// SPDX-License-Identifier: GPL-2.0-or-later
#include "Cp1257.h"

#include <array>

namespace Cp1257 {
namespace {

// Bytes 80..FF; bytes below 80 are ASCII.
constexpr std::array<char16_t, 128> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0083, 0x201E, 0x2026, 0x2020, 0x2021, // 80
    0x0088, 0x2030, 0x008A, 0x2039, 0x008C, 0x00A8, 0x02C7, 0x00B8, // 88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90
    0x0098, 0x2122, 0x009A, 0x203A, 0x009C, 0x00AF, 0x02DB, 0x009F, // 98
    0x00A0, 0x00A1, 0x00A2, 0x00A3, 0x00A4, 0x00A5, 0x00A6, 0x00A7, // A0
    0x00D8, 0x00A9, 0x0156, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x00C6, // A8
    0x00B0, 0x00B1, 0x00B2, 0x00B3, 0x00B4, 0x00B5, 0x00B6, 0x00B7, // B0
    0x00F8, 0x00B9, 0x0157, 0x00BB, 0x00BC, 0x00BD, 0x00BE, 0x00E6, // B8
    0x0104, 0x012E, 0x0100, 0x0106, 0x00C4, 0x00C5, 0x0118, 0x0112, // C0
    0x010C, 0x00C9, 0x0179, 0x0116, 0x0122, 0x0136, 0x012A, 0x013B, // C8
    0x0160, 0x0143, 0x0145, 0x00D3, 0x014C, 0x00D5, 0x00D6, 0x00D7, // D0
    0x0172, 0x0141, 0x015A, 0x016A, 0x00DC, 0x017B, 0x017D, 0x00DF, // D8
    0x0105, 0x012F, 0x0101, 0x0107, 0x00E4, 0x00E5, 0x0119, 0x0113, // E0
    0x010D, 0x00E9, 0x017A, 0x0117, 0x0123, 0x0137, 0x012B, 0x013C, // E8
    0x0161, 0x0144, 0x0146, 0x00F3, 0x014D, 0x00F5, 0x00F6, 0x00F7, // F0
    0x0173, 0x0142, 0x015B, 0x016B, 0x00FC, 0x017C, 0x017E, 0x02D9, // F8
};

// Reverse lookup: every code point below 0x2200 that the table holds.
struct CReverseTable {
    std::array<unsigned char, 0x2200> bytes{};
    constexpr CReverseTable() {
        for (int i = 0; i < 128; ++i)
            bytes[static_cast<std::size_t>(kHigh[static_cast<std::size_t>(i)])] =
                static_cast<unsigned char>(0x80 + i);
    }
};
constexpr CReverseTable kReverse;

} // namespace

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

char32_t ToUnicode(unsigned char byte) {
    return byte < 0x80 ? byte : kHigh[byte - 0x80];
}

bool CanEncode(char32_t cp) {
    return cp < 0x80 || (cp < kReverse.bytes.size() && kReverse.bytes[cp] != 0);
}

char FromUnicode(char32_t cp) {
    if (cp < 0x80)
        return static_cast<char>(cp);
    if (cp < kReverse.bytes.size() && kReverse.bytes[cp] != 0)
        return static_cast<char>(kReverse.bytes[cp]);
    return '?';
}

std::string ToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 4);
    for (char c : text)
        AppendUtf8(out, ToUnicode(static_cast<unsigned char>(c)));
    return out;
}

char32_t NextCodePoint(std::string_view s, std::size_t& i) {
    const auto b = static_cast<unsigned char>(s[i]);
    int extra = 0;
    char32_t cp = 0;
    if (b < 0x80) {
        cp = b;
    } else if ((b & 0xE0) == 0xC0 && b >= 0xC2) {
        extra = 1;
        cp = b & 0x1F;
    } else if ((b & 0xF0) == 0xE0) {
        extra = 2;
        cp = b & 0x0F;
    } else if ((b & 0xF8) == 0xF0 && b <= 0xF4) {
        extra = 3;
        cp = b & 0x07;
    } else {
        ++i;
        return kInvalid;
    }
    if (i + static_cast<std::size_t>(extra) >= s.size()) {
        // A sequence cut off by the end of the text.
        ++i;
        return kInvalid;
    }
    for (int k = 1; k <= extra; ++k) {
        const auto c = static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]);
        if ((c & 0xC0) != 0x80) {
            ++i;
            return kInvalid;
        }
        cp = (cp << 6) | (c & 0x3F);
    }
    i += static_cast<std::size_t>(extra) + 1;
    // Overlong forms and surrogates name no character.
    const bool overlong = (extra == 2 && cp < 0x800) || (extra == 3 && cp < 0x10000);
    const bool surrogate = cp >= 0xD800 && cp <= 0xDFFF;
    return overlong || surrogate ? kInvalid : cp;
}

std::u32string DecodeUtf8(std::string_view utf8, char32_t replacement) {
    std::u32string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const char32_t cp = NextCodePoint(utf8, i);
        out += cp == kInvalid ? replacement : cp;
    }
    return out;
}

std::string FromUtf8(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size();) {
        const char32_t cp = NextCodePoint(s, i);
        out += cp == kInvalid ? '?' : FromUnicode(cp);
    }
    return out;
}

unsigned char ToLower(unsigned char b) {
    if (b >= 'A' && b <= 'Z')
        return static_cast<unsigned char>(b + 0x20);
    // Capitals C0..DE pair with smalls E0..FE, but for the multiplication sign D7; the three
    // letters A8, AA and AF pair with B8, BA and BF.
    if ((b >= 0xC0 && b <= 0xDE && b != 0xD7) || b == 0xA8 || b == 0xAA || b == 0xAF)
        return static_cast<unsigned char>(b + 0x10 * ((b >= 0xC0) ? 2 : 1));
    return b;
}

unsigned char ToUpper(unsigned char b) {
    if (b >= 'a' && b <= 'z')
        return static_cast<unsigned char>(b - 0x20);
    if ((b >= 0xE0 && b <= 0xFE && b != 0xF7) || b == 0xB8 || b == 0xBA || b == 0xBF)
        return static_cast<unsigned char>(b - 0x10 * ((b >= 0xE0) ? 2 : 1));
    return b;
}

std::string ToLower(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        c = static_cast<char>(ToLower(static_cast<unsigned char>(c)));
    return out;
}

} // namespace Cp1257
