// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

// The main window's children, found as a user's tools would find them: by their object names.

#include "desktop/BitmapButton.h"
#include "desktop/WebBrowser2.h"
#include "lists/VListBox.h"
#include "lists/VListBoxHistory.h"
#include "lists/WordEdit.h"

#include <QPushButton>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

template <class TChild, class TDialog> TChild* ChildNamed(const TDialog& dialog, const char* name) {
    TChild* child = dialog->template findChild<TChild*>(QString::fromLatin1(name));
    EXPECT_NE(child, nullptr) << name;
    return child;
}

template <class TDialog> CVListBox* IndexList(const TDialog& dialog) {
    return ChildNamed<CVListBox>(dialog, "VListBox");
}

template <class TDialog> CVListBoxHistory* HistoryList(const TDialog& dialog) {
    return ChildNamed<CVListBoxHistory>(dialog, "VListBoxHistory");
}

template <class TDialog> CWordEdit* EntryBox(const TDialog& dialog) {
    return ChildNamed<CWordEdit>(dialog, "IDC_WORD");
}

template <class TDialog> CWebBrowser2* PageView(const TDialog& dialog) {
    return ChildNamed<CWebBrowser2>(dialog, "IDC_BROWSER");
}

// A bitmap button by its control name ("IDC_HELP", "IDCANCEL", ...).
template <class TDialog> CBitmapButton* Button(const TDialog& dialog, const char* name) {
    return ChildNamed<CBitmapButton>(dialog, name);
}

// What a user does, as a user does it: Enter or another key in the entry box, a click on a
// bitmap button.
template <class TDialog> void PressKey(const TDialog& dialog, Qt::Key key) {
    QTest::keyClick(EntryBox(dialog), key);
}

template <class TDialog> void PressEnter(const TDialog& dialog) {
    PressKey(dialog, Qt::Key_Return);
}

template <class TDialog> void ClickButton(const TDialog& dialog, const char* name) {
    QTest::mouseClick(Button(dialog, name), Qt::LeftButton);
}
