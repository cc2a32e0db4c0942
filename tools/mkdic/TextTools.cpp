// SPDX-License-Identifier: GPL-2.0-or-later
#include "mkdic/TextTools.h"

#include "dict/DictRecords.h"

namespace MkdicText {

std::string Encode(U32View s) {
    std::string out;
    out.reserve(s.size());
    for (char32_t cp : s)
        Cp1257::AppendUtf8(out, cp);
    return out;
}

// --- characters ------------------------------------------------------------------------------

bool IsSpace(char32_t c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == 0xA0;
}

bool IsAsciiLetter(char32_t c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// Letters of the data: ASCII, Latin with marks, IPA and the other alphabets below the general
// punctuation block (dashes, quotes and mathematical signs are no letters).
bool IsLetter(char32_t c) {
    return IsAsciiLetter(c) || (c >= 0xC0 && c < 0x2000 && c != 0xD7 && c != 0xF7);
}

bool IsHyphenLike(char32_t c) {
    return (c >= 0x2010 && c <= 0x2015) || c == 0x2212;
}

// ASCII letters for U+00C0..U+017F ('.' where there is no single one).
constexpr std::string_view kFoldLatin = "AAAAAA.CEEEEIIII.NOOOOO.OUUUUY..aaaaaa.ceeeeiiii.nooooo.ouuuuy.y"
                                        "AaAaAaCcCcCcCcDdDdEeEeEeEeEeGgGgGgGgHhHhIiIiIiIiIi..JjKk.LlLlLlL"
                                        "lLlNnNnNn...OoOoOo..RrRrRrSsSsSsSsTtTtTtUuUuUuUuUuUuWwYyYZzZzZzs";

// The ASCII spelling of one character, or empty when it has none.
std::string_view FoldChar(char32_t c) {
    switch (c) {
    case 0xC6:
        return "AE";
    case 0xE6:
        return "ae";
    case 0xDF:
        return "ss";
    case 0x152:
        return "OE";
    case 0x153:
        return "oe";
    case 0x131:
        return "i";
    default:
        break;
    }
    if (c >= 0xC0 && c < 0x180) {
        const std::size_t k = c - 0xC0;
        return kFoldLatin[k] == '.' ? std::string_view() : kFoldLatin.substr(k, 1);
    }
    if (IsHyphenLike(c))
        return "-";
    return {};
}

U32 Trim(U32View s) {
    std::size_t a = 0;
    std::size_t b = s.size();
    while (a < b && IsSpace(s[a]))
        ++a;
    while (b > a && IsSpace(s[b - 1]))
        --b;
    return U32(s.substr(a, b - a));
}

std::string TrimUtf8(std::string_view s) {
    std::size_t a = 0;
    std::size_t b = s.size();
    const auto space = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (a < b && space(s[a]))
        ++a;
    while (b > a && space(s[b - 1]))
        --b;
    return std::string(s.substr(a, b - a));
}

U32 CollapseSpaces(U32View s) {
    U32 out;
    for (char32_t c : s) {
        if (IsSpace(c)) {
            if (!out.empty() && out.back() != ' ')
                out += ' ';
        } else {
            out += c;
        }
    }
    return Trim(out);
}

// --- parentheses ------------------------------------------------------------------------------

// Index of the ')' that closes the '(' at open, or npos.
std::size_t MatchClose(U32View s, std::size_t open) {
    int depth = 0;
    for (std::size_t i = open; i < s.size(); ++i) {
        if (s[i] == '(') {
            ++depth;
        } else if (s[i] == ')' && --depth == 0) {
            return i;
        }
    }
    return U32::npos;
}

// Index of the '(' that the ')' at close closes, or npos.
std::size_t MatchOpen(U32View s, std::size_t close) {
    int depth = 0;
    for (std::size_t i = close + 1; i-- > 0;) {
        if (s[i] == ')') {
            ++depth;
        } else if (s[i] == '(' && --depth == 0) {
            return i;
        }
    }
    return U32::npos;
}

// Whether the group s[open..close] is an optional part of a word, "(pa)žeminti", "girti(s)",
// rather than a remark: letters only, touching the word on one side.
bool IsOptionalPart(U32View s, std::size_t open, std::size_t close) {
    if (close <= open + 1)
        return false;
    for (std::size_t i = open + 1; i < close; ++i)
        if (!IsLetter(s[i]))
            return false;
    // Optional parts may follow one another, "(už)(si)daryti", as long as the run touches the
    // word; "(skrybėlės)(hat) band" holds two remarks.
    std::size_t k = close + 1;
    while (k < s.size() && s[k] == '(') {
        const std::size_t next = MatchClose(s, k);
        if (next == U32::npos)
            break;
        k = next + 1;
    }
    if (k < s.size() && IsLetter(s[k]))
        return true;
    k = open;
    while (k > 0 && s[k - 1] == ')') {
        const std::size_t previous = MatchOpen(s, k - 1);
        if (previous == U32::npos)
            break;
        k = previous;
    }
    return k > 0 && IsLetter(s[k - 1]);
}

bool HasOpenParenthesis(std::string_view s) {
    int depth = 0;
    for (char c : s) {
        if (c == '(')
            ++depth;
        else if (c == ')' && depth > 0)
            --depth;
    }
    return depth > 0;
}

// Splits at commas and semicolons outside parentheses; a decimal comma ("2,5 cm") splits nothing.
// A stray ')' does not take the depth below zero, so a lost '(' in the data does not swallow the
// rest of the sense.
std::vector<U32> SplitTopLevel(U32View s) {
    std::vector<U32> parts;
    int depth = 0;
    std::size_t start = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const char32_t c = s[i];
        if (c == '(') {
            ++depth;
        } else if (c == ')') {
            depth = std::max(0, depth - 1);
        } else if ((c == ',' || c == ';') && depth == 0) {
            const auto digit = [](char32_t d) { return d >= '0' && d <= '9'; };
            if (c == ',' && i > 0 && i + 1 < s.size() && digit(s[i - 1]) && digit(s[i + 1]))
                continue;
            parts.emplace_back(s.substr(start, i - start));
            start = i + 1;
        }
    }
    parts.emplace_back(s.substr(start));
    return parts;
}

// Domain labels "[med]": a bracket pair around ASCII letters. Returns npos or the label's end.
std::size_t LabelEnd(U32View s, std::size_t open) {
    if (s[open] != '[')
        return U32::npos;
    std::size_t i = open + 1;
    while (i < s.size() && IsAsciiLetter(s[i]) && i - open <= 16)
        ++i;
    return (i > open + 1 && i < s.size() && s[i] == ']') ? i : U32::npos;
}

U32 RemoveLabels(U32View s) {
    U32 out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const std::size_t end = LabelEnd(s, i);
        if (end != U32::npos) {
            out += ' ';
            i = end;
        } else {
            out += s[i];
        }
    }
    return out;
}

