// SPDX-License-Identifier: GPL-2.0-or-later
// The compiled lists: articles, alternate lists, links and the reverse list.

#include "mkdic/FreeDictCompiler.h"
#include "mkdic/TextTools.h"

#include "dict/Cp1257.h"
#include "dict/DictFormat.h"
#include "dict/DictRecords.h"

#include <algorithm>
#include <map>
#include <set>
#include <tuple>

using namespace MkdicText;

using namespace FreeDict;

void CFreeDictCompiler::AddAlternate(std::size_t list, const std::string& textCp1257, int entry) {
    if (textCp1257.empty() || textCp1257.size() >= kHeadwordLimit)
        return;
    if (CDictRecords::CompareForward(textCp1257, m_drafts[static_cast<std::size_t>(entry)].headword) == 0)
        return;
    if (!m_altSeen[list].insert({textCp1257, entry}).second)
        return;
    m_content.alternates[list].push_back({textCp1257, entry});
}

namespace {

// The alternate lists by what they hold, as AddAlternate numbers them (alternate n is n - 1).
constexpr std::size_t kSpellingAlt = DictFormat::kSpellings - 1;
constexpr std::size_t kPhraseWordAlt = DictFormat::kPhraseWords - 1;
constexpr std::size_t kInflectionAlt = DictFormat::kInflections - 1;

// The words of a phrase that stand for it in the index: trimmed of signs, of two letters or more,
// no stop word, in small letters (code page 1257).
std::vector<std::string> PhraseWords(const U32& hw) {
    std::vector<std::string> words;
    if (hw.find(' ') == U32::npos)
        return words;
    std::size_t start = 0;
    while (start < hw.size()) {
        std::size_t end = hw.find(' ', start);
        if (end == U32::npos)
            end = hw.size();
        std::size_t a = start;
        std::size_t b = end;
        while (a < b && !IsLetter(hw[a]))
            ++a;
        while (b > a && !IsLetter(hw[b - 1]))
            --b;
        const U32 word = hw.substr(a, b - a);
        const auto letters = std::count_if(word.begin(), word.end(), IsLetter);
        std::string lower = Cp1257::ToLower(PlainText(Encode(word)));
        if (letters >= 2 && !Contains(kStopWords, lower))
            words.push_back(std::move(lower));
        start = end + 1;
    }
    return words;
}

} // namespace

void CFreeDictCompiler::BuildAlternates(const SEnglishData& english) {
    // The direct articles first, so that a text leads to them before any derived one.
    std::vector<std::size_t> order;
    for (const bool bDerived : {false, true})
        for (std::size_t i = 0; i < m_drafts.size(); ++i)
            if ((m_drafts[i].derived != 0) == bDerived)
                order.push_back(i);
    for (const std::size_t i : order) {
        const int entry = static_cast<int>(i);
        const SFreeDictEntry& e = *m_drafts[i].entry;
        const std::vector<std::string> american =
            english.isWord ? AmericanSpellings(TrimUtf8(e.headword), english.isWord)
                           : std::vector<std::string>{};
        AddSpellings(e, entry, american);
        for (const std::string& word : PhraseWords(Decode(e.headword)))
            AddAlternate(kPhraseWordAlt, word, entry);
        AddRegularForms(e, entry, english, american);
    }
    AddIrregularForms(english);
    // 3 stays empty: every English translation of the Lithuanian-English data that is no
    // headword has become an article of its own.
}

void CFreeDictCompiler::AddSpellings(const SFreeDictEntry& e, int entry,
                                     const std::vector<std::string>& american) {
    AddAlternate(kSpellingAlt, PlainText(e.key), entry);
    // An American spelling that is a headword of its own keeps to its own articles.
    for (const std::string& spelling : american)
        if (FindArticles(spelling, false) == nullptr) {
            const std::size_t before = m_content.alternates[kSpellingAlt].size();
            AddAlternate(kSpellingAlt, spelling, entry);
            m_stats.american += static_cast<int>(m_content.alternates[kSpellingAlt].size() - before);
        }
    const std::string folded = AsciiFold(e.headword);
    if (!folded.empty())
        AddAlternate(kSpellingAlt, folded, entry);
    std::vector<U32> forms;
    ExpandOptional(Decode(e.headword), forms);
    if (forms.size() > 1)
        for (const U32& form : forms)
            AddAlternate(kSpellingAlt, PlainText(Encode(form)), entry);
}

