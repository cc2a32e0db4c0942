// SPDX-License-Identifier: GPL-2.0-or-later
// Translations derived through pivot languages: the pivot entries as parsed, the candidates and
// their agreement, the held-out rule, and the derived articles in a compiled dictionary.

#include "MkdicTestUtil.h"
#include "mkdic/FreeDictCompiler.h"

#include <gtest/gtest.h>

#include "dict/WordForms.h"

#include <algorithm>

namespace {

TEST(PivotEntry, TranslationLinesAreKeptAndGlossesDropped) {
    struct SCase {
        const char* text;
        const char* headword;
        const char* pos;
        std::vector<std::string> translations;
    };
    const SCase cases[] = {
        // FreeDict's older format: numbered translations only.
        {"explain /iksplein/\n1. expliquer\n2. d\xC3\xA9velopper\n",
         "explain",
         "",
         {"expliquer", "d\xC3\xA9velopper"}},
        // WikDict: each translation line followed by its gloss; two pronunciations in //.
        {"explain //\xC9\x9Bk\xCB\x88spleIn// //Ik// <v>\n1. selitt\xC3\xA4\xC3\xA4\nexcuse\n2. selostaa, "
         "(vanh.) "
         "kertoa\nreport\n",
         "explain",
         "v",
         {"selitt\xC3\xA4\xC3\xA4", "selostaa", "kertoa"}},
        // One sense: its line, then a gloss numbered without a period.
        {"expliquer /\xC9\x9Bks.pli.ke/ <v>\nai\xC5\xA1kinti\n1 Rendre clair\n",
         "expliquer",
         "v",
         {"ai\xC5\xA1kinti"}},
        // Glosses numbered like their senses, a stray number left at a line's end, a lone number.
        {"Arabisch <n, masc>\n1. arab\xC5\xB3; arabi\xC5\xA1kai 2.\n1. een taal\n 3.\n2. "
         "arabi\xC5\xA1kas\n2. een alfabet\n",
         "Arabisch",
         "n",
         {"arab\xC5\xB3", "arabi\xC5\xA1kai", "arabi\xC5\xA1kas"}},
        // Blank lines between head and translation; a headword alone.
        {"abode /\xC9\x90\x62/\n\n\xCE\xBA\xCE\xB1\xCF\x84\xCE\xBF\xCE\xB9\xCE\xBA\xCE\xAF\xCE\xB1\n",
         "abode",
         "",
         {"\xCE\xBA\xCE\xB1\xCF\x84\xCE\xBF\xCE\xB9\xCE\xBA\xCE\xAF\xCE\xB1"}},
        {"word", "word", "", {}},
        {"", "", "", {}},
    };
    for (const SCase& c : cases) {
        const SPivotEntry e = Pivots::ParseEntry(c.text);
        EXPECT_EQ(e.headword, c.headword) << c.text;
        EXPECT_EQ(e.pos, c.pos) << c.text;
        EXPECT_EQ(e.translations, c.translations) << c.text;
    }
}

TEST(PivotEntry, KeysDropStressMarksAndCase) {
    const std::pair<const char*, const char*> plain[] = {
        {"Mešk\xC3\xA0", "Me\xC5\xA1ka"}, // a stress mark written as one letter
        {"b\xC5\xAB\xCC\x83"
         "das",
         "b\xC5\xAB"
         "das"},                                                   // a combining one
        {"e\xCC\x87ras  u\xCC\x84kis", "\xC4\x97ras \xC5\xABkis"}, // letters written apart
        {"Anglo\xE2\x80\x90Saxon", "Anglo-Saxon"},
    };
    for (const auto& [in, out] : plain)
        EXPECT_EQ(Pivots::Plain(in), out) << in;
    EXPECT_EQ(Pivots::Key("Mešk\xC3\xA0"), "me\xC5\xA1ka");
    EXPECT_EQ(Pivots::Key("\xC5\xA0\xC4\x96\xC4\x84"), "\xC5\xA1\xC4\x97\xC4\x85"); // Š Ė Ą
    EXPECT_EQ(Pivots::Key("\xCE\x91\xCE\xA3"), "\xCE\xB1\xCF\x83");                 // Greek
    EXPECT_EQ(Pivots::Key("\xC4\xB9\xC5\xB9"), "\xC4\xBA\xC5\xBA");                 // odd capitals
}

// Five pivot languages in which "explain" and "clarify" go through a word of each to
// "aiškinti"; "explain" also reaches "reikšti" in the first two.
CTriangulation Pivots5() {
    CTriangulation t;
    const char* codes[] = {"fra", "nld", "ita", "fin", "ell"};
    for (int i = 0; i < 5; ++i) {
        SPivotLanguage l{codes[i], codes[i], {}, {}, {}, {}, {}, {}};
        const std::string x = std::string("x") + codes[i];
        l.AddEnglishPivot(Pivots::ParseEntry("explain\n" + x + "\n"));
        l.AddPivotEnglish(Pivots::ParseEntry(x + "2\nclarify\n")); // the other direction counts
        l.AddPivotLithuanian(Pivots::ParseEntry(x + " <v>\nai\xC5\xA1kinti\n"));
        l.AddPivotLithuanian(Pivots::ParseEntry(x + "2 <v>\nai\xC5\xA1kinti\n"));
        if (i < 2) {
            l.AddEnglishPivot(Pivots::ParseEntry("explain\n" + x + "3\n"));
            l.AddPivotLithuanian(Pivots::ParseEntry(x + "3\nreik\xC5\xA1ti; greita, greitas\n"));
        }
        t.Add(std::move(l));
    }
    return t;
}

TEST(Triangulation, CandidatesCountTheLanguagesThatAgree) {
    const CTriangulation t = Pivots5();
    const std::vector<SPivotCandidate> lt = t.Lithuanian("explain");
    ASSERT_EQ(lt.size(), 3u);
    EXPECT_EQ(lt[0].key, "ai\xC5\xA1kinti");
    EXPECT_EQ(lt[0].languages, 0x1Fu);
    EXPECT_EQ(lt[0].pos, "v");
    // The feminine "greita" counts for its headword "greitas".
    EXPECT_EQ(lt[1].key, "greitas");
    EXPECT_EQ(lt[1].languages, 0x3u);
    EXPECT_EQ(lt[2].key, "reik\xC5\xA1ti");
    EXPECT_EQ(t.LanguageNames(0x13u), "fra, nld ir ell");
    EXPECT_EQ(t.LanguageNames(0x4u), "ita");

    // Back from Lithuanian: both English words through all five.
    const std::vector<SPivotCandidate> en = t.English("ai\xC5\xA1kinti");
    ASSERT_EQ(en.size(), 2u);
    EXPECT_EQ(en[0].key, "clarify");
    EXPECT_EQ(en[1].key, "explain");
    EXPECT_EQ(en[1].Agreement(), 5);
}

TEST(Triangulation, ChecksAndTheWayBackFilterCandidates) {
    CTriangulation t = Pivots5();
    t.SetChecks({}, [](const std::string& w) { return w != "greitas"; });
    std::vector<std::string> keys;
    for (const SPivotCandidate& c : t.Lithuanian("explain"))
        keys.push_back(c.key);
    EXPECT_EQ(keys, (std::vector<std::string>{"ai\xC5\xA1kinti", "reik\xC5\xA1ti"}));
    // "clarify" is among the best of "aiškinti" (5 of 5), so it stays; an English check that
    // rejects it leaves "aiškinti" without it.
    EXPECT_EQ(t.Lithuanian("clarify").size(), 1u);
    t.SetChecks([](const std::string& w) { return w != "clarify"; }, {});
    EXPECT_EQ(t.English("ai\xC5\xA1kinti").size(), 1u);
}

TEST(Triangulation, HunspellChecksTakeRealWordsAndLithuanianLemmasOnly) {
    CWordForms english(CWordForms::kEnglish);
    CWordForms lithuanian(CWordForms::kLithuanian);
    if (!english.Load() || !lithuanian.Load())
        GTEST_SKIP() << "hunspell-en-us or hunspell-lt is not installed";
    CTriangulation t;
    CFreeDictCompiler::SetPivotChecks(t, english, lithuanian);
    EXPECT_TRUE(t.Accepts("explain", true));
    EXPECT_TRUE(t.Accepts("good morning", true));
    EXPECT_FALSE(t.Accepts("something that explains it", true)); // a gloss: four words
    EXPECT_FALSE(t.Accepts("geeft herkomst", true));
    EXPECT_TRUE(t.Accepts("namas", false));
    EXPECT_TRUE(t.Accepts("labas rytas", false));
    EXPECT_FALSE(t.Accepts("kelis", false)); // knee, but also a form of "keli"
    EXPECT_FALSE(t.Accepts("namo", false));  // a form of "namas"
}

// One part of speech's pairs agreed by 5 and by 4 languages, the rule it gets and the pairs kept.
struct SLevelCase {
    long derived5, right5, derived4, right4;
    int rule;
    long kept;
};

TEST(PivotMeasure, TheRuleNeedsNinetyPercentOfFiftyPairsPerPartOfSpeech) {
    // Nouns.
    const SLevelCase cases[] = {
        {50, 45, 0, 0, 5, 50},   // exactly 90 % of exactly 50
        {50, 44, 0, 0, 0, 0},    // 88 %
        {49, 49, 0, 0, 0, 0},    // too few pairs to tell
        {49, 49, 1, 0, 4, 50},   // with the level below: 98 % of 50
        {40, 40, 20, 14, 4, 60}, // 54 of 60 = 90 % from four languages on
        {40, 40, 20, 13, 0, 0},  // 53 of 60 is not; 40 alone are too few
        {0, 0, 50, 45, 4, 50},   // only four languages measured
    };
    for (const SLevelCase& c : cases) {
        SPivotMeasure m;
        m.byLevel[4][0] = {c.derived5, c.right5, 0};
        m.byLevel[3][0] = {c.derived4, c.right4, 0};
        m.byLevel[4][1] = {500, 400, 0}; // verbs: 80 %, never kept
        m.ChooseRule();
        EXPECT_EQ(m.rule[0], c.rule) << c.derived5 << " " << c.right5 << " " << c.derived4;
        EXPECT_EQ(m.rule[1], 0);
        EXPECT_EQ(m.kept.derived, c.kept);
        SPivotCandidate noun{"x", 0xF, "n"};
        EXPECT_EQ(m.Keeps(noun), c.rule == 4);
        noun.languages = 0x1F;
        EXPECT_EQ(m.Keeps(noun), c.rule != 0);
        noun.languages = 0x7; // three languages: never measured enough
        EXPECT_FALSE(m.Keeps(noun));
        EXPECT_FALSE(m.Keeps({"x", 0x1F, "v"}));
    }
}

// A part of speech short of 90 % alone (verbs) comes in, level by level, while everything kept
// stays at 90 %.
TEST(PivotMeasure, TheRuleWidensOnTheOthersMargin) {
    // Verbs.
    const SLevelCase cases[] = {
        {100, 85, 0, 0, 5, 600},   // 545 of 600
        {100, 80, 0, 0, 5, 600},   // 540 of 600: exactly 90 %
        {100, 79, 0, 0, 0, 500},   // 539 of 600
        {100, 85, 50, 40, 4, 650}, // 585 of 650: four languages too
        {100, 85, 50, 39, 5, 600}, // 584 of 650 is not
        {0, 0, 50, 40, 4, 550},    // only four languages measured: 500 of 550
    };
    for (const SLevelCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.derived5 << " " << c.right5 << " " << c.derived4);
        SPivotMeasure m;
        m.byLevel[4][0] = {500, 460, 0}; // nouns: 92 %
        m.byLevel[3][0] = {500, 300, 0}; // nouns of four languages: 60 %, never kept
        m.byLevel[4][1] = {c.derived5, c.right5, 0};
        m.byLevel[3][1] = {c.derived4, c.right4, 0};
        m.ChooseRule();
        EXPECT_EQ(m.rule[0], 5);
        EXPECT_EQ(m.rule[1], c.rule);
        EXPECT_EQ(m.kept.derived, c.kept);
    }
}

