// SPDX-License-Identifier: GPL-2.0-or-later
#include "Pivots.h"
#include "mkdic/TextTools.h"

#include <algorithm>
#include <bit>
#include <cstdio>

using namespace MkdicText;

namespace {

bool IsDigit(char32_t c) {
    return c >= '0' && c <= '9';
}

// "12. text" -> 12 and where the text starts; 0 when the line is not numbered so.
int SenseNumber(const U32& line, std::size_t& textStart) {
    std::size_t i = 0;
    int n = 0;
    while (i < line.size() && IsDigit(line[i]) && n < 1000)
        n = n * 10 + static_cast<int>(line[i++] - '0');
    if (i == 0 || i >= line.size() || line[i] != '.')
        return 0;
    ++i;
    if (i < line.size() && !IsSpace(line[i]))
        return 0;
    textStart = i;
    return n;
}

// The items of a translation line: split at commas and semicolons outside brackets, the
// bracketed remarks dropped. A stray sense number the layout left at the end ("talo 2.") goes.
void AddItems(const U32& line, std::vector<std::string>& out) {
    U32 text = Trim(line);
    for (std::size_t end = text.size(); end > 0 && text[end - 1] == '.';) {
        std::size_t start = end - 1;
        while (start > 0 && IsDigit(text[start - 1]))
            --start;
        if (start == end - 1 || start == 0 || !IsSpace(text[start - 1]))
            break;
        text = Trim(text.substr(0, start));
        end = text.size();
    }
    U32 item;
    int depth = 0;
    const auto flush = [&] {
        const U32 trimmed = CollapseSpaces(Trim(item));
        if (!trimmed.empty())
            out.push_back(Encode(trimmed));
        item.clear();
    };
    for (const char32_t c : text) {
        if (c == '(' || c == '[')
            ++depth;
        else if ((c == ')' || c == ']') && depth > 0)
            --depth;
        else if (depth == 0 && (c == ',' || c == ';'))
            flush();
        else if (depth == 0)
            item += c;
    }
    flush();
}

// Letters with a combining mark that the data sometimes writes apart ("e" U+0307) composed.
char32_t Compose(char32_t base, char32_t mark) {
    static constexpr struct {
        char32_t base, mark, composed;
    } kPairs[] = {{'a', 0x328, 0x105}, {'A', 0x328, 0x104}, {'c', 0x30C, 0x10D}, {'C', 0x30C, 0x10C},
                  {'e', 0x328, 0x119}, {'E', 0x328, 0x118}, {'e', 0x307, 0x117}, {'E', 0x307, 0x116},
                  {'i', 0x328, 0x12F}, {'I', 0x328, 0x12E}, {'s', 0x30C, 0x161}, {'S', 0x30C, 0x160},
                  {'u', 0x328, 0x173}, {'U', 0x328, 0x172}, {'u', 0x304, 0x16B}, {'U', 0x304, 0x16A},
                  {'z', 0x30C, 0x17E}, {'Z', 0x30C, 0x17D}};
    for (const auto& p : kPairs)
        if (p.base == base && p.mark == mark)
            return p.composed;
    return 0;
}

// A vowel with a stress mark written as one letter ("à", "ẽ") as the plain vowel: Lithuanian
// texts mark stress so, and the pivots' accents tell no words of theirs apart that matter here.
char32_t Unstressed(char32_t c) {
    static constexpr std::u32string_view kFrom = U"àáâãèéêìíîòóôõùúûýÀÁÂÃÈÉÊÌÍÎÒÓÔÕÙÚÛÝẽĩũỹẼĨŨỸ";
    static constexpr std::u32string_view kTo = U"aaaaeeeiiioooouuuyAAAAEEEIIIOOOOUUUYeiuyEIUY";
    static_assert(kFrom.size() == kTo.size());
    const std::size_t at = kFrom.find(c);
    return at == std::u32string_view::npos ? c : kTo[at];
}

char32_t Lower(char32_t c) {
    if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7) ||
        (c >= 0x391 && c <= 0x3AB && c != 0x3A2) || (c >= 0x410 && c <= 0x42F))
        return c + 0x20;
    // Latin Extended-A pairs its letters: capital at the even place, except in 0x139-0x148 and
    // 0x179-0x17E where it is at the odd one.
    if (c >= 0x100 && c <= 0x17E && c != 0x130 && c != 0x131 && c != 0x138 && c != 0x149) {
        const bool oddCapital = (c >= 0x139 && c <= 0x148) || c >= 0x179;
        if ((c % 2 == 1) == oddCapital)
            return c + 1;
    }
    return c;
}

