// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "dict/DictFile.h"

#include <string>
#include <string_view>

// The one rule by which a word becomes a translation, for every road that takes a word: typing,
// Enter, the clipboard, the automation service, the page composer and the terminal tool.
//
// English index: every article whose headword matches the word, over the main and the alternate
// lists; when none does, the article of the nearest headword (the first one sharing the longest
// prefix). Lithuanian index: the reverse fragment of the nearest reverse record.
namespace Lookup {

// How the word reached what is shown.
enum class EFound {
    None,    // nothing: not even the first letter
    Exact,   // a headword (or a spelling variant, or a word of the Lithuanian-English data) is the word
    Form,    // the word is an inflected form of the headword shown
    Nearest, // no headword is the word: the one shown begins like it
};

struct SResult {
    std::string text;      // the fragment: forward "title TAB body" or body alone, reverse its HTML
    int entry = -1;        // the article (English) or reverse record (Lithuanian) found; -1 for none
    bool bNearest = false; // English: no headword matched, the text is the nearest headword's
    EFound how = EFound::None;
};

SResult Find(CDictFile& dict, EDirection direction, std::string_view word);
// The entry Find would give, without building any text: what the index shows while typing.
int FindEntry(CDictFile& dict, EDirection direction, std::string_view word);

} // namespace Lookup
