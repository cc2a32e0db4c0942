// SPDX-License-Identifier: GPL-2.0-or-later
#include "support/TestDict.h"

namespace {

TEST(RenderForward, OneMatchGivesTitleTabAnchorAndBody) {
    SDictContent c;
    c.articles = {Article("cat", "<P>katinas</P>"), Article("dog", "<P>\xF0uo</P>")};
    CTestDict dict(c);
    int entry = 9;
    EXPECT_EQ(dict->RenderForward("  Cat \r\n", entry), "cat\t<A NAME=\"R1\"></A><P>katinas</P>");
    EXPECT_EQ(entry, 0);
    EXPECT_EQ(dict->RenderForward("cow", entry), "");
    EXPECT_EQ(entry, -1);
}

TEST(RenderForward, HomonymsGetALinkRowWithSuperscripts) {
    SDictContent c;
    c.articles = {Article("bank", "<P>krantas</P>", 1), Article("bank", "<P>bankas</P>", 2),
                  Article("bar", "<P>baras</P>")};
    CTestDict dict(c);
    int entry = -1;
    EXPECT_EQ(dict->RenderForward("bank", entry),
              "bank\t"
              "<A HREF=\"#R1\">bank\t</A><sup><small>1</sup></small>&nbsp;&nbsp;&nbsp;"
              "<A HREF=\"#R2\">bank</A><sup><small>2</sup></small>&nbsp;&nbsp;&nbsp;\r\n"
              "<HR>\r\n"
              "<A NAME=\"R1\"></A><P>krantas</P>"
              "<HR>\r\n<A NAME=\"R2\"></A><P>bankas</P>");
    EXPECT_EQ(entry, 0);
}

TEST(RenderForward, AbbreviationsAndPlainArticlesGetNoSuperscript) {
    SDictContent c;
    c.articles = {Article("UN", "<P>JT</P>", 999), Article("un", "<P>ne</P>", 0)};
    CTestDict dict(c);
    int entry = -1;
    EXPECT_EQ(
        dict->RenderForward("un", entry),
        "UN\t<A HREF=\"#R1\">UN\t</A>&nbsp;&nbsp;&nbsp;<A HREF=\"#R2\">un</A>&nbsp;&nbsp;&nbsp;\r\n<HR>\r\n"
        "<A NAME=\"R1\"></A><P>JT</P><HR>\r\n<A NAME=\"R2\"></A><P>ne</P>");
}

TEST(RenderForward, APrefixFindsTheFirstHeadwordThenOnlyExactOnes) {
    SDictContent c;
    c.articles = {Article("hound", "<P>skalikas</P>"), Article("hou", "<P>?</P>"),
                  Article("house", "<P>namas</P>"), Article("hous", "<P>x</P>")};
    // As given: "hou" after "hound" breaks the order on purpose, so that the exact rule shows.
    CTestDict dict(c, CDictWriter::EOrder::AsGiven);
    int entry = -1;
    // "hous" begins "house" first; after that only headwords equal to "hous" join it.
    EXPECT_EQ(
        dict->RenderForward("hous", entry),
        "house\t<A HREF=\"#R1\">house\t</A>&nbsp;&nbsp;&nbsp;<A HREF=\"#R2\">hous</A>&nbsp;&nbsp;&nbsp;\r\n"
        "<HR>\r\n<A NAME=\"R1\"></A><P>namas</P><HR>\r\n<A NAME=\"R2\"></A><P>x</P>");
    EXPECT_EQ(entry, 2);
}

TEST(RenderForward, AnEmptyWordRendersTheFirstUsableHeadword) {
    SDictContent c;
    const std::string tooLong(60, 'a');
    c.articles = {{tooLong, 0, "aa\t<P>long</P>"}, Article("b", "<P>b</P>"), Article("c", "<P>c</P>")};
    CTestDict dict(c, CDictWriter::EOrder::AsGiven);
    int entry = -1;
    EXPECT_EQ(dict->RenderForward(" \t", entry), "b\t<A NAME=\"R1\"></A><P>b</P>");
    EXPECT_EQ(entry, 1);
}

TEST(RenderForward, LaterArticlesWithoutTitleGetNoLink) {
    SDictContent c;
    c.articles = {Article("tab", "<P>1</P>"),
                  {"tab", 0, "<P>no title</P>"},
                  {"tab", 0, std::string(32, 't') + "\t<P>late tab</P>"}};
    CTestDict dict(c, CDictWriter::EOrder::AsGiven);
    int entry = -1;
    EXPECT_EQ(dict->RenderForward("tab", entry), "tab\t<A HREF=\"#R1\">tab\t</A>&nbsp;&nbsp;&nbsp;<HR>\r\n"
                                                 "<A NAME=\"R1\"></A><P>1</P>"
                                                 "<HR>\r\n<A NAME=\"R2\"></A><P>no title</P>"
                                                 "<HR>\r\n<A NAME=\"R3\"></A>" +
                                                     std::string(32, 't') + "\t<P>late tab</P>");
}

TEST(RenderForward, TheTitleTabMustBeWithinThirtyTwoBytes) {
    SDictContent c;
    c.articles = {{"a", 0, std::string(31, 'a') + "\t<P>31</P>"},
                  {"b", 0, std::string(32, 'b') + "\t<P>32</P>"}};
    CTestDict dict(c, CDictWriter::EOrder::AsGiven);
    int entry = -1;
    EXPECT_EQ(dict->RenderForward("a", entry), std::string(31, 'a') + "\t<A NAME=\"R1\"></A><P>31</P>");
    // Without a title part the whole text is the body and no anchor is added.
    EXPECT_EQ(dict->RenderForward("b", entry), std::string(32, 'b') + "\t<P>32</P>");
    EXPECT_EQ(entry, 1);
}

// The main list "a0" ... with the given number of headwords, then "zebra"; alternate list 1 with
// "zebra" for article 0.
SDictContent LongList(int count) {
    SDictContent c;
    c.articles.push_back(Article("zebra", "<P>zebras</P>"));
    for (int i = 0; i < count; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "y%03d", i);
        c.articles.push_back(Article(name, "<P>" + std::string(name) + "</P>"));
    }
    c.articles.push_back(Article("zebra", "<P>zebras 2</P>"));
    c.alternates[0] = {{"zebra", static_cast<std::int32_t>(c.articles.size() - 1)}};
    return c;
}

