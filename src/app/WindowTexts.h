// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "dict/Cp1257.h"

#include <QString>

#include <cstdio>
#include <string>

// The main window's own Lithuanian texts, in one place and readable: UTF-8 here, turned into the
// widgets' strings (Ui) or the code page of the pages and message boxes (Cp) where they are used.
namespace WindowTexts {

// Accessible names of the children.
constexpr const char* kPageName = "Vertimas";
constexpr const char* kWordName = "Žodis";
constexpr const char* kIndexName = "Indeksas";
constexpr const char* kHistoryName = "Praeitis";

// The buttons' tooltips, which are their accessible names too, and the clear button's text.
constexpr const char* kEnglishTip = "Angliškas indeksas";
constexpr const char* kLithuanianTip = "Lietuviškas indeksas";
constexpr const char* kHistoryTip = "Praeitis";
constexpr const char* kAlwaysOnTopTip = "Visada viršuje";
constexpr const char* kPrintTip = "Spausdinti";
constexpr const char* kHelpTip = "Pagalba";
constexpr const char* kExitTip = "Baigti";
constexpr const char* kClearTip = "Išvalyti sąrašą";
constexpr const char* kClearText = "&Išvalyti sąrašą";

// The window menu's Lithuanian entries.
constexpr const char* kSelectionEntry = "Žymėjimas";
constexpr const char* kWordFormsEntry = "&Žodžių formos";
constexpr const char* kPopupEntry = "Vertimas &langelyje";
// Said beside the greyed entries where the desktop shows no other program's selection.
constexpr const char* kNoSelection = " (šis darbastalis žymėjimo neduoda)";
// ... and beside the popup's where the desktop tells only the focused window of new text.
constexpr const char* kOnlyFocused = " (šis darbastalis kitų programų žodžių neperduoda)";

// The note of the first page shown from memory, before the temporary folder's name.
constexpr const char* kMemoryPages =
    "Vertimo puslapiai rodomi neįrašyti į failus: nepavyksta rašyti laikinajame aplanke ";
// What F1 says when no program opens the help and its page is missing, before the page's path.
constexpr const char* kNoHelp = "\nLEKSTAR\nPagalbos puslapio nėra:\n";
// The message of a dictionary file that cannot be opened, before its path.
constexpr const char* kNoDictionary = "\nLEKSTAR\nNeatsidaro žodyno failas:\n";
// The About box, around its version line ("Versija 1.0.0.0").
constexpr const char* kAboutHead = "\nLEKSTAR\nKęstučio Biliūno ir FreeDict projekto\n"
                                   "Anglų-lietuvių kalbų kompiuterinis žodynas\n\n";
constexpr const char* kAboutTail = "\n\n"
                                   "© 2005–2010 Kęstutis Biliūnas (žodyno duomenys)\n"
                                   "© 2007–2017 Atviras Kodas Lietuvai ir FreeDict (GNU GPL 2+)\n"
                                   "© 2026 LEKSTAR kūrėjai (programa, GNU GPL 2+)";

inline QString Ui(const char* utf8) {
    return QString::fromUtf8(utf8);
}

inline std::string Cp(const char* utf8) {
    return Cp1257::FromUtf8(utf8);
}

// The About box's text, in code page 1257.
inline std::string AboutText() {
    char version[64];
    std::snprintf(version, sizeof version, "Versija %d.%d.%d.%d", LEKSTAR_VERSION_MAJOR,
                  LEKSTAR_VERSION_MINOR, LEKSTAR_VERSION_PATCH, 0);
    return Cp(kAboutHead) + version + Cp(kAboutTail);
}

} // namespace WindowTexts
