// SPDX-License-Identifier: GPL-2.0-or-later
#include "DictSearch.h"

#include "Cp1257.h"
#include "TextUtil.h"

#include <algorithm>
#include <cstring>
#include <utility>

using namespace DictFormat;

namespace {

// Fills a view from n records: read(i, key) gives a readable record's key (false for one the
// searches skip), compare(a, b) the collation. The view keeps the numbers of the readable records
// and whether consecutive ones never decrease.
template <class TRead, class TCompare>
void BuildView(CDictSearch::SSortedView& view, int n, TRead read, TCompare compare) {
    view = CDictSearch::SSortedView{};
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
int LowerBound(const CDictSearch::SSortedView& view, TKey key, TLess cutBelow) {
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
            weights[b] = CDictRecords::LetterWeight(static_cast<unsigned char>(b));
        return MakePlainWeights(weights);
    }();
    return table;
}

// The letter weights each byte of a diacritic-free key stands for, in order: c for c, č and ć.
const std::array<std::vector<int>, 256>& MarkedWeights() {
    static const std::array<std::vector<int>, 256> table = [] {
        std::array<std::vector<int>, 256> marked{};
        for (int b = 1; b < 256; ++b) {
            const std::string key = CDictSearch::FoldedKey(std::string(1, static_cast<char>(b)));
            std::vector<int>& weights = marked[static_cast<unsigned char>(key[0])];
            const int w = CDictRecords::LetterWeight(static_cast<unsigned char>(b));
            if (std::find(weights.begin(), weights.end(), w) == weights.end())
                weights.insert(std::upper_bound(weights.begin(), weights.end(), w), w);
        }
        return marked;
    }();
    return table;
}

} // namespace

int CDictSearch::SSortedView::FirstAtOrAfter(int record) const {
    if (records.empty())
        return std::clamp(record, 0, count);
    return static_cast<int>(std::lower_bound(records.begin(), records.end(), record) - records.begin());
}

void CDictSearch::Reset() {
    m_prefixView = SSortedView{};
    m_listViews.fill(SSortedView{});
    m_reverseView = SSortedView{};
    m_bFirstLettersScanned = false;
    m_firstLetterKnown.fill(false);
    m_foldedReverse.clear();
    m_bFoldedReady = false;
}

bool CDictSearch::PrefixKey(int i, std::string& key) const {
    char buffer[kHeadwordSpanLimit];
    std::int32_t entry = 0;
    std::size_t length = 0;
    if (!m_records.ReadHeadword(kMainList, i, entry, buffer, length, true))
        return false;
    key.assign(buffer, length);
    return true;
}

bool CDictSearch::ListKey(std::size_t list, int j, std::string& key, std::int32_t& entry) const {
    char buffer[kHeadwordSpanLimit];
    std::size_t length = 0;
    if (!m_records.ReadHeadword(list, j, entry, buffer, length))
        return false;
    key.assign(buffer, length);
    return true;
}

bool CDictSearch::ReverseKey(int i, std::string& key) const {
    std::uint32_t m = 0, seed = 0;
    std::string_view words, text;
    if (!m_records.ReverseBytes(i, m, words, text, seed) || text.size() >= kReverseTextLimit)
        return false;
    char buffer[kReverseTextLimit + 1];
    std::memcpy(buffer, text.data(), text.size());
    CDictRecords::Descramble(buffer, text.size(), seed);
    buffer[text.size()] = '\0';
    key.assign(buffer, std::strlen(buffer));
    return true;
}

bool CDictSearch::TakeRecordedView(SSortedView& view, std::uint32_t bit, int count) const {
    // The writer found this list in order and whole: taken as it stands. A file that claims so
    // falsely gives wrong answers, but every read still checks its record against the file.
    if (m_records.Header()[kViewsTagWord] != kViewsTag || (m_records.Header()[kViewsMaskWord] & bit) == 0)
        return false;
    view = SSortedView{};
    view.built = true;
    view.sorted = true;
    view.count = count;
    return true;
}

void CDictSearch::CheckPrefixView(SSortedView& view) const {
    BuildView(
        view, m_records.Count(kMainList), [this](int i, std::string& key) { return PrefixKey(i, key); },
        [](const std::string& a, const std::string& b) { return CDictRecords::CompareForward(a, b); });
}

