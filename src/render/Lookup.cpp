// SPDX-License-Identifier: GPL-2.0-or-later
#include "render/Lookup.h"

#include "dict/Cp1257.h"
#include "dict/TextUtil.h"
#include "dict/WordForms.h"

#include <algorithm>

namespace Lookup {

namespace {

// The alternate list of regular and irregular inflections.
constexpr int kInflectionList = 4;

// Whether reverse record index is word as a whole by letter weights.
bool IsWholeRecord(const CDictFile& dict, int index, std::string_view word) {
    const std::string asked(TextUtil::UpToNul(word));
    return index >= 0 &&
           CDictFile::CompareByWeight(dict.GetReverseHeadword(index).c_str(), asked.c_str()) == 0;
}

// The first stem of word that a reverse record is as a whole, or empty.
std::string ReverseStem(CDictFile& dict, std::string_view word, CWordForms& forms) {
    for (const std::string& stem : forms.Stems(TextUtil::Trim(TextUtil::UpToNul(word))))
        if (IsWholeRecord(dict, dict.FindNearestReverse(stem), stem))
            return stem;
    return {};
}

// How a forward word that no headword is as a whole reaches an article through its forms: the
// inflection records that are the word, else the first stem a headword is.
struct SForwardForm {
    std::vector<int> inflected; // entries of the inflection records
    std::string stem;           // or the stem to look up
};

// Whether an English stem keeps the word's first two letters: hunspell also strips prefixes, and
// an English word without its prefix is mostly another word ("independent" -> dependent,
// "into" -> to).
bool KeepsTheBeginning(std::string_view stem, std::string_view word) {
    const std::size_t n = std::min<std::size_t>(2, std::min(stem.size(), word.size()));
    for (std::size_t i = 0; i < n; ++i)
        if (Cp1257::ToLower(static_cast<unsigned char>(stem[i])) !=
            Cp1257::ToLower(static_cast<unsigned char>(word[i])))
            return false;
    return n > 0;
}

SForwardForm ForwardForm(CDictFile& dict, std::string_view word, CWordForms& forms) {
    SForwardForm f;
    f.inflected = dict.WholeListMatches(kInflectionList, word);
    if (!f.inflected.empty())
        return f;
    const std::string_view asked = TextUtil::Trim(TextUtil::UpToNul(word));
    for (const std::string& stem : forms.Stems(asked)) {
        if (!KeepsTheBeginning(stem, asked))
            continue;
        CDictFile::SForwardMatch match;
        if (dict.FirstForwardMatch(stem, &match) != -1 && match.bWhole) {
            f.stem = stem;
            break;
        }
    }
    return f;
}

} // namespace

SResult Find(CDictFile& dict, EDirection direction, std::string_view word, CWordForms* forms) {
    SResult r;
    if (direction == EDirection::Reverse) {
        r.text = dict.RenderReverse(word, &r.entry);
        if (r.entry >= 0)
            r.how = IsWholeRecord(dict, r.entry, word) ? EFound::Exact : EFound::Nearest;
        if (forms != nullptr && r.how != EFound::Exact) {
            const std::string stem = ReverseStem(dict, word, *forms);
            if (!stem.empty()) {
                r.text = dict.RenderReverse(stem, &r.entry);
                r.how = EFound::Form;
            }
        }
        return r;
    }
    CDictFile::SForwardMatch match;
    const bool bWhole = dict.FirstForwardMatch(word, &match) != -1 && match.bWhole;
    if (forms != nullptr && bWhole && match.list == 0) {
        // A headword that is an inflection too ("children", "better") shows its own articles
        // (the headwords and spelling variants that are the word, not the phrases that hold it)
        // first, then those of the words it is a form of.
        const std::vector<int> inflected = dict.WholeListMatches(kInflectionList, word);
        if (!inflected.empty()) {
            std::vector<int> entries = dict.WholeListMatches(0, word);
            for (const std::vector<int>& more : {dict.WholeListMatches(1, word), inflected})
                for (const int e : more)
                    if (std::find(entries.begin(), entries.end(), e) == entries.end())
                        entries.push_back(e);
            r.text = dict.RenderArticles(entries, r.entry);
            r.how = EFound::Exact;
            return r;
        }
    }
    if (forms != nullptr && !bWhole) {
        const SForwardForm f = ForwardForm(dict, word, *forms);
        if (!f.inflected.empty() || !f.stem.empty()) {
            r.text = f.stem.empty() ? dict.RenderArticles(f.inflected, r.entry)
                                    : dict.RenderForward(f.stem, r.entry);
            r.how = EFound::Form;
            return r;
        }
    }
    r.text = dict.RenderForward(word, r.entry);
    if (r.entry != -1 && bWhole) {
        r.how = match.list == kInflectionList ? EFound::Form : EFound::Exact;
    } else if (r.entry == -1) {
        r.text = dict.FindNearestForward(word, r.entry);
        r.bNearest = r.entry != -1;
        r.how = r.bNearest ? EFound::Nearest : EFound::None;
    } else {
        r.how = EFound::Nearest;
    }
    return r;
}

int FindEntry(CDictFile& dict, EDirection direction, std::string_view word, CWordForms* forms) {
    if (direction == EDirection::Reverse) {
        const int entry = dict.FindNearestReverse(word);
        if (forms == nullptr || IsWholeRecord(dict, entry, word))
            return entry;
        const std::string stem = ReverseStem(dict, word, *forms);
        return stem.empty() ? entry : dict.FindNearestReverse(stem);
    }
    CDictFile::SForwardMatch match;
    const int entry = dict.FirstForwardMatch(word, &match);
    if (forms != nullptr && !(entry != -1 && match.bWhole)) {
        const SForwardForm f = ForwardForm(dict, word, *forms);
        if (!f.inflected.empty())
            return f.inflected.front();
        if (!f.stem.empty())
            return dict.FirstForwardMatch(f.stem);
    }
    return entry != -1 ? entry : dict.NearestForwardEntry(word);
}

} // namespace Lookup