bool IsDash(char32_t c) {
    return c == '-' || c == 0x2013 || c == 0x2014;
}

// Trims spaces and the punctuation the data leaves at the edges of an item: "apie...",
// "= 2,5 cm", "mielasis, - oji". A hyphen that touches a letter ("-si") stays.
U32 TrimEdges(U32 p) {
    constexpr std::u32string_view kLead = U".,;:=/?!~>\u2026\u2248";
    constexpr std::u32string_view kTrail = U",;:=/\u2026";
    for (;;) {
        p = Trim(p);
        if (p.empty())
            return p;
        const char32_t a = p.front();
        if (kLead.find(a) != U32View::npos || (IsDash(a) && (p.size() == 1 || IsSpace(p[1])))) {
            p.erase(0, 1);
            continue;
        }
        const char32_t z = p.back();
        const bool ellipsis = z == '.' && p.size() >= 2 && p[p.size() - 2] == '.';
        if (kTrail.find(z) != U32View::npos || ellipsis ||
            (IsDash(z) && (p.size() == 1 || IsSpace(p[p.size() - 2])))) {
            while (ellipsis && !p.empty() && p.back() == '.')
                p.pop_back();
            if (!ellipsis)
                p.pop_back();
            continue;
        }
        return p;
    }
}

// Cuts one lost or edge remark off p: a part before a ')' whose '(' the data lost, the rest after
// a '(' that never closes, a remark in parentheses at the start or the end. False when there is
// none left.
bool CutEdgeRemark(U32& p) {
    std::size_t stray = U32::npos;
    int depth = 0;
    for (std::size_t i = 0; i < p.size(); ++i) {
        if (p[i] == '(')
            ++depth;
        else if (p[i] == ')' && depth == 0)
            stray = i;
        else if (p[i] == ')')
            --depth;
    }
    if (stray != U32::npos) {
        p = p.substr(stray + 1);
        return true;
    }
    std::vector<std::size_t> open;
    for (std::size_t i = 0; i < p.size(); ++i) {
        if (p[i] == '(')
            open.push_back(i);
        else if (p[i] == ')')
            open.pop_back();
    }
    if (!open.empty()) {
        p = p.substr(0, open.front());
        return true;
    }
    if (p.front() == '(') {
        const std::size_t close = MatchClose(p, 0);
        if (!IsOptionalPart(p, 0, close)) {
            p = p.substr(close + 1);
            return true;
        }
    }
    if (p.back() == ')') {
        const std::size_t openAt = MatchOpen(p, p.size() - 1);
        if (!IsOptionalPart(p, openAt, p.size() - 1)) {
            p = p.substr(0, openAt);
            return true;
        }
    }
    return false;
}

