// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <Qt>

#include <optional>
#include <string>

// The two word lists the navigation keys can drive.
enum class EWordList { Index = 1, History = 2 };

// What the entry box and the word lists need of the window that owns them: the routines that a
// key, a scroll-bar request or a click hands back. The
// main window answers them; tests answer with a fake. The widgets know nothing else of it.
class CListOwner {
public:
    virtual ~CListOwner() = default;

    // The navigation routines; they act on the list the owner calls active.
    virtual void LineUp() = 0;
    virtual void LineDown() = 0;
    virtual void PageUp() = 0;
    virtual void PageDown() = 0;
    // Runs the routine a cursor-block key stands for (Up, Down, Page Up, Page Down); false for
    // any other key.
    bool StepByKey(int key) {
        switch (key) {
        case Qt::Key_Up:
            LineUp();
            return true;
        case Qt::Key_Down:
            LineDown();
            return true;
        case Qt::Key_PageUp:
            PageUp();
            return true;
        case Qt::Key_PageDown:
            PageDown();
            return true;
        default:
            return false;
        }
    }
    // A click, or a key in the entry box, makes a list the active one.
    virtual void SetActiveList(EWordList list) = 0;
    // A click on an index row shows that entry.
    virtual void ShowForwardEntry(int row) = 0;
    virtual void ShowReverseEntry(int row) = 0;
    // A click on a history row shows the page file recorded for it again.
    virtual void NavigateToPage(const std::string& path) = 0;
    // A key released in the entry box changed its text (code page 1257): the index follows it.
    // Nothing when the text holds a letter the code page lacks, which no entry matches.
    virtual void FollowTyping(const std::optional<std::string>& text) = 0;
    // The entry box got the keyboard focus.
    virtual void OnEditFocus() = 0;
};
