// SPDX-License-Identifier: GPL-2.0-or-later
// Mends for slips of the FreeDict sources that would otherwise make wrong headwords: a remark's
// parenthesis opened or closed but not both, "anxious/ uneasy", part-of-speech tags inside a
// sense, Lithuanian words standing as English translations, "dantų s." for "dantų skausmas", and
// a "= 2,5 cm" line that is a note of the sense before it.

#include "mkdic/FreeDictCompiler.h"
#include "mkdic/TextTools.h"

#include <algorithm>

namespace FreeDict {

namespace {

using namespace MkdicText;

bool IsLithuanianLetter(char32_t c) {
    constexpr std::u32string_view kLetters = U"ąčęėįšųūžĄČĘĖĮŠŲŪŽ";
    return kLetters.find(c) != std::u32string_view::npos;
}

// A word of a remark rather than of the English translation: one with a Lithuanian letter, a
// Lithuanian word without marks, an abbreviation ("p.", "muz."), a grammar placeholder ("smth"),
// or a word the English spelling check does not know.
bool IsRemarkWord(const U32& word, bool abbreviated, const FWordCheck& isEnglish) {
    if (std::any_of(word.begin(), word.end(), IsLithuanianLetter) || abbreviated)
        return true;
    const std::string utf8 = Encode(word);
    if (Contains(kLithuanianAscii, utf8) || Contains(kPlaceholders, utf8))
        return true;
    return isEnglish && !isEnglish(utf8);
}

struct SWord {
    std::size_t start;
    std::size_t end; // past the word, and past its '.' when it has one
    bool remark;
};

// The words of s[from, to) in order.
std::vector<SWord> Words(const U32& s, std::size_t from, std::size_t to, const FWordCheck& isEnglish) {
    std::vector<SWord> words;
    for (std::size_t i = from; i < to;) {
        if (!IsLetter(s[i])) {
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < to && (IsLetter(s[end]) || s[end] == '\''))
            ++end;
        const bool abbreviated = end < to && s[end] == '.';
        words.push_back(
            {i, end + (abbreviated ? 1 : 0), IsRemarkWord(s.substr(i, end - i), abbreviated, isEnglish)});
        i = end;
    }
    return words;
}

// Where the remark that a stray ')' at i ends begins: back over items while every word of the
// item is a remark word; i itself when there is none.
std::size_t StrayRemarkStart(const U32& s, std::size_t i, const FWordCheck& isEnglish) {
    std::size_t start = i;
    for (std::size_t itemEnd = i;;) {
        const std::size_t comma = itemEnd == 0 ? U32::npos : s.rfind(U',', itemEnd - 1);
        const std::size_t itemStart = comma == U32::npos ? 0 : comma + 1;
        const std::vector<SWord> words = Words(s, itemStart, itemEnd, isEnglish);
        if (words.empty() ||
            !std::all_of(words.begin(), words.end(), [](const SWord& w) { return w.remark; }))
            break;
        start = words.front().start;
        if (comma == U32::npos)
            break;
        itemEnd = comma;
    }
    return start;
}

// Mends the first ')' that never opened, from the left; false when there is none.
bool MendStrayClose(U32& s, const FWordCheck& isEnglish) {
    int depth = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '(') {
            ++depth;
        } else if (s[i] == ')' && depth > 0) {
            --depth;
        } else if (s[i] == ')') {
            const std::size_t start = StrayRemarkStart(s, i, isEnglish);
            if (start == i)
                s.erase(i, 1);
            else
                s.insert(start, 1, U'(');
            return true;
        }
    }
    return false;
}

// Mends the last '(' still open at the end; false when there is none.
bool MendOpenRemark(U32& s, const FWordCheck& isEnglish) {
    std::vector<std::size_t> open;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '(')
            open.push_back(i);
        else if (s[i] == ')' && !open.empty())
            open.pop_back();
    }
    if (open.empty())
        return false;
    const std::size_t at = open.back();
    std::size_t close = at;
    for (const SWord& w : Words(s, at + 1, s.size(), isEnglish)) {
        if (!w.remark)
            break;
        close = w.end;
    }
    if (close == at)
        s.erase(at, 1);
    else
        s.insert(close, 1, U')');
    return true;
}

// Closes or opens what the data left half done. A '(' that never closes holds the remark words
// after it ("(p. didmenomis sell (by) wholesale"); with none it goes. A ')' that never opened
// ends the run of remark items before it ("negate, nuomonę, teiginį t. p.) refute").
bool MendParentheses(U32& s, const FWordCheck& isEnglish) {
    bool mended = false;
    // Stray ')' first, from the left: each fix may match a later one.
    while (MendStrayClose(s, isEnglish))
        mended = true;
    while (MendOpenRemark(s, isEnglish))
        mended = true;
    return mended;
}

