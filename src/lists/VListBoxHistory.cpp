// SPDX-License-Identifier: GPL-2.0-or-later
#include "lists/VListBoxHistory.h"

#include <QScrollBar>

#include <algorithm>

CVListBoxHistory::CVListBoxHistory(CListOwner* owner, QWidget* parent) : CVListBox(owner, parent) {
    setObjectName(QStringLiteral("VListBoxHistory"));
    setFocusPolicy(Qt::TabFocus);
}

CVListBoxHistory::~CVListBoxHistory() = default;

std::string CVListBoxHistory::GetItem(int index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= m_items.size())
        return {};
    return m_items[static_cast<std::size_t>(index)];
}

int CVListBoxHistory::FindItem(const std::string& w) const {
    const auto it = std::find(m_items.begin(), m_items.end(), w);
    return it == m_items.end() ? -1 : static_cast<int>(it - m_items.begin());
}

int CVListBoxHistory::AddItem(const std::string& w) {
    m_items.push_back(w);
    ItemsChanged();
    viewport()->update();
    return static_cast<int>(m_items.size());
}

void CVListBoxHistory::RemoveItem(int index) {
    if (index >= 0 && static_cast<std::size_t>(index) < m_items.size())
        m_items.erase(m_items.begin() + index);
    ItemsChanged();
}

void CVListBoxHistory::ClearItems() {
    m_items.clear();
    m_pages.clear();
    ItemsChanged();
    viewport()->update();
}

void CVListBoxHistory::ItemsChanged() {
    SetLastIndex(static_cast<int>(m_items.size()));
    SetScrollRange(LastIndex());
}

void CVListBoxHistory::Record(const std::string& word, const std::string& pagePath, bool bShowHistory) {
    if (!bShowHistory || word.empty())
        return;
    const int i = FindItem(word);
    if (i == -1) {
        AddItem(word);
        m_pages[word] = pagePath;
        return;
    }
    // Shown again: to the end of the list and selected, still pointing at its first page.
    RemoveItem(i);
    SetSelection(AddItem(word) - 1);
}

std::string CVListBoxHistory::RowText(int i, int& homonym) const {
    homonym = 0;
    return GetItem(i);
}

std::string CVListBoxHistory::PagePath(int row) const {
    const auto it = m_pages.find(GetItem(row));
    return it == m_pages.end() ? std::string() : it->second;
}