// Strips the remarks of one item: a part cut off by a lost '(' or ')', remarks in parentheses
// at the start and the end and, when inner is set, every other remark too.
U32 StripRemarks(U32 p, bool inner) {
    for (;;) {
        p = TrimEdges(p);
        if (p.empty())
            return p;
        if (!CutEdgeRemark(p))
            break;
    }
    if (inner) {
        U32 out;
        for (std::size_t i = 0; i < p.size(); ++i) {
            if (p[i] == '(') {
                const std::size_t close = MatchClose(p, i);
                if (close != U32::npos && !IsOptionalPart(p, i, close)) {
                    out += ' ';
                    i = close;
                    continue;
                }
            }
            out += p[i];
        }
        p = out;
    }
    return CollapseSpaces(p);
}

// Both forms of every optional part: "(pa)žeminti" gives "žeminti" and "pažeminti".
void ExpandOptional(const U32& s, std::vector<U32>& out, std::size_t from) {
    constexpr std::size_t kMaxForms = 16;
    for (std::size_t i = from; i < s.size(); ++i) {
        if (s[i] != '(')
            continue;
        const std::size_t close = MatchClose(s, i);
        if (close == U32::npos)
            break;
        if (!IsOptionalPart(s, i, close))
            continue;
        const U32 without = s.substr(0, i) + s.substr(close + 1);
        const U32 with = s.substr(0, i) + s.substr(i + 1, close - i - 1) + s.substr(close + 1);
        if (out.size() + 2 > kMaxForms) {
            out.push_back(without);
            return;
        }
        ExpandOptional(without, out, i);
        ExpandOptional(with, out, close - 1);
        return;
    }
    out.push_back(s);
}

// Words that end an item without belonging to it: "ir pan." (and the like), "!" and "?".
U32 StripTail(U32 p) {
    for (;;) {
        const U32 before = p;
        p = TrimEdges(p);
        while (!p.empty() && (p.back() == '!' || p.back() == '?'))
            p.pop_back();
        for (const U32View tail : {U32View(U" ir pan."), U32View(U" ir pan")})
            if (p.size() > tail.size() && p.ends_with(tail))
                p.resize(p.size() - tail.size());
        if (p == before)
            return p;
    }
}