int PartIndex(const std::string& pos) {
    if (pos == "n" || pos == "pn")
        return 0;
    if (pos == "v")
        return 1;
    if (pos == "adj")
        return 2;
    if (pos == "adv")
        return 3;
    return 4;
}

} // namespace

namespace Pivots {

SPivotEntry ParseEntry(std::string_view text) {
    SPivotEntry entry;
    std::vector<U32> lines;
    for (std::size_t start = 0; start <= text.size();) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        lines.push_back(Trim(Decode(text.substr(start, end - start))));
        start = end + 1;
    }
    std::size_t at = 0;
    while (at < lines.size() && lines[at].empty())
        ++at;
    if (at == lines.size())
        return entry;
    // The head: pronunciations between slashes (one or two on each side) and labels in <...>.
    U32 head = lines[at++];
    if (const std::size_t lt = head.find('<'); lt != U32::npos) {
        const std::size_t gt = head.find('>', lt);
        const U32 labels = head.substr(lt + 1, gt == U32::npos ? U32::npos : gt - lt - 1);
        entry.pos = Encode(Trim(labels.substr(0, labels.find(','))));
        head.erase(lt);
    }
    if (const std::size_t slash = head.find('/'); slash != U32::npos)
        head.erase(slash);
    entry.headword = Encode(CollapseSpaces(Trim(head)));

    int last = 0;
    bool bAny = false;
    for (; at < lines.size(); ++at) {
        const U32& line = lines[at];
        if (line.empty())
            continue;
        std::size_t textStart = 0;
        const int number = SenseNumber(line, textStart);
        if (number != 0 && textStart == line.size())
            continue; // a number the layout left alone on its line
        if (number > last) {
            last = number;
            bAny = true;
            AddItems(line.substr(textStart), entry.translations);
        } else if (!bAny && number == 0 && !IsDigit(line.front())) {
            last = 1;
            bAny = true;
            AddItems(line, entry.translations);
        }
        // Anything else is a gloss: a definition in the source language.
    }
    return entry;
}

std::string Plain(std::string_view utf8) {
    const U32 in = Decode(utf8);
    U32 out;
    for (const char32_t c : in) {
        if (c >= 0x300 && c <= 0x36F) {
            if (!out.empty())
                if (const char32_t composed = Compose(out.back(), c))
                    out.back() = composed;
            continue; // stress marks
        }
        out += c == 0x2010 || c == 0x2011 ? U'-' : Unstressed(c);
    }
    return Encode(CollapseSpaces(Trim(out)));
}

std::string Key(std::string_view utf8) {
    U32 text = Decode(Plain(utf8));
    std::transform(text.begin(), text.end(), text.begin(), Lower);
    return Encode(text);
}

} // namespace Pivots

namespace {

// The first spelling of a key, unless a source writes it in lower case: "orange", not "Orange".
void Remember(std::map<std::string, std::string>& spelling, const std::string& key, std::string_view text) {
    std::string plain = Pivots::Plain(text);
    const auto [at, added] = spelling.try_emplace(key, plain);
    if (!added && plain == key)
        at->second = std::move(plain);
}

} // namespace

void SPivotLanguage::AddEnglishPivot(const SPivotEntry& e) {
    const std::string english = Pivots::Key(e.headword);
    if (english.empty())
        return;
    Remember(spelling, english, e.headword);
    for (const std::string& t : e.translations)
        if (const std::string pivot = Pivots::Key(t); !pivot.empty())
            LinkEnglish(english, pivot);
}

void SPivotLanguage::AddPivotEnglish(const SPivotEntry& e) {
    const std::string pivot = Pivots::Key(e.headword);
    if (pivot.empty())
        return;
    for (const std::string& t : e.translations)
        if (const std::string english = Pivots::Key(t); !english.empty()) {
            Remember(spelling, english, t);
            LinkEnglish(english, pivot);
        }
}

void SPivotLanguage::LinkEnglish(const std::string& english, const std::string& pivot) {
    fromEnglish[english].insert(pivot);
    toEnglish[pivot].insert(english);
}

