// SPDX-License-Identifier: GPL-2.0-or-later
#include "PlainText.h"

#include "dict/Cp1257.h"
#include "dict/TextUtil.h"

#include <algorithm>
#include <cctype>

namespace PlainText {

namespace {

constexpr std::string_view kBold = "\x1b[1m";
constexpr std::string_view kReset = "\x1b[0m";
constexpr std::string_view kRule = "----------------------------------------";

std::string Lower(std::string_view s) {
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); });
    return out;
}

// The character an entity names, or 0 when it names none we know.
char32_t DecodeEntity(std::string_view name) {
    if (name.size() > 1 && name[0] == '#') {
        char32_t cp = 0;
        const bool hex = name[1] == 'x' || name[1] == 'X';
        const std::string_view digits = name.substr(hex ? 2 : 1);
        if (digits.empty() || digits.size() > 7)
            return 0;
        for (char c : digits) {
            const int v = std::isdigit(static_cast<unsigned char>(c)) ? c - '0'
                          : hex && std::isxdigit(static_cast<unsigned char>(c))
                              ? std::tolower(static_cast<unsigned char>(c)) - 'a' + 10
                              : -1;
            if (v < 0)
                return 0;
            cp = cp * (hex ? 16 : 10) + static_cast<char32_t>(v);
        }
        return (cp == 0 || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) ? 0 : cp;
    }
    const std::string n = Lower(name);
    if (n == "nbsp")
        return ' ';
    if (n == "amp")
        return '&';
    if (n == "lt")
        return '<';
    if (n == "gt")
        return '>';
    if (n == "quot")
        return '"';
    if (n == "apos")
        return '\'';
    return 0;
}

class CTextBuilder {
public:
    explicit CTextBuilder(const SOptions& options) : m_options(options) {}

    void Char(char32_t cp) {
        if (cp < 0x80 && TextUtil::IsBlank(static_cast<char>(cp))) {
            m_bPendingSpace = true;
            return;
        }
        if (m_bSuperscript && cp >= '0' && cp <= '9') {
            // A homonym number sits on the word it belongs to.
            static constexpr char32_t kDigits[] = {0x2070, 0xB9,   0xB2,   0xB3,   0x2074,
                                                   0x2075, 0x2076, 0x2077, 0x2078, 0x2079};
            cp = kDigits[cp - '0'];
            m_bPendingSpace = false;
        }
        if (m_bPendingSpace && !AtLineStart())
            m_out += ' ';
        m_bPendingSpace = false;
        Cp1257::AppendUtf8(m_out, cp);
    }
    void Superscript(bool on) { m_bSuperscript = on; }
    void Raw(std::string_view s) { m_out += s; }
    void LineBreak() {
        m_bPendingSpace = false;
        TrimTrailingSpace();
        m_out += '\n';
    }
    // Ends the current line unless it is empty, and keeps at most one blank line.
    void Block() {
        m_bPendingSpace = false;
        TrimTrailingSpace();
        if (!m_out.empty() && m_out.back() != '\n')
            m_out += '\n';
    }
    void Rule() {
        Block();
        m_out += kRule;
        m_out += '\n';
    }
    void Style(bool on) {
        if (m_options.bAnsi) {
            if (on && m_bPendingSpace && !AtLineStart()) {
                m_out += ' ';
                m_bPendingSpace = false;
            }
            m_out += on ? kBold : kReset;
        }
    }
    std::string Finish() {
        Block();
        // Collapse runs of blank lines and drop leading ones.
        std::string out;
        int newlines = 2;
        for (char c : m_out) {
            if (c == '\n') {
                if (++newlines > 2)
                    continue;
            } else {
                newlines = 0;
            }
            out += c;
        }
        while (!out.empty() && out.back() == '\n' && out.size() > 1 && out[out.size() - 2] == '\n')
            out.pop_back();
        return out;
    }

private:
    bool AtLineStart() const { return m_out.empty() || m_out.back() == '\n'; }
    void TrimTrailingSpace() {
        while (!m_out.empty() && m_out.back() == ' ')
            m_out.pop_back();
    }

    const SOptions& m_options;
    std::string m_out;
    bool m_bPendingSpace = false;
    bool m_bSuperscript = false;
};

} // namespace

std::string FromHtml(std::string_view html, const SOptions& options) {
    CTextBuilder text(options);
    bool skipping = false; // inside a back-to-top link
    std::size_t i = 0;
    while (i < html.size()) {
        const char c = html[i];
        if (c == '<') {
            const std::size_t close = html.find('>', i);
            if (close == std::string_view::npos)
                break; // an unfinished tag ends the text
            const std::string_view tag = html.substr(i + 1, close - i - 1);
            i = close + 1;
            const bool end = !tag.empty() && tag[0] == '/';
            const std::string_view rest = end ? tag.substr(1) : tag;
            const std::size_t nameEnd = std::min(rest.find_first_of(" \t\r\n/"), rest.size());
            const std::string name = Lower(rest.substr(0, nameEnd));
            const std::string attributes = Lower(rest.substr(nameEnd));
            if (name == "a") {
                if (!end && attributes.find("class=aback") != std::string::npos)
                    skipping = true;
                else if (end)
                    skipping = false;
            } else if (name == "sup") {
                text.Superscript(!end);
            } else if (name == "br") {
                text.LineBreak();
            } else if (name == "hr") {
                text.Rule();
            } else if (name == "p" || name == "div" || name == "li" || name == "ol" || name == "ul" ||
                       name == "tr" || name == "table" || name == "h1" || name == "h2" || name == "h3") {
                text.Block();
            } else if (name == "b" || name == "strong" ||
                       (name == "span" && (end || attributes.find("selected") != std::string::npos))) {
                text.Style(!end);
            }
            continue;
        }
        ++i;
        if (skipping)
            continue;
        if (c == '&') {
            const std::size_t semi = html.find(';', i);
            if (semi != std::string_view::npos && semi - i <= 10) {
                const char32_t cp = DecodeEntity(html.substr(i, semi - i));
                if (cp != 0) {
                    // A non-breaking space keeps its width: the link rows are spaced with them.
                    if (cp == ' ')
                        text.Raw(" ");
                    else
                        text.Char(cp);
                    i = semi + 1;
                    continue;
                }
            }
        }
        text.Char(Cp1257::ToUnicode(static_cast<unsigned char>(c)));
    }
    return text.Finish();
}

} // namespace PlainText
