// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "desktop/AccessibleChildren.h"

#include <QAccessibleWidget>

class CWebBrowser2;

// What a screen reader sees of the page: a document whose text it can read, select and walk by
// character, word or line, and whose links are its children, each a link named by its text with
// the target as its description and "press" to follow it, focused while the keyboard is on it
// (Tab and Shift+Tab go from link to link).
class CPageAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit CPageAccessible(CWebBrowser2* page);
    ~CPageAccessible() override;

    void* interface_cast(QAccessible::InterfaceType type) override;
    QAccessible::State state() const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;

    // The text, over the page's characters (a paragraph ends with '\n').
    void selection(int selectionIndex, int* startOffset, int* endOffset) const override;
    int selectionCount() const override;
    void addSelection(int startOffset, int endOffset) override;
    void removeSelection(int selectionIndex) override;
    void setSelection(int selectionIndex, int startOffset, int endOffset) override;
    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    QString text(QAccessible::Text t) const override;
    QString text(int startOffset, int endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint& point) const override;
    void scrollToSubstring(int startIndex, int endIndex) override;
    QString attributes(int offset, int* startOffset, int* endOffset) const override;

    // Makes Qt use this interface for the page view; called by the view's constructor.
    static void InstallFactory();

private:
    CWebBrowser2* Page() const;
    mutable CAccessibleChildren m_links;
};
