// SPDX-License-Identifier: GPL-2.0-or-later
#include "render/DictFile.h"

int CDictFile::Open() {
    // The searches' views and slots belong to the file they were built for.
    m_search.Reset();
    return m_strPath.empty() ? kOpenNoPath : m_records.Open(m_strPath);
}

void CDictFile::Close() {
    m_records.Close();
    m_search.Reset();
}

std::string CDictFile::FindForwardPrefix(const CQuery& prefix, int& index) const {
    index = m_search.ForwardPrefixIndex(prefix, index == -1 ? 0 : index);
    return index == -1 ? std::string() : m_records.FetchText(index);
}

std::string CDictFile::FindNearestForward(const CQuery& word, int& entry) const {
    const int idx = m_search.NearestForwardEntry(word);
    if (idx == -1)
        return {};
    entry = idx;
    return m_records.FetchText(idx);
}

std::string CDictFile::RenderReverse(const CQuery& word, int* index) const {
    const int idx = m_search.NearestReverse(word);
    if (index != nullptr)
        *index = idx;
    if (idx < 0)
        return {};
    return m_renderer.RenderReverseRecord(m_records.EntryList(idx), idx);
}

std::string CDictFile::RenderReverseEntry(int index) const {
    std::uint32_t m = 0, seed = 0;
    std::string_view words, text;
    if (!m_records.ReverseBytes(index, m, words, text, seed))
        return {};
    return m_renderer.RenderReverseRecord(m_records.EntryList(index), index);
}

int HomonymOrdinal(const CDictFile& dict, int entry, int lastIndex) {
    if (entry < 0 || entry > lastIndex)
        return 0;
    int homonym = 0;
    const std::string w = dict.GetListHeadword(EDirection::Forward, entry, homonym);
    int n = 0;
    for (int j = entry - 1; j >= 0; --j) {
        if (dict.GetListHeadword(EDirection::Forward, j, homonym) != w)
            break;
        n = n == 0 ? 2 : n + 1;
    }
    if (n > 0)
        return n;
    if (entry < lastIndex && dict.GetListHeadword(EDirection::Forward, entry + 1, homonym) == w)
        return 1;
    return 0;
}