void SPivotLanguage::AddPivotLithuanian(const SPivotEntry& e) {
    const std::string pivot = Pivots::Key(e.headword);
    if (pivot.empty())
        return;
    if (!e.pos.empty())
        partOfSpeech.try_emplace(pivot, e.pos);
    for (const std::string& t : e.translations)
        if (const std::string word = Pivots::Key(t); !word.empty()) {
            Remember(spelling, word, t);
            toLithuanian[pivot].insert(word);
            fromLithuanian[word].insert(pivot);
        }
}

int SPivotCandidate::Agreement() const {
    return std::popcount(languages);
}

void CTriangulation::Add(SPivotLanguage language) {
    if (m_languages.size() < 32)
        m_languages.push_back(std::move(language));
    m_cache[0].clear();
    m_cache[1].clear();
}

void CTriangulation::SetChecks(FPivotWordCheck isEnglish, FPivotWordCheck isLithuanian) {
    m_isEnglish = std::move(isEnglish);
    m_isLithuanian = std::move(isLithuanian);
    m_cache[0].clear();
    m_cache[1].clear();
}

std::vector<SPivotCandidate> CTriangulation::Follow(const std::string& key, bool fromEnglish) const {
    std::map<std::string, std::pair<unsigned, std::map<std::string, int>>> found;
    for (std::size_t i = 0; i < m_languages.size(); ++i) {
        const SPivotLanguage& l = m_languages[i];
        const auto& first = fromEnglish ? l.fromEnglish : l.fromLithuanian;
        const auto& second = fromEnglish ? l.toLithuanian : l.toEnglish;
        const auto pivots = first.find(key);
        if (pivots == first.end())
            continue;
        for (const std::string& pivot : pivots->second) {
            const auto targets = second.find(pivot);
            if (targets == second.end())
                continue;
            const auto pos = l.partOfSpeech.find(pivot);
            for (const std::string& t : targets->second) {
                auto& [languages, parts] = found[t];
                languages |= 1u << i;
                if (pos != l.partOfSpeech.end())
                    ++parts[pos->second];
            }
        }
    }
    // A Lithuanian adjective comes as its masculine headword or its feminine and neuter form
    // ("greitas", "greita"; "gražus", "graži"): the form's evidence is the headword's.
    if (fromEnglish)
        for (auto it = found.begin(); it != found.end();) {
            const std::string& w = it->first;
            std::string lemma;
            if (w.ends_with('a'))
                lemma = w + 's';
            else if (w.ends_with('i'))
                lemma = w.substr(0, w.size() - 1) + "us";
            const auto to = lemma.empty() ? found.end() : found.find(lemma);
            if (to == found.end()) {
                ++it;
                continue;
            }
            to->second.first |= it->second.first;
            for (const auto& [pos, count] : it->second.second)
                to->second.second[pos] += count;
            it = found.erase(it);
        }
    std::vector<SPivotCandidate> out;
    for (const auto& [word, evidence] : found) {
        if (!Accepts(word, !fromEnglish))
            continue;
        SPivotCandidate c{word, evidence.first, {}};
        int best = 0;
        for (const auto& [pos, count] : evidence.second)
            if (count > best) {
                best = count;
                c.pos = pos;
            }
        out.push_back(std::move(c));
    }
    std::stable_sort(out.begin(), out.end(), [](const SPivotCandidate& a, const SPivotCandidate& b) {
        return a.Agreement() > b.Agreement();
    });
    return out;
}

bool CTriangulation::Accepts(const std::string& key, bool bEnglish) const {
    const FPivotWordCheck& check = bEnglish ? m_isEnglish : m_isLithuanian;
    return !check || check(key);
}

const std::vector<SPivotCandidate>& CTriangulation::Cached(const std::string& key, bool fromEnglish) const {
    auto& cache = m_cache[fromEnglish ? 0 : 1];
    const auto found = cache.find(key);
    if (found != cache.end())
        return found->second;
    return cache.emplace(key, Follow(key, fromEnglish)).first->second;
}

