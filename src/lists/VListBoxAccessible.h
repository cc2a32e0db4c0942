// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "desktop/AccessibleChildren.h"

#include <QAccessibleWidget>

class CVListBox;

// What a screen reader sees of a word list: a list whose items are its rows (an index of a
// million headwords too: row items are made when asked for), each named by the text the row
// shows with its homonym mark ("bank²", "UN sutr."), the selected one marked selected, and
// focused while the list or the entry box that drives it has the keyboard focus. The list tells
// of a moved selection (SelectionChanged) as it paints it.
class CVListBoxAccessible : public QAccessibleWidget {
public:
    explicit CVListBoxAccessible(CVListBox* list);
    ~CVListBoxAccessible() override;

    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;

    // The name a row has for a screen reader.
    static QString RowName(const CVListBox& list, int row);
    // Makes Qt use this interface for every CVListBox; called by the list's constructor.
    static void InstallFactory();

private:
    CVListBox* List() const;
    mutable CAccessibleChildren m_rows;
};
