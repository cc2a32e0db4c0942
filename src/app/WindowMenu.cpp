// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/WindowMenu.h"

#include "app/ControlIds.h"
#include "app/WindowTexts.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>

CWindowMenu::CWindowMenu(QWidget* window, std::function<void(int id)> onCommand,
                         std::function<SStates()> states)
    : m_menu(new QMenu(window)), m_fnStates(std::move(states)) {
    m_menu->setObjectName("SystemMenu");
    const auto entry = [this, window, onCommand](const QString& text, int id, bool bCheckable) {
        QAction* action = m_menu->addAction(text, window, [onCommand, id] { onCommand(id); });
        action->setCheckable(bCheckable);
        if (bCheckable)
            QObject::connect(action, &QAction::triggered, window, [this] { ShowStates(); });
        return action;
    };
    m_menu->addSeparator();
    entry("About...", IDM_ABOUTBOX, false);
    m_showHistory = entry("&Show history", IDM_SHOWHISTORY, true);
    m_alwaysOnTop = entry("&Allways on top", IDM_ALWAYSONTOP, true);
    m_selection = entry(WindowTexts::Ui(WindowTexts::kSelectionEntry), IDM_SELECTION, true);
    m_wordForms = entry(WindowTexts::Ui(WindowTexts::kWordFormsEntry), IDM_WORDFORMS, true);
    m_popup = entry(WindowTexts::Ui(WindowTexts::kPopupEntry), IDM_POPUP, true);
    // Where an entry cannot work it is greyed and says why; the stored choice stays for the next
    // desktop.
    const QClipboard* clipboard = QGuiApplication::clipboard();
    const bool bSelection = clipboard != nullptr && clipboard->supportsSelection();
    for (QAction* action : {m_selection, m_popup}) {
        const char* why = UnavailableReason(action == m_popup, QGuiApplication::platformName(), bSelection);
        if (why != nullptr) {
            action->setEnabled(false);
            action->setText(action->text() + WindowTexts::Ui(why));
        }
    }
    m_menu->addSeparator();
    entry("&Print", IDM_PRINT, false);
    ShowStates();
}

const char* CWindowMenu::UnavailableReason(bool bPopup, const QString& platform, bool bSelection) {
    // A platform that keeps no selection (a Wayland compositor without the protocol) has nothing
    // to watch.
    if (!bSelection)
        return WindowTexts::kNoSelection;
    // A Wayland compositor tells only the window with the keyboard focus of a new selection or
    // clipboard, so no word of another program reaches a window behind it.
    if (bPopup && platform.startsWith(QLatin1String("wayland")))
        return WindowTexts::kOnlyFocused;
    return nullptr;
}

void CWindowMenu::ShowStates() {
    const SStates s = m_fnStates();
    m_showHistory->setChecked(s.bShowHistory);
    m_alwaysOnTop->setChecked(s.bAlwaysOnTop);
    m_selection->setChecked(s.bSelection);
    m_wordForms->setChecked(s.bWordForms);
    m_popup->setChecked(s.bPopup);
}
