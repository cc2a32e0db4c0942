// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "lists/ListStyle.h"

#include <QColor>

#include <string>

class QScreen;

// The application object: what the program learns about the screen once, whether it was started
// to serve automation, and the page head that every translation page begins with. One instance
// lives for the whole process; it holds no windows and runs no loop. Its values are
// set by MeasureScreen, by the start-up code (SetStartedByOle) and by LoadPageHeader, and are
// only read afterwards.
class CZodynasApp {
public:
    // Logical pixels per inch above this select the large layout.
    static constexpr int kLargeLayoutDpi = 110;
    // More screen colours than this count as high colour.
    static constexpr int kPaletteColours = 256;

    CZodynasApp() = default;

    // Takes the screen's real horizontal and vertical resolution (RealDpi), its colour count and
    // the four list colours. A null screen leaves the values as they are (96 dpi, high colour).
    void MeasureScreen(const QScreen* screen);
    // The resolution a desktop set (Xft.dpi, QT_FONT_DPI, a scale factor): the logical dots per
    // inch Qt reports times the part of the scale Qt applies itself as a device pixel ratio.
    // 120 for a 120-dpi desktop whether Qt scales it by 1.25 or reports 120 logical dpi.
    static int RealDpi(qreal logicalDpi, qreal devicePixelRatio);
    // The same from given numbers: colour depth in bits per pixel and logical resolution.
    void SetScreenMetrics(int nBitsPerPixel, int nLogPixelsX, int nLogPixelsY);

    bool IsLargeLayout() const { return m_nLogPixelsX > kLargeLayoutDpi; }
    bool IsHighColour() const { return m_nColors > kPaletteColours; }
    // The look of the entry box and the lists on this screen.
    SListStyle ListStyle() const {
        return {m_clrBack, m_clrText, m_clrSelBack, m_clrSelText, IsLargeLayout()};
    }

    // Looks for the switch "Embedding" and, only when it is absent, "Automation": the word with
    // exactly these letters right after a "/" or "-" anywhere in the command line. The first one
    // found is removed together with its "/" or "-". True when either was found.
    static bool TakeSwitches(std::string& commandLine);

    // Loads the page head: the file's bytes exactly. A file that cannot be read, is no regular
    // file or is larger than kMaxPageHeader leaves the head empty and returns false.
    static constexpr std::size_t kMaxPageHeader = 1024 * 1024;
    bool LoadPageHeader(const std::string& path);
    // The page head of the program folder dir for the desktop's palette: HTM/HH-dark.htm on a
    // dark desktop when it is there, HTM/HH.htm otherwise.
    bool LoadPageHeaderFor(const std::string& dir, const QPalette& palette);

    // The directory of the running executable with links resolved and no trailing separator
    // (empty for a program in the root directory).
    static std::string AppDir();

    // Whether the program was started to serve the automation object.
    bool IsStartedByOle() const { return m_bStartedByOle; }
    void SetStartedByOle(bool bStartedByOle) { m_bStartedByOle = bStartedByOle; }
    // The screen's logical pixels per inch, horizontal and vertical, and its colour count.
    int LogPixelsX() const { return m_nLogPixelsX; }
    int LogPixelsY() const { return m_nLogPixelsY; }
    int Colours() const { return m_nColors; }
    // The program folder (the data folder the dictionary, the page head and the help pages are
    // in), without a trailing separator; set once at start-up.
    const std::string& ProgramDir() const { return m_strProgramDir; }
    void SetProgramDir(std::string dir) { m_strProgramDir = std::move(dir); }
    // The page head, code page 1257 bytes as stored in the file.
    const std::string& PageHead() const { return m_strPageHeader; }
    void SetPageHead(std::string head) { m_strPageHeader = std::move(head); }

private:
    bool m_bStartedByOle = false;
    int m_nLogPixelsX = 96;              // screen's logical pixels per inch, horizontal
    int m_nLogPixelsY = 96;              // and vertical
    int m_nColors = kPaletteColours + 1; // 2^depth up to 8 bits per pixel, else 257
    QColor m_clrBack;                    // lists and entry box: background
    QColor m_clrText;                    // normal text
    QColor m_clrSelBack;                 // selected line: background
    QColor m_clrSelText;                 // selected line: text
    std::string m_strPageHeader;
    std::string m_strProgramDir;
};
