// SPDX-License-Identifier: GPL-2.0-or-later
// The search accelerator: each list a search reads is checked once, at its first use, for being in
// the order of its collation. A list in order is searched by halving, which gives exactly what
// the scan from its first record gives; a list out of order keeps the scan.

#include "DictFile.h"
#include "TextUtil.h"

#include <algorithm>
#include <cstring>

using namespace DictFormat;

int CDictFile::SSortedView::FirstAtOrAfter(int record) const {
    if (records.empty())
        return std::clamp(record, 0, count);
    return static_cast<int>(std::lower_bound(records.begin(), records.end(), record) - records.begin());
}

void CDictFile::SetSearchIndexes(bool bUse) {
    m_bUseIndexes = bUse;
}

void CDictFile::ResetViews() {
    m_prefixView = SSortedView{};
    m_listViews.fill(SSortedView{});
    m_reverseView = SSortedView{};
    m_bFirstLetterReady = false;
    m_foldedReverse.clear();
    m_bFoldedReady = false;
}

namespace {

// Fills a view from n records: read(i, key) gives a readable record's key (false for one the
// searches skip), compare(a, b) the collation. The view keeps the numbers of the readable records
// and whether consecutive ones never decrease.
template <class TRead, class TCompare>
void BuildView(CDictFile::SSortedView& view, int n, TRead read, TCompare compare) {
    view = CDictFile::SSortedView{};
    view.built = true;
    view.sorted = true;
    std::string previous, key;
    bool first = true;
    for (int i = 0; i < n; ++i) {
        if (!read(i, key))
            continue;
        if (!first && compare(previous, key) > 0)
            view.sorted = false;
        first = false;
        previous.swap(key);
        view.records.push_back(i);
    }
    view.count = static_cast<int>(view.records.size());
    // Nothing to look up when every record is readable: position k is record k.
    if (view.count == n)
        view.records = {};
    else
        view.records.shrink_to_fit();
}

// First position of a sorted view whose key, cut to the query's length, is not below q.
template <class TKey, class TLess>
int LowerBound(const CDictFile::SSortedView& view, TKey key, TLess cutBelow) {
    int lo = 0, hi = view.count;
    while (lo < hi) {
        const int mid = lo + (hi - lo) / 2;
        if (cutBelow(key(view.At(mid))))
            lo = mid + 1;
        else
            hi = mid;
    }
    return lo;
}

} // namespace

bool CDictFile::PrefixKey(int i, std::string& key) const {
    char buffer[kHeadwordSpanLimit];
    std::int32_t entry = 0;
    std::size_t length = 0;
    if (!ReadHeadword(kMainList, i, entry, buffer, length, true))
        return false;
    key.assign(buffer, length);
    return true;
}

bool CDictFile::ListKey(std::size_t list, int j, std::string& key, std::int32_t& entry) const {
    char buffer[kHeadwordSpanLimit];
    std::size_t length = 0;
    if (!ReadHeadword(list, j, entry, buffer, length))
        return false;
    key.assign(buffer, length);
    return true;
}

bool CDictFile::ReverseKey(int i, std::string& key) const {
    std::uint32_t m = 0, seed = 0;
    std::string_view words, text;
    if (!ReverseBytes(i, m, words, text, seed) || text.size() >= kReverseTextLimit)
        return false;
    char buffer[kReverseTextLimit + 1];
    std::memcpy(buffer, text.data(), text.size());
    Descramble(buffer, text.size(), seed);
    buffer[text.size()] = '\0';
    key.assign(buffer, std::strlen(buffer));
    return true;
}

bool CDictFile::TakeRecordedView(SSortedView& view, std::uint32_t bit, int count) const {
    // The writer found this list in order and whole: taken as it stands. A file that claims so
    // falsely gives wrong answers, but every read still checks its record against the file.
    if (m_header[kViewsTagWord] != kViewsTag || (m_header[kViewsMaskWord] & bit) == 0)
        return false;
    view = SSortedView{};
    view.built = true;
    view.sorted = true;
    view.count = count;
    return true;
}

