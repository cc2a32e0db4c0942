// SPDX-License-Identifier: GPL-2.0-or-later
// The real FreeDict sources, read as lekstar-mkdic reads them: every entry reaches its own
// article or record, and every translation is shown somewhere. Skipped when the Debian packages
// are not installed (scripts/setup-deps installs them).

#include "mkdic/FreeDictCompiler.h"
#include "render/Lookup.h"
#include "support/TestDict.h"

#include "dict/Cp1257.h"
#include "dict/WordForms.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <map>

namespace {

using namespace FreeDict;

constexpr const char* kSource = "/usr/share/dictd";

class SourceDataTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (!std::filesystem::exists(std::string(kSource) + "/freedict-eng-lit.index") ||
            !std::filesystem::exists(std::string(kSource) + "/freedict-lit-eng.index"))
            return;
        s_data = new SData;
        std::string error;
        ASSERT_TRUE(s_data->engLitReader.LoadBase(std::string(kSource) + "/freedict-eng-lit", &error))
            << error;
        ASSERT_TRUE(s_data->litEngReader.LoadBase(std::string(kSource) + "/freedict-lit-eng", &error))
            << error;
        s_data->engLit = CFreeDictCompiler::ParseEntries(s_data->engLitReader);
        s_data->litEng = CFreeDictCompiler::ParseEntries(s_data->litEngReader);
        s_data->rawEngLit = s_data->engLit;
        s_data->rawLitEng = s_data->litEng;
        SEnglishData& english = s_data->english;
        CFreeDictCompiler::ReadWordNet("/usr/share/wordnet", english, nullptr);
        if (s_data->spelling.Load())
            english.isWord = [](const std::string& w) { return s_data->spelling.IsWord(w); };
        s_data->compiler.Compile(s_data->engLit, s_data->litEng, english);
        // What the file must show: the entries with the sources' slips mended.
        s_data->engLit = s_data->compiler.EnglishLithuanian();
        s_data->litEng = s_data->compiler.LithuanianEnglish();
        s_data->dict = std::make_unique<CTestDict>(s_data->compiler.Content());
    }
    static void TearDownTestSuite() {
        delete s_data;
        s_data = nullptr;
    }
    void SetUp() override {
        if (s_data == nullptr)
            GTEST_SKIP() << "dict-freedict-eng-lit or dict-freedict-lit-eng is not installed";
        ASSERT_EQ(s_data->dict->OpenResult(), CDictFile::kOpenOk);
    }

    // Whether a forward word is a headword as a whole, in the main list or a spelling variant.
    static bool IsHeadword(const std::string& cp1257) {
        CDictFile::SForwardMatch match;
        return (*s_data->dict)->FirstForwardMatch(cp1257, &match) != -1 && match.bWhole;
    }
    // The reverse record that is the word as a whole by letter weights, or -1.
    static int Record(const std::string& cp1257) {
        CDictFile& dict = **s_data->dict;
        const int index = dict.FindNearestReverse(cp1257);
        if (index < 0)
            return -1;
        return CDictFile::CompareByWeight(dict.GetReverseHeadword(index).c_str(), cp1257.c_str()) == 0 ? index
                                                                                                       : -1;
    }

    struct SData {
        CWordForms spelling{CWordForms::kEnglish};
        SEnglishData english;
        CDictdReader engLitReader;
        CDictdReader litEngReader;
        std::vector<SFreeDictEntry> engLit;
        std::vector<SFreeDictEntry> litEng;
        std::vector<SFreeDictEntry> rawEngLit; // as parsed, before the compiler mends them
        std::vector<SFreeDictEntry> rawLitEng;
        CFreeDictCompiler compiler;
        std::unique_ptr<CTestDict> dict;
    };
    static SData* s_data;
};

SourceDataTest::SData* SourceDataTest::s_data = nullptr;

TEST_F(SourceDataTest, EveryEnglishLithuanianEntryReachesItsArticleAndItsWords) {
    int entries = 0, reached = 0, words = 0, wordsReached = 0;
    std::vector<std::string> lost;
    for (const SFreeDictEntry& e : s_data->engLit) {
        ++entries;
        const std::string headword = PlainText(e.headword);
        if (IsHeadword(headword))
            ++reached;
        else
            lost.push_back("headword " + e.headword);
        for (const SFreeDictSense& sense : e.senses)
            for (const std::string& item : LithuanianItems(sense.text)) {
                const std::string text = PlainText(item);
                if (text.size() >= DictFormat::kReverseTextLimit)
                    continue;
                ++words;
                if (Record(text) >= 0)
                    ++wordsReached;
                else
                    lost.push_back("Lithuanian word " + item + " of " + e.headword);
            }
    }
    std::cout << "[ INFO     ] English-Lithuanian: " << reached << " of " << entries << " headwords, "
              << wordsReached << " of " << words << " Lithuanian words reach their own article or record\n";
    EXPECT_EQ(reached, entries);
    EXPECT_EQ(wordsReached, words);
    for (std::size_t i = 0; i < lost.size() && i < 20; ++i)
        ADD_FAILURE() << "lost: " << lost[i];
}

