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
    // Where the platform keeps no selection (a Wayland compositor without the protocol), nor
    // hands a window without the focus the clipboard, there is nothing to switch: the entries say
    // why, and the stored choices stay for the next desktop.
    const QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard == nullptr || !clipboard->supportsSelection()) {
        for (QAction* action : {m_selection, m_popup}) {
            action->setEnabled(false);
            action->setText(action->text() + WindowTexts::Ui(WindowTexts::kNoSelection));
        }
    }
    m_menu->addSeparator();
    entry("&Print", IDM_PRINT, false);
    ShowStates();
}

void CWindowMenu::ShowStates() {
    const SStates s = m_fnStates();
    m_showHistory->setChecked(s.bShowHistory);
    m_alwaysOnTop->setChecked(s.bAlwaysOnTop);
    m_selection->setChecked(s.bSelection);
    m_wordForms->setChecked(s.bWordForms);
    m_popup->setChecked(s.bPopup);
}
