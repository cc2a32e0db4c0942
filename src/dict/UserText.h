// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

// Words as people type or copy them, made comparable with the dictionary's code page 1257 text.
// Keyboards, input methods and web pages give the same word in several Unicode spellings: a
// letter with its mark composed (ą) or as a letter and a combining mark (a + U+0328), a typewriter
// apostrophe or a curly one, a space or a no-break space. The dictionary holds one spelling.
namespace UserText {

// The text in Unicode's composed form (NFC) as far as the code page is concerned: every letter
// followed by a combining mark becomes the code page's composed letter where it has one, and the
// few canonical singletons that NFC maps into the code page (the Ångström and Kelvin signs) become
// their letters. Curly single quotes and primes become "'", curly double quotes """, hyphen and
// dash characters and the minus sign "-", no-break and typographic spaces a space; soft hyphens
// and zero-width characters are dropped. Invalid UTF-8 becomes U+FFFD wherever FromUtf8 would
// put a "?".
std::u32string Normalise(std::string_view utf8);

// Normalise, then code page 1257. A character the code page still lacks becomes "?" and clears
// *pComplete (when given), so that a caller can tell "привет" from a word made of question marks.
std::string ToCp1257(std::string_view utf8, bool* pComplete = nullptr);

// The same for a lookup: nothing when a letter the code page lacks remains, since no headword can
// match it (the "?" standing for it would match anything of weight 0).
std::optional<std::string> LookupWord(std::string_view utf8);

// UTF-8 of code points.
std::string ToUtf8(std::u32string_view text);

} // namespace UserText
