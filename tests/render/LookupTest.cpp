// SPDX-License-Identifier: GPL-2.0-or-later
#include "render/Lookup.h"
#include "dict/WordForms.h"
#include "support/TestDict.h"
#include "support/TestForms.h"

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

// Content for the word forms: "ca" is an inflection record although "cat" begins with it;
// "langai" stands where "languose" lands without forms.
SDictContent FormsContent() {
    SDictContent c = SmallContent();
    c.alternates[3].push_back({"ca", 3});
    c.alternates[3].push_back({"dog", 0});
    c.alternates[0].push_back({"dog", 3}); // a spelling: its own
    c.alternates[1].push_back({"dog", 1}); // a phrase holding it: not shown before its forms
    c.reverse.push_back({"langai", {1}});
    return c;
}

class LookupForms : public ::testing::Test {
protected:
    void SetUp() override { WriteTestForms(m_dir); }
    CTempDir m_dir;
    CWordForms m_english{m_dir.File("en")};
    CWordForms m_lithuanian{m_dir.File("lt")};
};

TEST_F(LookupForms, ForwardTakesTheInflectionRecordThenTheStem) {
    CTestDict dict(FormsContent());
    int entry = -1;
    // A stem that is a headword as a whole.
    Lookup::SResult r = Lookup::Find(*dict, EDirection::Forward, "cats", &m_english);
    EXPECT_EQ(r.how, Lookup::EFound::Form);
    EXPECT_EQ(r.entry, 0);
    EXPECT_FALSE(r.bNearest);
    EXPECT_EQ(r.text, dict->RenderForward("cat", entry));
    EXPECT_EQ(Lookup::FindEntry(*dict, EDirection::Forward, "cats", &m_english), 0);
    // Without forms: the nearest headword, as always.
    r = Lookup::Find(*dict, EDirection::Forward, "cats");
    EXPECT_EQ(r.how, Lookup::EFound::Nearest);
    EXPECT_TRUE(r.bNearest);

    // An inflection record that is the word goes before the headword that only begins with it.
    r = Lookup::Find(*dict, EDirection::Forward, "ca", &m_english);
    EXPECT_EQ(r.how, Lookup::EFound::Form);
    EXPECT_EQ(r.entry, 3);
    EXPECT_EQ(r.text, "house\t<A NAME=\"R1\"></A><P>1. namas</P>");
    EXPECT_EQ(Lookup::FindEntry(*dict, EDirection::Forward, "ca", &m_english), 3);
    EXPECT_EQ(Lookup::Find(*dict, EDirection::Forward, "ca").entry, 0);
    EXPECT_EQ(Lookup::FindEntry(*dict, EDirection::Forward, "ca"), 0);

    // A headword that is an inflection record too: its own articles first, then the other.
    r = Lookup::Find(*dict, EDirection::Forward, "dog", &m_english);
    EXPECT_EQ(r.how, Lookup::EFound::Exact);
    EXPECT_EQ(r.entry, 2);
    EXPECT_EQ(r.text, dict->RenderArticles({2, 3, 0}, entry));
    EXPECT_EQ(Lookup::FindEntry(*dict, EDirection::Forward, "dog", &m_english), 2);
    EXPECT_EQ(Lookup::Find(*dict, EDirection::Forward, "dog").text, dict->RenderForward("dog", entry));
    // Whole words stay as they were; a stem that is no headword leaves the nearest one.
    EXPECT_EQ(Lookup::Find(*dict, EDirection::Forward, "cat", &m_english).how, Lookup::EFound::Exact);
    EXPECT_EQ(Lookup::Find(*dict, EDirection::Forward, "cat", &m_english).text,
              dict->RenderForward("cat", entry));
    EXPECT_EQ(Lookup::Find(*dict, EDirection::Forward, "houses", &m_english).how, Lookup::EFound::Form);
    r = Lookup::Find(*dict, EDirection::Forward, "dogs", &m_english);
    EXPECT_EQ(r.how, Lookup::EFound::Nearest);
    EXPECT_EQ(r.entry, 2);
    EXPECT_EQ(Lookup::Find(*dict, EDirection::Forward, "zebras", &m_english).how, Lookup::EFound::None);
    // A stem without the word's prefix is another word: "redog" is no form of dog.
    EXPECT_EQ(m_english.Stems("redog"), std::vector<std::string>{"dog"});
    EXPECT_EQ(Lookup::Find(*dict, EDirection::Forward, "redog", &m_english).how, Lookup::EFound::None);
    EXPECT_EQ(Lookup::FindEntry(*dict, EDirection::Forward, "redog", &m_english), -1);
    // The other language's stems do not help: "namuose" is no English word.
    EXPECT_EQ(Lookup::Find(*dict, EDirection::Forward, "namuose", &m_english).how, Lookup::EFound::None);
}

