// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/WindowKeys.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QShortcut>

CWindowKeys::CWindowKeys(QWidget* window, QWidget* page, QLineEdit* entryBox, SActions actions)
    : QObject(window), m_page(page), m_entryBox(entryBox), m_actions(std::move(actions)) {
    const auto shortcut = [window](const QKeySequence& keys, const std::function<void()>& action) {
        auto* s = new QShortcut(keys, window);
        s->setContext(Qt::WindowShortcut);
        QObject::connect(s, &QShortcut::activated, window, [action] { action(); });
    };
    const auto toEntryBox = [entryBox] {
        entryBox->setFocus(Qt::ShortcutFocusReason);
        entryBox->selectAll();
    };
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_L), toEntryBox);
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_F), toEntryBox);
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_P), m_actions.print);
    shortcut(QKeySequence(Qt::Key_F1), m_actions.help);
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_Q), m_actions.exit);
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_1), m_actions.english);
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_2), m_actions.lithuanian);
    // Ctrl++ is Ctrl+Shift+= on many keyboards, and Ctrl+= the same key unshifted.
    for (const QKeyCombination keys : {Qt::CTRL | Qt::Key_Plus, Qt::CTRL | Qt::SHIFT | Qt::Key_Plus,
                                       Qt::CTRL | Qt::Key_Equal, Qt::CTRL | Qt::SHIFT | Qt::Key_Equal})
        shortcut(QKeySequence(keys), m_actions.zoomIn);
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_Minus), m_actions.zoomOut);
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_0), m_actions.zoomReset);
    shortcut(QKeySequence(Qt::ALT | Qt::Key_Left), m_actions.back);
    shortcut(QKeySequence(Qt::ALT | Qt::Key_Right), m_actions.forward);
    // The Menu key opens the window menu wherever the focus is; letters typed while the page has
    // the focus go on into the entry box, as in a browser.
    entryBox->installEventFilter(this);
    page->installEventFilter(this);
}

bool CWindowKeys::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_page && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Backspace && key->modifiers() == Qt::NoModifier) {
            m_actions.back();
            return true;
        }
        const Qt::KeyboardModifiers commands = Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
        // Space still scrolls the page, Ctrl+C still copies from it.
        if (!(key->modifiers() & commands) && !key->text().isEmpty() && key->text().at(0).isPrint() &&
            !key->text().at(0).isSpace()) {
            // The letter starts a new word, as a browser's find-as-you-type does: the old one is
            // selected and the key replaces it.
            m_entryBox->setFocus(Qt::ShortcutFocusReason);
            m_entryBox->selectAll();
            QKeyEvent press(QEvent::KeyPress, key->key(), key->modifiers(), key->text());
            QApplication::sendEvent(m_entryBox, &press);
            return true;
        }
    }
    if (watched == m_entryBox && event->type() == QEvent::ContextMenu) {
        const auto* menuEvent = static_cast<QContextMenuEvent*>(event);
        QMenu* menu = m_actions.menu ? m_actions.menu() : nullptr;
        if (menuEvent->reason() == QContextMenuEvent::Keyboard && menu != nullptr) {
            menu->popup(m_entryBox->mapToGlobal(QPoint(0, m_entryBox->height())));
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
