// SPDX-License-Identifier: GPL-2.0-or-later
#include "render/Lookup.h"

#include "dict/Cp1257.h"
#include "dict/LithuanianPrefixes.h"
#include "dict/WordForms.h"

#include <algorithm>
#include <optional>

namespace Lookup {

namespace {

using DictFormat::kInflections;
using DictFormat::kMainList;
using DictFormat::kPhraseWords;
using DictFormat::kSpellings;
using DictFormat::kTranslations;

void AddUnique(std::vector<int>& to, const std::vector<int>& more) {
    for (const int e : more)
        if (std::find(to.begin(), to.end(), e) == to.end())
            to.push_back(e);
}

unsigned char Lower(char c) {
    return Cp1257::ToLower(static_cast<unsigned char>(c));
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return Lower(x) == Lower(y); });
}

// ---- Lithuanian ----

// Whether a text the letter weights make equal to the word has every marked letter the word was
// typed with: a word typed without marks may stand for any text, but "įvestį" (an input) is not
// "įvesti" (to enter).
bool KeepsTypedMarks(std::string_view text, std::string_view asked) {
    for (std::size_t i = 0; i < asked.size() && i < text.size(); ++i)
        if (static_cast<unsigned char>(asked[i]) >= 0x80 && Lower(text[i]) != Lower(asked[i]))
            return false;
    return true;
}

// The record among the run of records equal to word by letter weights (lyga, liga) that is
// spelled as typed, else the one spelled so but for capitals, else the run's first; -1 when no
// record is the word as a whole.
int SpelledAsTyped(CDictFile& dict, int first, const std::string& asked) {
    if (asked.empty() || first < 0 ||
        CDictFile::CompareByWeight(dict.GetReverseHeadword(first).c_str(), asked.c_str()) != 0)
        return -1;
    int caseless = -1;
    int unmarked = -1;
    for (int i = first; i < dict.ReverseCount(); ++i) {
        const std::string text = dict.GetReverseHeadword(i);
        if (CDictFile::CompareByWeight(text.c_str(), asked.c_str()) != 0)
            break;
        if (text == asked)
            return i;
        if (caseless < 0 && EqualsIgnoringCase(text, asked))
            caseless = i;
        if (unmarked < 0 && KeepsTypedMarks(text, asked))
            unmarked = i;
    }
    return caseless >= 0 ? caseless : unmarked;
}

int WholeRecord(CDictFile& dict, const CQuery& word) {
    const std::string asked(word.Whole());
    return asked.empty() ? -1 : SpelledAsTyped(dict, dict.FindNearestReverse(word), asked);
}

// How many leading letters two texts share by letter weights.
std::size_t SharedBeginning(std::string_view a, std::string_view b) {
    std::size_t n = 0;
    while (n < a.size() && n < b.size() &&
           CDictFile::LetterWeight(static_cast<unsigned char>(a[n])) ==
               CDictFile::LetterWeight(static_cast<unsigned char>(b[n])))
        ++n;
    return n;
}

struct SReverseForm {
    int record = -1;
    ERule rule = ERule::None;
};

// Whether text begins with the negation ("ne", "nebe") by letter weights.
bool IsNegated(std::string_view text) {
    return SharedBeginning(text, "ne") == 2;
}

