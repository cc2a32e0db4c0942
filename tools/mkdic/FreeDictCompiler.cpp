#include "FreeDictCompiler.h"

#include "dict/Cp1257.h"
#include "dict/DictFile.h"
#include "dict/DictFormat.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <ostream>

namespace {

using U32 = std::u32string;
using U32View = std::u32string_view;

// Longest text a headword record can hold: its span must stay under 64 bytes.
constexpr std::size_t kHeadwordLimit = DictFormat::kHeadwordSpanLimit - 4;
// Longest article text: the record (4 bytes of homonym number and the text) spans under 65,535.
constexpr std::size_t kArticleLimit = DictFormat::kArticleSpanLimit - 5;
// At most m - 1 = 255 articles fit in a reverse record's leading words.
constexpr std::size_t kReverseArticles = DictFormat::kEntryListWords - 1;
// An English translation without an article of its own leads to at most this many articles.
constexpr std::size_t kTranslationArticles = 8;

// --- UTF-8 ---------------------------------------------------------------------------------

U32 Decode(std::string_view s) {
    U32 out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size();) {
        const auto b = static_cast<unsigned char>(s[i]);
        int extra = 0;
        char32_t cp = 0;
        if (b < 0x80) {
            cp = b;
        } else if (b >= 0xC2 && b < 0xE0) {
            extra = 1;
            cp = b & 0x1F;
        } else if (b >= 0xE0 && b < 0xF0) {
            extra = 2;
            cp = b & 0x0F;
        } else if (b >= 0xF0 && b < 0xF5) {
            extra = 3;
            cp = b & 0x07;
        } else {
            out += U'\uFFFD';
            ++i;
            continue;
        }
        if (i + static_cast<std::size_t>(extra) >= s.size()) {
            out += U'\uFFFD';
            ++i;
            continue;
        }
        bool ok = true;
        for (int k = 1; k <= extra; ++k) {
            const auto c = static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]);
            if ((c & 0xC0) != 0x80) {
                ok = false;
                break;
            }
            cp = (cp << 6) | (c & 0x3F);
        }
        if (!ok) {
            out += U'\uFFFD';
            ++i;
            continue;
        }
        out += cp;
        i += static_cast<std::size_t>(extra) + 1;
    }
    return out;
}

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

// Splits at commas and semicolons outside parentheses. A stray ')' does not take the depth below
// zero, so a lost '(' in the data does not swallow the rest of the sense.
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
    constexpr std::u32string_view kLead = U".,;:=/?!~\u2026\u2248";
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