TEST_F(LookupForms, ReverseTakesTheFirstStemThatIsARecord) {
    CTestDict dict(FormsContent());
    int index = -1;
    Lookup::SResult r = Lookup::Find(*dict, EDirection::Reverse, "namuose", &m_lithuanian);
    EXPECT_EQ(r.how, Lookup::EFound::Form);
    EXPECT_EQ(dict->GetReverseHeadword(r.entry), "namas");
    EXPECT_EQ(r.text, dict->RenderReverse("namas", &index));
    EXPECT_EQ(r.entry, index);
    EXPECT_EQ(Lookup::FindEntry(*dict, EDirection::Reverse, "namuose", &m_lithuanian), index);
    EXPECT_EQ(Lookup::Find(*dict, EDirection::Reverse, "  namuose ", &m_lithuanian).how,
              Lookup::EFound::Form);
    // šuns -> šuo, through ISO 8859-13.
    r = Lookup::Find(*dict, EDirection::Reverse, "\xF0uns", &m_lithuanian);
    EXPECT_EQ(r.how, Lookup::EFound::Form);
    EXPECT_EQ(dict->GetReverseHeadword(r.entry), "\xF0uo");

    // Without forms, and for a stem that is no record: the nearest record.
    r = Lookup::Find(*dict, EDirection::Reverse, "namuose");
    EXPECT_EQ(r.how, Lookup::EFound::Nearest);
    EXPECT_EQ(Lookup::FindEntry(*dict, EDirection::Reverse, "namuose"), r.entry);
    r = Lookup::Find(*dict, EDirection::Reverse, "languose", &m_lithuanian);
    EXPECT_EQ(r.how, Lookup::EFound::Nearest);
    EXPECT_EQ(dict->GetReverseHeadword(r.entry), "langai");
    EXPECT_EQ(Lookup::FindEntry(*dict, EDirection::Reverse, "languose", &m_lithuanian), r.entry);
    // A record that is the word keeps it.
    r = Lookup::Find(*dict, EDirection::Reverse, "namas", &m_lithuanian);
    EXPECT_EQ(r.how, Lookup::EFound::Exact);
}

TEST(WholeListMatches, GivesEveryArticleOfTheWholeRecordsSortedOrNot) {
    SDictContent c = SmallContent();
    // "ca" twice to one article, once to another; "cab" and "c" are no whole "ca".
    c.alternates[3] = {{"cab", 1}, {"ca", 3}, {"c", 2}, {"CA", 0}, {"ca", 3}, {"ca", 99}};
    for (const CDictWriter::EOrder order : {CDictWriter::EOrder::Sort, CDictWriter::EOrder::AsGiven}) {
        CTestDict dict(c, order);
        for (const bool bIndexes : {true, false}) {
            dict->SetSearchIndexes(bIndexes);
            const std::vector<int> found = dict->WholeListMatches(4, " ca ");
            // An entry past the articles is no match; equal texts keep their given order, and
            // an article comes once.
            EXPECT_EQ(found, (std::vector<int>{3, 0})) << bIndexes;
            EXPECT_EQ(dict->WholeListMatches(4, "cab"), std::vector<int>{1});
            EXPECT_EQ(dict->WholeListMatches(4, "cabs"), std::vector<int>{});
            EXPECT_EQ(dict->WholeListMatches(0, "cat"), std::vector<int>{0});
            EXPECT_EQ(dict->WholeListMatches(4, ""), std::vector<int>{});
            // The link list is no headword list.
            EXPECT_EQ(dict->WholeListMatches(5, "ca"), std::vector<int>{});
        }
        int entry = -1;
        EXPECT_EQ(dict->RenderArticles({3, 99, 0}, entry),
                  "house\t<A HREF=\"#R1\">house\t</A>&nbsp;&nbsp;&nbsp;<A "
                  "HREF=\"#R2\">cat</A>&nbsp;&nbsp;&nbsp;\r\n"
                  "<HR>\r\n<A NAME=\"R1\"></A><P>1. namas</P><HR>\r\n<A NAME=\"R2\"></A><P>katinas</P>");
        EXPECT_EQ(entry, 3);
        EXPECT_EQ(dict->RenderArticles({}, entry), "");
        EXPECT_EQ(entry, -1);
    }
}

// The entry-only search must land where the full one does, on every kind of word: exact, prefix,
// nearest, alternate-only, blank, empty, and words past every headword.
TEST(Lookup, FindEntryAgreesWithFindOnRandomWords) {
    CTempDir formsDir;
    WriteTestForms(formsDir);
    CWordForms english(formsDir.File("en"));
    CWordForms lithuanian(formsDir.File("lt"));
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
                CWordForms* forms = d == EDirection::Forward ? &english : &lithuanian;
                EXPECT_EQ(Lookup::FindEntry(*dict, d, w, forms), Lookup::Find(*dict, d, w, forms).entry)
                    << "'" << w << "' with forms " << static_cast<int>(d);
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
