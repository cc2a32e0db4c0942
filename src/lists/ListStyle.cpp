// SPDX-License-Identifier: GPL-2.0-or-later
#include "lists/ListStyle.h"

#include <QGuiApplication>
#include <QPalette>

bool SListStyle::IsDarkPalette(const QPalette& palette) {
    return palette.color(QPalette::Window).lightness() < palette.color(QPalette::WindowText).lightness();
}

SListStyle SListStyle::ForScreen(bool bHighColour, bool bLarge) {
    SListStyle s;
    // The fixed cream tints would dither on a palette screen and glare on a dark desktop: both
    // take the desktop's own colours.
    if (bHighColour && !IsDarkPalette(QGuiApplication::palette())) {
        s.back = QColor(255, 250, 230);
        s.text = QColor(16, 16, 16);
        s.selBack = QColor(255, 240, 200);
        s.selText = QColor(16, 16, 16);
    } else {
        const QPalette palette = QGuiApplication::palette();
        s.back = palette.color(QPalette::Base);
        s.text = palette.color(QPalette::Text);
        s.selBack = palette.color(QPalette::Highlight);
        s.selText = palette.color(QPalette::HighlightedText);
    }
    s.bLarge = bLarge;
    return s;
}
