// SPDX-License-Identifier: GPL-2.0-or-later
#include "dict/WordList.h"

#include "dict/Cp1257.h"
#include "dict/HunspellEncoding.h"
#include "dict/MappedFile.h"
#include "dict/SmallFile.h"

#include <algorithm>
#include <bitset>
#include <cstring>
#include <map>
#include <optional>
#include <vector>

namespace {

// One character of an affix's condition: any character, or one of a set, or none of it.
struct SConditionChar {
    bool bAny = false;
    bool bNegated = false;
    std::string set;

    bool Matches(char c) const { return bAny || (set.find(c) != std::string::npos) != bNegated; }
};

// "[^aeiou]y": the characters a root must end with (a suffix's) or begin with (a prefix's);
// nullopt for a group left open.
std::optional<std::vector<SConditionChar>> ParseCondition(std::string_view text) {
    std::vector<SConditionChar> condition;
    for (std::size_t i = 0; i < text.size(); ++i) {
        SConditionChar c;
        if (text[i] == '.') {
            c.bAny = true;
        } else if (text[i] == '[') {
            const std::size_t close = text.find(']', i + 1);
            if (close == std::string_view::npos)
                return std::nullopt;
            std::size_t from = i + 1;
            c.bNegated = from < close && text[from] == '^';
            from += c.bNegated ? 1 : 0;
            c.set = text.substr(from, close - from); // a dot in a group is a dot
            i = close;
        } else {
            c.set = text[i];
        }
        condition.push_back(std::move(c));
    }
    return condition;
}

// A prefix or suffix rule, its texts in code page 1257.
struct SAffix {
    char flag = 0;
    bool bCross = false; // may be combined with an affix of the other kind
    std::string strip;
    std::string append;
    std::vector<SConditionChar> condition;

