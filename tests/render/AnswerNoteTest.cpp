// SPDX-License-Identifier: GPL-2.0-or-later
#include "render/AnswerNote.h"

#include <gtest/gtest.h>

namespace {

using AnswerNote::SAnswer;
using Lookup::EFound;
using Lookup::ERule;
constexpr EDirection en = EDirection::Forward;
constexpr EDirection lt = EDirection::Reverse;

TEST(AnswerNote, SaysHowTheWordReachedWhatIsShownAndOffersLinks) {
    // "\xC5\xBE" is ž in UTF-8, "\xFE" in the page.
    struct SCase {
        SAnswer answer;
        std::string html;
    } cases[] = {
        {{"house", "house", EFound::Exact, ERule::None, en, {"home"}, "namas"}, ""},
        {{"", "", EFound::None, ERule::None, en, {}, ""},
         "<P CLASS=note>\x84\x93 \xFEodyne n\xEBra.</P>\r\n"},
        {{"\xD0\xBF\xC5\xBE<", "", EFound::None, ERule::None, en, {}, ""},
         "<P CLASS=note>\x84&#1087;\xFE&lt;\x93 \xFEodyne n\xEBra.</P>\r\n"},
        {{"recieve", "reciprocal", EFound::Nearest, ERule::None, en, {"receive", "a&b"}, ""},
         "<P CLASS=note>\x84recieve\x93 \xFEodyne n\xEBra; rodomas artimiausias \xFEodis <B>reciprocal</B>. "
         "Gal ie\xF0kojote: <A HREF=\"./en:72656365697665\">receive</A>, <A HREF=\"./en:612662\">a&amp;b</A>?"
         "</P>\r\n"},
        {{"namas", "name", EFound::Nearest, ERule::None, en, {}, "namas"},
         "<P CLASS=note>\x84namas\x93 \xFEodyne n\xEBra; rodomas artimiausias \xFEodis <B>name</B>. "
         "Gal ie\xF0kojote: <A HREF=\"./lt:6e616d6173\">LT: namas</A>?</P>\r\n"},
        {{"hause", "", EFound::None, ERule::None, lt, {"namas"}, "house"},
         "<P CLASS=note>\x84hause\x93 \xFEodyne n\xEBra. Gal ie\xF0kojote: <A "
         "HREF=\"./lt:6e616d6173\">namas</A>, "
         "<A HREF=\"./en:686f757365\">EN: house</A>?</P>\r\n"},
        {{"went", "go", EFound::Form, ERule::Inflection, en, {}, ""},
         "<P CLASS=note>\x84went\x93 \x96 \xFEod\xFEio <B>go</B> forma.</P>\r\n"},
        {{"negalima", "negalimas", EFound::Form, ERule::Stem, lt, {}, ""},
         "<P CLASS=note>\x84negalima\x93 \x96 \xFEod\xFEio <B>negalimas</B> forma.</P>\r\n"},
        {{"netaisyklinga", "taisyklingas", EFound::Nearest, ERule::Negation, lt, {}, ""},
         "<P CLASS=note>\x84netaisyklinga\x93 \xFEodyne n\xEBra; tai neiginys: ne + "
         "<B>taisyklingas</B>.</P>\r\n"},
        {{"zodis", "\xFEodis", EFound::Form, ERule::Diacritics, lt, {}, ""},
         "<P CLASS=note>\x84zodis\x93 be diakritini\xF8 \xFE"
         "enkl\xF8: rodomas <B>\xFEodis</B>.</P>\r\n"},
        {{"zod", "\xFEodis", EFound::Nearest, ERule::Diacritics, lt, {}, ""},
         "<P CLASS=note>\x84zod\x93 \xFEodyne n\xEBra; rodomas artimiausias \xFEodis "
         "<B>\xFEodis</B>.</P>\r\n"},
        {{"nomad's", "lead a nomad's life", EFound::Nearest, ERule::Phrase, en, {}, ""},
         "<P CLASS=note>\x84nomad's\x93 atskiro straipsnio neturi; rodomi junginiai su \xF0iuo "
         "\xFEod\xFEiu.</P>\r\n"},
    };
    for (const SCase& c : cases)
        EXPECT_EQ(AnswerNote::Html(c.answer), c.html) << c.answer.typed;
}

TEST(AnswerNote, LinkNamesCarryAnyRecordAndNothingElseParses) {
    for (const std::string& record : std::vector<std::string>{"a",
                                                              "and/or",
                                                              "C#?%",
                                                              "\xFE"
                                                              "odis",
                                                              {"\x00\xFF", 2}}) {
        for (const EDirection d : {en, lt}) {
            const std::optional<AnswerNote::SLink> link =
                AnswerNote::ParseLinkName(AnswerNote::LinkName(d, record));
            ASSERT_TRUE(link) << record;
            EXPECT_EQ(link->direction, d);
            EXPECT_EQ(link->record, record);
        }
    }
    EXPECT_EQ(AnswerNote::LinkName(lt, "\xFE/"), "lt:fe2f");
    for (const char* name : {"", "en:", "lt:", "en:6", "en:6g", "en:6E", "de:61", "house", "en61", " en:61"})
        EXPECT_FALSE(AnswerNote::ParseLinkName(name)) << name;
}

} // namespace