void CDictSearch::CheckListView(std::size_t list, SSortedView& view) const {
    BuildView(
        view, m_records.Count(list),
        [this, list](int j, std::string& key) {
            std::int32_t entry = 0;
            return ListKey(list, j, key, entry);
        },
        [](const std::string& a, const std::string& b) { return CDictRecords::CompareForward(a, b); });
}

void CDictSearch::CheckReverseView(SSortedView& view) const {
    BuildView(
        view, m_records.Count(CDictRecords::kReverse),
        [this](int i, std::string& key) { return ReverseKey(i, key); },
        [](const std::string& a, const std::string& b) {
            return CDictRecords::CompareByWeight(a.c_str(), b.c_str());
        });
}

const CDictSearch::SSortedView& CDictSearch::PrefixView() const {
    if (!m_prefixView.built && !TakeRecordedView(m_prefixView, kPrefixViewBit, m_records.Count(kMainList)))
        CheckPrefixView(m_prefixView);
    return m_prefixView;
}

const CDictSearch::SSortedView& CDictSearch::ListView(std::size_t list) const {
    SSortedView& view = m_listViews[list];
    if (!view.built && !TakeRecordedView(view, ListViewBit(list), m_records.Count(list)))
        CheckListView(list, view);
    return view;
}

const CDictSearch::SSortedView& CDictSearch::ReverseView() const {
    if (!m_reverseView.built &&
        !TakeRecordedView(m_reverseView, kReverseViewBit, m_records.Count(CDictRecords::kReverse)))
        CheckReverseView(m_reverseView);
    return m_reverseView;
}

std::uint32_t CDictSearch::OrderedViewsMask() const {
    // Checked afresh, whatever the header claims.
    SSortedView view;
    const auto whole = [&view](int count) { return view.sorted && view.count == count; };
    CheckPrefixView(view);
    std::uint32_t mask = whole(m_records.Count(kMainList)) ? kPrefixViewBit : 0;
    for (std::size_t list = 0; list < kHeadwordListCount; ++list) {
        CheckListView(list, view);
        if (whole(m_records.Count(list)))
            mask |= ListViewBit(list);
    }
    CheckReverseView(view);
    if (whole(m_records.Count(CDictRecords::kReverse)))
        mask |= kReverseViewBit;
    return mask;
}

int CDictSearch::FirstLetterRecord(unsigned char weight) const {
    const auto firstWeight = [](const std::string& text) {
        return static_cast<std::size_t>(
            CDictRecords::LetterWeight(static_cast<unsigned char>(text.empty() ? '\0' : text[0])));
    };
    std::string key;
    if (!m_bUseIndexes || !ReverseView().sorted) {
        // Out of order: one walk of every record notes each weight's first.
        if (!m_bFirstLettersScanned) {
            m_bFirstLettersScanned = true;
            m_firstLetter.fill(0);
            std::array<bool, 256> seen{};
            for (int i = 0; i < m_records.Count(CDictRecords::kReverse); ++i)
                if (ReverseKey(i, key) && !std::exchange(seen[firstWeight(key)], true))
                    m_firstLetter[firstWeight(key)] = i;
        }
        return m_firstLetter[weight];
    }
    // In order, the first letters' weights never decrease: a weight's first record is found by
    // halving, when a search first needs it, so that a search pays for its own letter only.
    if (!m_firstLetterKnown[weight]) {
        m_firstLetterKnown[weight] = true;
        const SSortedView& view = ReverseView();
        int lo = 0, hi = view.count;
        while (lo < hi) {
            const int mid = lo + (hi - lo) / 2;
            ReverseKey(view.At(mid), key);
            if (firstWeight(key) < weight)
                lo = mid + 1;
            else
                hi = mid;
        }
        const bool bFound = lo < view.count && ReverseKey(view.At(lo), key) && firstWeight(key) == weight;
        m_firstLetter[weight] = bFound ? view.At(lo) : 0;
    }
    return m_firstLetter[weight];
}

int CDictSearch::ForwardPrefixIndex(const CQuery& prefix, int from) const {
    return ForwardPrefixAt(prefix.Trimmed(), from);
}

