// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/ListNavigation.h"

#include "lists/VListBox.h"
#include "lists/VListBoxHistory.h"
#include "lists/WordEdit.h"

#include <algorithm>

void CListNavigation::Attach(CVListBox* index, CVListBoxHistory* history, CWordEdit* entryBox,
                             FIndexWord indexWord) {
    m_index = index;
    m_history = history;
    m_entryBox = entryBox;
    m_fnIndexWord = std::move(indexWord);
}

std::string CListNavigation::RowWord(int row) const {
    if (m_active == EWordList::History)
        return m_history->GetItem(row);
    return m_fnIndexWord(row);
}

void CListNavigation::MoveIndex(int row, bool bPutWord) {
    if (bPutWord)
        m_entryBox->PutWord(RowWord(row));
    m_index->Select(row);
}

void CListNavigation::MoveHistory(int row) {
    const int n = static_cast<int>(m_history->Items().size());
    row = std::max(std::min(row, n - 1), 0);
    m_entryBox->PutWord(RowWord(row));
    m_history->Select(row);
}

void CListNavigation::LineUp() {
    if (m_index == nullptr)
        return;
    if (m_active == EWordList::History) {
        MoveHistory(m_history->Selection() - 1);
        return;
    }
    const int s = m_index->Selection();
    MoveIndex(s > 0 ? s - 1 : s, s > 0);
}

void CListNavigation::LineDown() {
    if (m_index == nullptr)
        return;
    if (m_active == EWordList::History) {
        MoveHistory(m_history->Selection() + 1);
        return;
    }
    const int s = m_index->Selection();
    const bool moves = s < m_index->LastIndex();
    MoveIndex(moves ? s + 1 : s, moves);
}

void CListNavigation::PageUp() {
    if (m_index == nullptr)
        return;
    if (m_active == EWordList::History) {
        MoveHistory(m_history->Selection() - m_history->VisibleLines());
        return;
    }
    const int s = m_index->Selection() - m_index->VisibleLines();
    MoveIndex(std::max(std::min(s, m_index->LastIndex()), 0), true);
}

void CListNavigation::PageDown() {
    if (m_index == nullptr)
        return;
    if (m_active == EWordList::History) {
        MoveHistory(m_history->Selection() + m_history->VisibleLines());
        return;
    }
    const int s = m_index->Selection() + m_index->VisibleLines();
    MoveIndex(std::max(std::min(s, m_index->LastIndex()), 0), true);
}

void CListNavigation::FollowTo(int row) {
    const int top = row > 3 ? row - 3 : 0;
    if (row == m_index->Selection() && top == m_index->TopIndex())
        return;
    m_index->SetSelection(row);
    m_index->SetTopIndex(top);
    m_index->Update();
}