void CFreeDictCompiler::AddRegularForms(const SFreeDictEntry& e, int entry, const SEnglishData& english,
                                        const std::vector<std::string>& american) {
    // Regular inflections that are no headwords themselves. A word without a part of speech takes
    // the classes WordNet knows it in.
    std::string pos = e.pos;
    if (pos.empty()) {
        const std::string lemma = TrimUtf8(e.headword);
        if (english.nouns.count(lemma) != 0)
            pos = "n";
        if (english.verbs.count(lemma) != 0)
            pos += pos.empty() ? "v" : ", v";
    }
    std::vector<std::string> spellings{e.headword};
    spellings.insert(spellings.end(), american.begin(), american.end());
    for (const std::string& spelling : spellings)
        for (const std::string& form : Inflections(spelling, pos, &english.isWord))
            if (FindArticles(form, false) == nullptr)
                AddAlternate(kInflectionAlt, form, entry);
}

void CFreeDictCompiler::AddIrregularForms(const SEnglishData& english) {
    // Irregular forms lead to the articles of every word they are a form of, in the order the
    // lists give them ("better": good, then well). A form that is a headword keeps its own
    // articles first: the main list is searched before the alternate ones.
    const std::size_t before = m_content.alternates[kInflectionAlt].size();
    for (const SIrregularForm& f : english.irregular) {
        const std::string form = PlainText(f.form);
        for (const std::string& base : f.bases)
            if (const std::vector<int>* articles = FindArticles(PlainText(base), false))
                for (int a : *articles)
                    AddAlternate(kInflectionAlt, form, a);
    }
    // Then the derived articles, after every direct one.
    for (const SIrregularForm& f : english.irregular)
        for (const std::string& base : f.bases)
            if (const std::vector<int>* derived = m_headwords.Derived(PlainText(base)))
                for (int a : *derived)
                    AddAlternate(kInflectionAlt, PlainText(f.form), a);
    m_stats.irregular = static_cast<int>(m_content.alternates[kInflectionAlt].size() - before);
}

