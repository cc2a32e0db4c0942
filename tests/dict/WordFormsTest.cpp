// SPDX-License-Identifier: GPL-2.0-or-later
// Word forms: the exact conversion between code page 1257 and ISO 8859-13, stems from hunspell
// data in either encoding, lazy loading, and silence when the data is missing.

#include "dict/WordForms.h"
#include "dict/Cp1257.h"
#include "dict/WordList.h"
#include "support/TestForms.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

namespace {

using Strings = std::vector<std::string>;

TEST(Iso885913, EveryLithuanianLetterIsTheSameByteAndTheQuotesMove) {
    // Ą Č Ę Ė Į Š Ų Ū Ž and their small letters, in code page 1257 (the same bytes in ISO 8859-13).
    const std::string letters = "\xC0\xC8\xC6\xCB\xC1\xD0\xD8\xDB\xDE\xE0\xE8\xE6\xEB\xE1\xF0\xF8\xFB\xFE";
    EXPECT_EQ(Iso885913::FromCp1257(letters), letters);
    EXPECT_EQ(Iso885913::ToCp1257(letters), letters);
    EXPECT_EQ(Iso885913::FromCp1257("ABC xyz-09"), "ABC xyz-09");
    // „ “ ” ’ stand at other bytes: both ways.
    EXPECT_EQ(Iso885913::FromCp1257("\x84\x93\x94\x92"), "\xA5\xB4\xA1\xFF");
    EXPECT_EQ(Iso885913::ToCp1257("\xA5\xB4\xA1\xFF"), "\x84\x93\x94\x92");
    // Every other byte from 0xA0 up is the same character.
    for (int b = 0xA0; b <= 0xFF; ++b) {
        if (b == 0xA1 || b == 0xA5 || b == 0xB4 || b == 0xFF)
            continue;
        const std::string one(1, static_cast<char>(b));
        EXPECT_EQ(Iso885913::FromCp1257(one), one) << b;
        EXPECT_EQ(Iso885913::ToCp1257(one), one) << b;
    }
    // What the other side lacks: € ‚ … – — ™ ´ ˙ and the undefined bytes of code page 1257; the
    // C1 controls of ISO 8859-13.
    for (const char* missing :
         {"\x80", "\x82", "\x85", "\x96", "\x97", "\x99", "\xB4", "\xFF", "\xA1", "\xA5", "\x81"})
        EXPECT_EQ(Iso885913::FromCp1257(std::string("a") + missing), std::nullopt) << int(missing[0] & 0xFF);
    for (int b = 0x80; b < 0xA0; ++b)
        EXPECT_EQ(Iso885913::ToCp1257(std::string(1, static_cast<char>(b))), std::nullopt) << b;
    EXPECT_EQ(Iso885913::FromCp1257(""), "");
}

TEST(WordForms, GivesStemsFromIsoAndUtf8DataInCodePage1257) {
    CTempDir dir;
    WriteTestForms(dir);
    CWordForms lt(dir.File("lt"));
    EXPECT_FALSE(lt.IsLoaded()); // nothing read before the first word
    EXPECT_EQ(lt.Stems("namuose"), Strings{"namas"});
    EXPECT_TRUE(lt.IsLoaded());
    EXPECT_EQ(lt.Stems("Namuose"), Strings{"namas"});
    EXPECT_EQ(lt.Stems("\xF0uns"), Strings{"\xF0uo"}); // šuns -> šuo
    EXPECT_EQ(lt.Stems("k\xEB"
                       "d\xEBs"),
              Strings{"k\xEB"
                      "d\xEB"}); // kėdės -> kėdė
    EXPECT_EQ(lt.Stems("namas"), Strings{"namas"});
    EXPECT_EQ(lt.Stems("zzz"), Strings{});
    EXPECT_EQ(lt.Stems(""), Strings{});
    // A word ISO 8859-13 cannot hold, or with a control character, is no word.
    EXPECT_EQ(lt.Stems("namuose\x80"), Strings{});
    EXPECT_EQ(lt.Stems("namuose\t"), Strings{});

    CWordForms en(dir.File("en"));
    EXPECT_EQ(en.Stems("cats"), Strings{"cat"});
    EXPECT_EQ(en.Stems("k\xEB"
                       "d\xEBs"),
              Strings{"k\xEB"
                      "d\xEB"}); // through UTF-8
    EXPECT_EQ(en.Stems("houses"), Strings{"house"});
}

TEST(WordForms, AWordOfMoreThanTheLimitHasNoStems) {
    CTempDir dir;
    WriteTestForms(dir);
    WriteFormsFile(dir.File("long.aff"), "SET UTF-8\nSFX S Y 1\nSFX S 0 s .\n");
    const std::string limit(CWordForms::kWordLimit - 1, 'a'); // with "s": exactly the limit
    WriteFormsFile(dir.File("long.dic"), "2\n" + limit + "/S\n" + limit + "a/S\n");
    CWordForms forms(dir.File("long"));
    EXPECT_EQ(forms.Stems(limit + "s"), Strings{limit});
    EXPECT_EQ(forms.Stems(limit + "as"), Strings{});
}

// Affixes and roots of every kind the word list reading follows or leaves to hunspell.
const std::string kListAff =
    "SET UTF-8\nONLYINCOMPOUND c\nNEEDAFFIX x\nFORBIDDENWORD !\nICONV 1\nICONV \xE2\x80\x99 '\n"
    "SFX S Y 2\nSFX S y ies [^aeiou]y\nSFX S 0 s [^y]\nSFX M Y 1\nSFX M 0 's .\n"
    "SFX D N 1\nSFX D 0 ed [^e]\nPFX P Y 1\nPFX P 0 re .\nPFX N N 1\nPFX N 0 un .\n"
    "PFX I Y 1\nPFX I 0 il l\n";
const std::string kListDic = "11\ncat/SM\nhouse/S\tpo:noun\nflicker\n1/c\nhalf/xS\nk\xC4\x97"
                             "d\xC4\x97\nfly/SP\nlock/NDP\nflicker/!\nlegal/I\nmoral/I\n";

// A word the word list holds, as a root that stands alone or with affixes its flags allow, is
// spelt right: its (no) corrections need no data read. Anything else, or data this reading does
// not follow, reads the data; the answers are hunspell's either way.
TEST(WordForms, AWordOfTheListHasNoCorrectionsWithoutTheData) {
    CTempDir dir;
    WriteTestForms(dir);
    const struct {
        std::string aff;
        const char* word;
        bool bReads;
    } cases[] = {
        {kListAff, "cat", false},
        {kListAff, "house", false},
        {kListAff,
         "k\xEB"
         "d\xEB",
         false},                     // through UTF-8
        {kListAff, "cats", false},   // a suffix its flags allow
        {kListAff, "houses", false}, // a root line with morphology
        {kListAff, "cat's", false},
        {kListAff, "flies", false},   // y stripped, on the condition [^aeiou]y
        {kListAff, "flys", true},     // the condition [^y] is not met
        {kListAff, "refly", false},   // a prefix
        {kListAff, "reflies", false}, // a prefix and a suffix, both crossing
        {kListAff, "unlock", false},
        {kListAff, "locked", false},
        {kListAff, "unlocked", true}, // neither crosses
        {kListAff, "relocked", true}, // the suffix does not cross
        {kListAff, "recats", true},   // both cross, but the root lacks the prefix's flag
        {kListAff, "illegal", false}, // the prefix's condition, at the root's beginning
        {kListAff, "ilmoral", true},
        {kListAff, "housed", true},   // a flag the root lacks
        {kListAff, "flicker", true},  // forbidden on another line of the word
        {kListAff, "cat\x92s", true}, // ICONV's apostrophe: hunspell reads another word
        {kListAff, "Cat", true},      // another case
        {kListAff, "ca", true},
        {kListAff, "catt", true},
        {kListAff, "cat.", true},
        {kListAff, "1", true},     // only in compounds
        {kListAff, "half", true},  // only with an affix
        {kListAff, "halfs", true}, // a barred root is left to hunspell
        {"SET UTF-8\nFLAG long\n", "cat", true},
        {"SET UTF-8\nAF 1\nAF S\n", "cat", true},
        {"SET UTF-8\nSFX S Y 1\nSFX S 0 s/M .\n", "cats", true}, // flags of the affix's own
        {"SET UTF-8\nIGNORE x\n", "cat", true},
    };
    for (const auto& c : cases) {
        WriteFormsFile(dir.File("r.aff"), c.aff);
        WriteFormsFile(dir.File("r.dic"), kListDic);
        CWordForms forms(dir.File("r"));
        CWordForms loaded(dir.File("r"));
        loaded.Load();
        EXPECT_EQ(forms.Suggestions(c.word), loaded.Suggestions(c.word)) << c.word;
        EXPECT_EQ(forms.IsLoaded(), c.bReads) << c.word << " " << c.aff;
    }
    // Only the first eight words are searched for so: a ninth reads the data, which answers a long
    // batch faster.
    CWordForms en(dir.File("en"));
    for (const char* word : {"cat", "cats", "house", "houses", "dog", "redog", "verse", "version"}) {
        EXPECT_EQ(en.Suggestions(word), Strings{}) << word;
        EXPECT_FALSE(en.IsLoaded()) << word;
    }
    EXPECT_EQ(en.ListedStems("cats"), std::nullopt); // the searches are shared
    EXPECT_FALSE(en.IsLoaded());
    EXPECT_EQ(en.Suggestions("stopped"), Strings{});
    EXPECT_TRUE(en.IsLoaded());
}

// The stems of a word the word list is sure of are hunspell's, in another order; a word it is
// not sure of is left to hunspell.
TEST(WordForms, TheListGivesHunspellsStemsWhereItIsSure) {
    CTempDir dir;
    const std::string compounds = "SET UTF-8\nCOMPOUNDFLAG Y\n";
    const struct {
        std::string aff;
        const char* word;
        bool bSure;
    } cases[] = {
        {kListAff, "cat", true},
        {kListAff, "cats", true},
        {kListAff,
         "k\xEB"
         "d\xEB",
         true},
        {kListAff, "flies", true},
        {kListAff, "reflies", true},
        {kListAff, "illegal", true},
        {kListAff, "unlocked", true}, // none: the affixes do not cross
        {kListAff, "catt", true},     // none at all
        {kListAff, "houses", false},  // the root's line carries morphology
        {kListAff, "Cat", false},     // hunspell tries it in small letters too
        {kListAff, "cat's", true},
        {kListAff, "cat-s", false},
        {kListAff, "flicker", false}, // forbidden on another line of the word
        {kListAff, "halfs", false},   // hunspell gives a barred root as the stem of its forms
        {compounds, "cat", true},
        {compounds, "catt", false}, // a compound, maybe
        {"SET UTF-8\nFLAG long\n", "cat", false},
    };
    for (const auto& c : cases) {
        WriteFormsFile(dir.File("r.aff"), c.aff);
        WriteFormsFile(dir.File("r.dic"), kListDic);
        CWordForms forms(dir.File("r"));
        const std::optional<Strings> listed = forms.ListedStems(c.word);
        EXPECT_FALSE(forms.IsLoaded()) << c.word;
        ASSERT_EQ(listed.has_value(), c.bSure) << c.word << " " << c.aff;
        Strings stems = forms.Stems(c.word);
        std::sort(stems.begin(), stems.end());
        if (listed) {
            EXPECT_EQ(*listed, stems) << c.word;
        }
    }
}

TEST(WordForms, MissingOrUnknownDataIsSilentAndGivesNothing) {
    CTempDir dir;
    WriteTestForms(dir);
    testing::internal::CaptureStderr();
    CWordForms missing(dir.File("none"));
    EXPECT_FALSE(missing.Load());
    EXPECT_EQ(missing.Stems("namuose"), Strings{});
    EXPECT_FALSE(missing.IsLoaded());
    // Only the .aff: still missing.
    WriteFormsFile(dir.File("half.aff"), "SET UTF-8\n");
    EXPECT_FALSE(CWordForms(dir.File("half")).Load());
    // An encoding we do not convert.
    WriteFormsFile(dir.File("koi.aff"), "SET KOI8-R\n");
    WriteFormsFile(dir.File("koi.dic"), "1\ncat\n");
    CWordForms koi(dir.File("koi"));
    EXPECT_FALSE(koi.Load());
    EXPECT_EQ(koi.Stems("cat"), Strings{});
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

// The installed data, when there is: the words of the examples.
TEST(WordForms, TheInstalledDataStemsRealWords) {
    CWordForms lt(CWordForms::kLithuanian);
    CWordForms en(CWordForms::kEnglish);
    if (!lt.Load() || !en.Load())
        GTEST_SKIP() << "hunspell-lt or hunspell-en-us is not installed (scripts/setup-deps installs them)";
    EXPECT_EQ(lt.Stems("namuose"), Strings{"namas"});
    EXPECT_EQ(lt.Stems("gra\xFEiai"), Strings{"gra\xFEus"}); // gražiai -> gražus
    EXPECT_EQ(lt.Stems("k\xEB"
                       "d\xEBs"),
              Strings{"k\xEB"
                      "d\xEB"});
    EXPECT_EQ(en.Stems("houses"), Strings{"house"});
    EXPECT_EQ(en.Stems("studied"), (Strings{"studied", "study"}));
}

// The installed data, read without hunspell, over a sample of the roots of its list with
// affixes and endings: never a word right that hunspell calls wrong, and nearly every word hunspell calls
// right (it also lowers a capital: "Homes").
TEST(WordForms, TheInstalledListIsReadAsHunspellReadsIt) {
    const struct {
        const char* base;
        std::string_view encoding;
        int every; // root of the list
        Strings prefixes;
        Strings endings;
    } languages[] = {
        {CWordForms::kEnglish,
         HunspellEncoding::kUtf8,
         2000,
         {"", "re", "un"},
         {"", "s", "ed", "ing", "ly", "'s", "ness"}},
        {CWordForms::kLithuanian,
         HunspellEncoding::kIso885913,
         4000,
         {"", "ne"},
         {"", "o", "ui", "\xE0", "ai", "\xF8", "us", "uose", "ti", "\xEBs"}},
    };
    for (const auto& language : languages) {
        CWordForms forms(language.base);
        std::ifstream list(std::string(language.base) + ".dic");
        if (!forms.Load() || !list)
            GTEST_SKIP()
                << "hunspell-lt or hunspell-en-us is not installed (scripts/setup-deps installs them)";
        int right = 0;
        int read = 0;
        int small = 0;   // words in small letters that hunspell gives stems for
        int stemmed = 0; // those whose stems the list is sure of
        std::string line;
        std::getline(list, line);
        for (int i = 0; std::getline(list, line); ++i) {
            const std::optional<std::string> root =
                HunspellEncoding::ToCp1257(language.encoding, line.substr(0, line.find_first_of("/\t ")));
            if (i % language.every != 0 || !root || root->size() < 3)
                continue;
            for (const std::string& prefix : language.prefixes)
                for (const std::string& ending : language.endings)
                    for (const std::string& stem : {*root, root->substr(0, root->size() - 1)}) {
                        const std::string word = prefix + stem + ending;
                        const bool bRight = forms.IsWord(word);
                        const bool bRead = WordList::IsSurelySpeltRight(language.base, word);
                        EXPECT_TRUE(bRight || !bRead) << word;
                        right += bRight ? 1 : 0;
                        read += bRead ? 1 : 0;
                        const std::optional<Strings> listed = WordList::SurelyStems(language.base, word);
                        Strings stems = forms.Stems(word);
                        std::sort(stems.begin(), stems.end());
                        EXPECT_TRUE(!listed || *listed == stems) << word;
                        const bool bStemmed = !stems.empty() && Cp1257::ToLower(word) == word;
                        small += bStemmed ? 1 : 0;
                        stemmed += bStemmed && listed ? 1 : 0;
                    }
        }
        EXPECT_GE(read * 100, right * 95) << language.base << ": " << read << " of " << right;
        EXPECT_GE(stemmed * 100, small * 95) << language.base << ": " << stemmed << " of " << small;
        EXPECT_GE(right, 50) << language.base;
    }
}

} // namespace
