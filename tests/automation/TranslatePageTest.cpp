// SPDX-License-Identifier: GPL-2.0-or-later
// The page the automation's Translate shows, composed without a window.

#include "render/PageComposer.h"
#include "support/TestDict.h"

namespace {

const std::string kStart = "<A NAME=\"#StartPoint\"></A>\r\n";
const std::string kBack = "<BR><A HREF=\"#StartPoint\">\xC1 prad\xFEi\xE0</a>\r\n";
const std::string kRule = "\r\n<HR>\r\n";

SDictContent Words() {
    SDictContent c;
    c.articles = {Article("a", "<P>ne\xFEymimasis artikelis</P>"),
                  Article("cat", "<P>katinas</P>"),
                  Article("dog", "<P>\xF0uo</P>"),
                  {"notitle", 0, "<P>be antra\xF0t\xEBs</P>"}};
    c.reverse = {{"katinas", {1}}};
    return c;
}

std::string Page(CDictFile& dict, std::string_view text, std::string& follow) {
    follow = "unchanged";
    return PageComposer::TranslatePage(dict, text, follow);
}

TEST(TranslatePage, OneWordBringsItsTitleAndNoRowOfLinks) {
    CTestDict dict(Words());
    std::string follow;
    EXPECT_EQ(Page(*dict, "cat", follow),
              "cat\t<A NAME=\"Q0\"></A><A NAME=\"R1\"></A><P>katinas</P>" + kBack);
    EXPECT_EQ(follow, "cat");
    // A trailing bar adds no item.
    EXPECT_EQ(Page(*dict, "cat|", follow),
              "cat\t<A NAME=\"Q0\"></A><A NAME=\"R1\"></A><P>katinas</P>" + kBack);
    EXPECT_EQ(follow, "cat");
    // A word that is no headword: the nearest one's article, titled with that headword.
    EXPECT_EQ(Page(*dict, "cats", follow), "cat\t<A NAME=\"Q0\"></A><P>katinas</P>" + kBack);
    EXPECT_EQ(follow, "cats");
}

TEST(TranslatePage, SeveralWordsAreLinkedFromTheStartAndFollowA) {
    CTestDict dict(Words());
    std::string follow;
    EXPECT_EQ(Page(*dict, "cat|dog", follow),
              kStart + "<A HREF=\"#Q0\">cat</A>&nbsp;<A HREF=\"#Q1\">dog</A>&nbsp;" + kRule +
                  "<A NAME=\"Q0\"></A><A NAME=\"R1\"></A><P>katinas</P>" + kBack + kRule +
                  "<A NAME=\"Q1\"></A><A NAME=\"R1\"></A><P>\xF0uo</P>" + kBack);
    EXPECT_EQ(follow, "a");
    // Spaces do not separate here.
    EXPECT_EQ(Page(*dict, "cat dog", follow), "cat\t<A NAME=\"Q0\"></A><P>katinas</P>" + kBack);
    EXPECT_EQ(follow, "cat dog");
}

TEST(TranslatePage, EmptyItemsAndNoItems) {
    CTestDict dict(Words());
    std::string follow;
    // A leading bar gives an empty first item, which matches the first headword.
    EXPECT_EQ(Page(*dict, "|cat", follow),
              kStart + "<A HREF=\"#Q0\"></A>&nbsp;<A HREF=\"#Q1\">cat</A>&nbsp;" + kRule +
                  "<A NAME=\"Q0\"></A><A NAME=\"R1\"></A><P>ne\xFEymimasis artikelis</P>" + kBack + kRule +
                  "<A NAME=\"Q1\"></A><A NAME=\"R1\"></A><P>katinas</P>" + kBack);
    EXPECT_EQ(follow, "a");
    EXPECT_EQ(Page(*dict, "", follow), "");
    EXPECT_EQ(follow, "");
    // A lone bar is one empty item: the first headword, titled.
    EXPECT_EQ(Page(*dict, "|", follow),
              "a\t<A NAME=\"Q0\"></A><A NAME=\"R1\"></A><P>ne\xFEymimasis artikelis</P>" + kBack);
    EXPECT_EQ(follow, "");
}

TEST(TranslatePage, AnArticleWithoutTitleGoesInWholeBehindItsAnchor) {
    CTestDict dict(Words());
    std::string follow;
    EXPECT_EQ(Page(*dict, "notitle", follow), "<A NAME=\"Q0\"></A><P>be antra\xF0t\xEBs</P>" + kBack);
    EXPECT_EQ(follow, "notitle");
    // Nothing near at all: the anchor and the back link alone.
    EXPECT_EQ(Page(*dict, "\xFE", follow), "<A NAME=\"Q0\"></A>" + kBack);
}

TEST(TranslatePage, ItemsAreCutTo255Bytes) {
    CTestDict dict(Words());
    std::string follow;
    const std::string longWord = "dog" + std::string(300, 'x');
    const std::string page = Page(*dict, "cat|" + longWord, follow);
    EXPECT_NE(page.find("<A HREF=\"#Q1\">" + longWord.substr(0, 255) + "</A>&nbsp;\r\n<HR>"),
              std::string::npos);
    EXPECT_EQ(page.find(longWord.substr(0, 256)), std::string::npos);
    Page(*dict, longWord, follow);
    EXPECT_EQ(follow, longWord.substr(0, 255));
}

} // namespace
