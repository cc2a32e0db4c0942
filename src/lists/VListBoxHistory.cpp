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
    if (index < 0 || static_cast<std::size_t>(index) >= items.size())
        return {};
    return items[static_cast<std::size_t>(index)];
}

int CVListBoxHistory::FindItem(const std::string& w) const {
    const auto it = std::find(items.begin(), items.end(), w);
    return it == items.end() ? -1 : static_cast<int>(it - items.begin());
}

int CVListBoxHistory::AddItem(const std::string& w) {
    items.push_back(w);
    ItemsChanged();
    viewport()->update();
    return static_cast<int>(items.size());
}

void CVListBoxHistory::RemoveItem(int index) {
    if (index >= 0 && static_cast<std::size_t>(index) < items.size())
        items.erase(items.begin() + index);
    ItemsChanged();
}

void CVListBoxHistory::ClearItems() {
    items.clear();
    pages.clear();
    ItemsChanged();
    viewport()->update();
}

void CVListBoxHistory::ItemsChanged() {
    lastIndex = static_cast<int>(items.size());
    SetScrollRange(lastIndex);
}

void CVListBoxHistory::Record(const std::string& word, const std::string& pagePath, bool bShowHistory) {
    if (!bShowHistory || word.empty())
        return;
    const int i = FindItem(word);
    if (i == -1) {
        AddItem(word);
        pages[word] = pagePath;
        return;
    }
    // Shown again: to the end of the list and selected, still pointing at its first page.
    RemoveItem(i);
    selection = AddItem(word) - 1;
}

std::string CVListBoxHistory::RowText(int i, int& homonym) const {
    homonym = 0;
    return GetItem(i);
}

std::string CVListBoxHistory::PagePath(int row) const {
    const auto it = pages.find(GetItem(row));
    return it == pages.end() ? std::string() : it->second;
}
