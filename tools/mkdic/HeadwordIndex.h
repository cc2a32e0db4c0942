// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <map>
#include <string>
#include <vector>

// The compiler's articles by headword (code page 1257): exactly, with A-Z folded, and by the
// dictd key form, for the direct articles; exactly alone for the articles derived through the
// pivots, which the direct lookups leave out so that no direct article links to one or changes
// because of one. Entries go in in their final order.
class CHeadwordIndex {
public:
    void Clear();
    // Adds an article: its headword and the plain text of its dictd key.
    void Add(const std::string& headword, const std::string& key, int entry, bool bDerived);

    // Direct articles whose headword equals text exactly, else under the forward comparison, else
    // whose dictd key equals text's key form (when byKey); null when none.
    const std::vector<int>* Find(const std::string& text, bool byKey) const;
    // The direct articles of a headword that is one (every direct headword is).
    const std::vector<int>& Exact(const std::string& headword) const { return m_byHeadword.at(headword); }
    // The derived articles of a headword; null when none.
    const std::vector<int>* Derived(const std::string& headword) const;

private:
    std::map<std::string, std::vector<int>> m_byHeadword; // exact code page 1257 headword
    std::map<std::string, std::vector<int>> m_byFolded;   // headword with A-Z folded
    std::map<std::string, std::vector<int>> m_byKey;      // dictd key form
    std::map<std::string, std::vector<int>> m_derived;    // derived articles, exact headword
};