std::vector<U32> ExpandSlashes(const U32& s) {
    constexpr std::size_t kMaxForms = 8;
    std::vector<U32> forms{U32()};
    std::size_t start = 0;
    while (start <= s.size()) {
        std::size_t end = s.find(' ', start);
        if (end == U32::npos)
            end = s.size();
        const U32 token = s.substr(start, end - start);
        // Alternatives have letters on both sides of every '/' ("meal/flour"), not "1/2".
        std::vector<U32> alternatives;
        std::size_t from = 0;
        bool split = token.find('/') != U32::npos;
        for (std::size_t k = 0; split && k < token.size(); ++k)
            if (token[k] == '/' &&
                (k == 0 || k + 1 == token.size() || !IsLetter(token[k - 1]) || !IsLetter(token[k + 1])))
                split = false;
        if (split) {
            for (std::size_t k = 0; k <= token.size(); ++k)
                if (k == token.size() || token[k] == '/') {
                    alternatives.push_back(token.substr(from, k - from));
                    from = k + 1;
                }
        } else {
            alternatives.push_back(token);
        }
        if (forms.size() * alternatives.size() > kMaxForms)
            return {s};
        std::vector<U32> next;
        for (const U32& f : forms)
            for (const U32& a : alternatives)
                next.push_back(f.empty() ? a : f + U' ' + a);
        forms = std::move(next);
        start = end + 1;
    }
    return forms;
}

std::vector<std::string> Items(std::string_view sense, bool inner) {
    std::vector<std::string> items;
    for (const U32& part : SplitTopLevel(RemoveLabels(Decode(sense)))) {
        const U32 stripped = StripTail(StripRemarks(part, inner));
        if (stripped.empty())
            continue;
        std::vector<U32> forms;
        for (const U32& slashless : ExpandSlashes(stripped))
            ExpandOptional(slashless, forms);
        for (const U32& form : forms) {
            const U32 clean = CollapseSpaces(form);
            if (std::none_of(clean.begin(), clean.end(), IsLetter))
                continue;
            std::string item = Encode(clean);
            if (std::find(items.begin(), items.end(), item) == items.end())
                items.push_back(std::move(item));
        }
    }
    return items;
}

std::string AsciiLower(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return s;
}

// The forward comparison's view of a text: A-Z folded, nothing else.
std::string ForwardKey(std::string_view cp1257) {
    return AsciiLower(std::string(cp1257));
}

// The dictd key form of a code page 1257 text: lower case, letters, digits and single spaces.
std::string KeyForm(std::string_view cp1257) {
    std::string out;
    for (char ch : Cp1257::ToLower(cp1257)) {
        const auto c = static_cast<unsigned char>(ch);
        const bool keep =
            (c >= '0' && c <= '9') || CDictRecords::LetterWeight(c) != 0 || Cp1257::ToUpper(c) != c;
        if (keep)
            out += static_cast<char>(c);
        else if (c == ' ' && !out.empty() && out.back() != ' ')
            out += ' ';
    }
    while (!out.empty() && out.back() == ' ')
        out.pop_back();
    return out;
}

std::vector<std::string> SplitLabels(std::string_view labels) {
    std::vector<std::string> out;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = labels.find(',', start);
        std::string label =
            TrimUtf8(labels.substr(start, comma == std::string_view::npos ? labels.npos : comma - start));
        if (!label.empty())
            out.push_back(std::move(label));
        if (comma == std::string_view::npos)
            break;
        start = comma + 1;
    }
    return out;
}

bool CanBeHeadword(const std::string& text) {
    if (text.empty() || text.size() >= kHeadwordLimit)
        return false;
    if (std::none_of(text.begin(), text.end(),
                     [](char c) { return IsAsciiLetter(static_cast<unsigned char>(c)); }))
        return false;
    return !Contains(kPlaceholders, AsciiLower(text));
}

void AddUnique(std::vector<int>& list, int entry, std::size_t limit) {
    if (list.size() < limit && std::find(list.begin(), list.end(), entry) == list.end())
        list.push_back(entry);
}

} // namespace MkdicText
