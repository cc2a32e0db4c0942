// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QObject>

#include <functional>

class QLineEdit;
class QMenu;
class QWidget;

// The main window's keyboard beyond its children's own keys: the shortcuts (Ctrl+L / Ctrl+F to
// the entry box, Ctrl+P print, F1 help, Ctrl+Q end, Ctrl+1 / Ctrl+2 the English / Lithuanian
// index, Ctrl++ / Ctrl+= / Ctrl+- / Ctrl+0 the page's text size, Alt+Left / Alt+Right back and
// forward), a letter typed while the page has the focus starting a new word in the entry box,
// Backspace there going back, and the Menu key in the entry box opening the window menu under it.
class CWindowKeys : public QObject {
public:
    struct SActions {
        std::function<void()> print;
        std::function<void()> help;
        std::function<void()> exit;
        std::function<void()> english;
        std::function<void()> lithuanian;
        // The page's text size one step up or down, or back to its own.
        std::function<void()> zoomIn;
        std::function<void()> zoomOut;
        std::function<void()> zoomReset;
        // Back and forward over the pages shown (Alt+Left / Alt+Right, Backspace on the page).
        std::function<void()> back;
        std::function<void()> forward;
        // The window menu, or null before it is built.
        std::function<QMenu*()> menu;
    };
    CWindowKeys(QWidget* window, QWidget* page, QLineEdit* entryBox, SActions actions);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_page;
    QLineEdit* m_entryBox;
    SActions m_actions;
};
