// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstddef>
#include <string>

class QRect;

// What the program remembers per user between runs. The members start as on a first run (all 0
// but the word forms, no word); LoadSettings fills them, SaveSettings writes them back.
struct SSettings {
    int bAlwaysOnTop = 0; // "AOT": always on top, and with it the clipboard watch
    int bShowHistory = 0; // "Eiga": history panel shown
    int bSelection = 0;   // "Zymejimas": the watch reads the primary selection too
    int bWordForms = 1;   // "Formos": inflected words lead to their dictionary forms
    int bPopup = 0;       // "Langelis": words from other programs in a popup while not on top
    int nDirection = 0;   // "Kalba": 0 English index, otherwise Lithuanian; kept as stored
    int nPosX = 0, nPosY = 0, nSizeX = 0, nSizeY = 0; // outer window rectangle; 0 = not stored
    std::string strLastWord;                          // "Zodis", code page 1257
    int nZoom = 100; // "Mastelis": the pages' text size in percent, 50 to 300

    bool operator==(const SSettings&) const = default;
};

// The range of the pages' text size; a stored value outside it counts as absent.
constexpr int kMinZoom = 50;
constexpr int kMaxZoom = 300;

// The longest stored last word that is read, in code page 1257 bytes; a longer one counts as
// absent.
constexpr std::size_t kMaxLastWordBytes = 256;

// Reads the user key, creating it on a user's first run. Until the user key holds AOT, Eiga and
// Zodis all three, the machine key's AOT and Eiga replace the user's and are copied into the user
// key. Failures are silent: a value that cannot be read takes its default.
void LoadSettings(SSettings& s);

// Writes the switches, the direction and the outer window rectangle of this moment into the user
// key (made when absent), and the entry text as the last word unless it is empty, in which case
// the stored word stays. s.strLastWord becomes the entry text. Nothing is written when the user
// key can be neither opened nor made.
void SaveSettings(SSettings& s, const QRect& frameGeometry, const std::string& entryText);
