// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "render/DictFile.h"

class CWordForms;

#include <string>
#include <string_view>
#include <vector>

// The one rule by which a word becomes a translation, for every road that takes a word: typing,
// Enter, the clipboard, the automation service, the page composer and the terminal tool.
//
// English index: every article whose headword matches the word, over the main and the alternate
// lists; when none does, the article of the nearest headword (the first one sharing the longest
// prefix). Lithuanian index: the reverse fragment of the nearest reverse record.
//
// With word forms (forms given, for the window's own roads and the terminal's lookup) a word
// that no headword is as a whole is first taken as a form of one. English: the word's own
// headwords and spellings first, then the headwords it is an inflection of (the alternate list
// of inflections, else a stem of hunspell's that the word is the stem with an inflectional ending
// of: "ran" -> run, "houses" -> house, never "version" -> verse), and only then the phrases that
// hold the word ("been": be before "have been waiting"). Lithuanian: the record spelled as typed
// among those the letter weights make equal ("lyga" before "liga"); a word typed without
// diacritics that no record begins with, by the records' texts without them ("zodis" -> žodis);
// the file's list of inflections ("eina" -> eiti); hunspell's stems with the word's prefix or
// negation put back ("negalima" -> negalimas, not galimas). Only then the nearest headword as
// without forms. The automation service and the page composer pass no forms: other programs
// rely on their results.
namespace Lookup {

// How the word reached what is shown.
enum class EFound {
    None,    // nothing: not even the first letter
    Exact,   // a headword (or a spelling variant, or a word of the Lithuanian-English data) is the word
    Form,    // the word is an inflected form of the headword shown
    Nearest, // no headword is the word: the one shown begins like it
};

// By which rule a word reached a headword it is not as typed.
enum class ERule {
    None,       // the headword is the word
    Inflection, // the dictionary's own list of inflected forms ("went" -> go, "eina" -> eiti)
    Stem,       // a stem hunspell gives for the word ("houses" -> house, "negalima" -> negalimas)
    Diacritics, // the word typed without diacritics ("zodis" -> žodis)
    Phrase,     // no headword is the word, but phrases hold it as one of their words
    Negation,   // the word negated: "netaisyklinga" shows taisyklingas, only the nearest
};

struct SResult {
    std::string text; // the fragment: forward "title TAB body" or body alone, reverse its HTML
    int entry = -1;   // the article (English) or reverse record (Lithuanian) found; -1 for none
    EFound how = EFound::None;
    ERule rule = ERule::None;
};

SResult Find(CDictFile& dict, EDirection direction, std::string_view word, CWordForms* forms = nullptr);
// What to offer when a word reached no headword of its own (nearest or none): hunspell's
// corrections of it that reach a headword as themselves or as a form of one, as the headword
// texts they reach, best first, at most kSuggestionLimit.
std::vector<std::string> Suggestions(CDictFile& dict, EDirection direction, std::string_view word,
                                     CWordForms& forms);
constexpr std::size_t kSuggestionLimit = 5;
// Whether Find or FindEntry may ask hunspell about the word: an English word with an inflectional
// ending, a Lithuanian word of more than one letter. The window reads the data beside its loop at
// the first word typed that may need it.
bool MayAskForms(EDirection direction, std::string_view word);
// The entry Find would give, without building any text: what the index shows while typing.
int FindEntry(CDictFile& dict, EDirection direction, std::string_view word, CWordForms* forms = nullptr);

} // namespace Lookup