// Strips the remarks of one item: a part cut off by a lost '(' or ')', remarks in parentheses
// at the start and the end and, when inner is set, every other remark too.
U32 StripRemarks(U32 p, bool inner) {
    for (;;) {
        p = TrimEdges(p);
        if (p.empty())
            return p;
        // A ')' whose '(' the data lost: what stands before it is the rest of a remark.
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
            continue;
        }
        // A '(' that never closes: the rest is an unfinished remark.
        std::vector<std::size_t> open;
        for (std::size_t i = 0; i < p.size(); ++i) {
            if (p[i] == '(')
                open.push_back(i);
            else if (p[i] == ')')
                open.pop_back();
        }
        if (!open.empty()) {
            p = p.substr(0, open.front());
            continue;
        }
        if (p.front() == '(') {
            const std::size_t close = MatchClose(p, 0);
            if (!IsOptionalPart(p, 0, close)) {
                p = p.substr(close + 1);
                continue;
            }
        }
        if (p.back() == ')') {
            const std::size_t openAt = MatchOpen(p, p.size() - 1);
            if (!IsOptionalPart(p, openAt, p.size() - 1)) {
                p = p.substr(0, openAt);
                continue;
            }
        }
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
void ExpandOptional(const U32& s, std::vector<U32>& out, std::size_t from = 0) {
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

std::vector<std::string> Items(std::string_view sense, bool inner) {
    std::vector<std::string> items;
    for (const U32& part : SplitTopLevel(RemoveLabels(Decode(sense)))) {
        const U32 stripped = StripRemarks(part, inner);
        if (stripped.empty())
            continue;
        std::vector<U32> forms;
        ExpandOptional(stripped, forms);
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

// --- lists of words ---------------------------------------------------------------------------

template <std::size_t N> bool Contains(const std::string_view (&list)[N], std::string_view word) {
    return std::find(std::begin(list), std::end(list), word) != std::end(list);
}

// Words too common to lead to a phrase.
constexpr std::string_view kStopWords[] = {"a",  "an", "the", "of",  "to", "in", "on",
                                           "at", "by", "for", "and", "or", "as"};
// Placeholders of English grammar notes; they stand in remarks beside real words.
constexpr std::string_view kPlaceholders[] = {"smb",    "smth",  "sb",      "sth", "smb's",
                                              "smth's", "one's", "oneself", "sby"};
// Lithuanian words without marks that are English headwords too ("per", "bet", "ten"): in a
// remark they are Lithuanian.
constexpr std::string_view kLithuanianAscii[] = {"ar",  "be",   "bei",  "bet", "dar", "ir",  "jau", "kad",
                                                 "kai", "kaip", "kam",  "kas", "ko",  "kur", "man", "mano",
                                                 "ne",  "net",  "nors", "nuo", "pan", "per", "po",  "prie",
                                                 "su",  "tai",  "tas",  "ten", "tik", "vis"};
// English words that a remark never links: articles and conjunctions say nothing on their own.
constexpr std::string_view kNoLink[] = {"a", "an", "the", "and", "or"};

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
            (c >= '0' && c <= '9') || CDictFile::LetterWeight(c) != 0 || Cp1257::ToUpper(c) != c;
        if (keep)
            out += static_cast<char>(c);
        else if (c == ' ' && !out.empty() && out.back() != ' ')
            out += ' ';
    }
    while (!out.empty() && out.back() == ' ')
        out.pop_back();
    return out;
}

struct SDomain {
    std::string_view label;
    std::string_view remark;
};

// The Lithuanian abbreviations of the domain labels, as the data writes them in parentheses.
constexpr SDomain kDomains[] = {
    {"astr", "astr."},   {"bio", "biol."},  {"bot", "bot."},   {"chem", "chem."}, {"geo", "geogr."},
    {"geol", "geol."},   {"gram", "gram."}, {"hist", "ist."},  {"math", "mat."},  {"med", "med."},
    {"mus", "muz."},     {"phy", "fiz."},   {"pol", "polit."}, {"rel", "rel."},   {"slang", "žarg."},
    {"sport", "sport."}, {"vulg", "vulg."},
};

struct SPartOfSpeech {
    std::string_view label;
    std::string_view lithuanian;
};

constexpr SPartOfSpeech kPartsOfSpeech[] = {
    {"n", "dkt."},    {"adj", "bdv."},  {"v", "vksm."}, {"adv", "prv."}, {"pron", "įv."},  {"prep", "prl."},
    {"conj", "jng."}, {"num", "sktv."}, {"pl", "dgs."}, {"sg", "vns."},  {"m", "vyr. g."}, {"f", "mot. g."},
};

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

bool IsConsonant(char c) {
    return c >= 'a' && c <= 'z' && std::string_view("aeiou").find(c) == std::string_view::npos;
}

// Plural of a noun, third person of a verb.
std::string WithS(const std::string& w) {
    const auto ends = [&](std::string_view tail) { return w.ends_with(tail); };
    if (ends("s") || ends("x") || ends("z") || ends("ch") || ends("sh"))
        return w + "es";
    if (w.size() >= 2 && w.back() == 'y' && IsConsonant(w[w.size() - 2]))
        return w.substr(0, w.size() - 1) + "ies";
    return w + "s";
}

std::string WithEd(const std::string& w) {
    if (w.back() == 'e')
        return w + "d";
    if (w.size() >= 2 && w.back() == 'y' && IsConsonant(w[w.size() - 2]))
        return w.substr(0, w.size() - 1) + "ied";
    return w + "ed";
}

std::string WithIng(const std::string& w) {
    if (w.size() > 2 && w.ends_with("ie"))
        return w.substr(0, w.size() - 2) + "ying";
    if (w.size() > 2 && w.back() == 'e' && !w.ends_with("ee") && !w.ends_with("ye") && !w.ends_with("oe"))
        return w.substr(0, w.size() - 1) + "ing";
    return w + "ing";
}

bool WriteText(const std::string& path, const std::string& text, std::string& error) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) {
        error = "cannot create " + path + ": " + std::strerror(errno);
        return false;
    }
    const bool written = std::fwrite(text.data(), 1, text.size(), f) == text.size();
    if (std::fclose(f) != 0 || !written) {
        error = "cannot write " + path + ": " + std::strerror(errno);
        std::remove(path.c_str());
        return false;
    }
    return true;
}

