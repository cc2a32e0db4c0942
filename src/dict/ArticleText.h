// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <string_view>

// An article as the records hold it and the renderers pass it on: "title TAB body", where the
// title is the headword the entry box and the history show. A text without a TAB is all body.
struct SArticleText {
    std::string_view title; // before the first TAB; empty when there is none
    std::string_view body;  // after it; the whole text when there is none
    bool bTitled = false;   // whether there is a TAB

    // The text up to its first TAB: the title, or the whole text when there is none.
    std::string_view Head() const { return bTitled ? title : body; }

    // The parts of text, as views into it.
    static SArticleText Split(std::string_view text) {
        const std::size_t tab = text.find('\t');
        if (tab == std::string_view::npos)
            return {{}, text, false};
        return {text.substr(0, tab), text.substr(tab + 1), true};
    }
};
