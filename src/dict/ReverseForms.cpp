// SPDX-License-Identifier: GPL-2.0-or-later
// The two roads to a Lithuanian record that its own text does not give: the file's list of
// inflected forms ("eina" -> eiti) and the texts with their diacritics removed ("zodis" -> žodis).

#include "Cp1257.h"
#include "DictFile.h"
#include "LittleEndian.h"
#include "TextUtil.h"

#include <algorithm>

using namespace DictFormat;

namespace {

// The weight of each letter's plain Latin letter: č, ć as c, š, ś as s, ž, ź as z, ł as l; the
// letters that already weigh as theirs (ą, ė, ų, ...) keep their weight. In the weight table every
// plain letter comes just before its marked ones, so a letter's plain weight is the largest weight
// of a letter a-z that does not exceed its own.
constexpr std::array<unsigned char, 256> MakePlainWeights(const std::array<int, 256>& weights) {
    std::array<unsigned char, 256> plain{};
    for (std::size_t b = 0; b < 256; ++b) {
        int best = 0;
        for (int c = 'a'; c <= 'z'; ++c)
            if (weights[static_cast<std::size_t>(c)] <= weights[b] &&
                weights[static_cast<std::size_t>(c)] > best)
                best = weights[static_cast<std::size_t>(c)];
        plain[b] = static_cast<unsigned char>(weights[b] == 0 ? 0 : best);
    }
    return plain;
}

const std::array<unsigned char, 256>& PlainWeights() {
    static const std::array<unsigned char, 256> table = [] {
        std::array<int, 256> weights{};
        for (std::size_t b = 0; b < 256; ++b)
            weights[b] = CDictFile::LetterWeight(static_cast<unsigned char>(b));
        return MakePlainWeights(weights);
    }();
    return table;
}

} // namespace

std::string CDictFile::FoldedKey(std::string_view text) {
    text = TextUtil::UpToNul(text);
    std::string key(text.size(), '\0');
    // Non-letters weigh 0 as in the reverse collation; 1 keeps them apart from no byte at all.
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char w = PlainWeights()[static_cast<unsigned char>(text[i])];
        key[i] = static_cast<char>(w == 0 ? 1 : w);
    }
    return key;
}

void CDictFile::LocateForms(std::uint64_t fileSize) {
    SSection& sec = m_sections[kForms];
    sec = SSection{};
    const std::uint64_t offset = m_header[kFormsOffsetWord];
    const std::uint64_t table = m_header[kFormsTableWord];
    const std::uint64_t data = m_header[kFormsDataWord];
    // A list that does not lie after the header and inside the file is no list: the file still
    // opens, as it would for a reader that does not know the list.
    if (offset < kHeaderSize || table < 8 || offset + table + data > fileSize)
        return;
    const std::uint64_t count = table / 4 - 1;
    if (count > data)
        return;
    sec.tableOffset = offset;
    sec.tableSize = table;
    sec.dataOffset = offset + table;
    sec.dataSize = data;
    sec.count = static_cast<int>(count);
}

std::vector<int> CDictFile::LithuanianFormRecords(std::string_view word, bool bSpelled) const {
    word = TextUtil::UpToNul(word);
    std::vector<int> out;
    const SSection& sec = m_sections[kForms];
    if (word.empty() || word.size() >= kHeadwordSpanLimit || sec.count == 0)
        return out;
    const std::string asked(word);
    char buffer[kHeadwordSpanLimit];
    // -1, 0 or 1 as record j's form sorts before, as or after the word; a record that cannot be
    // read sorts before it, so that a damaged list gives wrong answers but reads nothing outside.
    const auto compare = [&](int j, std::int32_t& record) {
        std::size_t length = 0;
        if (!ReadHeadword(kForms, j, record, buffer, length))
            return -1;
        return CompareByWeight(buffer, asked.c_str());
    };
    int lo = 0, hi = sec.count;
    while (lo < hi) {
        const int mid = lo + (hi - lo) / 2;
        std::int32_t record = 0;
        if (compare(mid, record) < 0)
            lo = mid + 1;
        else
            hi = mid;
    }
    for (int j = lo; j < sec.count; ++j) {
        std::int32_t record = 0;
        if (compare(j, record) != 0)
            break;
        if (bSpelled && Cp1257::ToLower(std::string_view(buffer)) != Cp1257::ToLower(asked))
            continue;
        if (record >= 0 && record < m_nReverseCount && std::find(out.begin(), out.end(), record) == out.end())
            out.push_back(record);
    }
    return out;
}

int CDictFile::FoldedReverseMatch(std::string_view word, bool bWhole) const {
    if (!m_bFoldedReady) {
        m_bFoldedReady = true;
        m_foldedReverse.clear();
        for (int i = 0; i < m_nReverseCount; ++i) {
            const std::string text = GetReverseHeadword(i);
            if (!text.empty())
                m_foldedReverse.emplace_back(FoldedKey(text), i);
        }
        std::stable_sort(m_foldedReverse.begin(), m_foldedReverse.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
    }
    const std::string key = FoldedKey(word);
    if (key.empty())
        return -1;
    const auto at = std::lower_bound(m_foldedReverse.begin(), m_foldedReverse.end(), key,
                                     [](const auto& item, const std::string& k) { return item.first < k; });
    if (at == m_foldedReverse.end() || at->first.compare(0, key.size(), key) != 0)
        return -1;
    if (bWhole && at->first.size() != key.size())
        return -1;
    return at->second;
}
