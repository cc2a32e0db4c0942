// SPDX-License-Identifier: GPL-2.0-or-later
// English inflections for alternate list 4: plurals, third person, past and -ing forms, and the
// irregular forms of WordNet's exception lists.

#include "mkdic/FreeDictCompiler.h"
#include "mkdic/TextTools.h"

#include "dict/Cp1257.h"
#include "dict/DictFormat.h"
#include "dict/DictRecords.h"

#include <algorithm>

using namespace MkdicText;

namespace {

bool IsConsonant(char c) {
    return c >= 'a' && c <= 'z' && std::string_view("aeiou").find(c) == std::string_view::npos;
}

// Plural of a noun, third person of a verb.
std::string WithS(const std::string& w) {
    const auto ends = [&](std::string_view tail) { return w.ends_with(tail); };
    // analysis -> analyses, axis -> axes
    if (w.size() > 3 && (ends("sis") || ends("xis")))
        return w.substr(0, w.size() - 2) + "es";
    if (ends("s") || ends("x") || ends("z") || ends("ch") || ends("sh"))
        return w + "es";
    if (w.size() >= 2 && w.back() == 'y' && IsConsonant(w[w.size() - 2]))
        return w.substr(0, w.size() - 1) + "ies";
    return w + "s";
}

bool IsVowel(char c, bool bFirst) {
    return std::string_view("aeiou").find(c) != std::string_view::npos || (c == 'y' && !bFirst);
}

// Whether the final consonant doubles before -ed and -ing: a consonant after a single vowel
// ("stop", "prefer", "visit"), not w, x or y. English doubles it only when that syllable is
// stressed; the spelling check decides where there is one, else a word of one syllable doubles.
bool DoublesFinal(const std::string& w, const FWordCheck* isWord, std::string_view ending) {
    const std::size_t n = w.size();
    if (n < 3 || !IsConsonant(w[n - 1]) || std::string_view("wxy").find(w[n - 1]) != std::string_view::npos ||
        !IsVowel(w[n - 2], n - 2 == 0) || IsVowel(w[n - 3], n - 3 == 0))
        return false;
    if (isWord != nullptr && *isWord) {
        const bool bDoubled = (*isWord)(w + w.back() + std::string(ending));
        const bool bPlain = (*isWord)(w + std::string(ending));
        if (bDoubled != bPlain)
            return bDoubled;
    }
    int groups = 0;
    for (std::size_t i = 0; i < n; ++i)
        if (IsVowel(w[i], i == 0) && (i == 0 || !IsVowel(w[i - 1], i - 1 == 0)))
            ++groups;
    return groups == 1;
}

std::string WithEd(const std::string& w, const FWordCheck* isWord) {
    if (w.back() == 'e')
        return w + "d";
    if (w.size() >= 2 && w.back() == 'y' && IsConsonant(w[w.size() - 2]))
        return w.substr(0, w.size() - 1) + "ied";
    if (DoublesFinal(w, isWord, "ed"))
        return w + w.back() + "ed";
    return w + "ed";
}

std::string WithIng(const std::string& w, const FWordCheck* isWord) {
    if (w.size() > 2 && w.ends_with("ie"))
        return w.substr(0, w.size() - 2) + "ying";
    if (w.size() > 2 && w.back() == 'e' && !w.ends_with("ee") && !w.ends_with("ye") && !w.ends_with("oe"))
        return w.substr(0, w.size() - 1) + "ing";
    if (DoublesFinal(w, isWord, "ing"))
        return w + w.back() + "ing";
    return w + "ing";
}

} // namespace

namespace FreeDict {

std::vector<SIrregularForm> ParseExceptionList(std::string_view text) {
    std::vector<SIrregularForm> out;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        SIrregularForm f;
        std::size_t i = 0;
        while (i < line.size()) {
            while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r'))
                ++i;
            std::size_t j = i;
            while (j < line.size() && line[j] != ' ' && line[j] != '\t' && line[j] != '\r')
                ++j;
            if (j > i) {
                std::string word(line.substr(i, j - i));
                std::replace(word.begin(), word.end(), '_', ' ');
                if (f.form.empty())
                    f.form = std::move(word);
                else if (std::find(f.bases.begin(), f.bases.end(), word) == f.bases.end())
                    f.bases.push_back(std::move(word));
            }
            i = j;
        }
        if (!f.bases.empty())
            out.push_back(std::move(f));
    }
    return out;
}

std::vector<std::string> Inflections(std::string_view word, std::string_view pos, const FWordCheck* isWord) {
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
        // A form the spelling check does not know is no English word ("bringed", "keeped").
        if (isWord != nullptr && *isWord && !(*isWord)(form))
            return;
        if (form != w && std::find(forms.begin(), forms.end(), form) == forms.end())
            forms.push_back(std::move(form));
    };
    if (has("n") && !has("pl"))
        add(WithS(w));
    if (has("v")) {
        add(WithS(w));
        add(WithEd(w, isWord));
        add(WithIng(w, isWord));
    }
    return forms;
}

std::vector<std::string> AmericanSpellings(std::string_view word, const FWordCheck& isWord) {
    // British ending, American ending; the longer endings of a family first.
    static constexpr std::pair<std::string_view, std::string_view> kEndings[] = {
        {"ourable", "orable"},  {"ourite", "orite"}, {"ouring", "oring"}, {"oured", "ored"}, {"ours", "ors"},
        {"our", "or"},          {"ence", "ense"},    {"ysing", "yzing"},  {"ysed", "yzed"},  {"yse", "yze"},
        {"isation", "ization"}, {"ising", "izing"},  {"ised", "ized"},    {"ise", "ize"},    {"tre", "ter"},
        {"bre", "ber"},         {"ogue", "og"},      {"lling", "ling"},   {"lled", "led"},   {"ller", "ler"},
    };
    std::vector<std::string> out;
    if (!isWord || word.empty() ||
        !std::all_of(word.begin(), word.end(), [](char c) { return c >= 'a' && c <= 'z'; }) ||
        isWord(std::string(word)))
        return out;
    for (const auto& [british, american] : kEndings) {
        // Two letters before the ending at least: "our" alone, "ence" alone are no stems.
        if (word.size() < british.size() + 2 || !word.ends_with(british))
            continue;
        std::string spelling(word.substr(0, word.size() - british.size()));
        spelling += american;
        if (isWord(spelling) && std::find(out.begin(), out.end(), spelling) == out.end())
            out.push_back(std::move(spelling));
    }
    return out;
}

} // namespace FreeDict