TEST(RenderForward, StopsAHundredRecordsAfterTheFirstMatch) {
    // "y000".."y099" after the first "zebra": 100 records, the limit is not passed, so the
    // alternate list's "zebra" is still found.
    {
        SDictContent c;
        c.articles.push_back(Article("y", "<P>y</P>"));
        for (int i = 0; i < 99; ++i)
            c.articles.push_back(Article("yy" + std::to_string(100 + i), "<P>.</P>"));
        c.alternates[0] = {{"y", 0}};
        CTestDict dict(c, CDictWriter::EOrder::AsGiven);
        int entry = -1;
        // 99 non-matching main records, then the alternate "y": l reaches 99, the match counts 1.
        EXPECT_EQ(
            dict->RenderForward("y", entry),
            "y\t<A HREF=\"#R1\">y\t</A>&nbsp;&nbsp;&nbsp;<A HREF=\"#R2\">y</A>&nbsp;&nbsp;&nbsp;\r\n<HR>\r\n"
            "<A NAME=\"R1\"></A><P>y</P><HR>\r\n<A NAME=\"R2\"></A><P>y</P>");
    }
    {
        SDictContent c;
        c.articles.push_back(Article("y", "<P>y</P>"));
        for (int i = 0; i < 101; ++i)
            c.articles.push_back(Article("yy" + std::to_string(100 + i), "<P>.</P>"));
        c.alternates[0] = {{"y", 0}};
        CTestDict dict(c, CDictWriter::EOrder::AsGiven);
        int entry = -1;
        // 101 non-matching records: the main list stops, and alternate list 1 stops at once
        // unless its first record matches, which it does.
        EXPECT_EQ(
            dict->RenderForward("y", entry),
            "y\t<A HREF=\"#R1\">y\t</A>&nbsp;&nbsp;&nbsp;<A HREF=\"#R2\">y</A>&nbsp;&nbsp;&nbsp;\r\n<HR>\r\n"
            "<A NAME=\"R1\"></A><P>y</P><HR>\r\n<A NAME=\"R2\"></A><P>y</P>");
        // A match behind a non-matching record of the alternate list is not reached.
        c.alternates[0] = {{"x", 0}, {"y", 0}};
        CTestDict dict2(c, CDictWriter::EOrder::AsGiven);
        EXPECT_EQ(dict2->RenderForward("y", entry), "y\t<A NAME=\"R1\"></A><P>y</P>");
        // With 99 non-matching main records the miss makes exactly 100 and the record behind
        // is still reached.
        c.articles.resize(100);
        CTestDict dict3(c, CDictWriter::EOrder::AsGiven);
        EXPECT_EQ(
            dict3->RenderForward("y", entry),
            "y\t<A HREF=\"#R1\">y\t</A>&nbsp;&nbsp;&nbsp;<A HREF=\"#R2\">y</A>&nbsp;&nbsp;&nbsp;\r\n<HR>\r\n"
            "<A NAME=\"R1\"></A><P>y</P><HR>\r\n<A NAME=\"R2\"></A><P>y</P>");
    }
}

