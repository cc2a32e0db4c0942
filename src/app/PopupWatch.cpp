// SPDX-License-Identifier: GPL-2.0-or-later
// The window menu's switches of how words are found and where words from other programs go (the
// selection watched, word forms, the popup), and the popup that shows such a word while the window
// is not on top.

#include "app/TranslationPopup.h"
#include "app/WindowMenu.h"
#include "app/ZodynasDlg.h"
#include "desktop/QtText.h"
#include "desktop/WebBrowser2.h"
#include "render/PageComposer.h"

#include <QCursor>

void CZodynasDlg::ToggleSelection() {
    m_settings.bSelection = m_settings.bSelection ? 0 : 1;
    m_menu->ShowStates();
}

void CZodynasDlg::ToggleWordForms() {
    m_settings.bWordForms = m_settings.bWordForms ? 0 : 1;
    m_menu->ShowStates();
    PrepareWordForms();
}

void CZodynasDlg::TogglePopup() {
    m_settings.bPopup = m_settings.bPopup ? 0 : 1;
    m_menu->ShowStates();
    if (m_settings.bAlwaysOnTop)
        return;
    // What was copied or selected before the switch is not a word asked for.
    if (m_settings.bPopup) {
        m_clipboard.Settle();
        PrepareWordForms();
    } else if (m_popup != nullptr)
        m_popup->close();
    WatchForPopup();
}

void CZodynasDlg::WatchForPopup() {
    if (m_settings.bPopup)
        SetTimer(TIMER_CLIPBOARD, kPopupTick);
    else
        KillTimer(TIMER_CLIPBOARD);
}

void CZodynasDlg::ShowInPopup(const std::string& typed, const std::optional<std::string>& word,
                              const Lookup::SResult& found) {
    const std::optional<SAnswerPage> page = AnswerPage(typed, word, found);
    if (!page)
        return;
    if (m_popup == nullptr) {
        m_popup = std::make_unique<CTranslationPopup>();
        // The title, or a link of the page, brings the word into the main window.
        m_popup->SetTitleClicked([this](const QString& title) { ShowForWord(title); });
        m_popup->SetLinkFollowed([this](const std::string& url) {
            bool bCancel = false;
            OnBeforeNavigate2(url, bCancel);
            if (isMinimized())
                showNormal();
            raise();
            activateWindow();
        });
    }
    m_popup->SetZoom(m_settings.nZoom);
    const QString title =
        page->title.empty() ? QString::fromStdString(typed) : QtText::FromCp1257(page->title);
    m_popup->ShowAt(title, PageComposer::ComposePage(PageHead(), page->body), QCursor::pos());
}
