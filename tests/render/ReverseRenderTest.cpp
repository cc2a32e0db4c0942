// SPDX-License-Identifier: GPL-2.0-or-later
#include "support/TestDict.h"

namespace {

const std::string kTop = "<A NAME=\"Rbeg\"></A>\r\n";
const std::string kBack = "</P><A CLASS=aback HREF=\"#Rbeg\">\xC1 vir\xF0\xF8</A>\r\n";
const std::string kRule = "<HR>\r\n\r\n";

TEST(RenderReverse, OneArticleGivesItsAnchorAndBodyOnly) {
    SDictContent c;
    c.articles = {Article("house", "<P>1. namas, pastatas</P>")};
    c.reverse = {{"namas", {0}}};
    CTestDict dict(c);
    int index = -9;
    EXPECT_EQ(dict->RenderReverse("namas", &index),
              "<A NAME=\"R0\"></A><P>1. <SPAN CLASS=SELECTED>namas</SPAN>, pastatas</P>");
    EXPECT_EQ(index, 0);
    EXPECT_EQ(dict->RenderReverse("xyz", &index), "");
    EXPECT_EQ(index, -1);
    EXPECT_EQ(dict->RenderReverse("namas"), dict->RenderReverseEntry(0));
}

TEST(RenderReverse, SeveralArticlesGetLinksRulesAndBackLinks) {
    SDictContent c;
    c.articles = {Article("building", "<P>pastatas</P>"), Article("home", "<P>namai</P>"),
                  Article("house", "<P>1. namas, pastatas</P>")};
    c.reverse = {{"namas", {2, 0, 1}}};
    CTestDict dict(c);
    EXPECT_EQ(
        dict->RenderReverseEntry(0),
        kTop + "<A HREF=\"#R2\">house</A>&nbsp;&nbsp;&nbsp; <A HREF=\"#R0\">building</A>&nbsp;&nbsp;&nbsp; " +
            "<A HREF=\"#R1\">home</A>&nbsp;&nbsp;&nbsp; " + kRule +
            "<A NAME=\"R2\"></A><P>1. <SPAN CLASS=SELECTED>namas</SPAN>, pastatas</P>" + kBack + kRule +
            "<A NAME=\"R0\"></A><P>pastatas</P>" + kBack + kRule + "<A NAME=\"R1\"></A><P>namai</P>" + kBack);
}

TEST(RenderReverse, ArticlesWithoutATagAfterTheTitleAreLeftOut) {
    SDictContent c;
    c.articles = {Article("plain", "no tag"),
                  {"lt", 0, "<P>tag first</P>"},
                  {"notab", 0, "no tab <B>x</B>"},
                  {"late", 0, "late <B>tag</B>\tbody"},
                  Article("ok", "<P>ok</P>")};
    // Entry 9 does not exist; entry 3's TAB comes after its first tag.
    c.reverse = {{"w", {0, 1, 2, 9, 4, 3}}};
    CTestDict dict(c, CDictWriter::EOrder::AsGiven);
    // Left-out entries add no rule; the rule after an entry that is shown is kept, even when
    // nothing shown follows it.
    EXPECT_EQ(dict->RenderReverseEntry(0),
              kTop + "<A HREF=\"#R2\"></A>&nbsp;&nbsp;&nbsp; <A HREF=\"#R4\">ok</A>&nbsp;&nbsp;&nbsp; " +
                  kRule + "<A NAME=\"R2\"></A>no tab <B>x</B>" + kBack + kRule +
                  "<A NAME=\"R4\"></A><P>ok</P>" + kBack + kRule);
}

TEST(RenderReverse, ARecordWithoutArticlesShowsOnlyTheTop) {
    SDictContent c;
    c.articles = {Article("a", "<P>a</P>")};
    c.reverse = {{"tu\xF0\xE8ias", {}}, {"vienas", {7}}};
    CTestDict dict(c);
    EXPECT_EQ(dict->RenderReverseEntry(0), kTop + kRule);
    EXPECT_EQ(dict->RenderReverseEntry(1), "");
    EXPECT_EQ(dict->RenderReverseEntry(2), "");
    EXPECT_EQ(dict->RenderReverseEntry(-1), "");
}

// The body of a one-article reverse fragment for word over the article body.
std::string Highlighted(const std::string& word, const std::string& body) {
    SDictContent c;
    c.articles = {{"x", 0, "x\t" + body}};
    c.reverse = {{word, {0}}};
    CTestDict dict(c);
    const std::string fragment = dict->RenderReverseEntry(0);
    const std::string anchor = "<A NAME=\"R0\"></A>";
    return fragment.rfind(anchor, 0) == 0 ? fragment.substr(anchor.size()) : "unexpected: " + fragment;
}

TEST(Highlight, MarksOnlyWholeWordsThatTouchNoTag) {
    const std::string s = "<SPAN CLASS=SELECTED>";
    const std::string e = "</SPAN>";
    // Between a space and a comma: marked. Inside a bold pair, after '[', inside a longer word: not.
    EXPECT_EQ(Highlighted("namas", "<P>1. namas, <B>namas</B> [namas] namasis pranamas</P>"),
              "<P>1. " + s + "namas" + e + ", <B>namas</B> [namas] namasis pranamas</P>");
    // At the end of the body, after a digit, before a hyphen, twice in a row.
    EXPECT_EQ(Highlighted("namas", "<P>7namas-namas namas"),
              "<P>7" + s + "namas" + e + "-" + s + "namas" + e + " " + s + "namas" + e);
    // After a letter with a diacritic or before one: a letter either way.
    EXPECT_EQ(Highlighted("namas", "<P>\xE0namas namas\xFE namas.</P>"),
              "<P>\xE0namas namas\xFE " + s + "namas" + e + ".</P>");
    // Case matters.
    EXPECT_EQ(Highlighted("namas", "<P> Namas NAMAS</P>"), "<P> Namas NAMAS</P>");
}

TEST(Highlight, AnOccurrenceAtTheStartIsSkippedAndTheSearchResumesTwoBytesOn) {
    // Every body begins with its article anchor, so only a word that begins the anchor itself
    // stands at position 0.
    EXPECT_EQ(Highlighted("<A", "<P>x <A y</P>"), "<P>x <SPAN CLASS=SELECTED><A</SPAN> y</P>");
    // Next to the anchor and next to tags: nothing is marked and nothing is read past the end.
    EXPECT_EQ(Highlighted("a", "a a<P>"), "a a<P>");
}

TEST(Highlight, OneByteWordsAndRepeats) {
    const std::string s = "<SPAN CLASS=SELECTED>";
    const std::string e = "</SPAN>";
    EXPECT_EQ(Highlighted("o", "<P> o o, o.</P>"),
              "<P> " + s + "o" + e + " " + s + "o" + e + ", " + s + "o" + e + ".</P>");
    // '>' before stops it, so does '<' after.
    EXPECT_EQ(Highlighted("o", "<P>o</P>"), "<P>o</P>");
}

} // namespace
