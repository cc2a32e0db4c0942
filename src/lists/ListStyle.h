// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QColor>

class QPalette;

// How the entry box and the word lists look: their four colours and whether the large layout's
// fonts apply. The window that owns them decides once, from the screen, and hands it down.
struct SListStyle {
    QColor back;    // background
    QColor text;    // normal text
    QColor selBack; // selected line: background
    QColor selText; // selected line: text
    bool bLarge = false;

    // Fixed warm tints on a high-colour screen; on a palette screen, where those would dither,
    // the desktop palette's own colours.
    static SListStyle ForScreen(bool bHighColour, bool bLarge);
    // A desktop palette whose windows are darker than their text.
    static bool IsDarkPalette(const QPalette& palette);
};
