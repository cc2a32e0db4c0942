// SPDX-License-Identifier: GPL-2.0-or-later
#include "render/AnswerNote.h"

#include "dict/Cp1257.h"

#include <cstdint>

namespace AnswerNote {

namespace {

using Lookup::EFound;
using Lookup::ERule;

constexpr std::string_view kEnglish = "en:";
constexpr std::string_view kLithuanian = "lt:";
constexpr std::string_view kHexDigits = "0123456789abcdef";

void AppendEscaped(std::string& out, char c) {
    switch (c) {
    case '&':
        out += "&amp;";
        break;
    case '<':
        out += "&lt;";
        break;
    case '>':
        out += "&gt;";
        break;
    case '"':
        out += "&quot;";
        break;
    default:
        out += c;
    }
}

std::string Escaped(std::string_view cp1257) {
    std::string out;
    for (const char c : cp1257)
        AppendEscaped(out, c);
    return out;
}

// The typed word in the page's code page; what it lacks as character references, so that a word
// in another alphabet is shown as typed, not as question marks.
std::string TypedHtml(std::string_view utf8) {
    std::string out;
    for (const char32_t c : Cp1257::DecodeUtf8(utf8)) {
        if (Cp1257::CanEncode(c) && c >= 0x20)
            AppendEscaped(out, Cp1257::FromUnicode(c));
        else if (c >= 0x20)
            out += "&#" + std::to_string(static_cast<std::uint32_t>(c)) + ";";
    }
    return out;
}

int HexValue(char c) {
    const std::size_t i = kHexDigits.find(c);
    return i == std::string_view::npos ? -1 : static_cast<int>(i);
}

std::string Link(EDirection direction, std::string_view record, std::string_view text) {
    // "./" keeps "en:" from being read as a scheme: the name stays a page in the pages' folder.
    return "<A HREF=\"./" + LinkName(direction, record) + "\">" + std::string(text) + "</A>";
}

} // namespace

std::string Html(const SAnswer& a) {
    if (a.how == EFound::Exact)
        return {};
    // „typed“ in the code page's own quotation marks.
    std::string html = "<P CLASS=note>\x84" + TypedHtml(a.typed) + "\x93 ";
    const std::string shown = "<B>" + Escaped(a.shown) + "</B>";
    if (a.how == EFound::None || a.shown.empty())
        html += "\xFEodyne n\xEBra.";
    else if (a.how == EFound::Form && a.rule == ERule::Diacritics)
        html += "be diakritini\xF8 \xFE"
                "enkl\xF8: rodomas " +
                shown + ".";
    else if (a.how == EFound::Form)
        html += "\x96 \xFEod\xFEio " + shown + " forma.";
    else if (a.rule == ERule::Negation)
        html += "\xFEodyne n\xEBra; tai neiginys: ne + " + shown + ".";
    else if (a.rule == ERule::Phrase)
        html += "atskiro straipsnio neturi; rodomi junginiai su \xF0iuo \xFEod\xFEiu.";
    else
        html += "\xFEodyne n\xEBra; rodomas artimiausias \xFEodis " + shown + ".";

    std::string offered;
    for (const std::string& s : a.suggestions)
        offered += (offered.empty() ? "" : ", ") + Link(a.direction, s, Escaped(s));
    if (!a.otherRecord.empty()) {
        const EDirection other =
            a.direction == EDirection::Forward ? EDirection::Reverse : EDirection::Forward;
        const std::string label = other == EDirection::Reverse ? "LT: " : "EN: ";
        offered += (offered.empty() ? "" : ", ") + Link(other, a.otherRecord, label + Escaped(a.otherRecord));
    }
    if (!offered.empty())
        html += " Gal ie\xF0kojote: " + offered + "?";
    return html + "</P>\r\n";
}

std::string LinkName(EDirection direction, std::string_view record) {
    // The record's bytes in hexadecimal: a link's name passes through a file path, where "/", "#",
    // "?" and "%" would change it.
    std::string name(direction == EDirection::Reverse ? kLithuanian : kEnglish);
    for (const char c : record) {
        const auto byte = static_cast<unsigned char>(c);
        name += kHexDigits[byte >> 4];
        name += kHexDigits[byte & 0xF];
    }
    return name;
}

std::optional<SLink> ParseLinkName(std::string_view name) {
    const bool english = name.substr(0, kEnglish.size()) == kEnglish;
    if (!english && name.substr(0, kLithuanian.size()) != kLithuanian)
        return std::nullopt;
    const std::string_view hex = name.substr(kEnglish.size());
    if (hex.empty() || hex.size() % 2 != 0)
        return std::nullopt;
    SLink link{english ? EDirection::Forward : EDirection::Reverse, {}};
    for (std::size_t i = 0; i < hex.size(); i += 2) {
        const int high = HexValue(hex[i]);
        const int low = HexValue(hex[i + 1]);
        if (high < 0 || low < 0)
            return std::nullopt;
        link.record += static_cast<char>(high * 16 + low);
    }
    return link;
}

} // namespace AnswerNote
