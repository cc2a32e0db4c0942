// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <string>
#include <string_view>

// The one conversion table between the program's single-byte text (Windows code page 1257,
// Baltic) and Unicode. Everything inside the program is code page 1257; conversion happens only
// at the edges (terminal, widgets, D-Bus, clipboard).
//
// The twelve byte values that the code page leaves undefined map to the Unicode code point of
// the same number, so that every byte survives a round trip.
namespace Cp1257 {

// Unicode code point of a byte.
char32_t ToUnicode(unsigned char byte);

// Byte for a code point, or '?' when the code page cannot hold it.
char FromUnicode(char32_t codePoint);

// Whether FromUnicode gives a real byte for the code point rather than the '?' substitute.
bool CanEncode(char32_t codePoint);

// Appends the UTF-8 form of a code point.
void AppendUtf8(std::string& out, char32_t codePoint);

// Code page 1257 bytes to UTF-8.
std::string ToUtf8(std::string_view text);

// The UTF-8 decoder of every conversion. NextCodePoint reads the sequence at i and moves i past
// it; a byte that cannot start or continue a sequence, a sequence cut off by the end, an
// overlong form or a surrogate gives kInvalid and moves i by one byte. i must be before the end.
inline constexpr char32_t kInvalid = 0xFFFFFFFF;
char32_t NextCodePoint(std::string_view utf8, std::size_t& i);
// Every code point of a UTF-8 text, with replacement for each invalid one.
std::u32string DecodeUtf8(std::string_view utf8, char32_t replacement = U'\uFFFD');

// UTF-8 to code page 1257; characters the code page lacks become '?'. Malformed UTF-8 sequences
// become '?' too, one for each byte that cannot start or continue a sequence.
std::string FromUtf8(std::string_view utf8);

// Lower / upper case of one byte: ASCII letters and the code page's Baltic and Latin letters.
unsigned char ToLower(unsigned char byte);
unsigned char ToUpper(unsigned char byte);
std::string ToLower(std::string_view text);

} // namespace Cp1257
