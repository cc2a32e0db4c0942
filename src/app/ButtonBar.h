// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "app/DialogLayout.h"
#include "desktop/BitmapIds.h"

#include <functional>

class CBitmapButton;
class QWidget;

// The main window's bitmap buttons: the two index buttons above the entry box, the row below the
// index (always on top, history, print, end, help) and the history's clear button. It makes them
// as children of the window, carrying their control names and ids, names them for screen readers,
// picks their pictures for the layout, the colour depth and the state, and places them.
class CButtonBar {
public:
    // What a click on each button does.
    struct SActions {
        std::function<void()> english;
        std::function<void()> lithuanian;
        std::function<void()> alwaysOnTop;
        std::function<void()> history;
        std::function<void()> print;
        std::function<void()> help;
        std::function<void()> exit;
        std::function<void()> clear;
    };
    CButtonBar(QWidget* window, bool bLarge, bool bHighColour, const SActions& actions);

    // The pictures that follow the state, and those that never change.
    void ShowDirection(bool bReverse);
    void ShowAlwaysOnTop(bool bOn);
    void ShowHistory(bool bShown);
    void LoadFixedPictures();
    // Gives every button its tooltip, which is its accessible name too.
    void AddTooltips();
    // Places the buttons where the layout puts them; the clear button only with the history.
    void Place(const SLayout& layout, int buttonSize, bool bShowHistory);
    // Shows or hides the clear button with the history.
    void ShowClearButton(bool bShown);

private:
    int Picture(const BitmapIds::SVariants& variants) const;
    int PressedPicture() const;

    bool m_bLarge;
    bool m_bHighColour;
    CBitmapButton* m_english = nullptr;
    CBitmapButton* m_lithuanian = nullptr;
    CBitmapButton* m_alwaysOnTop = nullptr;
    CBitmapButton* m_history = nullptr;
    CBitmapButton* m_print = nullptr;
    CBitmapButton* m_exit = nullptr;
    CBitmapButton* m_help = nullptr;
    CBitmapButton* m_clear = nullptr;
};