    // The root this rule makes the text of: the text without the appended part, the stripped
    // part put back, where something is left of the text and the root meets the condition.
    std::optional<std::string> RootOf(std::string_view text, bool bPrefix) const {
        if (text.size() <= append.size() || !(bPrefix ? text.starts_with(append) : text.ends_with(append)))
            return std::nullopt;
        const std::string root = bPrefix ? strip + std::string(text.substr(append.size()))
                                         : std::string(text.substr(0, text.size() - append.size())) + strip;
        if (root.size() < condition.size())
            return std::nullopt;
        const std::size_t at = bPrefix ? 0 : root.size() - condition.size();
        for (std::size_t i = 0; i < condition.size(); ++i)
            if (!condition[i].Matches(root[at + i]))
                return std::nullopt;
        return root;
    }
};

// What the affix file says about one word: the list's encoding, the flags that bar a root
// (forbidden, only with an affix, only in compounds and the like), and the rules whose appended
// part the word begins (prefixes) or ends (suffixes) with.
struct SRules {
    std::string encoding;
    std::string barred;
    std::vector<std::string> converted; // ICONV's texts: hunspell changes them before it looks
    bool bCompounds = false;            // hunspell may read a word as a compound of roots
    std::vector<SAffix> prefixes;
    std::vector<SAffix> suffixes;
};

// The fields of a line, split at blanks.
std::vector<std::string_view> Fields(std::string_view line) {
    constexpr std::string_view kBlanks = " \t\r";
    std::vector<std::string_view> fields;
    for (std::size_t at = line.find_first_not_of(kBlanks); at != std::string_view::npos;) {
        const std::size_t end = std::min(line.find_first_of(kBlanks, at), line.size());
        fields.push_back(line.substr(at, end - at));
        at = line.find_first_not_of(kBlanks, end);
    }
    return fields;
}

// An entry's line (kind, flag, strip, append, condition or a dot when left out, morphology) in
// code page 1257; nullopt for a character the code page lacks, as such a rule never makes a word
// of it, and for a condition left open.
std::optional<SAffix> AffixOf(const std::vector<std::string_view>& f, bool bCross,
                              std::string_view encoding) {
    const auto inCp1257 = [&](std::string_view text) {
        return HunspellEncoding::ToCp1257(encoding, text == "0" ? std::string_view{} : text);
    };
    const std::optional<std::string> strip = inCp1257(f[2]);
    const std::optional<std::string> append = inCp1257(f[3]);
    const std::optional<std::string> text = inCp1257(f.size() > 4 ? f[4] : ".");
    std::optional<std::vector<SConditionChar>> condition = text ? ParseCondition(*text) : std::nullopt;
    if (!strip || !append || !condition)
        return std::nullopt;
    return SAffix{f[1][0], bCross, *strip, *append, std::move(*condition)};
}

// nullopt for a file this reading does not follow.
std::optional<SRules> ReadRules(const std::string& aff, std::string_view word) {
    static constexpr std::string_view kBarring[] = {"FORBIDDENWORD",  "NEEDAFFIX",   "PSEUDOROOT",
                                                    "ONLYINCOMPOUND", "SUBSTANDARD", "WARN"};
    static constexpr std::string_view kNotFollowed[] = {"FLAG",   "AF",        "COMPLEXPREFIXES",
                                                        "IGNORE", "FULLSTRIP", "LANG"};
    SRules rules;
    // A rule's header says how many lines of entries follow it.
    std::map<std::pair<std::string_view, char>, std::pair<bool, int>> headers;
    // The lines of entries that may have made the word (all of them until the encoding is
    // known), each with its header's cross flag.
    std::vector<std::pair<std::vector<std::string_view>, bool>> entries;
    std::optional<std::string> asked;
    for (std::size_t at = 0; at < aff.size();) {
        const std::size_t end = std::min(aff.find('\n', at), aff.size());
        const std::vector<std::string_view> f = Fields(std::string_view(aff).substr(at, end - at));
        at = end + 1;
        if (f.empty())
            continue;
        const std::string_view name = f[0];
        if (std::find(std::begin(kNotFollowed), std::end(kNotFollowed), name) != std::end(kNotFollowed))
            return std::nullopt;
        if (std::find(std::begin(kBarring), std::end(kBarring), name) != std::end(kBarring)) {
            if (f.size() < 2 || f[1].size() != 1)
                return std::nullopt;
            rules.barred += f[1];
        }
        if (name == "SET" && f.size() >= 2) {
            rules.encoding = HunspellEncoding::Name(f[1]);
            asked = HunspellEncoding::FromCp1257(rules.encoding, word);
        }
        if (name == "ICONV" && f.size() >= 3)
            rules.converted.emplace_back(f[1]);
        if (name == "COMPOUNDFLAG" || name == "COMPOUNDBEGIN" || name == "COMPOUNDRULE")
            rules.bCompounds = true;
        if ((name == "PFX" || name == "SFX") && f.size() >= 4) {
            if (f[1].size() != 1)
                return std::nullopt;
            auto& [bCross, left] = headers[{f[0], f[1][0]}];
            if (left > 0) {
                --left;
                if (f[3].find('/') != std::string_view::npos)
                    return std::nullopt; // flags of the affix's own
                const std::string_view append = f[3] == "0" ? std::string_view{} : f[3];
                if (!asked || (name == "PFX" ? asked->starts_with(append) : asked->ends_with(append)))
                    entries.emplace_back(f, bCross);
            } else {
                bCross = f[2] == "Y";
                left = std::atoi(std::string(f[3]).c_str());
            }
        }
    }
    for (const auto& [f, bCross] : entries)
        if (std::optional<SAffix> affix = AffixOf(f, bCross, rules.encoding))
            if (f[0] == "PFX" ? word.starts_with(affix->append) : word.ends_with(affix->append))
                (f[0] == "PFX" ? rules.prefixes : rules.suffixes).push_back(std::move(*affix));
    return rules;
}

// The lines of a word list that hold a root: each line's flags, whether one bars the root, and
// whether one carries morphology after them (which may name another stem).
struct SRootLines {
    std::vector<std::string_view> flags;
    bool bBarred = false;
    bool bData = false;
};

// The lines of the list for each root asked, in one pass. Every line but the first (the count)
// is a root, ended by its flags or its morphology; only the lines that begin as a root asked are
// read further.
std::map<std::string, SRootLines, std::less<>>
FindRoots(std::string_view list, const std::vector<std::string>& roots, std::string_view barred) {
    std::map<std::string, SRootLines, std::less<>> found;
    std::bitset<256> firsts;
    for (const std::string& root : roots) {
        found[root];
        firsts.set(static_cast<unsigned char>(root[0]));
    }
    for (std::size_t at = list.find('\n'); at != std::string_view::npos && at + 1 < list.size();) {
        const std::size_t begin = at + 1;
        const void* newline = std::memchr(list.data() + begin, '\n', list.size() - begin);
        const std::size_t end =
            newline != nullptr ? static_cast<const char*>(newline) - list.data() : list.size();
        at = newline != nullptr ? end : std::string_view::npos;
        if (!firsts.test(static_cast<unsigned char>(list[begin])))
            continue;
        const std::string_view line = list.substr(begin, end - begin);
        const std::string_view root = line.substr(0, line.find_first_of("/\t \r"));
        const auto lines = found.find(root);
        if (lines == found.end())
            continue;
        const std::string_view flags =
            root.size() < line.size() && line[root.size()] == '/'
                ? line.substr(root.size() + 1, line.find_first_of("\t \r", root.size()) - root.size() - 1)
                : std::string_view{};
        lines->second.bBarred =
            lines->second.bBarred || flags.find_first_of(barred) != std::string_view::npos;
        const std::size_t dataAt = root.size() + (flags.empty() ? 0 : flags.size() + 1);
        lines->second.bData =
            lines->second.bData || line.find_first_not_of(" \t\r", dataAt) != std::string_view::npos;
        lines->second.flags.push_back(flags);
    }
    return found;
}

// A root the word may come from, in the list's encoding, and the flags its line must carry.
struct SCandidate {
    std::string root;
    std::string text;   // the root in code page 1257
    char flag = 0;      // 0 for the word itself
    char crossFlag = 0; // a prefix's, with a suffix's flag

