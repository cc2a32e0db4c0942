// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

// Translations derived through other languages (triangulation): an English word's translations
// into a pivot language, followed into Lithuanian, give Lithuanian candidates, and the other
// way round. A candidate that several independent pivot languages give is usually right; how
// often, is measured on the pairs the English-Lithuanian data already holds.

#include "DictdReader.h"

#include <functional>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

// One entry of a pivot dictionary: FreeDict's older format (numbered translations only) or the
// WikDict one, where each sense's translation line is followed by a gloss in the source language.
struct SPivotEntry {
    std::string headword;                  // UTF-8, without pronunciations and labels
    std::string pos;                       // the first part-of-speech label, "n", "v"...; may be empty
    std::vector<std::string> translations; // UTF-8, one per item, remarks in parentheses dropped
};

namespace Pivots {

// Parses an entry's text: "headword [/pron/]... [<pos>]", then translation lines, each either
// numbered ("2. a, b") or, before any numbered one, the first line; other lines are glosses.
SPivotEntry ParseEntry(std::string_view text);

// A word as it is shown: stress marks (combining accents) dropped, letters written apart
// composed ("e" U+0307 -> "ė"), hyphens plain, spaces collapsed. UTF-8.
std::string Plain(std::string_view utf8);
// The key a word is compared by: Plain in lower case.
std::string Key(std::string_view utf8);

} // namespace Pivots

// A pivot language: what its dictionaries to and from English and into Lithuanian say, by key.
struct SPivotLanguage {
    std::string code;       // "fra"
    std::string lithuanian; // its name in a Lithuanian note, genitive plural: "prancūzų"
    std::map<std::string, std::set<std::string>> fromEnglish;    // English key -> pivot keys
    std::map<std::string, std::set<std::string>> toEnglish;      // pivot key -> English keys
    std::map<std::string, std::set<std::string>> toLithuanian;   // pivot key -> Lithuanian keys
    std::map<std::string, std::set<std::string>> fromLithuanian; // Lithuanian key -> pivot keys
    std::map<std::string, std::string> partOfSpeech;             // pivot key -> its X-lit label
    // The spelling each English or Lithuanian key was first seen in, for the articles.
    std::map<std::string, std::string> spelling;

    // Adds an English-X entry, an X-English entry or an X-Lithuanian entry. Both directions of
    // the English pair count: "explain" in eng-fra and "expliquer" in fra-eng link the same words.
    void AddEnglishPivot(const SPivotEntry& e);
    void AddPivotEnglish(const SPivotEntry& e);
    void AddPivotLithuanian(const SPivotEntry& e);

private:
    void LinkEnglish(const std::string& english, const std::string& pivot);
};

// A derived translation: the word and the pivot languages that lead to it (bit i: language i).
struct SPivotCandidate {
    std::string key;
    unsigned languages = 0;
    std::string pos; // the part of speech most of its pivot words have; "" when none says
    int Agreement() const;
};

// Whether a derived word can stand in the dictionary (every word of it a real one); empty: all can.
using FPivotWordCheck = std::function<bool(const std::string& utf8)>;

// Not thread-safe: the candidates are cached.
class CTriangulation {
public:
    // The pivot languages in their order; at most 32.
    void Add(SPivotLanguage language);
    const std::vector<SPivotLanguage>& Languages() const { return m_languages; }
    void SetChecks(FPivotWordCheck isEnglish, FPivotWordCheck isLithuanian);

    // Lithuanian candidates of an English key, and English candidates of a Lithuanian key: most
    // languages first, then by key. Only words the checks accept, and only those whose own
    // candidates have the word among their best agreed.
    std::vector<SPivotCandidate> Lithuanian(const std::string& englishKey) const;
    std::vector<SPivotCandidate> English(const std::string& lithuanianKey) const;
    // Whether the check of that language accepts a key (true without a check).
    bool Accepts(const std::string& key, bool bEnglish) const;
    // Every English and Lithuanian key the pivots know, sorted.
    std::set<std::string> EnglishKeys() const;
    std::set<std::string> LithuanianKeys() const;
    // The spelling of an English or Lithuanian key as the pivots write it.
    std::string Spelling(const std::string& key) const;
    // "prancūzų ir olandų": the languages of a mask in their order.
    std::string LanguageNames(unsigned languages) const;

private:
    std::vector<SPivotCandidate> Follow(const std::string& key, bool fromEnglish) const;
    const std::vector<SPivotCandidate>& Cached(const std::string& key, bool fromEnglish) const;
    std::vector<SPivotCandidate> Candidates(const std::string& key, bool fromEnglish) const;

    std::vector<SPivotLanguage> m_languages;
    FPivotWordCheck m_isEnglish;
    FPivotWordCheck m_isLithuanian;
    // Follow's answers, from English and from Lithuanian: each word is followed both ways.
    mutable std::map<std::string, std::vector<SPivotCandidate>> m_cache[2];
};

// Held-out precision: the known pairs treated as unknown, derived by the pivots alone.
struct SPivotRow {
    long derived = 0; // derived pairs of held-out words
    long right = 0;   // of them, known pairs
    long words = 0;   // held-out words with at least one such pair
};

struct SPivotMeasure {
    static constexpr int kLevels = 5; // agreement 1..4, then 5 or more
    static constexpr const char* kParts[] = {"n", "v", "adj", "adv", "other"};
    static constexpr int kPartCount = 5;
    // The rule keeps, per part of speech, the pairs of the fewest agreeing languages that are
    // right at least kMinPercent % of the time, counted over at least kMinPairs pairs: with
    // fewer, a share of 90 % says little (a 95 % interval of about 8 points either way). It then
    // takes further levels while all it keeps stays so.
    static constexpr long kMinPercent = 90;
    static constexpr long kMinPairs = 50;

    long heldOut = 0;                         // held-out words (known words the pivots know)
    SPivotRow byLevel[kLevels][kPartCount]{}; // exactly that many languages agree
    SPivotRow atLeast[kLevels]{};             // that many or more, all parts of speech
    int rule[kPartCount]{};                   // per part of speech the level kept; 0 for none
    SPivotRow kept;                           // the pairs the rule keeps (words: not counted)

    // Sets rule and kept from byLevel.
    void ChooseRule();
    double Precision(int atLeastLevel) const; // 0 when nothing was derived
    // Whether the rule keeps a candidate.
    bool Keeps(const SPivotCandidate& c) const;
    bool KeepsAny() const { return kept.derived > 0; }
    // "n >= 5, adj >= 5": the rule in words.
    std::string RuleText() const;
};

// known: word key -> the keys of its known translations. fromEnglish: English words, Lithuanian
// translations (else the other way).
SPivotMeasure MeasureHeldOut(const CTriangulation& pivots,
                             const std::map<std::string, std::set<std::string>>& known, bool fromEnglish);

// The measures of both directions as a table, for the summary and README.
std::string PivotReport(const SPivotMeasure& english, const SPivotMeasure& lithuanian);