void AddUnique(std::vector<int>& list, int entry, std::size_t limit) {
    if (list.size() < limit && std::find(list.begin(), list.end(), entry) == list.end())
        list.push_back(entry);
}

} // namespace

// ===========================================================================================

namespace FreeDict {

SFreeDictEntry ParseEntry(std::string_view key, std::string_view text) {
    SFreeDictEntry entry;
    entry.key = TrimUtf8(key);
    // Typographic hyphens (U+2010, U+2011) stand where the rest of the data has '-'.
    std::string normal(text);
    for (std::string_view hyphen : {"\xE2\x80\x90", "\xE2\x80\x91"})
        for (std::size_t at = normal.find(hyphen); at != std::string::npos; at = normal.find(hyphen, at))
            normal.replace(at, hyphen.size(), "-");

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
    if (lines.empty())
        return entry;

    std::string head = TrimUtf8(lines.front());
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
    // "(komp.) batch program": the remark belongs to the meaning, not to the spelling.
    std::string remark;
    if (head.starts_with('(')) {
        const std::size_t close = head.find(") ");
        if (close != std::string::npos && !TrimUtf8(head.substr(close + 2)).empty()) {
            remark = head.substr(0, close + 1);
            head = TrimUtf8(head.substr(close + 2));
        }
    }
    entry.headword = head;

    struct SRefKind {
        std::string_view prefix;
        ECrossRef kind;
    };
    static constexpr SRefKind kRefKinds[] = {
        {"See also:", ECrossRef::SeeAlso}, {"Antonym:", ECrossRef::Antonym}, {"der:", ECrossRef::Derived}};

    for (std::size_t n = 1; n < lines.size(); ++n) {
        const std::string line = TrimUtf8(lines[n]);
        if (line.empty())
            continue;
        bool isRef = false;
        for (const SRefKind& k : kRefKinds) {
            if (!line.starts_with(k.prefix))
                continue;
            isRef = true;
            const int sense = static_cast<int>(entry.senses.size()) - 1;
            const std::string rest = TrimUtf8(std::string_view(line).substr(k.prefix.size()));
            bool braces = false;
            for (std::size_t open = rest.find('{'); open != std::string::npos;
                 open = rest.find('{', open + 1)) {
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
            break;
        }
        if (isRef)
            continue;

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
    return Items(sense, false);
}

std::vector<std::string> EnglishPhrases(std::string_view sense) {
    return Items(sense, true);
}

std::vector<std::string> Inflections(std::string_view word, std::string_view pos) {
    std::vector<std::string> forms;
    if (word.empty() || word.front() == '-' || word.back() == '-')
        return forms;
    for (char c : word)
        if (!((c >= 'a' && c <= 'z') || c == '-'))
            return forms;
    const std::vector<std::string> labels = SplitLabels(pos);
    const auto has = [&](std::string_view l) {
        return std::find(labels.begin(), labels.end(), l) != labels.end();
    };
    const std::string w(word);
    const auto add = [&](std::string form) {
        if (form != w && std::find(forms.begin(), forms.end(), form) == forms.end())
            forms.push_back(std::move(form));
    };
    if (has("n") && !has("pl"))
        add(WithS(w));
    if (has("v")) {
        add(WithS(w));
        add(WithEd(w));
        add(WithIng(w));
    }
    return forms;
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

// ===========================================================================================

using namespace FreeDict;

const std::vector<int>* CFreeDictCompiler::FindArticles(const std::string& text, bool byKey) const {
    if (const auto it = m_byHeadword.find(text); it != m_byHeadword.end())
        return &it->second;
    if (const auto it = m_byFolded.find(ForwardKey(text)); it != m_byFolded.end())
        return &it->second;
    if (byKey)
        if (const auto it = m_byKey.find(KeyForm(text)); it != m_byKey.end())
            return &it->second;
    return nullptr;
}

std::string CFreeDictCompiler::LinkHtml(const std::vector<int>& articles, const std::string& textUtf8) {
    // The link leads to every article that carries exactly the headword found (its homonyms).
    const std::string& headword = m_drafts[static_cast<std::size_t>(articles.front())].headword;
    const std::string name = LinkName(headword);
    if (name.empty())
        return HtmlText(textUtf8);
    std::vector<int>& targets = m_linkTargets[name];
    for (int a : m_byHeadword.at(headword))
        AddUnique(targets, a, m_drafts.size());
    ++m_stats.linksInArticles;
    std::string escaped;
    for (char c : name) {
        if (c == '&')
            escaped += "&amp;";
        else if (c == '<')
            escaped += "&lt;";
        else if (c == '>')
            escaped += "&gt;";
        else
            escaped += c;
    }
    return "<A HREF=\"" + escaped + "\">" + HtmlText(textUtf8) + "</A>";
}

std::string CFreeDictCompiler::SenseHtml(const SArticleDraft& draft, const std::string& sense) {
    struct SLink {
        std::size_t start;
        std::size_t end;
        const std::vector<int>* articles;
    };
    const U32 s = Decode(sense);
    std::vector<SLink> links;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '(')
            continue;
        const std::size_t close = MatchClose(s, i);
        if (close == U32::npos)
            break;
        if (IsOptionalPart(s, i, close))
            continue;
        // English words in a remark, "(at)", "(sutr. iš gasoline)", "(t.p. drug addict)", become
        // links. A remark part (between commas or before a dash) whose plain words are not all
        // headwords is Lithuanian text ("(bet koks pailgas)") and links nothing.
        std::vector<SLink> candidates;
        bool lithuanian = false;
        const auto endPart = [&] {
            if (!lithuanian)
                links.insert(links.end(), candidates.begin(), candidates.end());
            candidates.clear();
            lithuanian = false;
        };
        for (std::size_t k = i + 1; k < close;) {
            const char32_t c = s[k];
            if (c == ',' || c == ';' || c == 0x2013 || c == 0x2014) {
                endPart();
                ++k;
                continue;
            }
            if (!IsLetter(c)) {
                ++k;
                continue;
            }
            std::size_t e = k;
            bool ascii = true;
            // Apostrophes and hyphens inside a word keep it whole: "one's", "X-ray".
            while (e < close && (IsLetter(s[e]) ||
                                 ((s[e] == '\'' || s[e] == '-') && e + 1 < close && IsLetter(s[e + 1])))) {
                ascii = ascii && s[e] < 0x80;
                ++e;
            }
            const std::size_t start = k;
            k = e;
            // Lithuanian words and abbreviations ("t.p.", "šnek.") are the remark's own text.
            if (!ascii || (e < s.size() && s[e] == '.'))
                continue;
            const std::string word = Encode(s.substr(start, e - start));
            const std::string lower = AsciiLower(word);
            if (word.size() < 2 || Contains(kPlaceholders, lower) || Contains(kLithuanianAscii, lower) ||
                Contains(kNoLink, lower))
                continue;
            const std::vector<int>* articles = FindArticles(word, false);
            if (articles == nullptr) {
                lithuanian = true;
                continue;
            }
            if (m_drafts[static_cast<std::size_t>(articles->front())].headword != draft.headword)
                candidates.push_back({start, e, articles});
        }
        endPart();
        i = close;
    }
    std::string out;
    std::size_t at = 0;
    for (const SLink& link : links) {
        out += HtmlText(Encode(s.substr(at, link.start - at)));
        out += LinkHtml(*link.articles, Encode(s.substr(link.start, link.end - link.start)));
        at = link.end;
    }
    out += HtmlText(Encode(s.substr(at)));
    return out;
}

std::string CFreeDictCompiler::RefsHtml(const std::vector<const SCrossRef*>& refs) {
    static constexpr std::pair<ECrossRef, std::string_view> kLabels[] = {
        {ECrossRef::SeeAlso, "Taip pat žr.:"},
        {ECrossRef::Antonym, "Antonimas:"},
        {ECrossRef::Derived, "Žr.:"}};
    std::string out;
    for (const auto& [kind, label] : kLabels) {
        std::vector<std::string> targets;
        for (const SCrossRef* r : refs)
            if (r->kind == kind && std::find(targets.begin(), targets.end(), r->target) == targets.end())
                targets.push_back(r->target);
        if (targets.empty())
            continue;
        out += "<P CLASS=see>\r\n" + HtmlText(label) + " ";
        for (std::size_t n = 0; n < targets.size(); ++n) {
            if (n > 0)
                out += ", ";
            const std::vector<int>* articles = FindArticles(PlainText(targets[n]), true);
            out += articles != nullptr ? LinkHtml(*articles, targets[n]) : HtmlText(targets[n]);
        }
        out += "\r\n</P>\r\n";
    }
    return out;
}

std::string CFreeDictCompiler::ArticleBody(const SArticleDraft& draft) {
    const SFreeDictEntry& e = *draft.entry;
    std::string body = "<P CLASS=hw><B>" + HtmlText(e.headword) + "</B>";
    if (!e.pron.empty())
        body += " <SPAN CLASS=pron>[" + HtmlText(e.pron) + "]</SPAN>";
    if (!e.pos.empty())
        body += " <I>" + HtmlText(PartOfSpeech(e.pos)) + "</I>";
    body += "</P>\r\n";

    // Cross-references stand under the sense they follow; when every sense that has some has the
    // same ones ("See also: {abnormity}" after both senses), they are shown once at the end.
    std::vector<std::vector<const SCrossRef*>> groups(e.senses.size() + 1);
    for (const SCrossRef& r : e.refs)
        groups[static_cast<std::size_t>(r.sense + 1)].push_back(&r);
    const std::vector<const SCrossRef*>* first = nullptr;
    bool alike = true;
    const auto same = [](const std::vector<const SCrossRef*>& a, const std::vector<const SCrossRef*>& b) {
        return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const SCrossRef* x, const SCrossRef* y) {
            return x->kind == y->kind && x->target == y->target;
        });
    };
    for (const auto& g : groups) {
        if (g.empty())
            continue;
        if (first == nullptr)
            first = &g;
        else if (!same(*first, g))
            alike = false;
    }
    if (!alike)
        body += RefsHtml(groups[0]);
    for (std::size_t n = 0; n < e.senses.size(); ++n) {
        const SFreeDictSense& sense = e.senses[n];
        // Each text line stands alone between the tags, so that the reverse view can mark a
        // Lithuanian word at the start or end of a line.
        body += "<P CLASS=sense>\r\n";
        if (!sense.number.empty())
            body += HtmlText(sense.number) + " ";
        body += SenseHtml(draft, ConvertDomainLabels(sense.text));
        body += "\r\n</P>\r\n";
        if (!alike)
            body += RefsHtml(groups[n + 1]);
    }
    if (alike && first != nullptr)
        body += RefsHtml(*first);
    return body;
}