// The endings of the Lithuanian nouns and adjectives by the ending of the word's dictionary form
// (vocatives left out: "turi" is no form of turis): "failą", "faile" -> failas, "vidinė" ->
// vidinis, "priklausomybių" -> priklausomybė. hunspell's stems miss many nouns made from verbs
// ("išvedimo" gives išvesti, not išvedimas).
struct SDeclension {
    std::string_view base;
    std::vector<std::string_view> endings;
};
const std::vector<SDeclension>& Declensions() {
    static const std::vector<SDeclension> table = {
        {"as",
         {"o", "ui", "\xE0", "u", "e", "ai", "\xF8", "ams", "us", "uose", "ais", "a", "os", "oje", "oms",
          "ose", "omis"}},
        {"ias",
         {"io", "iui", "i\xE0", "iu", "yje", "iai", "i\xF8", "iams", "ius", "iuose", "iais", "ia", "ios",
          "ioje", "ioms", "iose", "iomis"}},
        {"is", {"io",    "iui",  "\xE1", "iu",  "yje",    "iai",    "i\xF8", "iams",   "ius",
                "iuose", "iais", "ies",  "imi", "ys",     "ims",    "yse",   "imis",   "\xEB",
                "\xEBs", "ei",   "\xE6", "e",   "\xEBje", "\xEBms", "es",    "\xEBse", "\xEBmis"}},
        {"ys", {"io", "iui", "\xE1", "iu", "yje", "iai", "i\xF8", "iams", "ius", "iuose", "iais"}},
        {"a", {"os", "ai", "\xE0", "oje", "\xF8", "oms", "as", "ose", "omis"}},
        {"ia", {"ios", "iai", "i\xE0", "ioje", "i\xF8", "ioms", "ias", "iose", "iomis"}},
        {"\xEB", {"\xEBs", "ei", "\xE6", "e", "\xEBje", "i\xF8", "\xEBms", "es", "\xEBse", "\xEBmis"}},
        {"us", {"aus", "ui", "\xF8", "umi", "uje", "\xFBs", "ums", "uose", "umis"}},
    };
    return table;
}

// The dictionary forms a word may be a case of, by its ending; a stem of at least three letters.
std::vector<std::string> DeclinedFrom(std::string_view word) {
    constexpr std::size_t kMinStem = 3;
    const std::string lower = Cp1257::ToLower(word);
    std::vector<std::string> out;
    for (const SDeclension& d : Declensions())
        for (const std::string_view ending : d.endings)
            if (lower.size() >= ending.size() + kMinStem && lower.ends_with(ending))
                out.push_back(std::string(word.substr(0, word.size() - ending.size())) + std::string(d.base));
    return out;
}

// Whether hunspell may know a Lithuanian word as a form of another: its stem of a single letter
// is the letter, and a record that is the word was taken before, so a one-letter word asks
// nothing (the window's first key waits for no data).
bool MayBeLithuanianForm(std::string_view word) {
    return word.size() > 1;
}

// The record that candidates for a Lithuanian word's dictionary form reach, the best first:
// most of the word's beginning kept, then the length nearest the word's, as a case is
// ("aplanke": aplankas before aplankyti); the first of equals.
class CReverseChoice {
public:
    CReverseChoice(CDictFile& dict, std::string_view asked) : m_pDict(&dict), m_asked(asked) {}

    // A stem may be a verb form of the file's list; a dictionary form made from the word's ending
    // only counts as a record (bListed false: "aplankė" of the list is no noun).
    void Consider(const std::string& candidate, bool bListed = true) {
        int record = WholeRecord(*m_pDict, candidate);
        if (record < 0) {
            if (!bListed)
                return;
            const std::vector<int> listed = m_pDict->LithuanianFormRecords(candidate, true);
            if (listed.empty())
                return;
            record = listed.front();
        }
        const std::size_t kept = SharedBeginning(candidate, m_asked);
        const std::size_t apart = candidate.size() > m_asked.size() ? candidate.size() - m_asked.size()
                                                                    : m_asked.size() - candidate.size();
        if (m_best >= 0 && kept == m_bestKept && apart == m_bestApart) {
            m_bTied = m_bTied || record != m_best;
        } else if (m_best < 0 || kept > m_bestKept || (kept == m_bestKept && apart < m_bestApart)) {
            m_best = record;
            m_bestKept = kept;
            m_bestApart = apart;
            m_bTied = false;
        }
    }

