// SPDX-License-Identifier: GPL-2.0-or-later
// The compiled lists: articles, alternate lists, links and the reverse list.

#include "mkdic/FreeDictCompiler.h"
#include "mkdic/TextTools.h"

#include "dict/Cp1257.h"
#include "dict/DictFile.h"
#include "dict/DictFormat.h"

#include <algorithm>

using namespace MkdicText;

using namespace FreeDict;

const std::vector<int>* CFreeDictCompiler::FindArticles(const std::string& text, bool byKey) const {
    if (const auto it = m_byHeadword.find(text); it != m_byHeadword.end())
        return &it->second;
    if (const auto it = m_byFolded.find(ForwardKey(text)); it != m_byFolded.end())
        return &it->second;
    if (byKey)
        if (const auto it = m_byKey.find(KeyForm(text)); it != m_byKey.end())
            return &it->second;
    return nullptr;
}

void CFreeDictCompiler::AddAlternate(std::size_t list, const std::string& textCp1257, int entry) {
    if (textCp1257.empty() || textCp1257.size() >= kHeadwordLimit)
        return;
    if (CDictFile::CompareForward(textCp1257, m_drafts[static_cast<std::size_t>(entry)].headword) == 0)
        return;
    if (!m_altSeen[list].insert({textCp1257, entry}).second)
        return;
    m_content.alternates[list].push_back({textCp1257, entry});
}

void CFreeDictCompiler::BuildAlternates(const std::vector<SFreeDictEntry>& litEng,
                                        const std::vector<SIrregularForm>& irregular) {
    for (std::size_t i = 0; i < m_drafts.size(); ++i) {
        const int entry = static_cast<int>(i);
        const SFreeDictEntry& e = *m_drafts[i].entry;

        // 1: spelling variants.
        AddAlternate(0, PlainText(e.key), entry);
        const std::string folded = AsciiFold(e.headword);
        if (!folded.empty())
            AddAlternate(0, folded, entry);
        std::vector<U32> forms;
        ExpandOptional(Decode(e.headword), forms);
        if (forms.size() > 1)
            for (const U32& form : forms)
                AddAlternate(0, PlainText(Encode(form)), entry);

        // 2: the words of a phrase.
        const U32 hw = Decode(e.headword);
        if (hw.find(' ') != U32::npos) {
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
                const std::string lower = Cp1257::ToLower(PlainText(Encode(word)));
                if (letters >= 2 && !Contains(kStopWords, lower))
                    AddAlternate(1, lower, entry);
                start = end + 1;
            }
        }

        // 4: regular inflections that are no headwords themselves.
        for (const std::string& form : Inflections(e.headword, e.pos))
            if (FindArticles(form, false) == nullptr)
                AddAlternate(3, form, entry);
    }

    // 4: irregular forms lead to the articles of every word they are a form of, in the order the
    // lists give them ("better": good, then well). A form that is a headword keeps its own
    // articles first: the main list is searched before the alternate ones.
    const std::size_t before = m_content.alternates[3].size();
    for (const SIrregularForm& f : irregular) {
        const std::string form = PlainText(f.form);
        for (const std::string& base : f.bases)
            if (const std::vector<int>* articles = FindArticles(PlainText(base), false))
                for (int a : *articles)
                    AddAlternate(3, form, a);
    }
    m_stats.irregular = static_cast<int>(m_content.alternates[3].size() - before);

    // 3: English translations without an article of their own lead to the articles whose
    // senses hold the Lithuanian word they translate.
    std::map<std::string, std::vector<int>> byPhrase;
    std::vector<std::string> order;
    for (const SFreeDictEntry& e : litEng) {
        const auto found = m_reverseFromEnglish.find(PlainText(TrimUtf8(e.headword)));
        if (found == m_reverseFromEnglish.end())
            continue;
        for (const SFreeDictSense& sense : e.senses) {
            for (const std::string& phrase : EnglishPhrases(sense.text)) {
                const std::string text = PlainText(phrase);
                if (text.size() >= kHeadwordLimit || FindArticles(text, true) != nullptr)
                    continue;
                auto [it, added] = byPhrase.try_emplace(text);
                if (added)
                    order.push_back(text);
                for (int a : found->second)
                    AddUnique(it->second, a, kTranslationArticles);
            }
        }
    }
    for (const std::string& text : order)
        for (int a : byPhrase[text])
            AddAlternate(2, text, a);
}

