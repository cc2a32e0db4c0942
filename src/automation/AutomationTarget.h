// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "dict/DictRecords.h"

#include <optional>
#include <string>

class CDictFile;
class QObject;

// What the automation service needs of the main window, and no more: its dictionary and page
// head, whether it is closing, and the three steps a call takes (switch the index, let the index
// follow a word, show a page). The window answers them; the service knows nothing else of it.
class CAutomationTarget {
public:
    virtual CDictFile& Dict() = 0;
    // The page head every page begins with (code page 1257).
    virtual std::string PageHead() const = 0;
    // Whether the window is closing: its pages are swept and a new one would outlive it.
    virtual bool IsClosing() const = 0;
    // The window itself, whose destruction ends the service's link to it.
    virtual QObject* WindowObject() = 0;

    // Switches to the English or the Lithuanian index, which empties the entry box and history.
    virtual void SwitchDirection(EDirection direction) = 0;
    // Moves the index to the word (code page 1257) as typing it would.
    virtual void FollowTyping(const std::optional<std::string>& text) = 0;
    // Shows a page text ("title TAB body" or a body) as the answer for entry.
    virtual void ShowPage(std::string text, int entry, bool bPutTitle) = 0;

protected:
    ~CAutomationTarget() = default;
};
