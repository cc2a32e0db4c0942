// SPDX-License-Identifier: GPL-2.0-or-later
// A FreeDict entry as text: its headword, pronunciation, senses, remarks and references.

#include "mkdic/FreeDictCompiler.h"
#include "mkdic/TextTools.h"

#include "dict/Cp1257.h"
#include "dict/DictFormat.h"
#include "dict/DictRecords.h"

#include <algorithm>

using namespace MkdicText;

namespace {

// The entry's lines with typographic hyphens (U+2010, U+2011) as '-', where the rest of the data
// has them, line ends without CR, control bytes as spaces, leading blank lines dropped.
std::vector<std::string> EntryLines(std::string_view text) {
    // Built byte by byte: GCC 12 at -O3 takes an in-place replace for an overlapping copy (a
    // false -Wrestrict).
    std::string normal;
    normal.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const std::string_view next = text.substr(i, 3);
        if (next == "\xE2\x80\x90" || next == "\xE2\x80\x91") {
            normal += '-';
            i += 3;
        } else {
            normal += text[i++];
        }
    }

    std::vector<std::string> lines;
    for (std::size_t start = 0; start <= normal.size();) {
        const std::size_t eol = normal.find('\n', start);
        std::string line = normal.substr(start, eol == std::string::npos ? std::string::npos : eol - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        // A TAB in a headword would end it early in the file; no control byte belongs in the text.
        for (char& c : line)
            if (static_cast<unsigned char>(c) < 0x20)
                c = ' ';
        lines.push_back(std::move(line));
        if (eol == std::string::npos)
            break;
        start = eol + 1;
    }
    while (!lines.empty() && TrimUtf8(lines.front()).empty())
        lines.erase(lines.begin());
    return lines;
}

// The first line "headword [/pron/] [<pos>]" into entry. Returns the remark in parentheses that
// began the headword ("(komp.) batch program"), which belongs to the meaning, not the spelling.
std::string ParseHeadLine(const std::string& line, SFreeDictEntry& entry) {
    std::string head = TrimUtf8(line);
    if (head.ends_with('>')) {
        const std::size_t lt = head.rfind(" <");
        if (lt != std::string::npos) {
            entry.pos = TrimUtf8(std::string_view(head).substr(lt + 2, head.size() - lt - 3));
            head = TrimUtf8(head.substr(0, lt));
        }
    }
    if (head.size() >= 2 && head.ends_with('/')) {
        const std::size_t slash = head.find(" /");
        if (slash != std::string::npos && slash + 2 < head.size()) {
            entry.pron = TrimUtf8(std::string_view(head).substr(slash + 2, head.size() - slash - 3));
            head = TrimUtf8(head.substr(0, slash));
        }
    }
    std::string remark;
    if (head.starts_with('(')) {
        const std::size_t close = head.find(") ");
        if (close != std::string::npos && !TrimUtf8(head.substr(close + 2)).empty()) {
            remark = head.substr(0, close + 1);
            head = TrimUtf8(head.substr(close + 2));
        }
    }
    entry.headword = head;
    return remark;
}

// A cross-reference line ("See also: {a}, {b}") into entry's references, under the last sense so
// far. False when the line is none.
bool AddCrossRef(const std::string& line, SFreeDictEntry& entry) {
    struct SRefKind {
        std::string_view prefix;
        ECrossRef kind;
    };
    static constexpr SRefKind kRefKinds[] = {
        {"See also:", ECrossRef::SeeAlso}, {"Antonym:", ECrossRef::Antonym}, {"der:", ECrossRef::Derived}};
    for (const SRefKind& k : kRefKinds) {
        if (!line.starts_with(k.prefix))
            continue;
        const int sense = static_cast<int>(entry.senses.size()) - 1;
        const std::string rest = TrimUtf8(std::string_view(line).substr(k.prefix.size()));
        bool braces = false;
        for (std::size_t open = rest.find('{'); open != std::string::npos; open = rest.find('{', open + 1)) {
            const std::size_t close = rest.find('}', open);
            if (close == std::string::npos)
                break;
            braces = true;
            std::string target = TrimUtf8(std::string_view(rest).substr(open + 1, close - open - 1));
            if (!target.empty())
                entry.refs.push_back({k.kind, std::move(target), sense});
        }
        if (!braces && !rest.empty())
            entry.refs.push_back({k.kind, rest, sense});
        return true;
    }
    return false;
}

// A sense line: "2. text" starts a numbered sense; a line while the last sense's parenthesis is
// still open continues it; any other line is an unnumbered sense.
void AddSenseLine(const std::string& line, SFreeDictEntry& entry) {
    std::size_t digits = 0;
    while (digits < line.size() && line[digits] >= '0' && line[digits] <= '9')
        ++digits;
    if (digits > 0 && digits < line.size() && line[digits] == '.' &&
        (digits + 1 == line.size() || line[digits + 1] == ' ' || line[digits + 1] == '\t')) {
        entry.senses.push_back({line.substr(0, digits + 1), TrimUtf8(line.substr(digits + 1))});
    } else if (!entry.senses.empty() && HasOpenParenthesis(entry.senses.back().text)) {
        // The data wraps a few long senses inside a remark: "(energiją ir" / "pan.)".
        entry.senses.back().text += ' ' + line;
    } else {
        entry.senses.push_back({std::string(), line});
    }
}

} // namespace