    // Whether a line of the root carries the flags this candidate needs.
    bool IsAllowedBy(const std::vector<std::string_view>& lines) const {
        return std::any_of(lines.begin(), lines.end(), [&](std::string_view flags) {
            return flag == 0 || (flags.find(flag) != std::string_view::npos &&
                                 (crossFlag == 0 || flags.find(crossFlag) != std::string_view::npos));
        });
    }
};

// The roots the word may come from: itself, each suffix's, each prefix's, and each crossing
// suffix's within a crossing prefix's.
std::vector<SCandidate> Candidates(const SRules& rules, std::string_view word, const std::string& asked) {
    std::vector<SCandidate> candidates{{asked, std::string(word)}};
    const auto add = [&](const std::string& root, char flag, char crossFlag = 0) {
        if (std::optional<std::string> inList = HunspellEncoding::FromCp1257(rules.encoding, root))
            candidates.push_back({std::move(*inList), root, flag, crossFlag});
    };
    for (const SAffix& suffix : rules.suffixes)
        if (const std::optional<std::string> root = suffix.RootOf(word, false))
            add(*root, suffix.flag);
    for (const SAffix& prefix : rules.prefixes) {
        const std::optional<std::string> root = prefix.RootOf(word, true);
        if (!root)
            continue;
        add(*root, prefix.flag);
        if (prefix.bCross)
            for (const SAffix& suffix : rules.suffixes)
                if (const std::optional<std::string> inner =
                        suffix.bCross ? suffix.RootOf(*root, false) : std::nullopt)
                    add(*inner, suffix.flag, prefix.flag);
    }
    return candidates;
}

// A word looked up in the data: the roots it may come from and the lines of the list that hold
// each. The lines are views of the mapped list, which the caller keeps.
struct SSearch {
    SRules rules;
    std::vector<SCandidate> candidates;
    std::map<std::string, SRootLines, std::less<>> found;

