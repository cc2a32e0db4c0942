// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <functional>

class QAction;
class QMenu;
class QString;
class QWidget;

// The window menu (what a system menu would carry): About, the five switches with their check
// marks (history shown, always on top, the primary selection watched, word forms, words from
// other programs in a popup) and Print.
// Each entry hands its command id (ECommandId) to the window; the check marks show the states the
// window reports, not the clicks on the entries themselves.
class CWindowMenu {
public:
    struct SStates {
        bool bShowHistory = false;
        bool bAlwaysOnTop = false;
        bool bSelection = false;
        bool bWordForms = false;
        bool bPopup = false;
    };
    CWindowMenu(QWidget* window, std::function<void(int id)> onCommand, std::function<SStates()> states);

    QMenu* Menu() const { return m_menu; }
    // Why the selection entry (or the popup's) cannot work on a platform (Qt's platform name)
    // with or without a selection: the text said beside the greyed entry, or null where it works.
    static const char* UnavailableReason(bool bPopup, const QString& platform, bool bSelection);
    // Sets the check marks to the window's states.
    void ShowStates();

private:
    QMenu* m_menu;
    std::function<SStates()> m_fnStates;
    QAction* m_showHistory = nullptr;
    QAction* m_alwaysOnTop = nullptr;
    QAction* m_selection = nullptr;
    QAction* m_wordForms = nullptr;
    QAction* m_popup = nullptr;
};