namespace FreeDict {

SFreeDictEntry ParseEntry(std::string_view key, std::string_view text) {
    SFreeDictEntry entry;
    entry.key = TrimUtf8(key);
    const std::vector<std::string> lines = EntryLines(text);
    if (lines.empty())
        return entry;
    const std::string remark = ParseHeadLine(lines.front(), entry);
    for (std::size_t n = 1; n < lines.size(); ++n) {
        const std::string line = TrimUtf8(lines[n]);
        if (!line.empty() && !AddCrossRef(line, entry))
            AddSenseLine(line, entry);
    }
    if (!remark.empty())
        for (SFreeDictSense& s : entry.senses)
            s.text = remark + ' ' + s.text;
    return entry;
}

std::string HtmlText(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (char32_t c : Decode(utf8)) {
        if (c == '&')
            out += "&amp;";
        else if (c == '<')
            out += "&lt;";
        else if (c == '>')
            out += "&gt;";
        else if (Cp1257::CanEncode(c))
            out += Cp1257::FromUnicode(c);
        else
            out += "&#" + std::to_string(static_cast<std::uint32_t>(c)) + ";";
    }
    return out;
}

std::string PlainText(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (char32_t c : Decode(utf8)) {
        if (Cp1257::CanEncode(c)) {
            out += Cp1257::FromUnicode(c);
            continue;
        }
        const std::string_view fold = FoldChar(c);
        out += fold.empty() ? std::string_view("?") : fold;
    }
    return out;
}

std::string AsciiFold(std::string_view utf8) {
    std::string out;
    for (char32_t c : Decode(utf8)) {
        if (c < 0x80) {
            out += static_cast<char>(c);
            continue;
        }
        const std::string_view fold = FoldChar(c);
        if (fold.empty())
            return {};
        out += fold;
    }
    return out;
}

std::string PartOfSpeech(std::string_view labels) {
    std::string out;
    for (const std::string& label : SplitLabels(labels)) {
        if (!out.empty())
            out += ", ";
        const auto it = std::find_if(std::begin(kPartsOfSpeech), std::end(kPartsOfSpeech),
                                     [&](const SPartOfSpeech& p) { return p.label == label; });
        out += it != std::end(kPartsOfSpeech) ? std::string(it->lithuanian) : label;
    }
    return out;
}

std::string ConvertDomainLabels(std::string_view utf8) {
    const U32 s = Decode(utf8);
    U32 out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const std::size_t end = LabelEnd(s, i);
        if (end == U32::npos) {
            out += s[i];
            continue;
        }
        const std::string label = Encode(s.substr(i + 1, end - i - 1));
        const auto it = std::find_if(std::begin(kDomains), std::end(kDomains),
                                     [&](const SDomain& d) { return d.label == label; });
        if (it == std::end(kDomains)) {
            out += s.substr(i, end - i + 1);
        } else {
            out += U'(';
            out += Decode(it->remark);
            out += U')';
        }
        i = end;
    }
    return Encode(out);
}

std::vector<std::string> LithuanianItems(std::string_view sense) {
    return Items(sense, true);
}

std::vector<std::string> EnglishPhrases(std::string_view sense) {
    return Items(sense, true);
}

bool IsAbbreviationHeadword(std::string_view headword) {
    const auto isCapital = [](unsigned char c) { return Cp1257::ToLower(c) != c; };
    const auto isLetter = [](unsigned char c) { return Cp1257::ToLower(c) != c || Cp1257::ToUpper(c) != c; };
    const auto isDigit = [](unsigned char c) { return c >= '0' && c <= '9'; };
    bool capitalsOrDigits = headword.size() >= 2;
    bool anyCapital = false;
    bool lettersAndPeriods = !headword.empty();
    bool anyLetter = false;
    bool innerPeriod = false;
    for (std::size_t i = 0; i < headword.size(); ++i) {
        const auto c = static_cast<unsigned char>(headword[i]);
        anyCapital = anyCapital || isCapital(c);
        anyLetter = anyLetter || isLetter(c);
        if (!isCapital(c) && !isDigit(c))
            capitalsOrDigits = false;
        if (!isLetter(c) && c != '.')
            lettersAndPeriods = false;
        if (c == '.' && i > 0 && i + 1 < headword.size())
            innerPeriod = true;
    }
    if (capitalsOrDigits && anyCapital)
        return true;
    return lettersAndPeriods && anyLetter && (headword.back() == '.' || innerPeriod);
}

std::string LinkName(std::string_view headword) {
    std::string out;
    for (char c : Cp1257::ToLower(headword))
        if (std::string_view("/\\#?%\"").find(c) == std::string_view::npos)
            out += c;
    return out;
}

} // namespace FreeDict