void CDictFile::CheckPrefixView(SSortedView& view) const {
    BuildView(
        view, m_sections[kMainList].count, [this](int i, std::string& key) { return PrefixKey(i, key); },
        [](const std::string& a, const std::string& b) { return CompareForward(a, b); });
}

void CDictFile::CheckListView(std::size_t list, SSortedView& view) const {
    BuildView(
        view, m_sections[list].count,
        [this, list](int j, std::string& key) {
            std::int32_t entry = 0;
            return ListKey(list, j, key, entry);
        },
        [](const std::string& a, const std::string& b) { return CompareForward(a, b); });
}

void CDictFile::CheckReverseView(SSortedView& view) const {
    BuildView(
        view, m_sections[kReverse].count, [this](int i, std::string& key) { return ReverseKey(i, key); },
        [](const std::string& a, const std::string& b) { return CompareByWeight(a.c_str(), b.c_str()); });
}

const CDictFile::SSortedView& CDictFile::PrefixView() const {
    if (!m_prefixView.built && !TakeRecordedView(m_prefixView, kPrefixViewBit, m_sections[kMainList].count))
        CheckPrefixView(m_prefixView);
    return m_prefixView;
}

const CDictFile::SSortedView& CDictFile::ListView(std::size_t list) const {
    SSortedView& view = m_listViews[list];
    if (!view.built && !TakeRecordedView(view, ListViewBit(list), m_sections[list].count))
        CheckListView(list, view);
    return view;
}

const CDictFile::SSortedView& CDictFile::ReverseView() const {
    if (!m_reverseView.built && !TakeRecordedView(m_reverseView, kReverseViewBit, m_sections[kReverse].count))
        CheckReverseView(m_reverseView);
    return m_reverseView;
}

std::uint32_t CDictFile::OrderedViewsMask() const {
    // Checked afresh, whatever the header claims.
    SSortedView view;
    const auto whole = [&view](int count) { return view.sorted && view.count == count; };
    CheckPrefixView(view);
    std::uint32_t mask = whole(m_sections[kMainList].count) ? kPrefixViewBit : 0;
    for (std::size_t list = 0; list < kHeadwordListCount; ++list) {
        CheckListView(list, view);
        if (whole(m_sections[list].count))
            mask |= ListViewBit(list);
    }
    CheckReverseView(view);
    if (whole(m_sections[kReverse].count))
        mask |= kReverseViewBit;
    return mask;
}

void CDictFile::EnsureFirstLetters() const {
    if (m_bFirstLetterReady)
        return;
    m_bFirstLetterReady = true;
    m_firstLetter.fill(0);
    std::array<bool, 256> seen{};
    std::string key;
    const auto firstWeight = [](const std::string& text) {
        return LetterWeight(static_cast<unsigned char>(text.empty() ? '\0' : text[0]));
    };
    const auto note = [&](int i) {
        const int w = firstWeight(key);
        if (!seen[static_cast<std::size_t>(w)]) {
            seen[static_cast<std::size_t>(w)] = true;
            m_firstLetter[static_cast<std::size_t>(w)] = i;
        }
    };
    if (!m_bUseIndexes || !ReverseView().sorted) {
        for (int i = 0; i < m_sections[kReverse].count; ++i)
            if (ReverseKey(i, key))
                note(i);
        return;
    }
    const SSortedView& view = ReverseView();
    // In order, the first letters' weights never decrease: each weight's first record is found
    // by halving from the one before.
    int from = 0;
    while (from < view.count) {
        const int i = view.At(from);
        ReverseKey(i, key);
        note(i);
        const int w = firstWeight(key);
        int lo = from + 1, hi = view.count;
        while (lo < hi) {
            const int mid = lo + (hi - lo) / 2;
            std::string k;
            ReverseKey(view.At(mid), k);
            if (firstWeight(k) <= w)
                lo = mid + 1;
            else
                hi = mid;
        }
        from = lo;
    }
}