TEST(RenderForward, AlternateListsAreScannedToTheEndBeforeAnyMatch) {
    SDictContent c = LongList(150);
    c.articles.pop_back(); // no second "zebra" in the main list: no match before the alternates
    c.articles[0] = Article("zoo", "<P>zoologijos sodas</P>");
    c.alternates[0] = {{"aaa", 1}, {"bbb", 2}, {"zebra", 0}};
    c.alternates[2] = {{"zebra", 3}};
    CTestDict dict(c, CDictWriter::EOrder::AsGiven);
    int entry = -1;
    EXPECT_EQ(dict->RenderForward("zebra", entry),
              "zoo\t<A HREF=\"#R1\">zoo\t</A>&nbsp;&nbsp;&nbsp;<A "
              "HREF=\"#R2\">y002</A>&nbsp;&nbsp;&nbsp;\r\n<HR>\r\n"
              "<A NAME=\"R1\"></A><P>zoologijos sodas</P><HR>\r\n<A NAME=\"R2\"></A><P>y002</P>");
    EXPECT_EQ(entry, 0);
}

TEST(RenderLinkTarget, ScansOnlyTheLinkListAndStopsAtTheFirstMiss) {
    SDictContent c;
    c.articles = {Article("bank", "<P>krantas</P>", 1), Article("bank", "<P>bankas</P>", 2),
                  Article("rest", "<P>poilsis</P>")};
    c.alternates[0] = {{"rest", 2}};
    c.links = {{"bank", 0}, {"bank", 1}, {"rest", 2}, {"zzz", 2}, {"rest", 0}};
    CTestDict dict(c, CDictWriter::EOrder::AsGiven);
    int entry = -1;
    EXPECT_EQ(dict->RenderLinkTarget("bank", entry),
              "bank\t<A HREF=\"#R1\">bank\t</A><sup><small>1</sup></small>&nbsp;&nbsp;&nbsp;"
              "<A HREF=\"#R2\">bank</A><sup><small>2</sup></small>&nbsp;&nbsp;&nbsp;<HR>\r\n"
              "<A NAME=\"R1\"></A><P>krantas</P><HR>\r\n<A NAME=\"R2\"></A><P>bankas</P>");
    EXPECT_EQ(entry, 0);
    // "zzz" stands between the two "rest" records: the second one is never reached.
    EXPECT_EQ(dict->RenderLinkTarget("REST", entry), "rest\t<A NAME=\"R1\"></A><P>poilsis</P>");
    EXPECT_EQ(entry, 2);
    EXPECT_EQ(dict->RenderLinkTarget("nothing", entry), "");
    EXPECT_EQ(entry, -1);
}

} // namespace