    // Each stem with the word's own prefix put back, where the rest of the word goes on as the
    // stem does ("par" + siųsti for "parsiųsti", never "pa" + siųsti), then bare.
    void ConsiderStems(const std::vector<std::string>& stems) {
        for (const std::string& stem : stems) {
            for (const std::string& prefix : LithuanianPrefixes())
                if (m_asked.size() > prefix.size() &&
                    EqualsIgnoringCase(m_asked.substr(0, prefix.size()), prefix) &&
                    !EqualsIgnoringCase(std::string_view(stem).substr(0, prefix.size()), prefix) &&
                    SharedBeginning(m_asked.substr(prefix.size()), stem) >=
                        std::min<std::size_t>(2, stem.size()))
                    Consider(std::string(m_asked.substr(0, prefix.size())) + stem);
            Consider(stem);
        }
    }

    int Best() const { return m_best; }
    // Whether another record is as good as the best: the order of the candidates chose.
    bool IsTied() const { return m_bTied; }

private:
    CDictFile* m_pDict;
    std::string_view m_asked;
    int m_best = -1;
    std::size_t m_bestKept = 0;
    std::size_t m_bestApart = 0;
    bool m_bTied = false;
};

// The record a Lithuanian word that no record is as a whole is a form of: the file's list of
// inflections spelled as typed ("eina" -> eiti), else hunspell's stems with the word's prefix
// put back ("negalima" -> negalimas, "nepavyko" -> ne + pa + vyko -> nepavykti), the candidate
// that keeps most of the word's beginning first, the bare stem only when no prefixed record
// exists; else the list's forms that are the word but for diacritics ("aplanke" is the
// folder's locative before it is "aplankė", a verb). A stem that drops the word's negation
// ("netaisyklinga" -> taisyklingas) is its opposite: ERule::Negation.
SReverseForm ReverseForm(CDictFile& dict, const CQuery& word, CWordForms& forms) {
    const std::string_view asked = word.Trimmed();
    if (const std::vector<int> listed = dict.LithuanianFormRecords(asked, true); !listed.empty())
        return {listed.front(), ERule::Inflection};
    CReverseChoice choice(dict, asked);
    if (MayBeLithuanianForm(asked)) {
        // hunspell's word list knows the stems without the data but not hunspell's order of them,
        // which decides only between records equally good.
        const std::optional<std::vector<std::string>> listed = forms.ListedStems(asked);
        if (listed)
            choice.ConsiderStems(*listed);
        if (!listed || choice.IsTied()) {
            choice = CReverseChoice(dict, asked);
            choice.ConsiderStems(forms.Stems(asked));
        }
    }
    for (const std::string& base : DeclinedFrom(asked))
        choice.Consider(base, false);
    if (choice.Best() < 0) {
        if (const std::vector<int> listed = dict.LithuanianFormRecords(asked); !listed.empty())
            return {listed.front(), ERule::Inflection};
        return {};
    }
    SReverseForm best{choice.Best(), ERule::Stem};
    if (IsNegated(asked) && !IsNegated(dict.GetReverseHeadword(best.record)))
        best.rule = ERule::Negation;
    return best;
}

