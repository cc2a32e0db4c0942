// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "lists/ListOwner.h"

#include <functional>
#include <string>

class CVListBox;
class CVListBoxHistory;
class CWordEdit;

// How the keys of the entry box move through the word lists: which list they drive (the index,
// or the history after a click on it or a return to the entry box), the line and page steps of
// each, and the rule by which the index follows the typed text. A step puts the row's word into
// the entry box; the index gives the word its owner finds for a row (IndexWord).
class CListNavigation {
public:
    using FIndexWord = std::function<std::string(int row)>;

    // The lists and the entry box it drives, once they exist; until then every step does nothing.
    void Attach(CVListBox* index, CVListBoxHistory* history, CWordEdit* entryBox, FIndexWord indexWord);

    EWordList Active() const { return m_active; }
    void SetActive(EWordList list) { m_active = list; }
    // Coming back to the entry box swaps the list the keys drive.
    void SwapActive() { m_active = m_active == EWordList::Index ? EWordList::History : EWordList::Index; }

    void LineUp();
    void LineDown();
    void PageUp();
    void PageDown();
    // The word the steps put into the entry box for a row of the active list.
    std::string RowWord(int row) const;

    // The index follows the typed text to the row found (-1 for none): that row stands as the
    // fourth row. A key that leaves the index where it was paints no row; the rows are painted
    // with the window's next pass.
    void FollowTo(int row);

private:
    void MoveIndex(int row, bool bPutWord);
    void MoveHistory(int row);

    EWordList m_active = EWordList::Index;
    CVListBox* m_index = nullptr;
    CVListBoxHistory* m_history = nullptr;
    CWordEdit* m_entryBox = nullptr;
    FIndexWord m_fnIndexWord;
};
