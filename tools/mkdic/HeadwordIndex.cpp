// SPDX-License-Identifier: GPL-2.0-or-later
#include "mkdic/HeadwordIndex.h"

#include "mkdic/TextTools.h"

using namespace MkdicText;

void CHeadwordIndex::Clear() {
    m_byHeadword.clear();
    m_byFolded.clear();
    m_byKey.clear();
    m_derived.clear();
}

void CHeadwordIndex::Add(const std::string& headword, const std::string& key, int entry, bool bDerived) {
    if (bDerived) {
        m_derived[headword].push_back(entry);
        return;
    }
    m_byHeadword[headword].push_back(entry);
    m_byFolded[ForwardKey(headword)].push_back(entry);
    m_byKey[KeyForm(key)].push_back(entry);
}

const std::vector<int>* CHeadwordIndex::Find(const std::string& text, bool byKey) const {
    if (const auto it = m_byHeadword.find(text); it != m_byHeadword.end())
        return &it->second;
    if (const auto it = m_byFolded.find(ForwardKey(text)); it != m_byFolded.end())
        return &it->second;
    if (byKey)
        if (const auto it = m_byKey.find(KeyForm(text)); it != m_byKey.end())
            return &it->second;
    return nullptr;
}

const std::vector<int>* CHeadwordIndex::Derived(const std::string& headword) const {
    const auto it = m_derived.find(headword);
    return it == m_derived.end() ? nullptr : &it->second;
}