void CFreeDictCompiler::AddAlternate(std::size_t list, const std::string& textCp1257, int entry) {
    if (textCp1257.empty() || textCp1257.size() >= kHeadwordLimit)
        return;
    if (CDictFile::CompareForward(textCp1257, m_drafts[static_cast<std::size_t>(entry)].headword) == 0)
        return;
    if (!m_altSeen[list].insert({textCp1257, entry}).second)
        return;
    m_content.alternates[list].push_back({textCp1257, entry});
}

void CFreeDictCompiler::BuildAlternates(const std::vector<SFreeDictEntry>& litEng) {
    for (std::size_t i = 0; i < m_drafts.size(); ++i) {
        const int entry = static_cast<int>(i);
        const SFreeDictEntry& e = *m_drafts[i].entry;

        // 1: spelling variants.
        AddAlternate(0, PlainText(e.key), entry);
        const std::string folded = AsciiFold(e.headword);
        if (!folded.empty())
            AddAlternate(0, folded, entry);
        std::vector<U32> forms;
        ExpandOptional(Decode(e.headword), forms);
        if (forms.size() > 1)
            for (const U32& form : forms)
                AddAlternate(0, PlainText(Encode(form)), entry);

        // 2: the words of a phrase.
        const U32 hw = Decode(e.headword);
        if (hw.find(' ') != U32::npos) {
            std::size_t start = 0;
            while (start < hw.size()) {
                std::size_t end = hw.find(' ', start);
                if (end == U32::npos)
                    end = hw.size();
                std::size_t a = start;
                std::size_t b = end;
                while (a < b && !IsLetter(hw[a]))
                    ++a;
                while (b > a && !IsLetter(hw[b - 1]))
                    --b;
                const U32 word = hw.substr(a, b - a);
                const auto letters = std::count_if(word.begin(), word.end(), IsLetter);
                const std::string lower = Cp1257::ToLower(PlainText(Encode(word)));
                if (letters >= 2 && !Contains(kStopWords, lower))
                    AddAlternate(1, lower, entry);
                start = end + 1;
            }
        }

        // 4: regular inflections that are no headwords themselves.
        for (const std::string& form : Inflections(e.headword, e.pos))
            if (FindArticles(form, false) == nullptr)
                AddAlternate(3, form, entry);
    }

    // 3: English translations without an article of their own lead to the articles whose
    // senses hold the Lithuanian word they translate.
    std::map<std::string, std::vector<int>> byPhrase;
    std::vector<std::string> order;
    for (const SFreeDictEntry& e : litEng) {
        const auto found = m_reverseFromEnglish.find(PlainText(TrimUtf8(e.headword)));
        if (found == m_reverseFromEnglish.end())
            continue;
        for (const SFreeDictSense& sense : e.senses) {
            for (const std::string& phrase : EnglishPhrases(sense.text)) {
                const std::string text = PlainText(phrase);
                if (text.size() >= kHeadwordLimit || FindArticles(text, true) != nullptr)
                    continue;
                auto [it, added] = byPhrase.try_emplace(text);
                if (added)
                    order.push_back(text);
                for (int a : found->second)
                    AddUnique(it->second, a, kTranslationArticles);
            }
        }
    }
    for (const std::string& text : order)
        for (int a : byPhrase[text])
            AddAlternate(2, text, a);
}

