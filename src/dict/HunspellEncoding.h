// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

// The two encodings hunspell's data comes in that hold the program's code page 1257 letters:
// ISO 8859-13 (the Lithuanian data) and UTF-8 (the English data). Every conversion is exact: a
// text with a character the other side lacks gives nullopt.
namespace HunspellEncoding {

// "ISO885913" for "iso8859-13": an encoding's name as the data may write it, made comparable.
std::string Name(std::string_view written);
inline constexpr std::string_view kIso885913 = "ISO885913";
inline constexpr std::string_view kUtf8 = "UTF8";

// A control character (C0, DEL, C1): no word holds one.
bool IsControl(char32_t c);

// A code page 1257 text in the encoding named (by Name); nullopt for another encoding.
std::optional<std::string> FromCp1257(std::string_view encoding, std::string_view text);
// A text of the encoding named in code page 1257; nullopt for another encoding, and for a
// control character of the encoding.
std::optional<std::string> ToCp1257(std::string_view encoding, std::string_view text);

} // namespace HunspellEncoding

// ISO 8859-13 and code page 1257 hold the same letters at the same bytes; they differ in the
// quotation marks and a few signs.
namespace Iso885913 {
std::optional<std::string> FromCp1257(std::string_view cp1257);
std::optional<std::string> ToCp1257(std::string_view iso);
} // namespace Iso885913
