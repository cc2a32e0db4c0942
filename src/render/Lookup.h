// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "dict/DictFile.h"

class CWordForms;

#include <string>
#include <string_view>

// The one rule by which a word becomes a translation, for every road that takes a word: typing,
// Enter, the clipboard, the automation service, the page composer and the terminal tool.
//
// English index: every article whose headword matches the word, over the main and the alternate
// lists; when none does, the article of the nearest headword (the first one sharing the longest
// prefix). Lithuanian index: the reverse fragment of the nearest reverse record.
//
// With word forms (forms given, for the window's own roads and the terminal's lookup) a word
// that no headword is as a whole is first taken as an inflection: the alternate list of
// inflections when one of its records is the word ("ran" -> run, although "ranch" begins with
// "ran"), else the first of the word's stems (forms, in hunspell's order; in English only stems
// that keep the word's first two letters) that a headword is as a whole; only then the nearest
// headword as without them. A headword that is an inflection record too shows its own articles
// first, then those of the words it is a form of ("better": better, good, well). The automation
// service and the page composer pass no forms: other programs rely on their results.
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

SResult Find(CDictFile& dict, EDirection direction, std::string_view word, CWordForms* forms = nullptr);
// The entry Find would give, without building any text: what the index shows while typing.
int FindEntry(CDictFile& dict, EDirection direction, std::string_view word, CWordForms* forms = nullptr);

} // namespace Lookup