namespace {

// The Lithuanian texts of the reverse records and the articles each leads to, while they are built.
using TReverseRecords = std::map<std::string, std::vector<int>>;

// How well a spelling stands for the word: the source's headword is the text, else the spelling
// with the most Lithuanian letters, else the one with the fewest capitals ("namas" before "Namas").
std::tuple<bool, long, long> SpellingRank(const std::string& t, const std::set<std::string>& headwords) {
    const long marks =
        std::count_if(t.begin(), t.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
    const long capitals = std::count_if(t.begin(), t.end(), [](char c) {
        return Cp1257::ToLower(static_cast<unsigned char>(c)) != static_cast<unsigned char>(c);
    });
    return {headwords.count(t) != 0, marks, -capitals};
}

// Texts of equal letter weights grouped into words: one word's articles hold the other's (kėde,
// kėdė); texts whose articles differ, neither holding the other's, are different words (lyga
// "league", liga "illness").
std::vector<std::vector<const std::string*>> SpellingGroups(const std::vector<const std::string*>& equal,
                                                            TReverseRecords& records) {
    const auto articles = [&](const std::string* t) {
        std::vector<int> a = records[*t];
        std::sort(a.begin(), a.end());
        return a;
    };
    std::vector<std::vector<const std::string*>> words;
    for (const std::string* text : equal) {
        const auto same = std::find_if(words.begin(), words.end(), [&](const auto& w) {
            const std::vector<int> a = articles(w.front()), b = articles(text);
            return std::includes(a.begin(), a.end(), b.begin(), b.end()) ||
                   std::includes(b.begin(), b.end(), a.begin(), a.end());
        });
        if (same == words.end())
            words.push_back({text});
        else
            same->push_back(text);
    }
    return words;
}

} // namespace

void CFreeDictCompiler::BuildReverse(const std::vector<SFreeDictEntry>& litEng) {
    // The Lithuanian-English headwords first, each leading to the articles of its translations in
    // the order of its senses; then every Lithuanian word of the articles' senses.
    TReverseRecords records;
    std::set<std::string> headwords;
    ReverseFromHeadwords(litEng, records, headwords);
    for (const auto* from : {&m_reverseFromEnglish, &m_reverseFromDerived})
        for (const auto& [text, entries] : *from)
            for (int a : entries)
                AddUnique(records[text], a, kReverseArticles);
    FollowReverseRefs(litEng, records);
    MergeEqualTexts(records, headwords);
    CheckReverseReached(litEng);
}

void CFreeDictCompiler::ReverseFromHeadwords(const std::vector<SFreeDictEntry>& litEng,
                                             std::map<std::string, std::vector<int>>& records,
                                             std::set<std::string>& headwords) {
    for (const SFreeDictEntry& e : litEng) {
        for (const std::string& form : LithuanianItems(e.headword)) {
            const std::string word = PlainText(form);
            if (word.empty() || word.size() >= DictFormat::kReverseTextLimit)
                continue;
            headwords.insert(word);
            std::vector<int>& list = records[word];
            for (const SFreeDictSense& sense : e.senses)
                for (const std::string& phrase : EnglishPhrases(ConvertDomainLabels(sense.text))) {
                    const std::string text = PlainText(phrase);
                    const std::vector<int>* articles = FindArticles(text, true);
                    if (articles == nullptr)
                        continue;
                    // A translation that names a headword only by its key ("play-bill" for
                    // "playbill") is a spelling of it that a user may type too.
                    const bool bSpelling = FindArticles(text, false) == nullptr;
                    for (int a : *articles) {
                        AddUnique(list, a, kReverseArticles);
                        if (bSpelling)
                            AddAlternate(kSpellingAlt, text, a);
                    }
                }
        }
    }
}

void CFreeDictCompiler::FollowReverseRefs(const std::vector<SFreeDictEntry>& litEng,
                                          std::map<std::string, std::vector<int>>& records) const {
    // An entry that only points to another word ("jinai": See also {ji}) leads where that word does.
    for (const SFreeDictEntry& e : litEng)
        for (const std::string& form : LithuanianItems(e.headword)) {
            const auto own = records.find(PlainText(form));
            if (own == records.end() || !own->second.empty())
                continue;
            for (const SCrossRef& r : e.refs)
                if (const auto target = records.find(PlainText(r.target)); target != records.end())
                    for (int a : target->second)
                        AddUnique(own->second, a, kReverseArticles);
        }
}

void CFreeDictCompiler::MergeEqualTexts(std::map<std::string, std::vector<int>>& records,
                                        const std::set<std::string>& headwords) {
    // Texts the letter weights make equal ("kėdė", "kėde") are one record: otherwise the first
    // would hide the second.
    std::vector<const std::string*> texts;
    for (const auto& [text, entries] : records)
        if (!entries.empty())
            texts.push_back(&text);
    std::stable_sort(texts.begin(), texts.end(), [](const std::string* x, const std::string* y) {
        return CDictRecords::CompareByWeight(x->c_str(), y->c_str()) < 0;
    });
    const auto rank = [&](const std::string* t) { return SpellingRank(*t, headwords); };
    for (std::size_t i = 0; i < texts.size();) {
        std::size_t j = i + 1;
        while (j < texts.size() && CDictRecords::CompareByWeight(texts[i]->c_str(), texts[j]->c_str()) == 0)
            ++j;
        // Each word keeps its record, the best-ranked first, under its best-ranked spelling.
        std::vector<std::pair<const std::string*, std::vector<int>>> merged;
        for (const auto& w : SpellingGroups({texts.begin() + static_cast<std::ptrdiff_t>(i),
                                             texts.begin() + static_cast<std::ptrdiff_t>(j)},
                                            records)) {
            const std::string* best = w.front();
            for (const std::string* t : w)
                if (rank(t) > rank(best))
                    best = t;
            std::vector<int> entries = records[*best];
            for (const std::string* t : w)
                for (int a : records[*t])
                    AddUnique(entries, a, kReverseArticles);
            merged.emplace_back(best, std::move(entries));
            m_stats.merged += static_cast<int>(w.size() - 1);
        }
        std::stable_sort(merged.begin(), merged.end(),
                         [&](const auto& a, const auto& b) { return rank(a.first) > rank(b.first); });
        for (auto& [text, entries] : merged)
            AddReverseRecord(*text, entries);
        i = j;
    }
}

void CFreeDictCompiler::AddReverseRecord(const std::string& text, std::vector<int>& entries) {
    // Direct articles before derived ones, whichever spelling brought them.
    std::stable_partition(entries.begin(), entries.end(),
                          [&](int a) { return m_drafts[static_cast<std::size_t>(a)].derived == 0; });
    if (!entries.empty() && m_drafts[static_cast<std::size_t>(entries.front())].derived != 0)
        ++m_stats.derivedWords;
    m_content.reverse.push_back({text, std::vector<std::int32_t>(entries.begin(), entries.end())});
}

void CFreeDictCompiler::CheckReverseReached(const std::vector<SFreeDictEntry>& litEng) {
    // Every Lithuanian-English headword must have its record.
    for (const SFreeDictEntry& e : litEng) {
        const std::vector<std::string> forms = LithuanianItems(e.headword);
        const std::string word = forms.empty() ? std::string() : PlainText(forms.front());
        const auto at =
            std::lower_bound(m_content.reverse.begin(), m_content.reverse.end(), word,
                             [](const SDictReverse& r, const std::string& w) {
                                 return CDictRecords::CompareByWeight(r.text.c_str(), w.c_str()) < 0;
                             });
        const bool bReached = !word.empty() && at != m_content.reverse.end() &&
                              CDictRecords::CompareByWeight(at->text.c_str(), word.c_str()) == 0;
        if (bReached)
            ++m_stats.litEngReached;
        else if (e.senses.empty() && e.refs.empty())
            // Its only "translation" was the word itself: nothing to show.
            ++m_stats.untranslated;
        else
            m_losses.push_back("Lithuanian-English entry \"" + e.key + "\" has no reverse record");
    }
}

void CFreeDictCompiler::IndexDrafts() {
    // The articles take the order the writer would give them, so that every entry number is
    // final and the reverse records list their articles in index order.
    std::stable_sort(m_drafts.begin(), m_drafts.end(), [](const SArticleDraft& a, const SArticleDraft& b) {
        return CDictRecords::CompareForward(a.headword, b.headword) < 0;
    });
    m_headwords.Clear();
    for (std::size_t i = 0; i < m_drafts.size(); ++i)
        m_headwords.Add(m_drafts[i].headword, PlainText(m_drafts[i].entry->key), static_cast<int>(i),
                        m_drafts[i].derived != 0);
}

namespace {

// The remarks in parentheses of one translation ("(apie laivą) sail"), as they stand.
std::string Remarks(const U32& part) {
    std::string out;
    for (std::size_t i = 0; i < part.size(); ++i) {
        if (part[i] != '(')
            continue;
        const std::size_t close = MatchClose(part, i);
        if (close == U32::npos)
            break;
        if (!IsOptionalPart(part, i, close)) {
            if (!out.empty())
                out += ' ';
            out += Encode(part.substr(i, close - i + 1));
        }
        i = close;
    }
    return out;
}

} // namespace

void CFreeDictCompiler::MakeTranslatedDrafts(const std::vector<SFreeDictEntry>& litEng) {
    struct SMade {
        std::size_t draft;
        SFreeDictEntry* entry;
    };
    std::map<std::string, SMade> made; // forward key -> the draft and its entry
    for (const SFreeDictEntry& l : litEng) {
        if (PlainText(TrimUtf8(l.headword)).empty())
            continue;
        for (std::size_t senseIndex = 0; senseIndex < l.senses.size(); ++senseIndex) {
            const SFreeDictSense& sense = l.senses[senseIndex];
            struct SItem {
                std::string phrase;
                std::string remark;
            };
            std::vector<SItem> items;
            for (const U32& part : SplitTopLevel(Decode(ConvertDomainLabels(sense.text)))) {
                const std::string remark = Remarks(part);
                for (std::string& phrase : EnglishPhrases(Encode(part)))
                    items.push_back({std::move(phrase), remark});
            }
            for (std::size_t k = 0; k < items.size(); ++k) {
                const std::string text = PlainText(items[k].phrase);
                if (!CanBeHeadword(text) || FindArticles(text, true) != nullptr)
                    continue;
                auto [it, added] = made.try_emplace(ForwardKey(text), SMade{m_drafts.size(), nullptr});
                if (added) {
                    SFreeDictEntry& entry = m_madeEntries.emplace_back();
                    entry.key = items[k].phrase;
                    entry.headword = items[k].phrase;
                    it->second.entry = &entry;
                    m_drafts.push_back({&entry, text, {}});
                }
                SArticleDraft& draft = m_drafts[it->second.draft];
                if (std::any_of(draft.translated.begin(), draft.translated.end(),
                                [&](const STranslatedSense& t) { return t.source == &l; }))
                    continue;
                STranslatedSense translated{&l, items[k].remark, senseIndex, k, {}};
                for (std::size_t j = 0; j < items.size(); ++j)
                    if (j != k && PlainText(items[j].phrase) != text)
                        translated.related.push_back(items[j].phrase);
                draft.translated.push_back(std::move(translated));
                // The Lithuanian word is the sense's text for the reverse list and the checks.
                it->second.entry->senses.push_back({"", l.headword});
            }
        }
    }
    // The closest senses first: a Lithuanian word whose first sense the headword translates
    // before one whose later sense it does, and within the same sense the first translation
    // before the others ("die": mirti, then gaišti, then kristi); else in the data's order.
    for (SArticleDraft& d : m_drafts)
        std::stable_sort(d.translated.begin(), d.translated.end(),
                         [](const STranslatedSense& a, const STranslatedSense& b) {
                             return a.sense != b.sense ? a.sense < b.sense : a.place < b.place;
                         });
}

void CFreeDictCompiler::Compile(const std::vector<SFreeDictEntry>& engLitIn,
                                const std::vector<SFreeDictEntry>& litEngIn, const SEnglishData& english) {
    m_engLit = engLitIn;
    m_litEng = litEngIn;
    for (SFreeDictEntry& e : m_engLit)
        MendNotes(e, m_stats.mends);
    for (SFreeDictEntry& e : m_litEng)
        MendEnglishSenses(e, english.isWord, m_stats.mends);
    AddDirectDrafts();
    m_stats.engLitIn = static_cast<int>(m_engLit.size());
    m_stats.litEngIn = static_cast<int>(m_litEng.size());
    IndexDrafts();
    MakeTranslatedDrafts(m_litEng);
    IndexDrafts();
    MakeDerivedDrafts();
    IndexDrafts();

    // Lithuanian words of the senses, each with its articles in index order.
    for (std::size_t i = 0; i < m_drafts.size(); ++i)
        for (const SFreeDictSense& sense : m_drafts[i].entry->senses)
            for (const std::string& item : LithuanianItems(sense.text)) {
                const std::string text = PlainText(item);
                if (text.size() < DictFormat::kReverseTextLimit)
                    AddUnique((m_drafts[i].derived != 0 ? m_reverseFromDerived : m_reverseFromEnglish)[text],
                              static_cast<int>(i), kReverseArticles);
            }
    MakeArticles();
    for (const auto& [name, articles] : m_linkTargets)
        if (name.size() < kHeadwordLimit)
            for (int a : articles)
                m_content.links.push_back({name, a});

    BuildAlternates(english);
    BuildReverse(m_litEng);

    m_stats.articles = static_cast<int>(m_content.articles.size());
    for (const SArticleDraft& d : m_drafts)
        m_stats.translated += d.translated.empty() ? 0 : 1;
    for (std::size_t k = 0; k < m_content.alternates.size(); ++k)
        m_stats.alternates[k] = static_cast<int>(m_content.alternates[k].size());
    m_stats.links = static_cast<int>(m_content.links.size());
    m_stats.reverse = static_cast<int>(m_content.reverse.size());
}

void CFreeDictCompiler::AddDirectDrafts() {
    for (const SFreeDictEntry& e : m_engLit) {
        SArticleDraft draft{&e, PlainText(e.headword), {}};
        if (draft.headword.empty() || (e.senses.empty() && e.refs.empty())) {
            m_warnings.push_back("entry \"" + e.key + "\" has no headword or no sense; skipped");
            ++m_stats.skipped;
            continue;
        }
        if (draft.headword.size() >= kHeadwordLimit) {
            m_warnings.push_back("headword \"" + e.headword + "\" has " +
                                 std::to_string(draft.headword.size()) +
                                 " bytes, more than a headword record holds; skipped");
            ++m_stats.skipped;
            continue;
        }
        m_drafts.push_back(std::move(draft));
    }
}

std::int32_t CFreeDictCompiler::HomonymNumber(std::size_t i, const std::vector<char>& abbreviation) const {
    const SArticleDraft& draft = m_drafts[i];
    // A derived article stands after the direct ones of its headword and numbers none of them.
    if (draft.derived != 0)
        return 0;
    if (abbreviation[i] != 0)
        return DictFormat::kAbbreviation;
    std::int32_t place = 0;
    std::int32_t words = 0;
    for (const int other : m_headwords.Exact(draft.headword)) {
        if (abbreviation[static_cast<std::size_t>(other)] != 0)
            continue;
        ++words;
        if (other == static_cast<int>(i))
            place = words;
    }
    return words > 1 ? place : 0;
}

void CFreeDictCompiler::MakeArticles() {
    // Abbreviations are marked first; the other articles of a headword are its homonyms 1, 2, ...
    // (an abbreviation beside a single word leaves that word without a number).
    std::vector<char> abbreviation(m_drafts.size(), 0);
    for (std::size_t i = 0; i < m_drafts.size(); ++i) {
        const SFreeDictEntry& e = *m_drafts[i].entry;
        const bool abbreviated = e.senses.size() == 1 &&
                                 Encode(Trim(RemoveLabels(Decode(e.senses[0].text)))).starts_with("(sutr.");
        abbreviation[i] =
            m_drafts[i].derived == 0 && (IsAbbreviationHeadword(m_drafts[i].headword) || abbreviated);
    }
    m_content.articles.reserve(m_drafts.size());
    for (std::size_t i = 0; i < m_drafts.size(); ++i) {
        const SArticleDraft& draft = m_drafts[i];
        const std::int32_t homonym = HomonymNumber(i, abbreviation);
        std::string text =
            CDictWriter::ArticleText(draft.headword, draft.derived != 0         ? DerivedBody(draft)
                                                     : draft.translated.empty() ? ArticleBody(draft)
                                                                                : TranslatedBody(draft));
        if (text.size() > kArticleLimit) {
            m_warnings.push_back("article \"" + draft.entry->headword +
                                 "\" is longer than an article record holds; cut");
            text.resize(kArticleLimit);
        }
        if (homonym == DictFormat::kAbbreviation)
            ++m_stats.abbreviations;
        else if (homonym != 0)
            ++m_stats.homonyms;
        m_content.articles.push_back({draft.headword, homonym, std::move(text)});
    }
}
