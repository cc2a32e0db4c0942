// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "lists/ListStyle.h"

#include <QLineEdit>

#include <optional>
#include <string>

class CListOwner;

// The entry box: its own font and colours, the four cursor-block navigation keys handed to the
// owner, and the index following every qualifying key release.
class CWordEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit CWordEdit(CListOwner* owner, QWidget* parent = nullptr);

    // Colours and layout size; they take effect when the font is next built.
    void SetStyle(const SListStyle& style) { m_style = style; }

    // Drops the font; the next paint builds it again for the current flag and layout.
    void DeleteFont() { m_bHasFont = false; }
    // Puts a word (code page 1257) into the box with the caret after its last character.
    void PutWord(const std::string& cp1257);
    // The box's text in code page 1257, composed and with plain quotes, dashes and spaces; a
    // letter the code page lacks stands as "?".
    std::string Word() const;
    // The same for a lookup: nothing when a letter the code page lacks remains.
    std::optional<std::string> LookupWord() const;

    // Whether a key release moves the index: printable keys, Backspace and the keypad's keys,
    // not the cursor block, modifiers or auto-repeat.
    static bool FollowsTyping(const QKeyEvent& event);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void EnsureFont();

    CListOwner* m_pOwner;
    SListStyle m_style;
    bool m_bHasFont = false;
};