void CFreeDictCompiler::BuildReverse(const std::vector<SFreeDictEntry>& litEng) {
    std::map<std::string, std::vector<int>> records = m_reverseFromEnglish;
    for (const SFreeDictEntry& e : litEng) {
        const std::string word = PlainText(TrimUtf8(e.headword));
        if (word.empty() || word.size() >= DictFormat::kReverseTextLimit)
            continue;
        for (const SFreeDictSense& sense : e.senses) {
            for (const std::string& phrase : EnglishPhrases(sense.text)) {
                const std::vector<int>* articles = FindArticles(PlainText(phrase), false);
                if (articles == nullptr)
                    continue;
                std::vector<int>& list = records[word];
                for (int a : *articles)
                    AddUnique(list, a, kReverseArticles);
            }
        }
    }
    for (auto& [text, entries] : records)
        if (!entries.empty())
            m_content.reverse.push_back({text, std::vector<std::int32_t>(entries.begin(), entries.end())});
}

void CFreeDictCompiler::Compile(const std::vector<SFreeDictEntry>& engLit,
                                const std::vector<SFreeDictEntry>& litEng) {
    for (const SFreeDictEntry& e : engLit) {
        SArticleDraft draft{&e, PlainText(e.headword)};
        if (draft.headword.empty() || (e.senses.empty() && e.refs.empty())) {
            m_warnings.push_back("entry \"" + e.key + "\" has no headword or no sense; skipped");
            ++m_stats.skipped;
            continue;
        }
        if (draft.headword.size() >= kHeadwordLimit) {
            m_warnings.push_back("headword \"" + e.headword + "\" has " +
                                 std::to_string(draft.headword.size()) +
                                 " bytes, more than a headword record holds; skipped");
            ++m_stats.skipped;
            continue;
        }
        m_drafts.push_back(std::move(draft));
    }
    // The articles take the order the writer would give them, so that every entry number below
    // is final and the reverse records list their articles in index order.
    std::stable_sort(m_drafts.begin(), m_drafts.end(), [](const SArticleDraft& a, const SArticleDraft& b) {
        return CDictFile::CompareForward(a.headword, b.headword) < 0;
    });
    for (std::size_t i = 0; i < m_drafts.size(); ++i) {
        const int entry = static_cast<int>(i);
        m_byHeadword[m_drafts[i].headword].push_back(entry);
        m_byFolded[ForwardKey(m_drafts[i].headword)].push_back(entry);
        m_byKey[KeyForm(PlainText(m_drafts[i].entry->key))].push_back(entry);
    }

    m_content.articles.reserve(m_drafts.size());
    for (std::size_t i = 0; i < m_drafts.size(); ++i) {
        const SArticleDraft& draft = m_drafts[i];
        const SFreeDictEntry& e = *draft.entry;
        std::int32_t homonym = 0;
        const std::vector<int>& same = m_byHeadword.at(draft.headword);
        if (same.size() > 1)
            homonym = static_cast<std::int32_t>(std::find(same.begin(), same.end(), static_cast<int>(i)) -
                                                same.begin() + 1);
        const bool abbreviated = e.senses.size() == 1 &&
                                 Encode(Trim(RemoveLabels(Decode(e.senses[0].text)))).starts_with("(sutr.");
        if (IsAbbreviationHeadword(draft.headword) || abbreviated)
            homonym = DictFormat::kAbbreviation;
        std::string text = CDictWriter::ArticleText(draft.headword, ArticleBody(draft));
        if (text.size() > kArticleLimit) {
            m_warnings.push_back("article \"" + e.headword +
                                 "\" is longer than an article record holds; cut");
            text.resize(kArticleLimit);
        }
        if (homonym == DictFormat::kAbbreviation)
            ++m_stats.abbreviations;
        else if (homonym != 0)
            ++m_stats.homonyms;
        m_content.articles.push_back({draft.headword, homonym, std::move(text)});
    }
    for (const auto& [name, articles] : m_linkTargets)
        if (name.size() < kHeadwordLimit)
            for (int a : articles)
                m_content.links.push_back({name, a});

    // Lithuanian words of the English senses, each with its articles in index order.
    for (std::size_t i = 0; i < m_drafts.size(); ++i)
        for (const SFreeDictSense& sense : m_drafts[i].entry->senses)
            for (const std::string& item : LithuanianItems(sense.text)) {
                const std::string text = PlainText(item);
                if (text.size() < DictFormat::kReverseTextLimit)
                    AddUnique(m_reverseFromEnglish[text], static_cast<int>(i), kReverseArticles);
            }

    BuildAlternates(litEng);
    BuildReverse(litEng);

    m_stats.articles = static_cast<int>(m_content.articles.size());
    for (std::size_t k = 0; k < m_content.alternates.size(); ++k)
        m_stats.alternates[k] = static_cast<int>(m_content.alternates[k].size());
    m_stats.links = static_cast<int>(m_content.links.size());
    m_stats.reverse = static_cast<int>(m_content.reverse.size());
}