// A dictionary of 50 nouns that the pivots derive right, "cheese" (no article) that they derive
// too, and "sūris"... a Lithuanian word without a record that leads to "word0", which has one.
class DerivedArticlesTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::vector<std::pair<std::string, std::string>> engLit;
        for (int n = 0; n < 50; ++n)
            engLit.emplace_back("word" + std::to_string(n),
                                "word" + std::to_string(n) + "\nzodis" + std::to_string(n) + "\n");
        const char* codes[] = {"fra", "nld", "ita", "fin", "ell"};
        for (int i = 0; i < 5; ++i) {
            SPivotLanguage l{codes[i], std::string("k") + std::to_string(i), {}, {}, {}, {}, {}, {}};
            for (int n = 0; n < 50; ++n) {
                const std::string x = codes[i] + std::to_string(n);
                l.AddEnglishPivot(Pivots::ParseEntry("word" + std::to_string(n) + "\n" + x + "\n"));
                l.AddPivotLithuanian(Pivots::ParseEntry(x + " <n>\nzodis" + std::to_string(n) + "\n"));
            }
            l.AddEnglishPivot(Pivots::ParseEntry(std::string("cheese\n") + codes[i] + "c\n"));
            l.AddPivotLithuanian(Pivots::ParseEntry(std::string(codes[i]) + "c <n>\ns\xC5\xABris\n"));
            l.AddPivotLithuanian(Pivots::ParseEntry(std::string(codes[i]) + "0 <n>\nvienas\n"));
            m_pivots.Add(std::move(l));
        }
        for (const auto& [key, text] : engLit)
            m_engLit.push_back(FreeDict::ParseEntry(key, text));
        m_plain.Compile(m_engLit, {});
        m_derived.SetPivots(&m_pivots);
        m_derived.Compile(m_engLit, {});
    }
    const SDictArticle* Article(const std::string& headword, int nth = 0) const {
        for (const SDictArticle& a : m_derived.Content().articles)
            if (a.headword == headword && nth-- == 0)
                return &a;
        return nullptr;
    }
    int Index(const SDictArticle* a) const {
        return static_cast<int>(a - m_derived.Content().articles.data());
    }

    CTriangulation m_pivots;
    std::vector<SFreeDictEntry> m_engLit;
    CFreeDictCompiler m_plain;
    CFreeDictCompiler m_derived;
};

