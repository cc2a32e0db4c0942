// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

// The text tools the dictionary compiler's parts share: UTF-8 as code points, characters of the
// data, parentheses and remarks, the items of a sense, domain labels and the word lists.

#include "dict/Cp1257.h"
#include "dict/DictFormat.h"

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

namespace MkdicText {

using U32 = std::u32string;
using U32View = std::u32string_view;

// Longest text a headword record can hold: its span must stay under 64 bytes.
inline constexpr std::size_t kHeadwordLimit = DictFormat::kHeadwordSpanLimit - 4;
// Longest article text: the record (4 bytes of homonym number and the text) spans under 65,535.
inline constexpr std::size_t kArticleLimit = DictFormat::kArticleSpanLimit - 5;
// At most m - 1 = 255 articles fit in a reverse record's leading words.
inline constexpr std::size_t kReverseArticles = DictFormat::kEntryListWords - 1;
// An article made from a translation links at most this many related articles.
inline constexpr std::size_t kTranslationArticles = 8;

// The data is UTF-8; the parsers work on its code points.
inline U32 Decode(std::string_view utf8) {
    return Cp1257::DecodeUtf8(utf8);
}
std::string Encode(U32View s);

// Characters of the data.
bool IsSpace(char32_t c);
bool IsAsciiLetter(char32_t c);
bool IsLetter(char32_t c);
bool IsHyphenLike(char32_t c);
std::string_view FoldChar(char32_t c);
// Spaces.
U32 Trim(U32View s);
std::string TrimUtf8(std::string_view s);
U32 CollapseSpaces(U32View s);
// Parentheses, domain labels and remarks.
std::size_t MatchClose(U32View s, std::size_t open);
std::size_t MatchOpen(U32View s, std::size_t close);
bool IsOptionalPart(U32View s, std::size_t open, std::size_t close);
bool HasOpenParenthesis(std::string_view s);
std::vector<U32> SplitTopLevel(U32View s);
std::size_t LabelEnd(U32View s, std::size_t open);
U32 RemoveLabels(U32View s);
bool IsDash(char32_t c);
U32 TrimEdges(U32 p);
U32 StripRemarks(U32 p, bool inner);
// The items of a sense: both forms of every optional part "(pa)žeminti", and the sense split
// into its items with their remarks stripped (inner ones too when inner is set).
void ExpandOptional(const U32& s, std::vector<U32>& out, std::size_t from = 0);
std::vector<std::string> Items(std::string_view sense, bool inner);
// The end of an item that is no part of it: "ir pan.", "!", "?".
U32 StripTail(U32 p);
// Every choice of "a/b" alternatives in a text's words ("cover/sprinkle with flour" gives both
// phrases); at most eight forms, else the text as it stands.
std::vector<U32> ExpandSlashes(const U32& s);
// Keys: A-Z folded; the forward comparison's view; the dictd key form of a code page 1257 text.
std::string AsciiLower(std::string s);
std::string ForwardKey(std::string_view cp1257);
std::string KeyForm(std::string_view cp1257);
// The comma-separated labels of a sense, trimmed.
std::vector<std::string> SplitLabels(std::string_view labels);
// Whether a code page 1257 text can be a headword: letters, not only a placeholder ("smth").
bool CanBeHeadword(const std::string& text);
// Appends entry when list holds it not yet and has fewer than limit entries.
void AddUnique(std::vector<int>& list, int entry, std::size_t limit);

template <std::size_t N> inline bool Contains(const std::string_view (&list)[N], std::string_view word) {
    return std::find(std::begin(list), std::end(list), word) != std::end(list);
}

// Words too common to lead to a phrase.
inline constexpr std::string_view kStopWords[] = {"a",  "an", "the", "of",  "to", "in", "on",
                                                  "at", "by", "for", "and", "or", "as"};
// Placeholders of English grammar notes; they stand in remarks beside real words.
inline constexpr std::string_view kPlaceholders[] = {"smb",    "smth",  "sb",      "sth", "smb's",
                                                     "smth's", "one's", "oneself", "sby"};
// Lithuanian words without marks that are English headwords too ("per", "bet", "ten"): in a
// remark they are Lithuanian.
inline constexpr std::string_view kLithuanianAscii[] = {
    "ar",  "be",  "bei", "bet",  "dar", "ir",   "jau", "kad", "kai",  "kaip",
    "kam", "kas", "ko",  "kur",  "man", "mano", "ne",  "net", "nors", "nuo",
    "pan", "per", "po",  "prie", "su",  "tai",  "tas", "ten", "tik",  "vis"};
// English words that a remark never links: articles and conjunctions say nothing on their own.
inline constexpr std::string_view kNoLink[] = {"a", "an", "the", "and", "or"};

struct SDomain {
    std::string_view label;
    std::string_view remark;
};

// The Lithuanian abbreviations of the domain labels, as the data writes them in parentheses.
inline constexpr SDomain kDomains[] = {
    {"astr", "astr."},   {"bio", "biol."},  {"bot", "bot."},   {"chem", "chem."}, {"geo", "geogr."},
    {"geol", "geol."},   {"gram", "gram."}, {"hist", "ist."},  {"math", "mat."},  {"med", "med."},
    {"mus", "muz."},     {"phy", "fiz."},   {"pol", "polit."}, {"rel", "rel."},   {"slang", "žarg."},
    {"sport", "sport."}, {"vulg", "vulg."},
};

struct SPartOfSpeech {
    std::string_view label;
    std::string_view lithuanian;
};

inline constexpr SPartOfSpeech kPartsOfSpeech[] = {
    {"n", "dkt."},    {"adj", "bdv."},  {"v", "vksm."}, {"adv", "prv."}, {"pron", "įv."},  {"prep", "prl."},
    {"conj", "jng."}, {"num", "sktv."}, {"pl", "dgs."}, {"sg", "vns."},  {"m", "vyr. g."}, {"f", "mot. g."},
};

} // namespace MkdicText
