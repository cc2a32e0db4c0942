// SPDX-License-Identifier: GPL-2.0-or-later
#include "support/TestDict.h"

#include <sys/stat.h>

namespace {

std::string Scrambled(std::string text, std::uint32_t seed) {
    CDictFile::Descramble(text.data(), text.size(), seed);
    return text;
}

TEST(Descramble, MatchesTheGeneratorAndUndoesItself) {
    EXPECT_EQ(Scrambled("abc", 0), "\x47\x45\x95");
    EXPECT_EQ(Scrambled("abc", 1), "\x48\x41\xDD");
    const std::string text = "namas\t<P>\xFEodis</P>";
    EXPECT_EQ(Scrambled(Scrambled(text, 0xDEADBEEF), 0xDEADBEEF), text);
    // Descrambling only the first bytes gives the same bytes as descrambling the whole record.
    EXPECT_EQ(Scrambled(text, 77).substr(0, 5), Scrambled(text.substr(0, 5), 77));
}

TEST(CompareForward, FoldsOnlyAsciiCapitals) {
    EXPECT_EQ(CDictFile::CompareForward("apple", "APPLE"), 0);
    EXPECT_EQ(CDictFile::CompareForward("Apple", "apple"), 0);
    EXPECT_NE(CDictFile::CompareForward("\xF0uo", "\xD0uo"), 0); // šuo, Šuo
    EXPECT_EQ(CDictFile::CompareForward("app", "apple"), -1);    // a proper prefix sorts first
    EXPECT_EQ(CDictFile::CompareForward("apple", "app"), 1);
    EXPECT_EQ(CDictFile::CompareForward("zebra", "\xE0s"), -1); // letters with marks after ASCII
    EXPECT_EQ(CDictFile::CompareForward("[", "a"), -1);         // '[' (5B) before 'a' once A-Z fold
    EXPECT_EQ(CDictFile::CompareForward("Z", "["), 1);
}

TEST(CompareByWeight, FollowsTheLithuanianAlphabet) {
    EXPECT_EQ(CDictFile::CompareByWeight("a-b", "a b"), 0);
    EXPECT_EQ(CDictFile::CompareByWeight("a-b", "a1b"), 0);
    EXPECT_EQ(CDictFile::CompareByWeight("a-b", "aab"), -1);
    EXPECT_EQ(CDictFile::CompareByWeight("\xE0\xFEuolas", "\xC0\xFEuolas"), 0); // ąžuolas, Ąžuolas
    EXPECT_EQ(CDictFile::CompareByWeight("\xE0\xFEuolas", "a\xFEuolas"), 0);    // ą weighs as a
    EXPECT_EQ(CDictFile::CompareByWeight("a\xFEuolas", "azuolas"), 1);          // ž after z
    EXPECT_EQ(CDictFile::CompareByWeight("y", "i"), 0);
    EXPECT_EQ(CDictFile::CompareByWeight("cz", "\xE8"), -1);   // c < č
    EXPECT_EQ(CDictFile::CompareByWeight("\xE8", "\xE3"), -1); // č < ć
    EXPECT_EQ(CDictFile::CompareByWeight("s", "\xF0"), -1);    // s < š
    EXPECT_EQ(CDictFile::CompareByWeight("\xFE", "\xFD"), -1); // ž < ż
    EXPECT_EQ(CDictFile::CompareByWeight("ab", "a"), 1);
    EXPECT_EQ(CDictFile::CompareByWeight("a", "ab"), -1);
    EXPECT_EQ(CDictFile::CompareByWeight("", ""), 0);
}

TEST(LetterWeight, GivesEveryLetterItsPlaceAndNonLettersNothing) {
    EXPECT_EQ(CDictFile::LetterWeight('A'), 65);
    EXPECT_EQ(CDictFile::LetterWeight(0xE5), 65);  // å
    EXPECT_EQ(CDictFile::LetterWeight(0xAA), 105); // Ŗ
    EXPECT_EQ(CDictFile::LetterWeight(0xFD), 119); // ż
    for (unsigned char c : {'0', '9', ' ', '-', '\t', '<', '>', '[', '\0'})
        EXPECT_EQ(CDictFile::LetterWeight(c), 0) << int(c);
    for (unsigned char c : {0xA8, 0xB8, 0xAF, 0xBF, 0xB5, 0xCA, 0xEA, 0xDF}) // Ø ø Æ æ µ Ź ź ß
        EXPECT_EQ(CDictFile::LetterWeight(c), 0) << int(c);
    // Every capital weighs as its small letter.
    for (int c = 'A'; c <= 'Z'; ++c)
        EXPECT_EQ(CDictFile::LetterWeight(static_cast<unsigned char>(c)),
                  CDictFile::LetterWeight(static_cast<unsigned char>(c + 32)));
    for (int c = 0xC0; c <= 0xDE; ++c)
        EXPECT_EQ(CDictFile::LetterWeight(static_cast<unsigned char>(c)),
                  CDictFile::LetterWeight(static_cast<unsigned char>(c + 32)));
}

TEST(Open, ReportsEachFailureAndStaysClosed) {
    CDictFile dict;
    EXPECT_EQ(dict.Open(), CDictFile::kOpenNoPath);

    CTempDir dir;
    dict.SetPath(dir.File("missing.dic"));
    EXPECT_EQ(dict.Open(), CDictFile::kOpenFileFailed);
    EXPECT_FALSE(dict.IsOpen());

    dict.SetPath(dir.File(""));
    EXPECT_EQ(dict.Open(), CDictFile::kOpenMappingFailed); // a folder
    EXPECT_FALSE(dict.IsOpen());

    WriteBytes(dir.File("short.dic"), std::string(187, '\0'));
    dict.SetPath(dir.File("short.dic"));
    EXPECT_EQ(dict.Open(), CDictFile::kOpenDamaged);
    EXPECT_FALSE(dict.IsOpen());
    EXPECT_EQ(dict.ArticleCount(), 0);

    if (::geteuid() != 0) { // root reads whatever the mode says
        WriteBytes(dir.File("locked.dic"), CDictWriter::Build({}));
        ::chmod(dir.File("locked.dic").c_str(), 0);
        dict.SetPath(dir.File("locked.dic"));
        EXPECT_EQ(dict.Open(), CDictFile::kOpenFileFailed);
    }

    dict.Close();
    dict.Close();
    EXPECT_FALSE(dict.IsOpen());
}

TEST(Open, ReadsCountsFromTheTableSizes) {
    SDictContent c;
    c.articles = {Article("cat", "<P>katinas</P>"), Article("dog", "<P>\xF0uo</P>")};
    c.reverse = {{"katinas", {0}}};
    CTestDict dict(c);
    ASSERT_EQ(dict.OpenResult(), 0);
    EXPECT_EQ(dict->ArticleCount(), 2);
    EXPECT_EQ(dict->ReverseCount(), 1);
    dict->Close();
    EXPECT_EQ(dict->ArticleCount(), 0);
    EXPECT_EQ(dict->GetArticle(0), "");

    // An empty dictionary: every table is one offset and describes no record.
    CTestDict empty(SDictContent{});
    ASSERT_EQ(empty.OpenResult(), 0);
    EXPECT_EQ(empty->ArticleCount(), 0);
    EXPECT_EQ(empty->ReverseCount(), 0);
    int entry = 5;
    EXPECT_EQ(empty->FindNearestForward("cat", entry), "");
    EXPECT_EQ(entry, 5);
    EXPECT_EQ(empty->FindNearestReverse("katinas"), -1);
}

// Articles whose headwords are the given words, each with body "<P>n</P>" for its number.
SDictContent Words(std::initializer_list<const char*> words) {
    SDictContent c;
    int n = 0;
    for (const char* w : words)
        c.articles.push_back(Article(w, "<P>" + std::to_string(n++) + "</P>"));
    return c;
}

TEST(FindNearestForward, FindsTheFirstHeadwordWithTheLongestSharedPrefix) {
    CTestDict dict(Words({"apple", "applet", "apply", "bank", "banker", "house", "houses"}),
                   CDictWriter::EOrder::AsGiven);
    struct SCase {
        const char* word;
        int entry;
    };
    for (const SCase& c : {SCase{"apple", 0}, SCase{"APPLE", 0}, SCase{"Apple", 0}, SCase{"applz", 0},
                           SCase{"apply", 2}, SCase{"applyx", 2}, SCase{"bankers", 4}, SCase{"hou", 5},
                           SCase{"housez", 5}, SCase{"b", 3}, SCase{"  bank\t", 3}}) {
        int entry = -1;
        const std::string text = dict->FindNearestForward(c.word, entry);
        EXPECT_EQ(entry, c.entry) << c.word;
        EXPECT_EQ(text, dict->GetArticle(c.entry)) << c.word;
    }
    // Greater than every headword from its first byte: nothing, and the entry keeps its value.
    int entry = 42;
    EXPECT_EQ(dict->FindNearestForward("zebra", entry), "");
    EXPECT_EQ(entry, 42);
    // A shorter prefix matched, the longer one ran off the end of the list: the match stays.
    entry = -1;
    EXPECT_EQ(dict->FindNearestForward("housezzz", entry), dict->GetArticle(5));
    EXPECT_EQ(entry, 5);
    // Š and š differ in the forward direction.
    EXPECT_EQ(dict->FindNearestForward("\xD0", entry = -1), "");
}

TEST(FindForwardPrefix, ResumesFromTheGivenRecordAndTrims) {
    CTestDict dict(Words({"able", "bank", "bank", "banker"}), CDictWriter::EOrder::AsGiven);
    int index = -1;
    EXPECT_EQ(dict->FindForwardPrefix(" ban ", index), "bank\t<P>1</P>");
    EXPECT_EQ(index, 1);
    index = 2;
    EXPECT_EQ(dict->FindForwardPrefix("bank", index), "bank\t<P>2</P>");
    EXPECT_EQ(index, 2);
    index = 3;
    EXPECT_EQ(dict->FindForwardPrefix("bank", index), "banker\t<P>3</P>");
    index = 0;
    EXPECT_EQ(dict->FindForwardPrefix("abc", index), ""); // "abc" sorts before "able"
    EXPECT_EQ(index, -1);
}

TEST(HeadwordSpan, SixtyThreeIsUsedSixtyFourIsSkipped) {
    const std::string w59(59, 'm');                     // span 63
    const std::string w60 = std::string(59, 'm') + "n"; // span 64
    SDictContent c;
    c.articles = {Article("a", "<P>a</P>"),
                  {w59, 0, w59.substr(0, 20) + "\t<P>59</P>"},
                  {w60, 0, w60.substr(0, 20) + "\t<P>60</P>"},
                  Article("z", "<P>z</P>")};
    CTestDict dict(c, CDictWriter::EOrder::AsGiven);
    int entry = -1;
    EXPECT_EQ(dict->FindNearestForward(w59, entry), c.articles[1].text);
    EXPECT_EQ(entry, 1);
    // The 64-byte record is passed over by the search and by the article fetch.
    entry = -1;
    EXPECT_EQ(dict->FindNearestForward(w60, entry), c.articles[1].text);
    EXPECT_EQ(entry, 1);
    EXPECT_EQ(dict->GetArticle(2), "");
    EXPECT_EQ(dict->RenderForward(w60, entry), "");
    EXPECT_EQ(entry, -1);
    // The index row comes from the article itself and is still shown.
    int homonym = -1;
    EXPECT_EQ(dict->GetListHeadword(EDirection::Forward, 2, homonym), w60.substr(0, 20));
}

TEST(GetArticle, OnlyForValidEntries) {
    CTestDict dict(Words({"cat", "dog"}));
    EXPECT_EQ(dict->GetArticle(0), "cat\t<P>0</P>");
    EXPECT_EQ(dict->GetArticle(1), "dog\t<P>1</P>");
    EXPECT_EQ(dict->GetArticle(2), "");
    EXPECT_EQ(dict->GetArticle(-1), "");
}

TEST(GetListHeadword, CutsAtTabAnd127Bytes) {
    SDictContent c;
    const std::string longWord(140, 'w');
    c.articles = {{"abbr", 999, "abbr\t<P>x</P>"},
                  {"bank", 2, "bank\t<P>y</P>"},
                  {"w", 0, longWord},
                  {"x", 0, "x y z"}};
    c.reverse = {{"a\tb", {0}}, {std::string(200, 'k'), {1}}};
    CTestDict dict(c, CDictWriter::EOrder::AsGiven);
    int homonym = -1;
    EXPECT_EQ(dict->GetListHeadword(EDirection::Forward, 0, homonym), "abbr");
    EXPECT_EQ(homonym, 999);
    EXPECT_EQ(dict->GetListHeadword(EDirection::Forward, 1, homonym), "bank");
    EXPECT_EQ(homonym, 2);
    EXPECT_EQ(dict->GetListHeadword(EDirection::Forward, 2, homonym), longWord.substr(0, 127));
    EXPECT_EQ(homonym, 0);
    EXPECT_EQ(dict->GetListHeadword(EDirection::Forward, 3, homonym), "x y z");
    EXPECT_EQ(dict->GetListHeadword(EDirection::Reverse, 0, homonym), "a");
    EXPECT_EQ(homonym, 0);
    EXPECT_EQ(dict->GetListHeadword(EDirection::Reverse, 1, homonym), std::string(127, 'k'));
    EXPECT_EQ(dict->GetListHeadword(EDirection::Forward, 4, homonym), "");
    EXPECT_EQ(dict->GetListHeadword(EDirection::Reverse, -1, homonym), "");
}

TEST(HomonymOrdinal, NumbersRunsOfEqualNeighbours) {
    CTestDict dict(Words({"bank", "bank", "bank", "bat", "cat", "cat", "dog", "bat"}),
                   CDictWriter::EOrder::AsGiven);
    const int last = dict->ArticleCount() - 1;
    const int expected[] = {1, 2, 3, 0, 1, 2, 0, 0};
    for (int e = 0; e <= last; ++e)
        EXPECT_EQ(HomonymOrdinal(*dict, e, last), expected[e]) << e;
    // The neighbour after the last row is not looked at.
    EXPECT_EQ(HomonymOrdinal(*dict, 4, 4), 0);
    EXPECT_EQ(HomonymOrdinal(*dict, -1, last), 0);
    EXPECT_EQ(HomonymOrdinal(*dict, 8, last), 0);
}

} // namespace