TEST_F(DerivedArticlesTest, WordsWithoutArticleOrRecordGetDerivedOnesAfterTheDirect) {
    EXPECT_EQ(m_derived.EnglishMeasure().rule[0], 5);
    EXPECT_EQ(m_derived.EnglishMeasure().kept.derived, 51); // "vienas" for word0 is not known
    EXPECT_EQ(m_derived.EnglishMeasure().kept.right, 50);
    EXPECT_EQ(m_derived.Stats().derived, 2);
    EXPECT_EQ(m_derived.Stats().derivedSenses, 2);
    EXPECT_EQ(m_derived.Stats().derivedWords, 2); // sūris and vienas
    const SDictArticle* cheese = Article("cheese");
    ASSERT_NE(cheese, nullptr);
    EXPECT_EQ(cheese->homonym, 0);
    EXPECT_EQ(cheese->text, Cp("cheese\t<P CLASS=hw><B>cheese</B></P>\r\n<P CLASS=sense>\r\nsūris\r\n</P>\r\n"
                               "<P CLASS=note>\r\nIšvesta per k0, k1, k2, k3 ir k4 k. žodynus\r\n</P>\r\n"));
    // "word0" keeps its direct article, unnumbered and unchanged, and gets a derived one after it.
    const SDictArticle* direct = Article("word0");
    const SDictArticle* derived = Article("word0", 1);
    ASSERT_NE(derived, nullptr);
    EXPECT_LT(Index(direct), Index(derived));
    EXPECT_EQ(direct->homonym, 0);
    EXPECT_EQ(derived->homonym, 0);
    EXPECT_NE(derived->text.find("vienas"), std::string::npos);
    for (const SDictArticle& a : m_plain.Content().articles) {
        const SDictArticle* same = Article(a.headword);
        ASSERT_NE(same, nullptr) << a.headword;
        EXPECT_EQ(same->text, a.text);
    }
    // The record of a word both kinds hold lists the direct article first.
    const auto vienas = std::find_if(m_derived.Content().reverse.begin(), m_derived.Content().reverse.end(),
                                     [](const SDictReverse& r) { return r.text == "vienas"; });
    ASSERT_NE(vienas, m_derived.Content().reverse.end());
    EXPECT_EQ(vienas->entries, (std::vector<std::int32_t>{Index(derived)}));
}

TEST_F(DerivedArticlesTest, WithoutPivotsTheContentIsToday) {
    CFreeDictCompiler none;
    CTriangulation empty;
    none.SetPivots(&empty);
    none.Compile(m_engLit, {});
    EXPECT_EQ(none.Stats().derived, 0);
    EXPECT_EQ(none.Content().articles.size(), m_plain.Content().articles.size());
    for (std::size_t i = 0; i < none.Content().articles.size(); ++i)
        EXPECT_EQ(none.Content().articles[i].text, m_plain.Content().articles[i].text);
}

} // namespace
