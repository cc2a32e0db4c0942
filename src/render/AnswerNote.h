// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "render/Lookup.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The first line of a page whose headword is not the word as typed: what was typed, what is shown
// instead and why, and what the word may have been meant as, as links. A word that reached
// nothing gets a page of that line alone. Pages are code page 1257; the typed word is UTF-8 and
// keeps the letters the code page lacks as character references ("привет").
namespace AnswerNote {

struct SAnswer {
    std::string typed; // UTF-8, as the user typed or copied it
    std::string shown; // the headword shown (code page 1257); empty when nothing is
    Lookup::EFound how = Lookup::EFound::None;
    Lookup::ERule rule = Lookup::ERule::None;
    EDirection direction = EDirection::Forward;
    std::vector<std::string> suggestions; // records of this direction, best first
    std::string otherRecord;              // the record the word is in the other direction, if any
};

// "<P CLASS=note>…</P>\r\n", or nothing when the headword shown is the word itself.
std::string Html(const SAnswer& answer);

// A suggestion's link: "lt:" or "en:" and the record, which the window shows in that index.
std::string LinkName(EDirection direction, std::string_view record);
struct SLink {
    EDirection direction;
    std::string record;
};
// The suggestion a link name stands for; nothing for any other name.
std::optional<SLink> ParseLinkName(std::string_view name);

} // namespace AnswerNote
