// SPDX-License-Identifier: GPL-2.0-or-later
#include "lists/WordEdit.h"

#include "desktop/QtText.h"
#include "lists/ListOwner.h"
#include <QPaintEvent>
#include <QPainter>

#include <QKeyEvent>

#include <cmath>

CWordEdit::CWordEdit(CListOwner* owner, QWidget* parent) : QLineEdit(parent), m_pOwner(owner) {
    // The box draws the window's background under its rounded frame itself, so that a key
    // repaints the box alone and not the window behind it.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CWordEdit::PutWord(const std::string& cp1257) {
    setText(QtText::FromCp1257(cp1257));
    setCursorPosition(static_cast<int>(text().size()));
}

std::string CWordEdit::Word() const {
    return QtText::FromUserText(text());
}

std::optional<std::string> CWordEdit::LookupWord() const {
    return UserText::LookupWord(text().toStdString());
}

bool CWordEdit::FollowsTyping(const QKeyEvent& event) {
    if (event.isAutoRepeat())
        return false;
    const int key = event.key();
    if (key == Qt::Key_Backspace)
        return true;
    // The keypad's keys count, the arrows and page keys of the cursor block do not.
    if (event.modifiers().testFlag(Qt::KeypadModifier))
        return key != Qt::Key_Enter;
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return true;
    if (key >= Qt::Key_Space && key <= 0xFF)
        return true;
    // Letters beyond Latin-1 (ą, č, ...) come with their text.
    const QString text = event.text();
    return !text.isEmpty() && text.at(0).isPrint();
}

void CWordEdit::keyPressEvent(QKeyEvent* event) {
    const bool cursorBlock = !event->modifiers().testFlag(Qt::KeypadModifier);
    if (cursorBlock && m_pOwner != nullptr && m_pOwner->StepByKey(event->key()))
        return;
    // Enter is the window's command, not typing: the list the keys drive stays as it was.
    const bool command = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (m_pOwner != nullptr && !command)
        m_pOwner->SetActiveList(EWordList::Index);
    QLineEdit::keyPressEvent(event);
}

void CWordEdit::keyReleaseEvent(QKeyEvent* event) {
    if (m_pOwner != nullptr && FollowsTyping(*event))
        m_pOwner->FollowTyping(LookupWord());
    QLineEdit::keyReleaseEvent(event);
}

void CWordEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    // A closed popup (the window menu) hands the focus back without the user having left.
    const Qt::FocusReason reason = event->reason();
    if (m_pOwner != nullptr && reason != Qt::PopupFocusReason && reason != Qt::MenuBarFocusReason)
        m_pOwner->OnEditFocus();
}

void CWordEdit::EnsureFont() {
    if (m_bHasFont)
        return;
    QFont font("Arial");
    font.setWeight(QFont::Normal);
    font.setPixelSize(static_cast<int>(std::lround((m_style.bLarge ? 12 : 10) * logicalDpiY() / 72.0)));
    setFont(font);
    if (m_style.back.isValid()) {
        QPalette p = palette();
        p.setColor(QPalette::Base, m_style.back);
        p.setColor(QPalette::Text, m_style.text);
        setPalette(p);
    }
    m_bHasFont = true;
}

void CWordEdit::paintEvent(QPaintEvent* event) {
    // The font follows the direction; it is built when the box is first drawn after a switch.
    EnsureFont();
    {
        QPainter painter(this);
        const QWidget* behind = parentWidget() != nullptr ? parentWidget() : this;
        painter.fillRect(event->rect(), behind->palette().brush(behind->backgroundRole()));
    }
    QLineEdit::paintEvent(event);
}