int CDictSearch::ForwardPrefixAt(std::string_view q, int from) const {
    const SSortedView& view = PrefixView();
    if (!m_bUseIndexes || !view.sorted)
        return ForwardPrefixIndexLinear(q, from);
    std::string key;
    const auto cut = [&](int i) -> std::string_view {
        PrefixKey(i, key);
        return std::string_view(key).substr(0, std::min(key.size(), q.size()));
    };
    int p = std::max(view.FirstAtOrAfter(std::max(from, 0)), LowerBound(view, cut, [&](std::string_view t) {
                         return CDictRecords::CompareForward(q, t) > 0;
                     }));
    for (; p < view.count; ++p) {
        const int i = view.At(p);
        if (CDictRecords::CompareForward(q, cut(i)) != 0)
            break;
        std::int32_t homonym = 0;
        std::string_view text;
        if (i < m_records.ArticleCount() && m_records.ArticleBytes(i, homonym, text))
            return i;
    }
    return -1;
}

int CDictSearch::FirstListMatch(std::size_t list, std::string_view q, std::int32_t* matchEntry) const {
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
        return m_records.ArticleBytes(entry, homonym, text);
    };
    const SSortedView& view = ListView(list);
    if (!m_bUseIndexes || !view.sorted) {
        for (int j = 0; j < m_records.Count(list); ++j) {
            if (!ListKey(list, j, key, entry))
                continue;
            const std::string_view t = std::string_view(key).substr(0, std::min(key.size(), q.size()));
            if (CDictRecords::CompareForward(q, t) == 0 && matches())
                return found(j);
        }
        return -1;
    }
    const auto cut = [&](int j) -> std::string_view {
        ListKey(list, j, key, entry);
        return std::string_view(key).substr(0, std::min(key.size(), q.size()));
    };
    for (int p = LowerBound(view, cut,
                            [&](std::string_view t) { return CDictRecords::CompareForward(q, t) > 0; });
         p < view.count; ++p) {
        const int j = view.At(p);
        if (CDictRecords::CompareForward(q, cut(j)) != 0)
            break;
        if (matches())
            return found(j);
    }
    return -1;
}

std::vector<int> CDictSearch::WholeListMatches(std::size_t list, const CQuery& word) const {
    std::vector<int> entries;
    if (list >= DictFormat::kLinkList)
        return entries;
    const std::string_view q = word.Trimmed();
    if (q.empty())
        return entries;
    std::string key;
    std::int32_t entry = 0;
    const auto take = [&] {
        std::int32_t homonym = 0;
        std::string_view text;
        if (m_records.ArticleBytes(entry, homonym, text) &&
            std::find(entries.begin(), entries.end(), entry) == entries.end())
            entries.push_back(entry);
    };
    const SSortedView& view = ListView(list);
    if (!m_bUseIndexes || !view.sorted) {
        for (int j = 0; j < m_records.Count(list); ++j)
            if (ListKey(list, j, key, entry) && CDictRecords::CompareForward(key, q) == 0)
                take();
        return entries;
    }
    const auto whole = [&](int j) -> std::string_view {
        ListKey(list, j, key, entry);
        return key;
    };
    for (int p = LowerBound(view, whole,
                            [&](std::string_view t) { return CDictRecords::CompareForward(q, t) > 0; });
         p < view.count; ++p) {
        if (CDictRecords::CompareForward(q, whole(view.At(p))) != 0)
            break;
        take();
    }
    return entries;
}

int CDictSearch::ReversePrefixIndex(std::string_view prefix, int start) const {
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
    const int p = std::max(view.FirstAtOrAfter(std::max(start, 0)), LowerBound(view, cut, [&](const char* t) {
                               return CDictRecords::CompareByWeight(t, q.c_str()) < 0;
                           }));
    if (p < view.count && CDictRecords::CompareByWeight(cut(view.At(p)), q.c_str()) == 0)
        return view.At(p);
    return -1;
}

int CDictSearch::ForwardPrefixIndexLinear(std::string_view q, int from) const {
    char buffer[kHeadwordSpanLimit];
    for (int i = std::max(from, 0); i < m_records.Count(kMainList); ++i) {
        std::int32_t entry = 0;
        std::size_t length = 0;
        // Main-list record i is article i's headword whatever its entry field says.
        if (!m_records.ReadHeadword(0, i, entry, buffer, length, true))
            continue;
        const std::string_view t(buffer, std::min(length, q.size()));
        const int c = CDictRecords::CompareForward(q, t);
        if (c == 0) {
            std::int32_t homonym = 0;
            std::string_view text;
            if (i >= m_records.ArticleCount() || !m_records.ArticleBytes(i, homonym, text))
                continue; // a damaged article is no match
            return i;
        }
        if (c < 0)
            break;
    }
    return -1;
}