std::vector<SPivotCandidate> CTriangulation::Candidates(const std::string& key, bool fromEnglish) const {
    std::vector<SPivotCandidate> out;
    for (const SPivotCandidate& c : Cached(key, fromEnglish)) {
        // The way back must lead here as well as anywhere: the word is among the best-agreed
        // translations of its own candidate ("aiškinti" back to "explain").
        const std::vector<SPivotCandidate>& back = Cached(c.key, !fromEnglish);
        const auto self =
            std::find_if(back.begin(), back.end(), [&](const SPivotCandidate& b) { return b.key == key; });
        if (self != back.end() && self->Agreement() == back.front().Agreement())
            out.push_back(c);
    }
    return out;
}

std::vector<SPivotCandidate> CTriangulation::Lithuanian(const std::string& englishKey) const {
    return Candidates(englishKey, true);
}

std::vector<SPivotCandidate> CTriangulation::English(const std::string& lithuanianKey) const {
    return Candidates(lithuanianKey, false);
}

std::set<std::string> CTriangulation::EnglishKeys() const {
    std::set<std::string> keys;
    for (const SPivotLanguage& l : m_languages)
        for (const auto& [key, pivots] : l.fromEnglish)
            keys.insert(key);
    return keys;
}

std::set<std::string> CTriangulation::LithuanianKeys() const {
    std::set<std::string> keys;
    for (const SPivotLanguage& l : m_languages)
        for (const auto& [key, pivots] : l.fromLithuanian)
            keys.insert(key);
    return keys;
}

std::string CTriangulation::Spelling(const std::string& key) const {
    for (const SPivotLanguage& l : m_languages)
        if (const auto it = l.spelling.find(key); it != l.spelling.end())
            return it->second;
    return key;
}

std::string CTriangulation::LanguageNames(unsigned languages) const {
    std::vector<std::string> names;
    for (std::size_t i = 0; i < m_languages.size(); ++i)
        if ((languages & (1u << i)) != 0)
            names.push_back(m_languages[i].lithuanian);
    std::string out;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (i > 0)
            out += i + 1 == names.size() ? " ir " : ", ";
        out += names[i];
    }
    return out;
}

void SPivotMeasure::ChooseRule() {
    kept = {};
    for (int p = 0; p < kPartCount; ++p) {
        rule[p] = 0;
        for (int k = 1; k <= kLevels && rule[p] == 0; ++k) {
            SPivotRow sum;
            for (int level = k; level <= kLevels; ++level) {
                sum.derived += byLevel[level - 1][p].derived;
                sum.right += byLevel[level - 1][p].right;
            }
            // A level no held-out pair reached is not measured: keeping it would keep the unknown.
            if (byLevel[k - 1][p].derived > 0 && sum.derived >= kMinPairs &&
                sum.right * 100 >= sum.derived * kMinPercent) {
                rule[p] = k;
                kept.derived += sum.derived;
                kept.right += sum.right;
            }
        }
    }
    // Then the rule widens, the most precise next level of a part of speech first, while all it
    // keeps stays right kMinPercent % of the time over kMinPairs pairs: verbs, short of it alone,
    // come in on the others' margin. A part whose next level does not fit widens no further.
    bool bDone[kPartCount]{};
    for (;;) {
        int best = -1;
        int bestLevel = 0;
        for (int p = 0; p < kPartCount; ++p) {
            int level = rule[p] == 0 ? kLevels : rule[p] - 1;
            while (level >= 1 && byLevel[level - 1][p].derived == 0)
                --level;
            if (bDone[p] || level < 1)
                continue;
            const SPivotRow& cell = byLevel[level - 1][p];
            if (best < 0 || cell.right * byLevel[bestLevel - 1][best].derived >
                                byLevel[bestLevel - 1][best].right * cell.derived) {
                best = p;
                bestLevel = level;
            }
        }
        if (best < 0)
            return;
        const SPivotRow& cell = byLevel[bestLevel - 1][best];
        const long derived = kept.derived + cell.derived;
        const long right = kept.right + cell.right;
        if (derived >= kMinPairs && right * 100 >= derived * kMinPercent) {
            rule[best] = bestLevel;
            kept.derived = derived;
            kept.right = right;
        } else {
            bDone[best] = true;
        }
    }
}

bool SPivotMeasure::Keeps(const SPivotCandidate& c) const {
    const int k = rule[PartIndex(c.pos)];
    return k != 0 && c.Agreement() >= k;
}

