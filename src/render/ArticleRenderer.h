// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "dict/DictSearch.h"

#include <string>
#include <string_view>
#include <vector>

// The renderers: dictionary records turned into HTML fragments in code page 1257. Bodies are
// HTML already and go in unchanged; only anchors, links, rules and highlight tags are added.
// Nothing is escaped. Each call reads the records and the searches and changes neither.
class CArticleRenderer {
public:
    CArticleRenderer(const CDictRecords& records, const CDictSearch& search)
        : m_records(records), m_search(search) {}

    // Every article whose headword matches word, over the main and the alternate lists; entry
    // receives the first one's number or -1.
    std::string RenderForward(const CQuery& word, int& entry) const;
    // The articles that the link list names for a clicked link.
    std::string RenderLinkTarget(const CQuery& name, int& entry) const;
    // The articles of entries, shown as RenderForward shows what it finds.
    std::string RenderArticles(const std::vector<int>& entries, int& entry) const;
    // The English articles of reverse record index, from its entry list.
    std::string RenderReverseRecord(const TEntryList& list, int index) const;

private:
    // The walk both forward renderers share: every article whose headword in lists
    // [first, end) matches the query's trimmed text q, from the first match on. Before the first match a
    // headword matches when it begins with the word. A list's walk ends once more than maxGap
    // records since the first article shown went by without matching (the count runs on across
    // lists, so a later list shows only the matches before its first other record).
    std::string RenderMatches(std::size_t first, std::size_t end, std::string_view q, bool bLinkTarget,
                              int maxGap, int& entry) const;

    const CDictRecords& m_records;
    const CDictSearch& m_search;
};