int CDictSearch::NearestForwardEntry(const CQuery& query) const {
    const std::string_view word = query.Whole();
    int idx = -1;
    const std::size_t limit = std::min(word.size(), kMaxWordBytes);
    // Each longer prefix can only match at or after the shorter one's headword.
    for (std::size_t n = 1; n <= limit; ++n) {
        const int found = ForwardPrefixAt(TextUtil::Trim(word.substr(0, n)), idx == -1 ? 0 : idx);
        if (found == -1)
            break;
        idx = found;
    }
    return idx;
}

int CDictSearch::FirstForwardMatch(const CQuery& word, SForwardMatch* how) const {
    const std::string_view q = word.Trimmed();
    for (std::size_t b = 0; b < kHeadwordListCount - 1; ++b) {
        std::int32_t entry = 0;
        const int j = FirstListMatch(b, q, &entry);
        if (j < 0)
            continue;
        if (how != nullptr) {
            std::string key;
            std::int32_t ignored = 0;
            how->list = static_cast<int>(b);
            how->bWhole = ListKey(b, j, key, ignored) && CDictRecords::CompareForward(key, q) == 0;
        }
        return entry;
    }
    if (how != nullptr)
        *how = SForwardMatch();
    return -1;
}

int CDictSearch::FindReversePrefix(const CQuery& prefix, int start) const {
    return ReversePrefixAt(prefix.Whole(), start);
}

int CDictSearch::ReversePrefixAt(std::string_view prefix, int start) const {
    if (prefix.size() > kReverseTextLimit - 1)
        prefix = prefix.substr(0, kReverseTextLimit - 1);
    if (start == -1)
        start = FirstLetterRecord(
            CDictRecords::LetterWeight(static_cast<unsigned char>(prefix.empty() ? '\0' : prefix.front())));
    return ReversePrefixIndex(prefix, start);
}

int CDictSearch::ReversePrefixIndexLinear(std::string_view prefix, int start) const {
    char q[kReverseTextLimit];
    std::memcpy(q, prefix.data(), prefix.size());
    q[prefix.size()] = '\0';
    char buffer[kReverseTextLimit + 1];
    for (int i = std::max(start, 0); i < m_records.Count(CDictRecords::kReverse); ++i) {
        std::uint32_t m = 0, seed = 0;
        std::string_view words, text;
        if (!m_records.ReverseBytes(i, m, words, text, seed) || text.size() >= kReverseTextLimit)
            continue;
        std::memcpy(buffer, text.data(), text.size());
        CDictRecords::Descramble(buffer, text.size(), seed);
        buffer[std::min(text.size(), prefix.size())] = '\0';
        const int c = CDictRecords::CompareByWeight(buffer, q);
        if (c == 0)
            return i;
        if (c > 0)
            return -1;
    }
    return -1;
}

int CDictSearch::NearestReverse(const CQuery& query) const {
    const std::string_view word = query.Whole();
    int idx = -1;
    const std::size_t limit = std::min(word.size(), kMaxWordBytes);
    for (std::size_t n = 1; n <= limit; ++n) {
        const int r = ReversePrefixAt(word.substr(0, n), idx);
        if (r == -1)
            break;
        idx = r;
    }
    return idx;
}

int CDictSearch::FirstLetterSlot(int weight) const {
    if (weight < 0 || weight > 255)
        return 0;
    return FirstLetterRecord(static_cast<unsigned char>(weight));
}

std::string CDictSearch::FoldedKey(std::string_view text) {
    text = TextUtil::UpToNul(text);
    std::string key(text.size(), '\0');
    // Non-letters weigh 0 as in the reverse collation; 1 keeps them apart from no byte at all.
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char w = PlainWeights()[static_cast<unsigned char>(text[i])];
        key[i] = static_cast<char>(w == 0 ? 1 : w);
    }
    return key;
}

