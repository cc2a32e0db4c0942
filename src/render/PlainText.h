// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <string>
#include <string_view>

// Article HTML turned into text for a person at a terminal.
namespace PlainText {

struct SOptions {
    // Marks bold text and the highlighted Lithuanian word with terminal escape sequences.
    bool bAnsi = false;
};

// A code page 1257 fragment to UTF-8 text: block tags and <BR> end lines, rules become a line of
// dashes, back-to-top links are left out, homonym numbers become superscript digits, entities and numeric
// references are decoded, runs of white space collapse to one space, blank lines collapse to one.
std::string FromHtml(std::string_view html, const SOptions& options = {});

} // namespace PlainText