TEST_F(SourceDataTest, EveryLithuanianEnglishEntryReachesItsRecordAndItsTranslations) {
    CDictFile& dict = **s_data->dict;
    int entries = 0, reached = 0, translations = 0, shown = 0;
    std::vector<std::string> lost;
    std::vector<std::string> unshown;
    for (const SFreeDictEntry& e : s_data->litEng) {
        if (e.senses.empty() && e.refs.empty())
            continue; // no translation but the word itself
        ++entries;
        const std::vector<std::string> forms = LithuanianItems(e.headword);
        const int record = forms.empty() ? -1 : Record(PlainText(forms.front()));
        if (record >= 0)
            ++reached;
        else
            lost.push_back("headword " + e.headword);
        // A translation is shown when it is a headword of its own or one of the articles the
        // Lithuanian word's record leads to is headed by it.
        const std::string page = record >= 0 ? dict.RenderReverseEntry(record) : std::string();
        for (const SFreeDictSense& sense : e.senses)
            for (const std::string& phrase : EnglishPhrases(ConvertDomainLabels(sense.text))) {
                ++translations;
                const std::string text = PlainText(phrase);
                if (IsHeadword(text) || page.find("<B>" + HtmlText(phrase) + "</B>") != std::string::npos)
                    ++shown;
                else
                    unshown.push_back(phrase + " (" + e.headword + ")");
            }
    }
    std::cout << "[ INFO     ] Lithuanian-English: " << reached << " of " << entries
              << " headwords reach their "
              << "own record; " << shown << " of " << translations << " translations are shown\n";
    EXPECT_EQ(reached, entries);
    for (std::size_t i = 0; i < lost.size() && i < 20; ++i)
        ADD_FAILURE() << "lost: " << lost[i];
    EXPECT_EQ(shown, translations);
    for (std::size_t i = 0; i < unshown.size() && i < 20; ++i)
        ADD_FAILURE() << "not shown: " << unshown[i];
}

TEST_F(SourceDataTest, TheCompilerCountsWhatWentInAndOut) {
    const SCompileStats& s = s_data->compiler.Stats();
    EXPECT_EQ(s.engLitIn, static_cast<int>(s_data->engLit.size()));
    EXPECT_EQ(s.articles - s.translated, s.engLitIn - s.skipped);
    EXPECT_EQ(s.litEngIn, static_cast<int>(s_data->litEng.size()));
    EXPECT_EQ(s.litEngReached + s.untranslated, s.litEngIn);
    EXPECT_EQ(s.untranslated, 3); // išsišluoti, tūkstanteriopas, žongliruoti
    EXPECT_TRUE(s_data->compiler.Losses().empty());
    EXPECT_EQ(s.skipped, 0);
}

// The slips of the sources that made wrong headwords, mended: each phrase that a parenthesis,
// a spaced slash or a tag hid is a headword, and no mangled text is.
TEST_F(SourceDataTest, TheSourcesSlipsAreMended) {
    for (const char* english : {"sell wholesale", "sell retail", "lead a nomad's life", "regular visitor",
                                "be uneasy", "raw stuff", "raw materials", "knitted", "sweater", "toothache",
                                "headache", "refute", "reveal", "inserting into"})
        EXPECT_TRUE(IsHeadword(english)) << english;
    for (const char* mangled :
         {"be anxious/ uneasy", "raw material/stuff", "knitted <adj>", "sweater <n>", "s\xE0saja",
          "tu\xF0\xE8ias", "veid\xE0", "nuomon\xE6", "dant\xF8 s. toothache", "2,5 cm", "i\xF0si\xF0luoti"})
        EXPECT_FALSE(IsHeadword(mangled)) << mangled;
    const SMendCounts& m = s_data->compiler.Stats().mends;
    EXPECT_EQ(m.notes, 2); // "= 2,5 cm" under inch and under colis
    EXPECT_EQ(m.abbreviations, 2);
    EXPECT_EQ(m.tags, 3);
}

// An American spelling, and its forms, lead to the article of the British headword; one that is a
// headword of its own keeps to its own.
TEST_F(SourceDataTest, AmericanSpellingsLeadToTheBritishHeadword) {
    if (!s_data->english.isWord)
        GTEST_SKIP() << "no hunspell en_US data (package hunspell-en-us)";
    const std::pair<const char*, const char*> cases[] = {
        {"labor", "labour"},   {"defense", "defence"}, {"analyze", "analyse"}, {"traveler", "traveller"},
        {"labored", "labour"}, {"fiber", "fibre"},     {"color", "color"},     {"colour", "colour"},
    };
    for (const auto& [typed, shown] : cases) {
        const Lookup::SResult r = Lookup::Find(**s_data->dict, EDirection::Forward, typed, &s_data->spelling);
        int homonym = 0;
        EXPECT_EQ((*s_data->dict)->GetListHeadword(EDirection::Forward, r.entry, homonym), shown) << typed;
    }
    EXPECT_GT(s_data->compiler.Stats().american, 0);
}