void CFreeDictCompiler::BuildReverse(const std::vector<SFreeDictEntry>& litEng) {
    std::map<std::string, std::vector<int>> records = m_reverseFromEnglish;
    for (const SFreeDictEntry& e : litEng) {
        const std::string word = PlainText(TrimUtf8(e.headword));
        if (word.empty() || word.size() >= DictFormat::kReverseTextLimit)
            continue;
        for (const SFreeDictSense& sense : e.senses) {
            for (const std::string& phrase : EnglishPhrases(sense.text)) {
                const std::vector<int>* articles = FindArticles(PlainText(phrase), false);
                if (articles == nullptr)
                    continue;
                std::vector<int>& list = records[word];
                for (int a : *articles)
                    AddUnique(list, a, kReverseArticles);
            }
        }
    }
    for (auto& [text, entries] : records)
        if (!entries.empty())
            m_content.reverse.push_back({text, std::vector<std::int32_t>(entries.begin(), entries.end())});
}

void CFreeDictCompiler::Compile(const std::vector<SFreeDictEntry>& engLit,
                                const std::vector<SFreeDictEntry>& litEng,
                                const std::vector<SIrregularForm>& irregular) {
    for (const SFreeDictEntry& e : engLit) {
        SArticleDraft draft{&e, PlainText(e.headword)};
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
    // The articles take the order the writer would give them, so that every entry number below
    // is final and the reverse records list their articles in index order.
    std::stable_sort(m_drafts.begin(), m_drafts.end(), [](const SArticleDraft& a, const SArticleDraft& b) {
        return CDictFile::CompareForward(a.headword, b.headword) < 0;
    });
    for (std::size_t i = 0; i < m_drafts.size(); ++i) {
        const int entry = static_cast<int>(i);
        m_byHeadword[m_drafts[i].headword].push_back(entry);
        m_byFolded[ForwardKey(m_drafts[i].headword)].push_back(entry);
        m_byKey[KeyForm(PlainText(m_drafts[i].entry->key))].push_back(entry);
    }

    // Abbreviations are marked first; the other articles of a headword are its homonyms 1, 2, ...
    // (an abbreviation beside a single word leaves that word without a number).
    std::vector<char> abbreviation(m_drafts.size(), 0);
    for (std::size_t i = 0; i < m_drafts.size(); ++i) {
        const SFreeDictEntry& e = *m_drafts[i].entry;
        const bool abbreviated = e.senses.size() == 1 &&
                                 Encode(Trim(RemoveLabels(Decode(e.senses[0].text)))).starts_with("(sutr.");
        abbreviation[i] = IsAbbreviationHeadword(m_drafts[i].headword) || abbreviated;
    }
    m_content.articles.reserve(m_drafts.size());
    for (std::size_t i = 0; i < m_drafts.size(); ++i) {
        const SArticleDraft& draft = m_drafts[i];
        const SFreeDictEntry& e = *draft.entry;
        std::int32_t homonym = 0;
        if (abbreviation[i] != 0) {
            homonym = DictFormat::kAbbreviation;
        } else {
            std::int32_t place = 0;
            std::int32_t words = 0;
            for (const int other : m_byHeadword.at(draft.headword)) {
                if (abbreviation[static_cast<std::size_t>(other)] != 0)
                    continue;
                ++words;
                if (other == static_cast<int>(i))
                    place = words;
            }
            if (words > 1)
                homonym = place;
        }
        std::string text = CDictWriter::ArticleText(draft.headword, ArticleBody(draft));
        if (text.size() > kArticleLimit) {
            m_warnings.push_back("article \"" + e.headword +
                                 "\" is longer than an article record holds; cut");
            text.resize(kArticleLimit);
        }
        if (homonym == DictFormat::kAbbreviation)
            ++m_stats.abbreviations;
        else if (homonym != 0)
            ++m_stats.homonyms;
        m_content.articles.push_back({draft.headword, homonym, std::move(text)});
    }
    for (const auto& [name, articles] : m_linkTargets)
        if (name.size() < kHeadwordLimit)
            for (int a : articles)
                m_content.links.push_back({name, a});

    // Lithuanian words of the English senses, each with its articles in index order.
    for (std::size_t i = 0; i < m_drafts.size(); ++i)
        for (const SFreeDictSense& sense : m_drafts[i].entry->senses)
            for (const std::string& item : LithuanianItems(sense.text)) {
                const std::string text = PlainText(item);
                if (text.size() < DictFormat::kReverseTextLimit)
                    AddUnique(m_reverseFromEnglish[text], static_cast<int>(i), kReverseArticles);
            }

    BuildAlternates(litEng, irregular);
    BuildReverse(litEng);

    m_stats.articles = static_cast<int>(m_content.articles.size());
    for (std::size_t k = 0; k < m_content.alternates.size(); ++k)
        m_stats.alternates[k] = static_cast<int>(m_content.alternates[k].size());
    m_stats.links = static_cast<int>(m_content.links.size());
    m_stats.reverse = static_cast<int>(m_content.reverse.size());
}