// Whether a word may be Lithuanian typed without its diacritics: it has none itself.
bool IsPlain(std::string_view word) {
    return std::none_of(word.begin(), word.end(),
                        [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

// The record a word typed without diacritics stands for, when no record begins with the word as
// typed: one whose text without diacritics is the word (bWhole) or begins with it.
int FoldedRecord(CDictFile& dict, const CQuery& word, bool bWhole) {
    const std::string_view asked = word.Whole();
    if (asked.empty() || !IsPlain(asked) || dict.FindReversePrefix(word, -1) != -1)
        return -1;
    return dict.FoldedReverseMatch(word, bWhole);
}

SResult FindReverse(CDictFile& dict, const CQuery& word, CWordForms* forms) {
    SResult r;
    r.text = dict.RenderReverse(word, &r.entry);
    // The record spelled as typed among those equal to the word, or -1 when none is the word.
    const int whole = SpelledAsTyped(dict, r.entry, std::string(word.Whole()));
    r.how = r.entry < 0 ? EFound::None : whole >= 0 ? EFound::Exact : EFound::Nearest;
    if (forms == nullptr)
        return r;
    const auto show = [&](int record, EFound how, ERule rule) {
        r.entry = record;
        r.text = dict.RenderReverseEntry(record);
        r.how = how;
        r.rule = rule;
    };
    if (r.how == EFound::Exact) {
        if (whole != r.entry)
            show(whole, EFound::Exact, ERule::None);
        return r;
    }
    if (const int folded = FoldedRecord(dict, word, true); folded >= 0) {
        show(folded, EFound::Form, ERule::Diacritics);
        return r;
    }
    if (const SReverseForm f = ReverseForm(dict, word, *forms); f.record >= 0)
        show(f.record, f.rule == ERule::Negation ? EFound::Nearest : EFound::Form, f.rule);
    else if (const int begun = FoldedRecord(dict, word, false); begun >= 0)
        show(begun, EFound::Nearest, ERule::Diacritics);
    return r;
}

int FindReverseEntry(CDictFile& dict, const CQuery& word, CWordForms* forms) {
    const int entry = dict.FindNearestReverse(word);
    if (forms == nullptr)
        return entry;
    if (const int whole = WholeRecord(dict, word); whole >= 0)
        return whole;
    if (const int folded = FoldedRecord(dict, word, true); folded >= 0)
        return folded;
    if (const SReverseForm f = ReverseForm(dict, word, *forms); f.record >= 0)
        return f.record;
    if (const int folded = FoldedRecord(dict, word, false); folded >= 0)
        return folded;
    return entry;
}

// ---- English ----

// The words a word is base plus an inflectional ending of (-s, -es, -ed, -ing, -er, -est, 's),
// with the spelling changes English makes before it (y to i, a dropped e, a doubled consonant),
// in small letters. Derivational endings change the word ("version" is no form of verse,
// "namely" none of name), and -er/-est only reduce a word that is not a word of its own
// (bOwnWord: "bigger", not "flicker").
std::vector<std::string> InflectionBases(std::string_view word, bool bOwnWord) {
    std::string w(word.size(), '\0');
    std::transform(word.begin(), word.end(), w.begin(), [](char c) { return static_cast<char>(Lower(c)); });
    std::vector<std::string> bases;
    const auto endsWith = [&](std::string_view s) { return w.size() > s.size() && w.ends_with(s); };
    const auto cut = [&](std::size_t n, std::string_view add = {}) {
        if (w.size() <= n)
            return;
        std::string base = w.substr(0, w.size() - n) + std::string(add);
        if (std::find(bases.begin(), bases.end(), base) == bases.end())
            bases.push_back(std::move(base));
    };
    const auto doubled = [&](std::size_t n) {
        if (w.size() > n + 1 && w[w.size() - n - 1] == w[w.size() - n - 2])
            cut(n + 1);
    };
    if (endsWith("'s"))
        cut(2);
    if (endsWith("s")) {
        cut(1);
        if (endsWith("es"))
            cut(2);
        if (endsWith("ies"))
            cut(3, "y");
    }
    // -ed, -er, -est: after the word's own final e ("agreed", "larger"), a doubled consonant
    // ("stopped", "bigger") or y turned to i ("carried", "happiest").
    const auto eEnding = [&](std::string_view ending) {
        if (!endsWith(ending))
            return;
        cut(ending.size());
        cut(ending.size() - 1);
        doubled(ending.size());
        if (endsWith("i" + std::string(ending)))
            cut(ending.size() + 1, "y");
    };
    eEnding("ed");
    if (endsWith("ing")) {
        cut(3);
        cut(3, "e");
        doubled(3);
        if (endsWith("ying"))
            cut(4, "ie");
    }
    if (!bOwnWord) {
        eEnding("er");
        eEnding("est");
    }
    return bases;
}

bool IsInflectionOf(std::string_view word, std::string_view base, bool bOwnWord) {
    std::string b(base.size(), '\0');
    std::transform(base.begin(), base.end(), b.begin(), [](char c) { return static_cast<char>(Lower(c)); });
    const std::vector<std::string> bases = InflectionBases(word, bOwnWord);
    return std::find(bases.begin(), bases.end(), b) != bases.end();
}

bool IsWholeHeadword(CDictFile& dict, const std::string& text) {
    CDictFile::SForwardMatch match;
    return dict.FirstForwardMatch(text, &match) != -1 && match.bWhole;
}

// The stems of which the word is an inflection and that are headwords as a whole, in the order
// given.
std::vector<std::string> HeadwordStems(CDictFile& dict, std::string_view asked,
                                       const std::vector<std::string>& stems) {
    const bool bOwnWord = std::any_of(stems.begin(), stems.end(),
                                      [&](const std::string& s) { return EqualsIgnoringCase(s, asked); });
    std::vector<std::string> found;
    for (const std::string& stem : stems)
        if (IsInflectionOf(asked, stem, bOwnWord) && IsWholeHeadword(dict, stem))
            found.push_back(stem);
    return found;
}

// The first of the word's stems that is a headword as a whole and of which the word is an
// inflection; empty when there is none.
std::string ForwardStem(CDictFile& dict, std::string_view asked, CWordForms& forms) {
    // hunspell is asked (and its data read) only when a word the ending leaves is a headword:
    // most words typed are no form of any ("hous", "zebras" without a zebra). The headwords'
    // search folds ASCII capitals only, so a word with other letters is always asked.
    const std::vector<std::string> bases = InflectionBases(asked, false);
    const bool bAscii =
        std::all_of(asked.begin(), asked.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (bases.empty() || (bAscii && std::none_of(bases.begin(), bases.end(), [&](const std::string& base) {
                              return IsWholeHeadword(dict, base);
                          })))
        return {};
    // Its word list knows the stems without the data but not hunspell's order of them, which
    // matters only when two of them are headwords the word is a form of.
    const std::optional<std::vector<std::string>> listed = forms.ListedStems(asked);
    std::vector<std::string> found =
        listed ? HeadwordStems(dict, asked, *listed) : std::vector<std::string>{};
    if (!listed || found.size() > 1)
        found = HeadwordStems(dict, asked, forms.Stems(asked));
    return found.empty() ? std::string{} : found.front();
}

// What a forward word shows with word forms: the articles in the order they are shown and how
// the word reached them. The word's own headwords and spellings come first, then the headwords
// it is a form of (the inflection list, else its stem), then the phrases that only hold it;
// a stem only when no list holds the word as a whole.
struct SForwardAnswer {
    std::vector<int> entries;
    std::string stem; // or the stem whose matches RenderForward shows
    EFound how = EFound::None;
    ERule rule = ERule::None;
};

SForwardAnswer ForwardAnswer(CDictFile& dict, const CQuery& word, CWordForms& forms) {
    SForwardAnswer a;
    std::vector<int> own = dict.WholeListMatches(kMainList, word);
    AddUnique(own, dict.WholeListMatches(kSpellings, word));
    const std::vector<int> inflected = dict.WholeListMatches(kInflections, word);
    std::vector<int> phrases = dict.WholeListMatches(kPhraseWords, word);
    AddUnique(phrases, dict.WholeListMatches(kTranslations, word));
    a.entries = own;
    AddUnique(a.entries, inflected);
    if (!own.empty() || !inflected.empty()) {
        AddUnique(a.entries, phrases);
        a.how = own.empty() ? EFound::Form : EFound::Exact;
        a.rule = own.empty() ? ERule::Inflection : ERule::None;
        return a;
    }
    a.stem = ForwardStem(dict, word.Trimmed(), forms);
    if (!a.stem.empty()) {
        a.entries.clear();
        a.how = EFound::Form;
        a.rule = ERule::Stem;
        return a;
    }
    if (!phrases.empty()) {
        // Phrases that hold the word are no headword of it: shown, but as the nearest thing.
        a.entries = phrases;
        a.how = EFound::Nearest;
        a.rule = ERule::Phrase;
    }
    return a;
}

SResult FindForward(CDictFile& dict, const CQuery& word, CWordForms* forms) {
    SResult r;
    if (forms != nullptr) {
        const SForwardAnswer a = ForwardAnswer(dict, word, *forms);
        if (a.how != EFound::None) {
            // A stem shows its own page: its articles, then its phrases.
            r.text = a.stem.empty() ? dict.RenderArticles(a.entries, r.entry)
                                    : dict.RenderForward(a.stem, r.entry);
            r.how = r.entry == -1 ? EFound::None : a.how;
            r.rule = a.rule;
            if (r.entry != -1)
                return r;
        }
    }
    CDictFile::SForwardMatch match;
    const bool bWhole = dict.FirstForwardMatch(word, &match) != -1 && match.bWhole;
    r = SResult{};
    r.text = dict.RenderForward(word, r.entry);
    if (r.entry != -1 && bWhole) {
        r.how = match.list == static_cast<int>(kInflections) ? EFound::Form : EFound::Exact;
        if (r.how == EFound::Form)
            r.rule = ERule::Inflection;
    } else if (r.entry == -1) {
        r.text = dict.FindNearestForward(word, r.entry);
        r.how = r.entry != -1 ? EFound::Nearest : EFound::None;
    } else {
        r.how = EFound::Nearest;
    }
    return r;
}

int FindForwardEntry(CDictFile& dict, const CQuery& word, CWordForms* forms) {
    if (forms != nullptr) {
        const SForwardAnswer a = ForwardAnswer(dict, word, *forms);
        if (!a.entries.empty())
            return a.entries.front();
        if (!a.stem.empty())
            return dict.FirstForwardMatch(a.stem);
    }
    const int entry = dict.FirstForwardMatch(word);
    return entry != -1 ? entry : dict.NearestForwardEntry(word);
}

} // namespace

SResult Find(CDictFile& dict, EDirection direction, std::string_view word, CWordForms* forms) {
    // Cut here, once: every search below takes the query as it is.
    const CQuery query(word);
    return direction == EDirection::Reverse ? FindReverse(dict, query, forms)
                                            : FindForward(dict, query, forms);
}

std::vector<std::string> Suggestions(CDictFile& dict, EDirection direction, std::string_view word,
                                     CWordForms& forms) {
    std::vector<std::string> out;
    for (const std::string& s : forms.Suggestions(CQuery(word).Trimmed())) {
        const SResult r = Find(dict, direction, s, &forms);
        if (r.how != EFound::Exact && r.how != EFound::Form)
            continue;
        int homonym = 0;
        const std::string headword = dict.GetListHeadword(direction, r.entry, homonym);
        if (!headword.empty() && std::find(out.begin(), out.end(), headword) == out.end())
            out.push_back(headword);
        if (out.size() == kSuggestionLimit)
            break;
    }
    return out;
}

bool MayAskForms(EDirection direction, std::string_view word) {
    const std::string_view asked = CQuery(word).Trimmed();
    return direction == EDirection::Reverse ? MayBeLithuanianForm(asked)
                                            : !InflectionBases(asked, false).empty();
}

int FindEntry(CDictFile& dict, EDirection direction, std::string_view word, CWordForms* forms) {
    const CQuery query(word);
    return direction == EDirection::Reverse ? FindReverseEntry(dict, query, forms)
                                            : FindForwardEntry(dict, query, forms);
}

} // namespace Lookup