std::vector<SFreeDictEntry> CFreeDictCompiler::ParseEntries(const CDictdReader& reader) {
    std::vector<const SDictdEntry*> words;
    for (const SDictdEntry& e : reader.Entries())
        if (!CDictdReader::IsMetadataKey(e.key))
            words.push_back(&e);
    std::stable_sort(words.begin(), words.end(),
                     [](const SDictdEntry* a, const SDictdEntry* b) { return a->offset < b->offset; });
    std::vector<SFreeDictEntry> entries;
    entries.reserve(words.size());
    for (const SDictdEntry* e : words)
        entries.push_back(ParseEntry(e->key, e->text));
    return entries;
}

std::string CFreeDictCompiler::CopyingText(const std::string& engLitInfo, const std::string& litEngInfo,
                                           const std::string& engLitCopyrightPath,
                                           const std::string& litEngCopyrightPath) {
    std::string out = "LEKSTAR.dic is built from the FreeDict English-Lithuanian and Lithuanian-English\n"
                      "dictionaries. It is distributed under their licence; their notices follow.\n";
    const auto section = [&](const std::string& title, const std::string& text) {
        out += "\n======== " + title + " ========\n\n" + text;
        if (!text.empty() && text.back() != '\n')
            out += '\n';
    };
    section("English-Lithuanian dictionary (freedict-eng-lit): database information", engLitInfo);
    section("Lithuanian-English dictionary (freedict-lit-eng): database information", litEngInfo);
    for (const std::string& path : {engLitCopyrightPath, litEngCopyrightPath}) {
        std::string text;
        if (!path.empty() && CDictdReader::ReadFile(path, text, nullptr))
            section(path, text);
    }
    return out;
}

