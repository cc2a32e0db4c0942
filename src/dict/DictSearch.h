// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "dict/DictRecords.h"
#include "dict/Query.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The searches over the records of an open file: each returns the record or entry it found and
// keeps nothing of the query. What they build to go faster (the sorted views, the first-letter
// slots, the diacritic-free reverse keys) is built at its first use and dropped by Reset, which
// the owner calls whenever the records open or close.
//
// Each list a search reads is checked once for being in the order of its collation (or taken as
// the writer recorded it in the header). A list in order is searched by halving, which gives
// exactly what the scan from its first record gives; a list out of order keeps the scan.
class CDictSearch {
public:
    explicit CDictSearch(const CDictRecords& records) : m_records(records) {}
    CDictSearch(const CDictSearch&) = delete;
    CDictSearch& operator=(const CDictSearch&) = delete;

    void Reset();
    // False makes every search scan, as the reference the halving is tested against.
    void SetSearchIndexes(bool bUse) { m_bUseIndexes = bUse; }

    // The first main-list record from `from` whose headword begins with the trimmed prefix and
    // whose article is present; -1 when there is none.
    int ForwardPrefixIndex(const CQuery& prefix, int from) const;
    // The first headword sharing the longest prefix with word (each prefix trimmed); -1 when not
    // even the first byte matched.
    int NearestForwardEntry(const CQuery& word) const;

    // How FirstForwardMatch found its entry: the list whose record matched (-1 for none) and
    // whether that record's whole text is the word rather than a longer headword beginning with
    // it.
    struct SForwardMatch {
        int list = -1;
        bool bWhole = false;
    };
    // The entry of the first record, over the main and the alternate lists, whose headword
    // begins with the trimmed word and whose article is present; -1 when there is none.
    int FirstForwardMatch(const CQuery& word, SForwardMatch* how = nullptr) const;
    // The first record of headword list `list`, in file order, whose headword cut to q's length
    // is q (a query's trimmed text) and whose article (by its entry field) is present, with that entry in
    // *matchEntry; -1 when there is none.
    int FirstListMatch(std::size_t list, std::string_view q, std::int32_t* matchEntry = nullptr) const;
    // The entries that the records of a headword list whose whole text is word lead to, in list
    // order without repeats; entries of damaged articles are left out.
    std::vector<int> WholeListMatches(std::size_t list, const CQuery& word) const;

    // The first reverse record from start (or from the first letter's slot when start is -1)
    // whose text begins with prefix by letter weights; -1 when there is none.
    int FindReversePrefix(const CQuery& prefix, int start) const;
    // The reverse record sharing the longest prefix with word; -1 when none does.
    int NearestReverse(const CQuery& word) const;
    // The reverse records an inflected Lithuanian word is a form of, by the file's inflection
    // list ("eina" -> eiti), in list order without repeats; with bSpelled only those whose form
    // is spelled so but for capitals. None for a file without the list.
    std::vector<int> LithuanianFormRecords(const CQuery& word, bool bSpelled) const;
    // Lithuanian typed without diacritics: the first reverse record, in the order of the texts
    // with every diacritic removed ("zodis" -> žodis), whose such text is word (bWhole) or
    // begins with it; -1 when none does.
    int FoldedReverseMatch(const CQuery& word, bool bWhole) const;
    // The text with every letter reduced to its plain Latin letter's weight (č as c, ž as z),
    // compared by those weights: the key FoldedReverseMatch orders and searches by.
    static std::string FoldedKey(std::string_view text);
    // Slot w: the first reverse record whose text begins with a byte of weight w, or 0.
    int FirstLetterSlot(int weight) const;

    // The lists that are in order with every record readable, checked afresh, as the bits of the
    // header's views mask (DictFormat::kViewsMaskWord): what the writer records.
    std::uint32_t OrderedViewsMask() const;

    // The records one search reads, in file order, and whether their texts never decrease under
    // the search's collation.
    struct SSortedView {
        bool built = false;
        bool sorted = false;
        int count = 0;                     // readable records
        std::vector<std::int32_t> records; // their numbers; empty when every record is readable
        int At(int k) const { return records.empty() ? k : records[static_cast<std::size_t>(k)]; }
        // The first position whose record number is at least record.
        int FirstAtOrAfter(int record) const;
    };

private:
    // The two prefix searches over text already cut: the trimmed English prefix, the Lithuanian
    // one up to its NUL.
    int ForwardPrefixAt(std::string_view q, int from) const;
    int ReversePrefixAt(std::string_view prefix, int start) const;
    int ForwardPrefixIndexLinear(std::string_view q, int from) const;
    int ReversePrefixIndex(std::string_view prefix, int start) const;
    int ReversePrefixIndexLinear(std::string_view prefix, int start) const;

    // The keys the views compare: a main-list headword read by record number, a headword of
    // any list read by its entry field, a reverse text (NUL-cut). False for a skipped record.
    bool PrefixKey(int i, std::string& key) const;
    bool ListKey(std::size_t list, int j, std::string& key, std::int32_t& entry) const;
    bool ReverseKey(int i, std::string& key) const;
    const SSortedView& PrefixView() const;
    const SSortedView& ListView(std::size_t list) const;
    const SSortedView& ReverseView() const;
    // A view the header records as in order and whole, taken without reading the list.
    bool TakeRecordedView(SSortedView& view, std::uint32_t bit, int count) const;
    // The views as the records give them: every list read once.
    void CheckPrefixView(SSortedView& view) const;
    void CheckListView(std::size_t list, SSortedView& view) const;
    void CheckReverseView(SSortedView& view) const;
    // The first record whose first letter weighs weight, 0 when none does.
    int FirstLetterRecord(unsigned char weight) const;
    // FoldedReverseMatch over reverse records in order and whole, without a key of every record:
    // the first record by key and file order whose key begins with key, with that key; found
    // stays -1 when there is none.
    void FoldedMatchInOrder(const std::string& key, int& found, std::string& foundKey) const;

    const CDictRecords& m_records;
    bool m_bUseIndexes = true;
    mutable std::array<int, 256> m_firstLetter{};       // FirstLetterRecord's answers
    mutable std::array<bool, 256> m_firstLetterKnown{}; // which weights it found (lists in order)
    mutable bool m_bFirstLettersScanned = false;        // every weight found (lists out of order)
    mutable SSortedView m_prefixView;
    mutable std::array<SSortedView, DictFormat::kHeadwordListCount> m_listViews;
    mutable SSortedView m_reverseView;
    // The reverse records by their diacritic-free keys, for reverse records out of order.
    mutable std::vector<std::pair<std::string, std::int32_t>> m_foldedReverse;
    mutable bool m_bFoldedReady = false;
};
