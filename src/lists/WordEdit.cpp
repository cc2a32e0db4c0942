#include "lists/WordEdit.h"

#include "app/ZodynasApp.h"
#include "app/ZodynasDlg.h"
#include "dict/Cp1257.h"

#include <QKeyEvent>

#include <cmath>

CWordEdit::CWordEdit(CZodynasDlg* dialog, QWidget* parent) : QLineEdit(parent), m_pDialog(dialog) {}

void CWordEdit::PutWord(const std::string& cp1257) {
    setText(QString::fromStdString(Cp1257::ToUtf8(cp1257)));
    setCursorPosition(static_cast<int>(text().size()));
}

std::string CWordEdit::Word() const {
    return Cp1257::FromUtf8(text().toStdString());
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
    if (cursorBlock && m_pDialog != nullptr) {
        switch (event->key()) {
        case Qt::Key_Up:
            m_pDialog->LineUp();
            return;
        case Qt::Key_Down:
            m_pDialog->LineDown();
            return;
        case Qt::Key_PageUp:
            m_pDialog->PageUp();
            return;
        case Qt::Key_PageDown:
            m_pDialog->PageDown();
            return;
        default:
            break;
        }
    }
    if (m_pDialog != nullptr)
        m_pDialog->m_nActiveList = 1;
    QLineEdit::keyPressEvent(event);
}

void CWordEdit::keyReleaseEvent(QKeyEvent* event) {
    if (m_pDialog != nullptr && FollowsTyping(*event))
        m_pDialog->FollowTyping(Word());
    QLineEdit::keyReleaseEvent(event);
}

void CWordEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    if (m_pDialog != nullptr)
        m_pDialog->OnEditFocus();
}

void CWordEdit::EnsureFont() {
    if (m_bHasFont)
        return;
    const bool large = theApp != nullptr && theApp->IsLargeLayout();
    QFont font("Arial");
    font.setWeight(QFont::Normal);
    font.setPixelSize(static_cast<int>(std::lround((large ? 12 : 10) * logicalDpiY() / 72.0)));
    setFont(font);
    if (theApp != nullptr) {
        QPalette p = palette();
        p.setColor(QPalette::Base, theApp->m_clrBack);
        p.setColor(QPalette::Text, theApp->m_clrText);
        setPalette(p);
    }
    m_bHasFont = true;
}

void CWordEdit::paintEvent(QPaintEvent* event) {
    // The font follows the direction; it is built when the box is first drawn after a switch.
    EnsureFont();
    QLineEdit::paintEvent(event);
}