int CFreeDictCompiler::Run(const std::string& sourceDir, const std::string& outputPath,
                           const std::string& docDir, std::ostream& out, std::ostream& err) {
    namespace fs = std::filesystem;
    std::string error;
    CDictdReader engLit;
    CDictdReader litEng;
    if (!engLit.LoadBase((fs::path(sourceDir) / "freedict-eng-lit").string(), &error) ||
        !litEng.LoadBase((fs::path(sourceDir) / "freedict-lit-eng").string(), &error)) {
        err << "lekstar-mkdic: " << error << "\n";
        return 1;
    }
    const std::vector<SFreeDictEntry> engLitEntries = ParseEntries(engLit);
    const std::vector<SFreeDictEntry> litEngEntries = ParseEntries(litEng);
    CFreeDictCompiler compiler;
    compiler.Compile(engLitEntries, litEngEntries);
    for (const std::string& w : compiler.Warnings())
        err << "lekstar-mkdic: warning: " << w << "\n";
    if (compiler.Content().articles.empty()) {
        err << "lekstar-mkdic: " << sourceDir << "/freedict-eng-lit.index: no entries to build from\n";
        return 1;
    }
    if (!CDictWriter::WriteFile(outputPath, compiler.Content(), CDictWriter::EOrder::Sort, &error)) {
        err << "lekstar-mkdic: " << error << "\n";
        return 1;
    }
    const std::string copyingPath = outputPath + ".COPYING";
    const std::string copying = CopyingText(
        engLit.EntryText("00databaseinfo"), litEng.EntryText("00databaseinfo"),
        docDir.empty() ? std::string() : (fs::path(docDir) / "dict-freedict-eng-lit" / "copyright").string(),
        docDir.empty() ? std::string() : (fs::path(docDir) / "dict-freedict-lit-eng" / "copyright").string());
    if (!WriteText(copyingPath, copying, error)) {
        err << "lekstar-mkdic: " << error << "\n";
        return 1;
    }

    const SCompileStats& s = compiler.Stats();
    std::error_code ec;
    const auto size = fs::file_size(outputPath, ec);
    out << outputPath << ": " << (ec ? 0 : size) << " bytes\n"
        << "  articles:                  " << s.articles << " (" << s.homonyms << " homonyms, "
        << s.abbreviations << " abbreviations, " << s.skipped << " entries skipped)\n"
        << "  alternate 1 (spellings):   " << s.alternates[0] << "\n"
        << "  alternate 2 (phrase words): " << s.alternates[1] << "\n"
        << "  alternate 3 (translations): " << s.alternates[2] << "\n"
        << "  alternate 4 (inflections): " << s.alternates[3] << "\n"
        << "  links:                     " << s.links << " records, " << s.linksInArticles
        << " links in articles\n"
        << "  reverse records:           " << s.reverse << "\n"
        << "  licence:                   " << copyingPath << "\n";
    return 0;
}
