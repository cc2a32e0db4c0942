// SPDX-License-Identifier: GPL-2.0-or-later
#include "render/Lookup.h"
#include "support/TestDict.h"

#include <random>
#include <vector>

namespace {

SDictContent SmallContent() {
    SDictContent c;
    c.articles = {Article("cat", "<P>katinas</P>"), Article("catch", "<P>gaudyti</P>"),
                  Article("dog", "<P>\xF0uo</P>"), Article("house", "<P>1. namas</P>")};
    // "mice" only in an alternate list, leading to "cat" for the test's sake.
    c.alternates[3] = {{"mice", 0}, {"houses", 3}};
    c.reverse = {{"namas", {3}}, {"\xF0uo", {2}}};
    return c;
}

TEST(Lookup, ForwardGivesEveryMatchElseTheNearestHeadword) {
    CTestDict dict(SmallContent());
    Lookup::SResult r = Lookup::Find(*dict, EDirection::Forward, "cat");
    EXPECT_EQ(r.entry, 0);
    EXPECT_FALSE(r.bNearest);
    EXPECT_EQ(r.how, Lookup::EFound::Exact);
    int entry = -1;
    EXPECT_EQ(r.text, dict->RenderForward("cat", entry));

    // Found through an alternate list only: still a match, not a nearest headword.
    r = Lookup::Find(*dict, EDirection::Forward, "mice");
    EXPECT_EQ(r.entry, 0);
    EXPECT_FALSE(r.bNearest);
    EXPECT_EQ(r.how, Lookup::EFound::Form);
    // The beginning of an inflection is no form of anything: the headword only begins like it.
    EXPECT_EQ(Lookup::Find(*dict, EDirection::Forward, "mic").how, Lookup::EFound::Nearest);
    EXPECT_EQ(Lookup::Find(*dict, EDirection::Forward, "CAT ").how, Lookup::EFound::Exact);

    r = Lookup::Find(*dict, EDirection::Forward, "hou");
    EXPECT_EQ(r.entry, 3);
    EXPECT_FALSE(r.bNearest);
    EXPECT_EQ(r.how, Lookup::EFound::Nearest);

    r = Lookup::Find(*dict, EDirection::Forward, "dogma");
    EXPECT_EQ(r.entry, 2);
    EXPECT_TRUE(r.bNearest);
    EXPECT_EQ(r.how, Lookup::EFound::Nearest);
    EXPECT_EQ(r.text, "dog\t<P>\xF0uo</P>");

    // Not even the first byte: nothing, and no nearest headword either.
    r = Lookup::Find(*dict, EDirection::Forward, "zebra");
    EXPECT_EQ(r.entry, -1);
    EXPECT_FALSE(r.bNearest);
    EXPECT_EQ(r.how, Lookup::EFound::None);
    EXPECT_EQ(r.text, "");
}

TEST(Lookup, ReverseGivesTheNearestRecordsFragment) {
    CTestDict dict(SmallContent());
    const Lookup::SResult r = Lookup::Find(*dict, EDirection::Reverse, "namai");
    int index = -2;
    EXPECT_EQ(r.text, dict->RenderReverse("namai", &index));
    EXPECT_EQ(r.entry, index);
    EXPECT_EQ(r.entry, 0);
    EXPECT_EQ(r.how, Lookup::EFound::Nearest);
    EXPECT_EQ(Lookup::Find(*dict, EDirection::Reverse, "NAMAS").how, Lookup::EFound::Exact);
    EXPECT_EQ(Lookup::Find(*dict, EDirection::Reverse, "nama").how, Lookup::EFound::Nearest);
    EXPECT_EQ(Lookup::Find(*dict, EDirection::Reverse, "").entry, -1);
    EXPECT_EQ(Lookup::Find(*dict, EDirection::Reverse, "").how, Lookup::EFound::None);
}

// The entry-only search must land where the full one does, on every kind of word: exact, prefix,
// nearest, alternate-only, blank, empty, and words past every headword.
TEST(Lookup, FindEntryAgreesWithFindOnRandomWords) {
    std::mt19937 random(20261209);
    const std::string letters = "abcdeh \t";
    for (int round = 0; round < 20; ++round) {
        SDictContent c;
        const int n = 1 + static_cast<int>(random() % 40);
        const auto word = [&](int maxLength) {
            std::string w;
            const int length = static_cast<int>(random() % static_cast<unsigned>(maxLength + 1));
            for (int k = 0; k < length; ++k)
                w += letters[random() % letters.size()];
            return w;
        };
        for (int i = 0; i < n; ++i)
            c.articles.push_back(Article(word(5), "<P>x</P>"));
        for (auto& list : c.alternates)
            for (int i = 0; i < 5; ++i)
                list.push_back({word(6), static_cast<std::int32_t>(random() % static_cast<unsigned>(n))});
        for (int i = 0; i < 10; ++i)
            c.reverse.push_back({word(5), {static_cast<std::int32_t>(random() % static_cast<unsigned>(n))}});
        CTestDict dict(c);
        ASSERT_EQ(dict.OpenResult(), CDictFile::kOpenOk);
        for (int q = 0; q < 200; ++q) {
            const std::string w = word(7);
            for (const EDirection d : {EDirection::Forward, EDirection::Reverse}) {
                const int full = Lookup::Find(*dict, d, w).entry;
                EXPECT_EQ(Lookup::FindEntry(*dict, d, w), full) << "'" << w << "' " << static_cast<int>(d);
            }
            int entry = -1;
            dict->RenderForward(w, entry);
            EXPECT_EQ(dict->FirstForwardMatch(w), entry) << w;
            entry = -1;
            dict->FindNearestForward(w, entry);
            EXPECT_EQ(dict->NearestForwardEntry(w), entry) << w;
        }
    }
}

} // namespace