// The most frequent English lemmas by WordNet's sense counts, most frequent first.
std::vector<std::string> FrequentLemmas() {
    std::string text;
    CDictdReader::ReadFile("/usr/share/wordnet/cntlist.rev", text, nullptr);
    std::map<std::string, long> counts;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        const std::string line = text.substr(start, end - start);
        start = end + 1;
        const std::size_t percent = line.find('%');
        const std::size_t space = line.rfind(' ');
        if (percent == std::string::npos || space == std::string::npos)
            continue;
        std::string lemma = line.substr(0, percent);
        std::replace(lemma.begin(), lemma.end(), '_', ' ');
        counts[lemma] += std::atol(line.c_str() + space + 1);
    }
    std::vector<std::pair<long, std::string>> order;
    for (const auto& [lemma, count] : counts)
        order.emplace_back(-count, lemma);
    std::sort(order.begin(), order.end());
    std::vector<std::string> out;
    for (const auto& [count, lemma] : order)
        out.push_back(lemma);
    return out;
}

TEST_F(SourceDataTest, PivotsAddDerivedArticlesAndChangeNoDirectOne) {
    CTriangulation pivots;
    std::vector<std::string> missing;
    std::vector<std::pair<std::string, std::string>> used;
    CFreeDictCompiler::ReadPivots(kSource, pivots, missing, used);
    if (pivots.Languages().empty())
        GTEST_SKIP() << "no FreeDict pivot dictionaries (dict-freedict-eng-fra ...) installed";
    CWordForms lithuanian(CWordForms::kLithuanian);
    CFreeDictCompiler::SetPivotChecks(pivots, s_data->spelling, lithuanian);
    CFreeDictCompiler compiler;
    compiler.SetPivots(&pivots);
    compiler.Compile(s_data->rawEngLit, s_data->rawLitEng, s_data->english);
    const SCompileStats& stats = compiler.Stats();
    std::cout << "derived: " << stats.derived << " articles, " << stats.derivedSenses << " senses, "
              << stats.derivedWords << " Lithuanian words\n"
              << PivotReport(compiler.EnglishMeasure(), compiler.LithuanianMeasure());
    // The shipped rule is right at least 90 % of the time on the held-out pairs.
    for (const SPivotMeasure* m : {&compiler.EnglishMeasure(), &compiler.LithuanianMeasure()}) {
        if (m->KeepsAny()) {
            EXPECT_GE(m->kept.right * 100, m->kept.derived * SPivotMeasure::kMinPercent);
        }
    }
    EXPECT_EQ(stats.derived > 0,
              compiler.EnglishMeasure().KeepsAny() || compiler.LithuanianMeasure().KeepsAny());

    // Every direct article stays as it was, before any derived one of its headword; every record
    // leads to its direct articles first, in their order.
    const SDictContent& before = s_data->compiler.Content();
    const SDictContent& after = compiler.Content();
    std::map<std::string, std::vector<const std::string*>> texts;
    for (const SDictArticle& a : after.articles)
        texts[a.headword].push_back(&a.text);
    std::map<std::string, int> seen;
    int changed = 0;
    for (const SDictArticle& a : before.articles) {
        const auto& list = texts[a.headword];
        const int n = seen[a.headword]++;
        changed += n < static_cast<int>(list.size()) && *list[static_cast<std::size_t>(n)] == a.text ? 0 : 1;
    }
    EXPECT_EQ(changed, 0);
    EXPECT_EQ(after.articles.size(), before.articles.size() + static_cast<std::size_t>(stats.derived));
    std::map<std::string, const SDictReverse*> records;
    for (const SDictReverse& r : after.reverse)
        records[r.text] = &r;
    int reordered = 0;
    for (const SDictReverse& r : before.reverse) {
        const auto found = records.find(r.text);
        if (found == records.end() || found->second->entries.size() < r.entries.size()) {
            ++reordered;
            continue;
        }
        for (std::size_t i = 0; i < r.entries.size(); ++i)
            reordered += before.articles[static_cast<std::size_t>(r.entries[i])].headword ==
                                 after.articles[static_cast<std::size_t>(found->second->entries[i])].headword
                             ? 0
                             : 1;
    }
    EXPECT_EQ(reordered, 0);

    // What the derived articles add to the most frequent English lemmas reached (exact or as a form).
    const std::vector<std::string> lemmas = FrequentLemmas();
    CTestDict derived(after);
    ASSERT_EQ(derived.OpenResult(), CDictFile::kOpenOk);
    for (const std::size_t top : {2000u, 5000u, 10000u}) {
        int reached[2] = {0, 0};
        for (std::size_t i = 0; i < std::min(top, lemmas.size()); ++i) {
            CDictFile::SForwardMatch match;
            const std::string word = PlainText(lemmas[i]);
            reached[0] += (*s_data->dict)->FirstForwardMatch(word, &match) != -1 && match.bWhole ? 1 : 0;
            reached[1] += derived->FirstForwardMatch(word, &match) != -1 && match.bWhole ? 1 : 0;
        }
        std::cout << "of the " << top << " most frequent lemmas: " << reached[0] << " reach an article, "
                  << reached[1] << " with the derived ones\n";
        EXPECT_GE(reached[1], reached[0]);
    }
}

} // namespace
