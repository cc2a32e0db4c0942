// SPDX-License-Identifier: GPL-2.0-or-later
#include "support/TestDict.h"

namespace {

// Reverse records with the given texts, record i naming article i; the articles are all "x".
SDictContent ReverseWords(std::initializer_list<std::string> words) {
    SDictContent c;
    for (const std::string& w : words) {
        c.articles.push_back(Article("x" + std::to_string(c.articles.size()), "<P>" + w + "</P>"));
        c.reverse.push_back({w, {static_cast<std::int32_t>(c.reverse.size())}});
    }
    return c;
}

TEST(FindNearestReverse, MatchesByLetterWeights) {
    // ąžuolas (E0 FE), Ąžuolas, ažuolas match each other; azuolas sorts before them.
    CTestDict dict(ReverseWords({"azuolas", "a\xFEuolas", "b-c", "byla", "namas", "namelis"}));
    EXPECT_EQ(dict->FindNearestReverse("\xE0\xFEuolas"), 1);
    EXPECT_EQ(dict->FindNearestReverse("\xC0\xFEuolas"), 1);
    EXPECT_EQ(dict->FindNearestReverse("azuolas"), 0);
    // y and i weigh the same; a hyphen, a space and a digit too.
    EXPECT_EQ(dict->FindNearestReverse("bila"), 3);
    EXPECT_EQ(dict->FindNearestReverse("b c"), 2);
    EXPECT_EQ(dict->FindNearestReverse("b7c"), 2);
    // The first record whose text begins with the longest prefix that begins any record.
    EXPECT_EQ(dict->FindNearestReverse("nam"), 4);
    EXPECT_EQ(dict->FindNearestReverse("name"), 5);
    EXPECT_EQ(dict->FindNearestReverse("namasxyz"), 4);
    // Record 0 is found like any other.
    EXPECT_EQ(dict->FindNearestReverse("az"), 0);
    EXPECT_EQ(dict->FindNearestReverse(""), -1);
}

TEST(FindNearestReverse, ALetterWithoutRecordsScansFromRecordZero) {
    CTestDict dict(ReverseWords({"bala", "dar", "\xE8ia"})); // sorted: bala, čia, dar
    // No record begins with c: slot 0 is record 0, and the scan stops at "čia", which sorts after.
    EXPECT_EQ(dict->FirstLetterSlot(CDictFile::LetterWeight('c')), 0);
    EXPECT_EQ(dict->FindNearestReverse("cukrus"), -1);
    EXPECT_EQ(dict->FirstLetterSlot(CDictFile::LetterWeight('d')), 2);
    EXPECT_EQ(dict->FirstLetterSlot(CDictFile::LetterWeight(0xC8)), 1); // Č
    EXPECT_EQ(dict->FindNearestReverse("\xC8IA"), 1);
    // Past the last record.
    EXPECT_EQ(dict->FindNearestReverse("\xFEodis"), -1);
}

TEST(FindReversePrefix, FindsTheRecordWhoseEntryListLeadsOn) {
    SDictContent c = ReverseWords({"alus", "namas"});
    c.reverse[1].entries = {1, 0, 1};
    CTestDict dict(c);
    EXPECT_EQ(dict->FindReversePrefix("na", -1), 1);
    EXPECT_EQ(dict->EntryList(1)[0], 4);
    EXPECT_EQ(dict->EntryList(1)[1], 1);
    EXPECT_EQ(dict->EntryList(1)[2], 0);
    EXPECT_EQ(dict->EntryList(1)[3], 1);
    EXPECT_EQ(dict->FindReversePrefix("na", 2), -1); // from record 2: nothing is left
    EXPECT_EQ(dict->FindReversePrefix("al", 1), -1); // "namas" sorts after "al"
}

TEST(ReverseText, TwoHundredFiftyFiveIsUsedTwoHundredFiftySixIsSkipped) {
    const std::string t255 = "k" + std::string(254, 'a');
    const std::string t256 = "k" + std::string(254, 'a') + "b";
    CTestDict dict(ReverseWords({t255, t256, "kz"}));
    EXPECT_EQ(dict->FindNearestReverse(t255), 0);
    EXPECT_EQ(dict->GetReverseHeadword(0), t255);
    // The 256-byte record is passed over by the search and by the headword fetch, but its index
    // row still shows its first 127 bytes.
    EXPECT_EQ(dict->FindNearestReverse(t256), 0);
    EXPECT_EQ(dict->GetReverseHeadword(1), "");
    int homonym = -1;
    EXPECT_EQ(dict->GetListHeadword(EDirection::Reverse, 1, homonym), t256.substr(0, 127));
    EXPECT_EQ(dict->FindNearestReverse("kz"), 2);
}

TEST(GetReverseHeadword, WholeTextForValidIndexes) {
    CTestDict dict(ReverseWords({"alus", "namas\tx"}));
    EXPECT_EQ(dict->GetReverseHeadword(0), "alus");
    EXPECT_EQ(dict->GetReverseHeadword(1), "namas\tx");
    EXPECT_EQ(dict->GetReverseHeadword(2), "");
    EXPECT_EQ(dict->GetReverseHeadword(-1), "");
}

} // namespace
