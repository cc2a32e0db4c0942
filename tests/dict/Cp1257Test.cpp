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
