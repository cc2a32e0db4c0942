// SPDX-License-Identifier: GPL-2.0-or-later
#include "render/PageComposer.h"
#include "support/TestDict.h"

namespace {

using PageComposer::SplitItems;
using Items = std::vector<std::string>;

const std::string kClose = "\r\n</BODY>\r\n</HTML>\r\n";
const std::string kStart = "<A NAME=\"#StartPoint\"></A>\r\n";
const std::string kBack = "<BR><A HREF=\"#StartPoint\">\xC1 prad\xFEi\xE0</a>\r\n";

TEST(SplitItems, SeparatorsEndItemsATrailingOneAddsNone) {
    EXPECT_EQ(SplitItems("cat|dog", '|'), (Items{"cat", "dog"}));
    EXPECT_EQ(SplitItems("|cat", '|'), (Items{"", "cat"}));
    EXPECT_EQ(SplitItems("cat|", '|'), (Items{"cat"}));
    EXPECT_EQ(SplitItems("cat||dog", '|'), (Items{"cat", "", "dog"}));
    EXPECT_EQ(SplitItems("|", '|'), (Items{""}));
    EXPECT_EQ(SplitItems("", '|'), Items{});
    EXPECT_EQ(SplitItems("a b", ' '), (Items{"a", "b"}));
}

TEST(ComposePage, HeadBodyAndClosingTags) {
    EXPECT_EQ(PageComposer::ComposePage("<HTML><BODY>", "<P>x</P>"), "<HTML><BODY><P>x</P>" + kClose);
    EXPECT_EQ(PageComposer::ComposePage("", ""), kClose);
}

SDictContent CatDog() {
    SDictContent c;
    c.articles = {Article("cat", "<P>katinas</P>"),
                  Article("dog", "<P>\xF0uo</P>"),
                  {"notitle", 0, "<P>be antra\xF0t\xEBs</P>"}};
    c.reverse = {{"katinas", {0}}};
    return c;
}

TEST(TranslateHtml, OneWordKeepsTheStartPointButHasNoQAnchors) {
    CTestDict dict(CatDog());
    EXPECT_EQ(PageComposer::TranslateHtml(*dict, "HEAD", "cat"),
              "HEAD" + kStart + "<A NAME=\"R1\"></A><P>katinas</P>" + kBack + kClose);
}

TEST(TranslateHtml, SeveralWordsAreLinkedAndNumberedFromZero) {
    CTestDict dict(CatDog());
    EXPECT_EQ(PageComposer::TranslateHtml(*dict, "HEAD", "cat dog"),
              "HEAD" + kStart + "<A HREF=\"#Q0\">cat</A>&nbsp;<A HREF=\"#Q1\">dog</A>&nbsp;\r\n<HR>\r\n" +
                  "<A NAME=\"Q0\"></A><A NAME=\"R1\"></A><P>katinas</P>" + kBack + "\r\n<HR>\r\n" +
                  "<A NAME=\"Q1\"></A><A NAME=\"R1\"></A><P>\xF0uo</P>" + kBack + kClose);
}

TEST(TranslateHtml, EmptyItemsAndTheNearestHeadword) {
    CTestDict dict(CatDog());
    // An empty argument: the start anchor alone.
    EXPECT_EQ(PageComposer::TranslateHtml(*dict, "H", ""), "H" + kStart + kClose);
    // "dogs" matches no headword: the nearest article's raw text after its TAB. A leading space
    // gives an empty first item, which matches the first headword.
    EXPECT_EQ(PageComposer::TranslateHtml(*dict, "", " dogs"),
              kStart + "<A HREF=\"#Q0\"></A>&nbsp;<A HREF=\"#Q1\">dogs</A>&nbsp;\r\n<HR>\r\n" +
                  "<A NAME=\"Q0\"></A><A NAME=\"R1\"></A><P>katinas</P>" + kBack + "\r\n<HR>\r\n" +
                  "<A NAME=\"Q1\"></A><P>\xF0uo</P>" + kBack + kClose);
    // An article without a title goes in whole.
    EXPECT_EQ(PageComposer::TranslateHtml(*dict, "", "notitle"),
              kStart + "<P>be antra\xF0t\xEBs</P>" + kBack + kClose);
    // Nothing near at all: the back link alone.
    EXPECT_EQ(PageComposer::TranslateHtml(*dict, "", "\xFE"), kStart + kBack + kClose);
}

TEST(TranslateHtml, ItemsAreCutTo255Bytes) {
    CTestDict dict(CatDog());
    const std::string longWord = "cat" + std::string(300, 'x');
    const std::string page = PageComposer::TranslateHtml(*dict, "", longWord + " dog");
    EXPECT_NE(page.find("<A HREF=\"#Q0\">" + longWord.substr(0, 255) + "</A>"), std::string::npos);
    EXPECT_EQ(page.find(longWord.substr(0, 256)), std::string::npos);
}

TEST(TranslateHtmlRev, HeadFragmentAndClosingTags) {
    CTestDict dict(CatDog());
    EXPECT_EQ(PageComposer::TranslateHtmlRev(*dict, "H", "katinas"),
              "H<A NAME=\"R0\"></A><P>katinas</P>" + kClose);
    EXPECT_EQ(PageComposer::TranslateHtmlRev(*dict, "H", "\xFEodis"), "H" + kClose);
}

} // namespace
