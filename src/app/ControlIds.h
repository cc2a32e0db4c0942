// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

// Control ids of the main window; the widgets carry them as their object names.
enum EControlId {
    IDOK = 1,
    IDCANCEL = 2,
    IDC_BROWSER = 1000,
    IDC_WORD = 1003,
    IDC_CLEARHISTORY = 1005,
    IDC_HISTORY = 1011,
    IDC_ALWAYSONTOP = 1012,
    IDC_PRINT = 1013,
    IDC_HELP = 1014,
    IDC_ENGLISH = 1016,
    IDC_LITHUANIAN = 1017,
    IDC_INDEXLIST = 1234,
    IDC_HISTORYLIST = 1253,
};

// The window's own menu commands (the entries a system menu would carry).
enum ECommandId {
    IDM_ABOUTBOX = 16,
    IDM_PRINT = 1008,
    IDM_SHOWHISTORY = 1006,
    IDM_ALWAYSONTOP = 1015,
    IDM_SELECTION = 1018,
    IDM_WORDFORMS = 1019,
    IDM_POPUP = 1020,
};

enum ETimerId {
    TIMER_SPLASH = 2568,
    TIMER_CLIPBOARD = 2569,
    TIMER_SHOWPAGE = 2570,
};
