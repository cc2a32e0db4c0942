// SPDX-License-Identifier: GPL-2.0-or-later
#include "dict/Cp1257.h"

#include <gtest/gtest.h>

namespace {

TEST(Cp1257, EveryByteSurvivesARoundTripThroughUtf8) {
    std::string all;
    for (int b = 1; b < 256; ++b)
        all += static_cast<char>(b);
    EXPECT_EQ(Cp1257::FromUtf8(Cp1257::ToUtf8(all)), all);
}

TEST(Cp1257, ConvertsTheBalticLetters) {
    EXPECT_EQ(Cp1257::ToUtf8("\xE0\xE8\xE6\xEB\xE1\xF0\xF8\xFB\xFE"), "ąčęėįšųūž");
    EXPECT_EQ(Cp1257::FromUtf8("ĄČĘĖĮŠŲŪŽ"), "\xC0\xC8\xC6\xCB\xC1\xD0\xD8\xDB\xDE");
    EXPECT_EQ(Cp1257::ToUtf8("\x80\x96"), "€–");
    EXPECT_EQ(Cp1257::FromUtf8("„labas“"), "\x84labas\x93");
}

TEST(Cp1257, WhatItCannotHoldBecomesAQuestionMark) {
    EXPECT_EQ(Cp1257::FromUtf8("ə"), "?");
    EXPECT_EQ(Cp1257::FromUtf8("a😀b"), "a?b");
    EXPECT_FALSE(Cp1257::CanEncode(U'ə'));
    EXPECT_TRUE(Cp1257::CanEncode(U'ž'));
    // Malformed UTF-8: a lone continuation byte, a cut-off sequence, an overlong form, a surrogate.
    EXPECT_EQ(Cp1257::FromUtf8("a\x80z"), "a?z");
    EXPECT_EQ(Cp1257::FromUtf8("a\xC5"), "a?");
    EXPECT_EQ(Cp1257::FromUtf8("\xC0\xAF"), "??");
    EXPECT_EQ(Cp1257::FromUtf8("\xE0\x80\xAF"), "?");
    EXPECT_EQ(Cp1257::FromUtf8("\xED\xA0\x80"), "?");
    EXPECT_EQ(Cp1257::FromUtf8("\xC5\x41"), "?A");
}

TEST(Cp1257, CaseFollowsTheLetterPairs) {
    EXPECT_EQ(Cp1257::ToLower("A\xC0\xD0\xDE\xA8\xAA\xAFZ"), "a\xE0\xF0\xFE\xB8\xBA\xBFz");
    // The multiplication sign, ß and non-letters stay.
    EXPECT_EQ(Cp1257::ToLower("\xD7\xDF\x40[1"), "\xD7\xDF\x40[1");
    EXPECT_EQ(Cp1257::ToUpper(0xF7), 0xF7);
    for (int b = 0; b < 256; ++b) {
        const auto c = static_cast<unsigned char>(b);
        if (Cp1257::ToLower(c) != c) {
            EXPECT_EQ(Cp1257::ToUpper(Cp1257::ToLower(c)), c) << b;
        }
    }
}

} // namespace

namespace {

// One decoder serves the code page conversion and the dictionary compiler: each malformed byte
// becomes one replacement, and a good sequence after it is read whole.
TEST(Cp1257, DecodeUtf8ReadsSequencesAndReplacesEachBadByte) {
    EXPECT_EQ(Cp1257::DecodeUtf8("a\xC4\x85\xE2\x80\x94\xF0\x9F\x98\x80"), U"a\u0105\u2014\U0001F600");
    // A lead byte with its sequence cut off by the end, and one cut off by a plain byte.
    EXPECT_EQ(Cp1257::DecodeUtf8("x\xC4"), U"x\uFFFD");
    EXPECT_EQ(Cp1257::DecodeUtf8("\xE2\x80z"), U"\uFFFD\uFFFDz");
    // Overlong forms, a surrogate, bytes that start nothing.
    EXPECT_EQ(Cp1257::DecodeUtf8("\xC0\xAF"), U"\uFFFD\uFFFD");
    EXPECT_EQ(Cp1257::DecodeUtf8("\xE0\x80\xAF", U'?'), U"?");
    EXPECT_EQ(Cp1257::DecodeUtf8("\xED\xA0\x80", U'?'), U"?");
    EXPECT_EQ(Cp1257::DecodeUtf8("\x80\xFF\xF5\x80\x80\x80", U'?'), U"??????");
    EXPECT_EQ(Cp1257::DecodeUtf8(""), U"");

    std::size_t i = 1;
    EXPECT_EQ(Cp1257::NextCodePoint("a\xC5\xBE", i), U'\u017E');
    EXPECT_EQ(i, 3u);
    i = 0;
    EXPECT_EQ(Cp1257::NextCodePoint("\xC5", i), Cp1257::kInvalid);
    EXPECT_EQ(i, 1u);
    // The same rules in the conversion to the code page: one '?' per bad byte.
    EXPECT_EQ(Cp1257::FromUtf8("\xE2\x80z\xC5\xBE"), "??z\xFE");
}

} // namespace