int CDictFile::ForwardPrefixIndex(std::string_view prefix, int from) const {
    const SSortedView& view = PrefixView();
    if (!m_bUseIndexes || !view.sorted)
        return ForwardPrefixIndexLinear(prefix, from);
    const std::string_view q = TextUtil::Trim(TextUtil::UpToNul(prefix));
    std::string key;
    const auto cut = [&](int i) -> std::string_view {
        PrefixKey(i, key);
        return std::string_view(key).substr(0, std::min(key.size(), q.size()));
    };
    int p = std::max(view.FirstAtOrAfter(std::max(from, 0)),
                     LowerBound(view, cut, [&](std::string_view t) { return CompareForward(q, t) > 0; }));
    for (; p < view.count; ++p) {
        const int i = view.At(p);
        if (CompareForward(q, cut(i)) != 0)
            break;
        std::int32_t homonym = 0;
        std::string_view text;
        if (i < m_nArticleCount && ArticleBytes(i, homonym, text))
            return i;
    }
    return -1;
}

int CDictFile::FirstListMatch(std::size_t list, std::string_view q, std::int32_t* matchEntry) const {
    std::string key;
    std::int32_t entry = 0;
    const auto found = [&](int j) {
        if (matchEntry != nullptr)
            *matchEntry = entry;
        return j;
    };
    const auto matches = [&] {
        std::int32_t homonym = 0;
        std::string_view text;
        return ArticleBytes(entry, homonym, text);
    };
    const SSortedView& view = ListView(list);
    if (!m_bUseIndexes || !view.sorted) {
        for (int j = 0; j < m_sections[list].count; ++j) {
            if (!ListKey(list, j, key, entry))
                continue;
            const std::string_view t = std::string_view(key).substr(0, std::min(key.size(), q.size()));
            if (CompareForward(q, t) == 0 && matches())
                return found(j);
        }
        return -1;
    }
    const auto cut = [&](int j) -> std::string_view {
        ListKey(list, j, key, entry);
        return std::string_view(key).substr(0, std::min(key.size(), q.size()));
    };
    for (int p = LowerBound(view, cut, [&](std::string_view t) { return CompareForward(q, t) > 0; });
         p < view.count; ++p) {
        const int j = view.At(p);
        if (CompareForward(q, cut(j)) != 0)
            break;
        if (matches())
            return found(j);
    }
    return -1;
}

std::vector<int> CDictFile::WholeListMatches(std::size_t list, std::string_view word) const {
    std::vector<int> entries;
    if (list >= DictFormat::kLinkList)
        return entries;
    const std::string_view q = TextUtil::Trim(TextUtil::UpToNul(word));
    if (q.empty())
        return entries;
    std::string key;
    std::int32_t entry = 0;
    const auto take = [&] {
        std::int32_t homonym = 0;
        std::string_view text;
        if (ArticleBytes(entry, homonym, text) &&
            std::find(entries.begin(), entries.end(), entry) == entries.end())
            entries.push_back(entry);
    };
    const SSortedView& view = ListView(list);
    if (!m_bUseIndexes || !view.sorted) {
        for (int j = 0; j < m_sections[list].count; ++j)
            if (ListKey(list, j, key, entry) && CompareForward(key, q) == 0)
                take();
        return entries;
    }
    const auto whole = [&](int j) -> std::string_view {
        ListKey(list, j, key, entry);
        return key;
    };
    for (int p = LowerBound(view, whole, [&](std::string_view t) { return CompareForward(q, t) > 0; });
         p < view.count; ++p) {
        if (CompareForward(q, whole(view.At(p))) != 0)
            break;
        take();
    }
    return entries;
}

int CDictFile::ReversePrefixIndex(std::string_view prefix, int start) const {
    const SSortedView& view = ReverseView();
    if (!m_bUseIndexes || !view.sorted)
        return ReversePrefixIndexLinear(prefix, start);
    // prefix is at most kReverseTextLimit - 1 bytes and holds no NUL.
    const std::string q(prefix);
    std::string key;
    const auto cut = [&](int i) {
        ReverseKey(i, key);
        key.resize(std::min(key.size(), q.size()));
        return key.c_str();
    };
    const int p =
        std::max(view.FirstAtOrAfter(std::max(start, 0)),
                 LowerBound(view, cut, [&](const char* t) { return CompareByWeight(t, q.c_str()) < 0; }));
    if (p < view.count && CompareByWeight(cut(view.At(p)), q.c_str()) == 0)
        return view.At(p);
    return -1;
}
