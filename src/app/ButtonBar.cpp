// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/ButtonBar.h"

#include "app/ControlIds.h"
#include "app/WindowTexts.h"
#include "desktop/BitmapButton.h"
#include "lists/ListStyle.h"

#include <QGuiApplication>

CButtonBar::CButtonBar(QWidget* window, bool bLarge, bool bHighColour, const SActions& actions)
    : m_bLarge(bLarge), m_bHighColour(bHighColour) {
    const bool bDark = SListStyle::IsDarkPalette(QGuiApplication::palette());
    const auto button = [window, bDark](CBitmapButton*& member, int id, const char* name,
                                        const std::function<void()>& action) {
        member = new CBitmapButton(window);
        member->SetDarkPictures(bDark);
        member->setObjectName(name);
        member->setProperty("controlId", id);
        member->setFocusPolicy(Qt::NoFocus);
        QObject::connect(member, &QAbstractButton::clicked, window, [action] { action(); });
    };
    button(m_exit, IDCANCEL, "IDCANCEL", actions.exit);
    button(m_clear, IDC_CLEARHISTORY, "IDC_CLEARHISTORY", actions.clear);
    button(m_history, IDC_HISTORY, "IDC_HISTORY", actions.history);
    button(m_alwaysOnTop, IDC_ALWAYSONTOP, "IDC_ALWAYSONTOP", actions.alwaysOnTop);
    button(m_print, IDC_PRINT, "IDC_PRINT", actions.print);
    button(m_help, IDC_HELP, "IDC_HELP", actions.help);
    button(m_english, IDC_ENGLISH, "IDC_ENGLISH", actions.english);
    button(m_lithuanian, IDC_LITHUANIAN, "IDC_LITHUANIAN", actions.lithuanian);
    // The two switches are toggle buttons, and say so to a screen reader with their state.
    m_alwaysOnTop->setCheckable(true);
    m_history->setCheckable(true);
}

int CButtonBar::Picture(const BitmapIds::SVariants& variants) const {
    return variants.Pick(m_bLarge, m_bHighColour);
}

int CButtonBar::PressedPicture() const {
    return Picture(BitmapIds::kPressed);
}

void CButtonBar::ShowDirection(bool bReverse) {
    using namespace BitmapIds;
    m_english->LoadBitmaps(bReverse ? kEnglishInactive : kEnglishActive, 0);
    m_lithuanian->LoadBitmaps(bReverse ? kLithuanianActive : kLithuanianInactive, 0);
    m_english->repaint();
    m_lithuanian->repaint();
}

void CButtonBar::ShowAlwaysOnTop(bool bOn) {
    m_alwaysOnTop->LoadBitmaps(Picture(bOn ? BitmapIds::kAlwaysOnTopOn : BitmapIds::kAlwaysOnTopOff),
                               PressedPicture());
    m_alwaysOnTop->setChecked(bOn);
    m_alwaysOnTop->repaint();
}

void CButtonBar::ShowHistory(bool bShown) {
    m_history->LoadBitmaps(Picture(bShown ? BitmapIds::kHistoryShown : BitmapIds::kHistoryHidden),
                           PressedPicture());
    m_history->setChecked(bShown);
    m_history->repaint();
}

void CButtonBar::LoadFixedPictures() {
    m_exit->LoadBitmaps(Picture(BitmapIds::kExit), PressedPicture());
    m_print->LoadBitmaps(Picture(BitmapIds::kPrint), PressedPicture());
    m_help->LoadBitmaps(Picture(BitmapIds::kHelp), PressedPicture());
    m_clear->LoadBitmaps(Picture(BitmapIds::kClearHistory), PressedPicture());
}

void CButtonBar::AddTooltips() {
    using namespace WindowTexts;
    const std::pair<CBitmapButton*, const char*> tips[] = {
        {m_english, kEnglishTip}, {m_lithuanian, kLithuanianTip},
        {m_history, kHistoryTip}, {m_alwaysOnTop, kAlwaysOnTopTip},
        {m_print, kPrintTip},     {m_help, kHelpTip},
        {m_exit, kExitTip},       {m_clear, kClearTip}};
    for (const auto& [button, text] : tips) {
        // A picture alone says nothing to a screen reader: the tooltip is the name too.
        button->setToolTip(Ui(text));
        button->setAccessibleName(Ui(text));
        button->setAccessibleDescription(Ui(text));
    }
}

void CButtonBar::Place(const SLayout& layout, int buttonSize, bool bShowHistory) {
    const QSize size(buttonSize, buttonSize);
    m_english->setGeometry(layout.englishButton);
    m_lithuanian->setGeometry(layout.lithuanianButton);
    CBitmapButton* const row[kBottomButtonCount] = {m_alwaysOnTop, m_history, m_print, m_exit, m_help};
    for (int k = 0; k < kBottomButtonCount; ++k)
        row[k]->setGeometry(QRect(layout.bottomButtons[k], size));
    if (bShowHistory)
        m_clear->setGeometry(QRect(layout.clearButton, size));
}

void CButtonBar::ShowClearButton(bool bShown) {
    if (bShown)
        m_clear->setText(WindowTexts::Ui(WindowTexts::kClearText));
    m_clear->setVisible(bShown);
}
