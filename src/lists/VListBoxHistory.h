// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "lists/VListBox.h"

#include <string>
#include <unordered_map>
#include <vector>

// The history: the words whose translations were shown, oldest first, each with the page file
// written when it was first shown, so that a click shows that page again without a look-up.
//
// Words compare byte for byte (case matters) and appear once. lastIndex is the number of items
// and the scroll range is 0 .. number of items; every operation that changes the items keeps
// both. The history owns the paths in Pages(), not the files: whoever empties it deletes them.
class CVListBoxHistory : public CVListBox {
    Q_OBJECT
public:
    CVListBoxHistory(CListOwner* owner, QWidget* parent);
    ~CVListBoxHistory() override;

    // The item at index, or an empty string when there is none.
    std::string GetItem(int index) const;
    // Index of the first item equal to w, -1 when there is none.
    int FindItem(const std::string& w) const;
    // Appends w; returns the number of items.
    int AddItem(const std::string& w);
    // Removes the item at index when it exists. Its page path stays in Pages().
    void RemoveItem(int index);
    // Removes every item and every page path. The selection is left to the navigation routines.
    void ClearItems();

    // Records a shown word with its page file while the history is shown: a new word is appended
    // (the selection stays), a known word moves to the end and becomes the selection, keeping
    // the page of its first showing. An empty word records nothing.
    void Record(const std::string& word, const std::string& pagePath, bool bShowHistory);

    std::string RowText(int i, int& homonym) const override;

    // The words, oldest first, and the page file of each.
    const std::vector<std::string>& Items() const { return m_items; }
    const std::unordered_map<std::string, std::string>& Pages() const { return m_pages; }

protected:
    std::string PagePath(int row) const override;

private:
    // lastIndex and the scroll range after a change of the items.
    void ItemsChanged();

    std::vector<std::string> m_items;
    std::unordered_map<std::string, std::string> m_pages;
};
