// SPDX-License-Identifier: GPL-2.0-or-later
#include "dict/UserText.h"
#include "dict/Cp1257.h"

#include <gtest/gtest.h>

namespace {

std::string Word(std::string_view utf8, bool expectComplete = true) {
    bool complete = !expectComplete;
    const std::string out = UserText::ToCp1257(utf8, &complete);
    EXPECT_EQ(complete, expectComplete) << utf8;
    return out;
}

TEST(UserText, CombiningMarksJoinTheirLetters) {
    // a + ogonek, e + dot above, s + caron, u + macron: the Lithuanian letters typed decomposed.
    EXPECT_EQ(Word("a\xCC\xA8"), "\xE0");
    EXPECT_EQ(Word("e\xCC\x87jo"), "\xEBjo");
    EXPECT_EQ(Word("S\xCC\x8Cu\xCC\x84"), "\xD0\xFB");
    // Every composed letter of the code page is reached, capital and small.
    EXPECT_EQ(Word("Z\xCC\x8Cz\xCC\x81O\xCC\x88o\xCC\x83G\xCC\xA7"), "\xDE\xEA\xD6\xF5\xCC");
    // Already composed text stays as it is.
    EXPECT_EQ(Word("ąčęėįšųūž"), "\xE0\xE8\xE6\xEB\xE1\xF0\xF8\xFB\xFE");
    // The Ångström and Kelvin signs are their letters.
    EXPECT_EQ(Word("\xE2\x84\xAB\xE2\x84\xAA"), "\xC5K");
}

TEST(UserText, MarksTheCodePageCannotComposeStayForeign) {
    // q + ogonek, a second mark on ą, a mark with no letter before it.
    EXPECT_EQ(Word("q\xCC\xA8", false), "q?");
    EXPECT_EQ(Word("a\xCC\xA8\xCC\x87", false), "\xE0?");
    EXPECT_EQ(Word("\xCC\xA8"
                   "a",
                   false),
              "?a");
    EXPECT_EQ(Word("привет", false), "??????");
    EXPECT_EQ(Word("řeč", false), "?e\xE8");
    // Polish is all in the code page.
    EXPECT_EQ(Word("zażółć"), "za\xFD\xF3\xF9\xE3");
    EXPECT_EQ(Word("a\x80z", false), "a?z");
    // A question mark of its own is no foreign letter.
    EXPECT_EQ(Word("what?"), "what?");
    EXPECT_EQ(Word(""), "");
}

TEST(UserText, TypographicCharactersTakeTheirPlainForms) {
    EXPECT_EQ(Word("don\xE2\x80\x99t \xE2\x80\x98x\xE2\x80\x9A\xE2\x80\x9B"), "don't 'x''");
    EXPECT_EQ(Word("\xE2\x80\x9Cx\xE2\x80\x9D\xE2\x80\x9E\xE2\x80\x9F"), "\"x\"\"\"");
    EXPECT_EQ(Word("a\xE2\x80\x90"
                   "b\xE2\x80\x91"
                   "c\xE2\x80\x93"
                   "d\xE2\x80\x94"
                   "e\xE2\x88\x92"
                   "f"),
              "a-b-c-d-e-f");
    // No-break and typographic spaces, the first and the last of the quads-to-hair range.
    EXPECT_EQ(Word("a\xC2\xA0"
                   "b\xE2\x80\x80"
                   "c\xE2\x80\x8A"
                   "d\xE2\x80\xAF"
                   "e"),
              "a b c d e");
    EXPECT_EQ(Word("a\xE2\x80\x8B"
                   "b"),
              "ab");
    // Soft hyphens and zero-width characters vanish.
    EXPECT_EQ(Word("dic\xC2\xADtion\xE2\x80\x8B"
                   "a\xE2\x80\x8Dry\xEF\xBB\xBF"),
              "dictionary");
    // One code point past the typographic spaces is a real character, and foreign.
    EXPECT_EQ(Word("a\xE2\x80\x8C"
                   "b"),
              "ab");
    EXPECT_EQ(Word("\xE2\x80\x8E", false), "?");
}

TEST(UserText, ALookupWordIsNothingWhenALetterIsForeign) {
    EXPECT_EQ(UserText::LookupWord("z\xCC\x8Codis"), std::optional<std::string>("\xFEodis"));
    EXPECT_EQ(UserText::LookupWord("what?"), std::optional<std::string>("what?"));
    EXPECT_EQ(UserText::LookupWord(""), std::optional<std::string>(""));
    EXPECT_EQ(UserText::LookupWord("ab\xD1\x8F"), std::nullopt);
}

TEST(UserText, NormaliseGivesCodePoints) {
    EXPECT_EQ(UserText::Normalise("e\xCC\x87"), std::u32string(1, 0x0117));
    EXPECT_EQ(UserText::ToUtf8(UserText::Normalise("A\xCC\x8A \xE2\x80\x93")), "\xC3\x85 -");
    EXPECT_EQ(UserText::Normalise("\xC5"), std::u32string(1, 0xFFFD));
    // A NUL is a character like any other here; the callers decide where a text ends.
    EXPECT_EQ(UserText::Normalise(std::string_view("a\0b", 3)), std::u32string(U"a\0b", 3));
}

} // namespace
