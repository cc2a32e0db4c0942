// SPDX-License-Identifier: GPL-2.0-or-later
#include "dict/HunspellEncoding.h"

#include "dict/Cp1257.h"

#include <algorithm>
#include <cctype>

namespace {

// The bytes at which the two code pages hold different characters, each with its code page 1257
// counterpart: the quotation marks. Every other byte from 0xA0 up is the same character in both.
struct SQuote {
    unsigned char iso;
    unsigned char cp1257;
};
constexpr SQuote kQuotes[] = {{0xA1, 0x94}, {0xA5, 0x84}, {0xB4, 0x93}, {0xFF, 0x92}};

} // namespace

namespace HunspellEncoding {

bool IsControl(char32_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

std::string Name(std::string_view written) {
    std::string name;
    for (const char c : written)
        if (c != '-' && c != '_')
            name += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return name;
}

std::optional<std::string> FromCp1257(std::string_view encoding, std::string_view text) {
    if (encoding == kIso885913)
        return Iso885913::FromCp1257(text);
    if (encoding == kUtf8)
        return Cp1257::ToUtf8(text);
    return std::nullopt;
}

std::optional<std::string> ToCp1257(std::string_view encoding, std::string_view text) {
    if (encoding == kIso885913)
        return Iso885913::ToCp1257(text);
    if (encoding != kUtf8)
        return std::nullopt;
    const std::u32string points = Cp1257::DecodeUtf8(text, Cp1257::kInvalid);
    if (!std::all_of(points.begin(), points.end(), [](char32_t c) {
            return c != Cp1257::kInvalid && Cp1257::CanEncode(c) && !IsControl(c);
        }))
        return std::nullopt;
    return Cp1257::FromUtf8(text);
}

} // namespace HunspellEncoding

namespace Iso885913 {

std::optional<std::string> FromCp1257(std::string_view cp1257) {
    std::string out;
    out.reserve(cp1257.size());
    for (const char ch : cp1257) {
        const auto b = static_cast<unsigned char>(ch);
        if (b < 0x80) {
            out += ch;
            continue;
        }
        const auto at = [b](unsigned char SQuote::*side) {
            return std::find_if(std::begin(kQuotes), std::end(kQuotes),
                                [&](const SQuote& q) { return q.*side == b; });
        };
        if (const SQuote* quote = at(&SQuote::cp1257); quote != std::end(kQuotes))
            out += static_cast<char>(quote->iso);
        else if (b >= 0xA0 && at(&SQuote::iso) == std::end(kQuotes))
            out += ch;
        else
            return std::nullopt; // a sign ISO 8859-13 lacks ("€", "´") or a byte of no character
    }
    return out;
}

std::optional<std::string> ToCp1257(std::string_view iso) {
    std::string out;
    out.reserve(iso.size());
    for (const char ch : iso) {
        const auto b = static_cast<unsigned char>(ch);
        if (b < 0x80) {
            out += ch;
            continue;
        }
        if (b < 0xA0)
            return std::nullopt; // control characters, no text
        const SQuote* quote =
            std::find_if(std::begin(kQuotes), std::end(kQuotes), [b](const SQuote& q) { return q.iso == b; });
        out += quote != std::end(kQuotes) ? static_cast<char>(quote->cp1257) : ch;
    }
    return out;
}

} // namespace Iso885913
