// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "dict/TextUtil.h"

#include <string>
#include <string_view>

// A word asked for, cut once where it comes into the dictionary: at its first NUL (the file's
// words are compared as NUL-terminated texts, and a word from the automation service or a raw
// command may carry one), and, for the forward searches, without the blanks around it. The
// searches below take it as it is and cut nothing again.
//
// It refers to the caller's text, which outlives it: made for a call, not kept.
class CQuery {
public:
    CQuery(std::string_view word) : m_whole(TextUtil::UpToNul(word)), m_trimmed(TextUtil::Trim(m_whole)) {}
    CQuery(const std::string& word) : CQuery(std::string_view(word)) {}
    CQuery(const char* word) : CQuery(std::string_view(word)) {}

    // Up to the NUL, blanks kept: what the Lithuanian searches compare.
    std::string_view Whole() const { return m_whole; }
    // Without the blanks around it: what the English searches compare.
    std::string_view Trimmed() const { return m_trimmed; }

private:
    std::string_view m_whole;
    std::string_view m_trimmed;
};