// "anxious/ uneasy" as "anxious/uneasy", and "material(s)/stuff" as "material/materials/stuff", so
// that every alternative is one.
int MendSlashes(U32& s) {
    int mended = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '/')
            continue;
        std::size_t before = i;
        while (before > 0 && s[before - 1] == ' ')
            --before;
        std::size_t after = i + 1;
        while (after < s.size() && s[after] == ' ')
            ++after;
        if ((before != i || after != i + 1) && before > 0 && after < s.size() && IsLetter(s[before - 1]) &&
            IsLetter(s[after])) {
            // Erased and put back rather than replaced: GCC 12 at -O2 takes the replace for an
            // overlapping copy (a false -Wrestrict).
            s.erase(before, after - before);
            s.insert(before, 1, U'/');
            i = before;
            ++mended;
        }
        // "word(s)/" before the slash.
        if (i >= 2 && s[i - 1] == ')') {
            const std::size_t open = s.rfind(U'(', i - 1);
            if (open != U32::npos && open > 0 && IsLetter(s[open - 1])) {
                std::size_t stem = open;
                while (stem > 0 && IsLetter(s[stem - 1]))
                    --stem;
                const U32 base = s.substr(stem, open - stem);
                const U32 optional = s.substr(open + 1, i - 1 - open - 1);
                if (!optional.empty() && std::all_of(optional.begin(), optional.end(), IsLetter)) {
                    const U32 both = base + U'/' + base + optional;
                    s.replace(stem, i - stem, both);
                    i = stem + both.size();
                    ++mended;
                }
            }
        }
    }
    return mended;
}

// " <n>", " <adj>": the data's part-of-speech tags, which belong to the head line only.
int MendTags(U32& s) {
    int mended = 0;
    for (std::size_t open = s.find(U'<'); open != U32::npos; open = s.find(U'<', open)) {
        const std::size_t close = s.find(U'>', open);
        const bool tag = close != U32::npos && close > open + 1 &&
                         std::all_of(s.begin() + static_cast<std::ptrdiff_t>(open) + 1,
                                     s.begin() + static_cast<std::ptrdiff_t>(close), [](char32_t c) {
                                         return (c >= 'a' && c <= 'z') || c == ',' || c == ' ';
                                     });
        if (!tag) {
            ++open;
            continue;
        }
        std::size_t from = open;
        while (from > 0 && s[from - 1] == ' ')
            --from;
        s.erase(from, close + 1 - from);
        open = from;
        ++mended;
    }
    return mended;
}

// "dantų s. toothache": the headword shortened to its first letter after a word that defines it.
bool MendAbbreviatedHeadword(U32& s, const U32& headword, const FWordCheck& isEnglish) {
    const std::size_t space = s.find(U' ');
    if (space == U32::npos || headword.empty() || s.size() < space + 4 || s[space + 2] != '.' ||
        s[space + 3] != ' ' || s[space + 1] != headword.front())
        return false;
    const std::vector<SWord> first = Words(s, 0, space, isEnglish);
    if (first.size() != 1 || first.front().start != 0 || !first.front().remark)
        return false;
    s = U'(' + s.substr(0, space) + U' ' + headword + U")" + s.substr(space + 3);
    return true;
}

// Items (top-level, comma-separated) that are Lithuanian words outside their remarks, with a
// Lithuanian letter among them, are no translations ("1. sąsaja", the headword itself).
int DropLithuanianItems(U32& s, const FWordCheck& isEnglish) {
    std::vector<U32> kept;
    int dropped = 0;
    for (const U32& part : SplitTopLevel(s)) {
        const U32 text = StripRemarks(part, true);
        const std::vector<SWord> words = Words(text, 0, text.size(), isEnglish);
        if (std::any_of(text.begin(), text.end(), IsLithuanianLetter) &&
            std::all_of(words.begin(), words.end(), [](const SWord& w) { return w.remark; }))
            ++dropped;
        else
            kept.push_back(Trim(part));
    }
    if (dropped == 0)
        return 0;
    U32 joined;
    for (const U32& k : kept)
        joined += (joined.empty() ? U"" : U", ") + k;
    s = joined;
    return dropped;
}

// Removes sense n, keeping the cross-references on the senses they follow.
void RemoveSense(SFreeDictEntry& entry, std::size_t n) {
    entry.senses.erase(entry.senses.begin() + static_cast<std::ptrdiff_t>(n));
    for (SCrossRef& ref : entry.refs)
        if (ref.sense >= static_cast<int>(n))
            --ref.sense;
}

} // namespace

void MendEnglishSenses(SFreeDictEntry& entry, const FWordCheck& isEnglish, SMendCounts& counts) {
    MendNotes(entry, counts);
    const U32 headword = Decode(entry.headword);
    for (std::size_t n = 0; n < entry.senses.size();) {
        U32 s = Decode(entry.senses[n].text);
        const U32 before = s;
        counts.tags += MendTags(s);
        counts.parentheses += MendParentheses(s, isEnglish) ? 1 : 0;
        counts.slashes += MendSlashes(s);
        counts.abbreviations += MendAbbreviatedHeadword(s, headword, isEnglish) ? 1 : 0;
        counts.lithuanian += DropLithuanianItems(s, isEnglish);
        if (s != before)
            entry.senses[n].text = Encode(s);
        if (Trim(s).empty() && !Trim(before).empty()) {
            RemoveSense(entry, n);
            continue;
        }
        ++n;
    }
}

void MendNotes(SFreeDictEntry& entry, SMendCounts& counts) {
    // "= 2,5 cm" under "inch" or "colis": a note of the sense before, not a word of its own.
    for (std::size_t n = 1; n < entry.senses.size();) {
        SFreeDictSense& sense = entry.senses[n];
        if (sense.number.empty() && sense.text.starts_with('=')) {
            entry.senses[n - 1].text += " (" + sense.text + ")";
            RemoveSense(entry, n);
            ++counts.notes;
            continue;
        }
        ++n;
    }
}

} // namespace FreeDict