std::vector<int> CDictSearch::LithuanianFormRecords(const CQuery& query, bool bSpelled) const {
    const std::string_view word = query.Whole();
    std::vector<int> out;
    const int forms = m_records.Count(CDictRecords::kForms);
    if (word.empty() || word.size() >= kHeadwordSpanLimit || forms == 0)
        return out;
    const std::string asked(word);
    char buffer[kHeadwordSpanLimit];
    // -1, 0 or 1 as record j's form sorts before, as or after the word; a record that cannot be
    // read sorts before it, so that a damaged list gives wrong answers but reads nothing outside.
    const auto compare = [&](int j, std::int32_t& record) {
        std::size_t length = 0;
        if (!m_records.ReadHeadword(CDictRecords::kForms, j, record, buffer, length))
            return -1;
        return CDictRecords::CompareByWeight(buffer, asked.c_str());
    };
    int lo = 0, hi = forms;
    while (lo < hi) {
        const int mid = lo + (hi - lo) / 2;
        std::int32_t record = 0;
        if (compare(mid, record) < 0)
            lo = mid + 1;
        else
            hi = mid;
    }
    for (int j = lo; j < forms; ++j) {
        std::int32_t record = 0;
        if (compare(j, record) != 0)
            break;
        if (bSpelled && Cp1257::ToLower(std::string_view(buffer)) != Cp1257::ToLower(asked))
            continue;
        if (record >= 0 && record < m_records.ReverseCount() &&
            std::find(out.begin(), out.end(), record) == out.end())
            out.push_back(record);
    }
    return out;
}

int CDictSearch::FoldedReverseMatch(const CQuery& word, bool bWhole) const {
    const std::string key = FoldedKey(word.Whole());
    if (key.empty())
        return -1;
    // The first record in the order of the keys, the first in the file among equal keys.
    int found = -1;
    std::string foundKey;
    if (m_bUseIndexes && ReverseView().sorted && ReverseView().records.empty()) {
        FoldedMatchInOrder(key, found, foundKey);
    } else {
        if (!m_bFoldedReady) {
            m_bFoldedReady = true;
            m_foldedReverse.clear();
            for (int i = 0; i < m_records.ReverseCount(); ++i) {
                const std::string text = m_records.GetReverseHeadword(i);
                if (!text.empty())
                    m_foldedReverse.emplace_back(FoldedKey(text), i);
            }
            std::stable_sort(m_foldedReverse.begin(), m_foldedReverse.end(),
                             [](const auto& a, const auto& b) { return a.first < b.first; });
        }
        const auto at =
            std::lower_bound(m_foldedReverse.begin(), m_foldedReverse.end(), key,
                             [](const auto& item, const std::string& k) { return item.first < k; });
        if (at != m_foldedReverse.end() && at->first.starts_with(key)) {
            found = at->second;
            foundKey = at->first;
        }
    }
    return found < 0 || (bWhole && foundKey.size() != key.size()) ? -1 : found;
}

void CDictSearch::FoldedMatchInOrder(const std::string& key, int& found, std::string& foundKey) const {
    const SSortedView& view = ReverseView();
    std::string text;
    // The weight of letter d of the record at a position; -1 past its end, or for a record that
    // cannot be read.
    const auto weightAt = [&](int position, std::size_t d) {
        if (!ReverseKey(view.At(position), text) || d >= text.size())
            return -1;
        return CDictRecords::LetterWeight(static_cast<unsigned char>(text[d]));
    };
    const auto firstFrom = [&](int lo, int hi, std::size_t d, int weight) {
        while (lo < hi) {
            const int mid = lo + (hi - lo) / 2;
            if (weightAt(mid, d) < weight)
                lo = mid + 1;
            else
                hi = mid;
        }
        return lo;
    };
    // In the order of the weights, the records that begin with the key's letters marked one way
    // form one run: each letter narrows a run to the runs of its marked forms, and only runs that
    // hold records are followed.
    struct SRun {
        int lo;
        int hi;
        std::size_t letters; // the key's letters the run's records begin with
    };
    std::vector<SRun> runs{{0, view.count, 0}};
    while (!runs.empty()) {
        const SRun run = runs.back();
        runs.pop_back();
        if (run.letters == key.size()) {
            for (int p = run.lo; p < run.hi; ++p) {
                const int record = view.At(p);
                if (!ReverseKey(record, text))
                    continue;
                std::string folded = FoldedKey(text);
                if (found < 0 || folded < foundKey || (folded == foundKey && record < found)) {
                    found = record;
                    foundKey = std::move(folded);
                }
            }
            continue;
        }
        for (const int weight : MarkedWeights()[static_cast<unsigned char>(key[run.letters])]) {
            const int lo = firstFrom(run.lo, run.hi, run.letters, weight);
            const int hi = firstFrom(lo, run.hi, run.letters, weight + 1);
            if (lo < hi)
                runs.push_back({lo, hi, run.letters + 1});
        }
    }
}
