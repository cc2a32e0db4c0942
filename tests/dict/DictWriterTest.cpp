// SPDX-License-Identifier: GPL-2.0-or-later
#include "support/TestDict.h"

namespace {

std::string U32(std::uint32_t v) {
    std::string s(4, '\0');
    SetWordAt(s, 0, v);
    return s;
}

std::string Scrambled(std::string text, std::uint32_t seed) {
    CDictFile::Descramble(text.data(), text.size(), seed);
    return text;
}

TEST(DictWriter, WritesTheExactLayout) {
    SDictContent c;
    c.articles = {{"b", 0, "b\tB"}, {"a", 2, "a\tA"}};
    c.alternates[1] = {{"aa", 1}};
    c.links = {{"bee", 0}, {"ay", 1}};
    c.reverse = {{"zz", {0}}, {"ab", {1, 0}}};
    const std::string image = CDictWriter::Build(c);

    // Sorted: article 0 is "a", so every reference to the given article 1 now reads 0.
    const std::string mainTable = U32(0) + U32(5) + U32(10);
    const std::string mainData = U32(0) + Scrambled("a", 0) + U32(1) + Scrambled("b", 1);
    const std::string emptyTable = U32(0);
    const std::string emptyData;
    const std::string alt2Table = U32(0) + U32(6);
    const std::string alt2Data = U32(0) + Scrambled("aa", 0);
    const std::string linkTable = U32(0) + U32(6) + U32(13);
    const std::string linkData = U32(0) + Scrambled("ay", 0) + U32(1) + Scrambled("bee", 1);
    const std::string articleTable = U32(0) + U32(7) + U32(14);
    const std::string articleData = U32(2) + Scrambled("a\tA", 0) + U32(0) + Scrambled("b\tB", 1);
    // "ab" names both articles (m = 3, text at offset 12), "zz" the second (m = 2, text at 14 + 8).
    const std::string reverseTable = U32(0) + U32(14) + U32(24);
    const std::string reverseData =
        U32(3) + U32(0) + U32(1) + Scrambled("ab", 12) + U32(2) + U32(1) + Scrambled("zz", 22);

    std::string header = U32(DictFormat::kMagic) + U32(DictFormat::kRevision) + U32(188);
    for (const std::string* s :
         {&mainTable, &mainData, &emptyTable, &emptyData, &alt2Table, &alt2Data, &emptyTable, &emptyData,
          &emptyTable, &emptyData, &linkTable, &linkData, &articleTable, &articleData, &reverseTable})
        header += U32(static_cast<std::uint32_t>(s->size()));
    header += std::string(188 - header.size(), '\0');
    const std::string expected = header + mainTable + mainData + emptyTable + emptyData + alt2Table +
                                 alt2Data + emptyTable + emptyData + emptyTable + emptyData + linkTable +
                                 linkData + articleTable + articleData + reverseTable + reverseData;
    EXPECT_EQ(image, expected);
}

TEST(DictWriter, SortsStablyAndKeepsReferencesWithTheirArticles) {
    SDictContent c;
    c.articles = {Article("Bank", "<P>2</P>", 2), Article("apple", "<P>a</P>"),
                  Article("bank", "<P>1</P>", 1), Article("\xE0\xFEuolas", "<P>q</P>")};
    c.alternates[0] = {{"pomme", 1}, {"banc", 2}, {"broken", 17}};
    c.reverse = {{"\xFEodis", {3, 0}}, {"bankas", {0, 2}}, {"obuolys", {1}}};
    CTestDict dict(c);
    ASSERT_EQ(dict.OpenResult(), 0);
    // Equal under the forward collation ("Bank", "bank"): given order kept.
    int homonym = 0;
    EXPECT_EQ(dict->GetListHeadword(EDirection::Forward, 0, homonym), "apple");
    EXPECT_EQ(dict->GetListHeadword(EDirection::Forward, 1, homonym), "Bank");
    EXPECT_EQ(homonym, 2);
    EXPECT_EQ(dict->GetListHeadword(EDirection::Forward, 2, homonym), "bank");
    EXPECT_EQ(dict->GetListHeadword(EDirection::Forward, 3, homonym), "\xE0\xFEuolas");
    int entry = -1;
    EXPECT_EQ(dict->RenderForward("pomme", entry), "apple\t<A NAME=\"R1\"></A><P>a</P>");
    EXPECT_EQ(entry, 0);
    EXPECT_EQ(dict->RenderForward("banc", entry), "bank\t<A NAME=\"R1\"></A><P>1</P>");
    EXPECT_EQ(entry, 2);
    // Reverse list by letter weights: bankas, obuolys, žodis; entry numbers renumbered.
    EXPECT_EQ(dict->GetReverseHeadword(0), "bankas");
    EXPECT_EQ(dict->GetReverseHeadword(2), "\xFEodis");
    ASSERT_EQ(dict->FindReversePrefix("bankas", -1), 0);
    EXPECT_EQ(dict->EntryList(0)[1], 1);
    EXPECT_EQ(dict->EntryList(0)[2], 2);
    ASSERT_EQ(dict->FindReversePrefix("\xFEodis", -1), 2);
    EXPECT_EQ(dict->EntryList(2)[1], 3);
    EXPECT_EQ(dict->EntryList(2)[2], 1);
}

TEST(DictWriter, WriteFileReplacesTheFileWhole) {
    CTempDir dir;
    const std::string path = dir.File("x.dic");
    WriteBytes(path, "old");
    std::string error;
    SDictContent c;
    c.articles = {Article("cat", "<P>katinas</P>")};
    ASSERT_TRUE(CDictWriter::WriteFile(path, c, CDictWriter::EOrder::Sort, &error)) << error;
    CDictFile dict;
    dict.SetPath(path);
    ASSERT_EQ(dict.Open(), 0);
    EXPECT_EQ(dict.GetArticle(0), "cat\t<P>katinas</P>");
    EXPECT_FALSE(std::filesystem::exists(path + ".part"));

    EXPECT_FALSE(
        CDictWriter::WriteFile(dir.File("no/such/folder/x.dic"), c, CDictWriter::EOrder::Sort, &error));
    EXPECT_NE(error.find("no/such/folder"), std::string::npos);
}

// The lists a written file records as in order and whole: every one a sorted file holds; one left
// out of order, or with a record no reader reads, is not recorded and is checked as before.
TEST(DictWriter, WriteFileRecordsTheListsAReaderMayTakeAsTheyStand) {
    CTempDir dir;
    SDictContent c;
    c.articles = {Article("cat", "<P>katinas</P>"), Article("dog", "<P>\xF0uo</P>"),
                  Article("house", "<P>namas</P>")};
    c.alternates[3] = {{"mice", 0}, {"houses", 2}};
    c.reverse = {{"namas", {2}}, {"\xF0uo", {1}}};
    struct SCase {
        const char* name;
        CDictWriter::EOrder order;
        std::uint32_t mask;
    } cases[] = {
        {"sorted", CDictWriter::EOrder::Sort, 0xFF},
        // Given as it stands: alternate list 4 ("mice" before "houses") and the reverse list
        // ("namas" before "šuo" is in order, "šuo" then "namas" is not) out of order.
        {"given", CDictWriter::EOrder::AsGiven,
         0xFF & ~DictFormat::ListViewBit(4) & ~DictFormat::kReverseViewBit},
    };
    c.reverse = {{"\xF0uo", {1}}, {"namas", {2}}};
    for (const SCase& k : cases) {
        const std::string path = dir.File(std::string(k.name) + ".dic");
        std::string error;
        ASSERT_TRUE(CDictWriter::WriteFile(path, c, k.order, &error)) << error;
        const std::string image = ReadAll(path);
        EXPECT_EQ(WordAt(image, 4 * DictFormat::kViewsTagWord), DictFormat::kViewsTag) << k.name;
        EXPECT_EQ(WordAt(image, 4 * DictFormat::kViewsMaskWord), k.mask) << k.name;
        // Only those two words differ from the image Build gives.
        std::string built = CDictWriter::Build(c, k.order);
        SetWordAt(built, 4 * DictFormat::kViewsTagWord, DictFormat::kViewsTag);
        SetWordAt(built, 4 * DictFormat::kViewsMaskWord, k.mask);
        EXPECT_EQ(image, built) << k.name;
    }
}

// A file that claims an order its lists do not have gives answers, maybe wrong ones, and reads
// nothing outside itself; one whose claim is true answers exactly as one that makes none.
TEST(DictWriter, RecordedViewsAnswerAsTheCheckedOnes) {
    SDictContent c;
    c.articles = {Article("cat", "<P>katinas</P>"), Article("catch", "<P>gaudyti</P>"),
                  Article("dog", "<P>\xF0uo</P>"), Article("house", "<P>namas</P>")};
    c.alternates[3] = {{"mice", 0}, {"houses", 3}};
    c.reverse = {{"namas", {3}}, {"\xF0uo", {2}}, {"katinas", {0}}};
    for (const CDictWriter::EOrder order : {CDictWriter::EOrder::Sort, CDictWriter::EOrder::AsGiven}) {
        const std::string plain = CDictWriter::Build(c, order);
        std::string claimed = plain;
        SetWordAt(claimed, 4 * DictFormat::kViewsTagWord, DictFormat::kViewsTag);
        SetWordAt(claimed, 4 * DictFormat::kViewsMaskWord, 0xFFFFFFFFu);
        CTestDict checked(plain);
        CTestDict trusted(claimed);
        for (const char* word :
             {"", "c", "cat", "catc", "dog", "hou", "houses", "mice", "zzz", "\xF0", "nam", "k"}) {
            int a = -2, b = -2;
            const std::string forward = trusted->RenderForward(word, b);
            const std::string reverse = trusted->RenderReverse(word, &b);
            if (order == CDictWriter::EOrder::Sort) {
                EXPECT_EQ(forward, checked->RenderForward(word, a)) << word;
                EXPECT_EQ(reverse, checked->RenderReverse(word, &a)) << word;
                EXPECT_EQ(trusted->FindNearestReverse(word), checked->FindNearestReverse(word)) << word;
            }
        }
    }
}

} // namespace
