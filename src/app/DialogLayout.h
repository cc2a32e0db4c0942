// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "desktop/Metrics.h"

#include <QGuiApplication>
#include <QPalette>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <vector>

class QFont;
class QPainter;

// The main window's geometry in pixels: the layout values chosen once for the screen, the places
// of every child for a client size, and the caption strip painted above the browser. Pure
// functions of their arguments; the window applies what they compute.

// Layout values: small layout for screens of 110 logical dpi or less, large above.
struct SLayoutValues {
    int nMargin = 3;            // M, outer margin
    int nGap = 3;               // G, gap between neighbours
    int nLangButtonHeight = 16; // L, height of the top strip with the two index buttons
    int nButtonSize = 32;       // B, side of the square bitmap buttons
    int nHistoryWidth = 160;    // HW, width of the history list
    int nEditWidthForward = 0;  // EW with the English index: the entry box's template width
    int nEditWidthReverse = 0;  // EW with the Lithuanian index: 40 pixels wider
    int nEditHeight = 0;        // EH, the entry box's template height; never changes
};

// The entry box's template size, in dialog units, and the extra width of the Lithuanian column.
constexpr int kEditTemplateWidth = 118;
constexpr int kEditTemplateHeight = 15;
constexpr int kReverseExtraWidth = 40;
// Size of the two index buttons' bitmaps.
constexpr int kLangButtonWidth = 24;
constexpr int kLangButtonBitmapHeight = 16;
// Smallest client area the children are laid out for.
constexpr int kMinClientWidth = 600;
constexpr int kMinClientHeight = 200;

SLayoutValues MakeLayoutValues(bool bLarge);

// The window's outer rectangle as the settings hold it (desktop coordinates), and whether a word
// was stored with it: without one the stored rectangle does not count.
struct SStoredPlacement {
    int nPosX = 0, nPosY = 0, nSizeX = 0, nSizeY = 0;
    bool bHasWord = false;
};

// Whether the history column keeps its stored state at start: on a screen of more than 1,560
// lines ((lines - 359) / 2 above 600), or once a word was saved; otherwise it starts hidden.
bool KeepsHistoryAtStart(int vertRes, bool bHasWord);

// The outer rectangle the window starts with. The default is 900 x 574 (600 x 410 on a screen of
// 600 lines or fewer) centred on the primary screen; with a stored word the stored rectangle
// stands instead, exactly, a stored 0 leaving that one default in place. Stored sizes are kept
// between the smallest client area and the screen the window lands on, and a stored rectangle
// that lies off every screen is moved onto the nearest one, whole.
QRect StartFrame(const SStoredPlacement& stored, const QRect& primary, const std::vector<QRect>& screens);

// The outer rectangle the settings keep for a window whose frame is given: as it stands, but for a
// maximised (or full-screen) window, which fills the work area of its screen and no more. Its frame
// margins may still be the normal window's (the window manager tells of new ones late), which
// would put the rectangle a border's width off every edge.
QRect SavedFrame(const QRect& frame, const QRect& workArea, bool bFillsScreen);

struct SLayoutInput {
    int cx = 0, cy = 0; // client size to lay out for (not clamped here)
    int nDirection = 0; // 0 English index, otherwise Lithuanian
    bool bShowHistory = false;
    int nPrevWidth = 0, nPrevHeight = 0; // client size of the previous resize
    QRect lastBrowser;                   // browser rectangle computed last time
};

// Bottom-row buttons, left to right: always on top, history, print, exit, help.
constexpr int kBottomButtonCount = 5;

struct SLayout {
    QRect topStrip, englishButton, lithuanianButton, edit;
    QPoint bottomButtons[kBottomButtonCount]; // 1012, 1011, 1013, 2, 1014, each B x B
    // The index list is moved only when set; then its redrawing is off during the move and the
    // whole list is repainted with erasing after it.
    bool bMoveIndexList = false;
    QRect indexList;
    // Set exactly when the history is shown; historyList and clearButton (B x B) are then valid.
    bool bMoveHistory = false;
    QRect historyList;
    QPoint clearButton;
    QRect browser;
    // Background strips to repaint, without and with erasing.
    std::vector<QRect> invalidateNoErase, invalidateErase;
    int nHistoryX = 0; // hx: left edge of the history list and of its label
};

// Places every child for a client area of in.cx x in.cy.
SLayout ComputeLayout(const SLayoutValues& v, const SLayoutInput& in);

// The client size a resize lays out for: at least 600 x 200.
QSize ClampClientSize(int cx, int cy);

// The caption font: Arial, bold, 10 points at the given vertical resolution, as a pixel size.
QFont CaptionFont(int nLogPixelsY);

// The caption band: full client width, from L minus the font's pixel height (2 pixels higher on
// screens below 110 dpi) down to 4 pixels below the text line.
QRect CaptionBand(const QRect& client, const SLayoutValues& v, int nLogPixelsX, int nLogPixelsY);

// Paints the caption band in the palette's button-face colour, the caption at x = G + EW and,
// when the history is shown, the label "Praeitis" at hx, both opaque on that colour. The
// painter's state is restored afterwards.
void PaintCaptionStrip(QPainter& painter, const QRect& client, const QString& caption, bool bShowHistory,
                       int nHistoryX, const SLayoutValues& v, int nEditWidth, int nLogPixelsX,
                       int nLogPixelsY, const QPalette& palette = QGuiApplication::palette());
