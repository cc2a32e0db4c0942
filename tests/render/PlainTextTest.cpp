// SPDX-License-Identifier: GPL-2.0-or-later
#include "render/PlainText.h"

#include <gtest/gtest.h>

namespace {

TEST(PlainText, BlocksBecomeLinesAndEntitiesAreDecoded) {
    EXPECT_EQ(
        PlainText::FromHtml("<P CLASS=hw><B>house</B> <SPAN CLASS=pron>[ha&#650;s]</SPAN> <I>dkt.</I></P>\r\n"
                            "<P CLASS=sense>\r\n1. namas,\r\n   pastatas\r\n</P>\r\n"
                            "<P>2. &lt;\xE0&gt; &amp; &#x259;&nbsp;x</P>"),
        "house [haʊs] dkt.\n1. namas, pastatas\n2. <ą> & ə x\n");
}

TEST(PlainText, RulesBackLinksAndBreaks) {
    EXPECT_EQ(PlainText::FromHtml(
                  "<A NAME=\"Rbeg\"></A>\r\n<A HREF=\"#R2\">house</A>&nbsp;&nbsp;&nbsp; <HR>\r\n\r\n"
                  "<A NAME=\"R2\"></A><P>a<BR>b</P><A CLASS=aback HREF=\"#Rbeg\">\xC1 vir\xF0\xF8</A>\r\n"),
              "house\n" + std::string(40, '-') + "\na\nb\n");
}

TEST(PlainText, HomonymNumbersAreSuperscripts) {
    EXPECT_EQ(
        PlainText::FromHtml("<A HREF=\"#R1\">bank\t</A><sup><small>1</sup></small>&nbsp;&nbsp;&nbsp;"
                            "<A HREF=\"#R2\">bank</A><sup><small>12</sup></small>&nbsp;&nbsp;&nbsp;\r\n<HR>"),
        "bank¹   bank¹²\n" + std::string(40, '-') + "\n");
}

TEST(PlainText, MarksBoldAndTheHighlightOnlyWhenAsked) {
    const std::string html = "<P>1. <SPAN CLASS=SELECTED>namas</SPAN>, <B>x</B></P>";
    EXPECT_EQ(PlainText::FromHtml(html), "1. namas, x\n");
    PlainText::SOptions ansi;
    ansi.bAnsi = true;
    EXPECT_EQ(PlainText::FromHtml(html, ansi), "1. \x1b[1mnamas\x1b[0m, \x1b[1mx\x1b[0m\n");
}

TEST(PlainText, OddInputStaysSafe) {
    EXPECT_EQ(PlainText::FromHtml(""), "");
    EXPECT_EQ(PlainText::FromHtml("<P>cut <B"), "cut\n");
    EXPECT_EQ(PlainText::FromHtml("&#0; &#99999999; &bogus; &"), "&#0; &#99999999; &bogus; &\n");
}

} // namespace