std::string SPivotMeasure::RuleText() const {
    std::string out;
    for (int p = 0; p < kPartCount; ++p)
        if (rule[p] != 0)
            out += std::string(out.empty() ? "" : ", ") + kParts[p] + " >= " + std::to_string(rule[p]);
    return out;
}

double SPivotMeasure::Precision(int atLeastLevel) const {
    const SPivotRow& row = atLeast[atLeastLevel - 1];
    return row.derived == 0 ? 0.0 : static_cast<double>(row.right) / static_cast<double>(row.derived);
}

SPivotMeasure MeasureHeldOut(const CTriangulation& pivots,
                             const std::map<std::string, std::set<std::string>>& known, bool fromEnglish) {
    SPivotMeasure m;
    for (const auto& [word, translations] : known) {
        const std::vector<SPivotCandidate> candidates =
            fromEnglish ? pivots.Lithuanian(word) : pivots.English(word);
        if (candidates.empty())
            continue;
        ++m.heldOut;
        bool seen[SPivotMeasure::kLevels][SPivotMeasure::kPartCount]{};
        int top = 0;
        for (const SPivotCandidate& c : candidates) {
            const int level = std::min(c.Agreement(), SPivotMeasure::kLevels) - 1;
            const int part = PartIndex(c.pos);
            const bool right = translations.count(c.key) != 0;
            SPivotRow& row = m.byLevel[level][part];
            ++row.derived;
            row.right += right ? 1 : 0;
            if (!seen[level][part]) {
                seen[level][part] = true;
                ++row.words;
            }
            for (int k = 0; k <= level; ++k) {
                ++m.atLeast[k].derived;
                m.atLeast[k].right += right ? 1 : 0;
            }
            top = std::max(top, level + 1);
        }
        for (int k = 0; k < top; ++k)
            ++m.atLeast[k].words;
    }
    m.ChooseRule();
    return m;
}

namespace {

std::string Percent(long part, long whole) {
    if (whole == 0)
        return "-";
    char buf[16];
    std::snprintf(buf, sizeof buf, "%.1f %%", 100.0 * static_cast<double>(part) / static_cast<double>(whole));
    return buf;
}

std::string Cell(const std::string& text, std::size_t width) {
    return std::string(width > text.size() ? width - text.size() : 0, ' ') + text;
}

void Table(std::string& out, const char* title, const SPivotMeasure& m) {
    out += title;
    out += ": " + std::to_string(m.heldOut) + " held-out words with a derived translation\n";
    out += "| languages | pairs | right | precision | words | coverage |";
    for (const char* part : SPivotMeasure::kParts)
        out += std::string(" ") + part + " |";
    out += "\n|---|---:|---:|---:|---:|---:|";
    for (int p = 0; p < SPivotMeasure::kPartCount; ++p)
        out += "---:|";
    out += '\n';
    for (int k = 0; k < SPivotMeasure::kLevels; ++k) {
        const SPivotRow& row = m.atLeast[k];
        out += "| " + Cell(">= " + std::to_string(k + 1), 4) + " | " + std::to_string(row.derived) + " | " +
               std::to_string(row.right) + " | " + Percent(row.right, row.derived) + " | " +
               std::to_string(row.words) + " | " + Percent(row.words, m.heldOut) + " |";
        // Exactly this many languages, by part of speech: precision (pairs).
        for (int p = 0; p < SPivotMeasure::kPartCount; ++p) {
            const SPivotRow& cell = m.byLevel[k][p];
            out += " " + Percent(cell.right, cell.derived) + " (" + std::to_string(cell.derived) + ") |";
        }
        out += '\n';
    }
    out += "Rule (languages agreeing, by part of speech): " +
           (!m.KeepsAny() ? std::string("no part of speech reaches 90 %; nothing derived")
                          : m.RuleText() + ": " + Percent(m.kept.right, m.kept.derived) + " of " +
                                std::to_string(m.kept.derived) + " pairs right") +
           "\n";
}

} // namespace

std::string PivotReport(const SPivotMeasure& english, const SPivotMeasure& lithuanian) {
    std::string out =
        "Held-out precision of derived translations: the known pairs derived by the pivots alone.\n"
        "Rows: that many languages or more agree; the part-of-speech columns: exactly that many\n"
        "(precision, pairs).\n\n";
    Table(out, "English -> Lithuanian", english);
    out += '\n';
    Table(out, "Lithuanian -> English", lithuanian);
    return out;
}
