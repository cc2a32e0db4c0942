// SPDX-License-Identifier: GPL-2.0-or-later
// Articles derived through the pivot languages: English words without an article and Lithuanian
// words without a record get the translations that enough pivot languages agree on.

#include "mkdic/FreeDictCompiler.h"
#include "mkdic/TextTools.h"

#include <bit>
#include <filesystem>

using namespace MkdicText;

using namespace FreeDict;

void CFreeDictCompiler::ReadPivots(const std::string& sourceDir, CTriangulation& pivots,
                                   std::vector<std::string>& missing,
                                   std::vector<std::pair<std::string, std::string>>& used) {
    namespace fs = std::filesystem;
    for (const SPivotSource& source : kPivotSources) {
        const std::string code = source.code;
        CDictdReader readers[3];
        const std::string names[3] = {"eng-" + code, code + "-eng", code + "-lit"};
        bool bAll = true;
        for (int i = 0; i < 3 && bAll; ++i)
            bAll = readers[i].LoadBase((fs::path(sourceDir) / ("freedict-" + names[i])).string(), nullptr);
        if (!bAll) {
            missing.push_back(code);
            continue;
        }
        SPivotLanguage language{code, source.lithuanian, {}, {}, {}, {}, {}, {}};
        for (int i = 0; i < 3; ++i)
            for (const SDictdEntry& e : readers[i].Entries()) {
                if (CDictdReader::IsMetadataKey(e.key))
                    continue;
                const SPivotEntry entry = Pivots::ParseEntry(e.text);
                if (i == 0)
                    language.AddEnglishPivot(entry);
                else if (i == 1)
                    language.AddPivotEnglish(entry);
                else
                    language.AddPivotLithuanian(entry);
            }
        pivots.Add(std::move(language));
        for (int i = 0; i < 3; ++i)
            used.emplace_back(names[i], readers[i].EntryText("00databaseinfo"));
    }
}

namespace {

// The pairs the data holds, by key both ways: the truth the derivations are measured by; and the
// Lithuanian words that have a record of their own.
struct SKnownPairs {
    std::map<std::string, std::set<std::string>> english;
    std::map<std::string, std::set<std::string>> lithuanian;
    std::set<std::string> records;
};

SKnownPairs KnownPairs(const std::vector<SFreeDictEntry>& engLit, const std::vector<SFreeDictEntry>& litEng) {
    SKnownPairs known;
    const auto pair = [&](const std::string& e, const std::string& l) {
        const std::string ek = Pivots::Key(e);
        const std::string lk = Pivots::Key(l);
        if (ek.empty() || lk.empty())
            return;
        known.english[ek].insert(lk);
        known.lithuanian[lk].insert(ek);
    };
    for (const SFreeDictEntry& e : engLit)
        for (const SFreeDictSense& s : e.senses)
            for (const std::string& item : LithuanianItems(s.text))
                pair(e.headword, item);
    for (const SFreeDictEntry& l : litEng)
        for (const std::string& form : LithuanianItems(l.headword)) {
            known.records.insert(Pivots::Key(form));
            for (const SFreeDictSense& s : l.senses)
                for (const std::string& phrase : EnglishPhrases(ConvertDomainLabels(s.text)))
                    pair(phrase, form);
        }
    for (const auto& [word, translations] : known.lithuanian)
        known.records.insert(word);
    return known;
}

} // namespace

void CFreeDictCompiler::MakeDerivedDrafts() {
    if (m_pivots == nullptr || m_pivots->Languages().empty())
        return;
    m_stats.pivotLanguages = static_cast<int>(m_pivots->Languages().size());
    const SKnownPairs known = KnownPairs(m_engLit, m_litEng);
    m_englishMeasure = MeasureHeldOut(*m_pivots, known.english, true);
    m_lithuanianMeasure = MeasureHeldOut(*m_pivots, known.lithuanian, false);
    for (const auto& [e, senses] : DerivedSenses(known.records)) {
        const std::string spelling = m_pivots->Spelling(e);
        const std::string text = PlainText(spelling);
        if (!CanBeHeadword(text))
            continue;
        SFreeDictEntry& entry = m_madeEntries.emplace_back();
        entry.key = spelling;
        entry.headword = spelling;
        unsigned languages = 0;
        for (const SDerivedSense& s : senses) {
            entry.senses.push_back({"", m_pivots->Spelling(s.lithuanian)});
            languages |= s.languages;
        }
        m_drafts.push_back({&entry, text, {}, languages});
        ++m_stats.derived;
        m_stats.derivedSenses += static_cast<int>(senses.size());
    }
}

std::map<std::string, std::vector<CFreeDictCompiler::SDerivedSense>>
CFreeDictCompiler::DerivedSenses(const std::set<std::string>& records) const {
    std::map<std::string, std::vector<SDerivedSense>> derived; // English key -> its senses, best first
    const auto add = [&](const std::string& e, const std::string& l, unsigned languages) {
        std::vector<SDerivedSense>& senses = derived[e];
        for (SDerivedSense& s : senses)
            if (s.lithuanian == l) {
                s.languages |= languages;
                return;
            }
        senses.push_back({l, languages});
    };
    // English words without an article of their own, and Lithuanian words without a record.
    if (m_englishMeasure.KeepsAny())
        for (const std::string& e : m_pivots->EnglishKeys()) {
            const std::string text = PlainText(m_pivots->Spelling(e));
            if (!CanBeHeadword(text) || FindArticles(text, true) != nullptr || !m_pivots->Accepts(e, true))
                continue;
            for (const SPivotCandidate& c : m_pivots->Lithuanian(e))
                if (m_englishMeasure.Keeps(c))
                    add(e, c.key, c.languages);
        }
    if (m_lithuanianMeasure.KeepsAny())
        for (const std::string& l : m_pivots->LithuanianKeys()) {
            if (records.count(l) != 0 || !m_pivots->Accepts(l, false))
                continue;
            for (const SPivotCandidate& c : m_pivots->English(l))
                if (m_lithuanianMeasure.Keeps(c))
                    add(c.key, l, c.languages);
        }
    return derived;
}

std::string CFreeDictCompiler::DerivedBody(const SArticleDraft& draft) const {
    const SFreeDictEntry& e = *draft.entry;
    std::string body = "<P CLASS=hw><B>" + HtmlText(e.headword) + "</B></P>\r\n";
    // One sense per Lithuanian word; each text line stands alone between the tags, so that the
    // reverse view can mark the word.
    for (std::size_t n = 0; n < e.senses.size(); ++n) {
        body += "<P CLASS=sense>\r\n";
        if (e.senses.size() > 1)
            body += std::to_string(n + 1) + ". ";
        body += HtmlText(e.senses[n].text) + "\r\n</P>\r\n";
    }
    const int count = std::popcount(draft.derived);
    body += "<P CLASS=note>\r\n" +
            HtmlText("Išvesta per " + m_pivots->LanguageNames(draft.derived) + " k. " +
                     (count > 1 ? "žodynus" : "žodyną")) +
            "\r\n</P>\r\n";
    return body;
}