    const SRootLines& LinesOf(const SCandidate& c) const { return found.find(c.root)->second; }
};

// nullopt where the data is missing, not followed, or cannot hold the word as hunspell would read it.
std::optional<SSearch> Search(const std::string& base, std::string_view word, CMappedFile& dic) {
    // hunspell trims blanks and a final full stop, and reads "\/" in the list as a slash.
    if (word.empty() || word.front() == ' ' || word.back() == ' ' || word.back() == '.' ||
        word.find('\\') != std::string_view::npos)
        return std::nullopt;
    // The data of Debian's packages: up to a hundred kilobytes of affixes, a word list of a
    // megabyte.
    constexpr std::size_t kAffixLimit = 1u << 20;
    // The longest word hunspell takes in either encoding, in bytes of the data.
    constexpr std::size_t kLongest = 99;
    std::string aff;
    if (SmallFile::Read(base + ".aff", kAffixLimit, aff) != SmallFile::EResult::Ok ||
        dic.Open(base + ".dic") != CMappedFile::EResult::Ok)
        return std::nullopt;
    std::optional<SRules> rules = ReadRules(aff, word);
    if (!rules)
        return std::nullopt;
    const std::optional<std::string> asked = HunspellEncoding::FromCp1257(rules->encoding, word);
    if (!asked || asked->size() > kLongest ||
        std::any_of(rules->converted.begin(), rules->converted.end(),
                    [&](const std::string& from) { return asked->find(from) != std::string::npos; }))
        return std::nullopt;
    SSearch search{std::move(*rules), {}, {}};
    search.candidates = Candidates(search.rules, word, *asked);
    std::vector<std::string> roots;
    for (const SCandidate& c : search.candidates)
        roots.push_back(c.root);
    search.found = FindRoots(dic.View(0, dic.Size()), roots, search.rules.barred);
    return search;
}

// Whether hunspell surely reads the word with its case as written: it has small letters only and
// apostrophes ("wife's"). A capital makes hunspell try the word in other cases too.
bool IsSmallLetters(std::string_view word) {
    return std::all_of(word.begin(), word.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return (byte >= 'a' && byte <= 'z') || byte == '\'' ||
               (byte >= 0x80 && Cp1257::ToUpper(byte) != byte);
    });
}

} // namespace

namespace WordList {

bool IsSurelySpeltRight(const std::string& base, std::string_view word) {
    CMappedFile dic;
    const std::optional<SSearch> search = Search(base, word, dic);
    if (!search)
        return false;
    // The word itself: a line of its own settles it, and a barred one leaves it to hunspell
    // (a forbidden word is wrong whatever the affixes say).
    const SRootLines& own = search->LinesOf(search->candidates.front());
    if (own.bBarred)
        return false;
    const bool bRight =
        std::any_of(search->candidates.begin(), search->candidates.end(), [&](const SCandidate& c) {
            const SRootLines& lines = search->LinesOf(c);
            return !lines.bBarred && c.IsAllowedBy(lines.flags);
        });
    return bRight && !dic.HasVanished();
}

std::optional<std::vector<std::string>> SurelyStems(const std::string& base, std::string_view word) {
    CMappedFile dic;
    const std::optional<SSearch> search = IsSmallLetters(word) ? Search(base, word, dic) : std::nullopt;
    if (!search)
        return std::nullopt;
    std::vector<std::string> stems;
    for (const SCandidate& c : search->candidates) {
        const SRootLines& lines = search->LinesOf(c);
        if (!c.IsAllowedBy(lines.flags))
            continue;
        // hunspell gives a barred root as the stem of its affixed forms but not of itself, and
        // morphology may name a stem of its own: both are for hunspell to say.
        if (lines.bBarred || lines.bData)
            return std::nullopt;
        stems.push_back(c.text);
    }
    // A word of no root may still be a compound of roots.
    if (stems.empty() && search->rules.bCompounds)
        return std::nullopt;
    std::sort(stems.begin(), stems.end());
    stems.erase(std::unique(stems.begin(), stems.end()), stems.end());
    if (dic.HasVanished())
        return std::nullopt;
    return stems;
}

} // namespace WordList
