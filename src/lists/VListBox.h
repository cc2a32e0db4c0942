// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "dict/DictFormat.h"
#include "lists/ListStyle.h"

#include <QAbstractScrollArea>
#include <QFont>
#include <QFontMetrics>
#include <QStaticText>

#include <cstddef>
#include <optional>
#include <string>
#include <unordered_map>

class CListOwner;
class QAccessibleEvent;

// The word index: a "virtual" list that holds no words. Every paint fetches the rows it shows
// straight from the owner's dictionary (GetListHeadword), so a list of any length costs nothing
// to fill or to switch. The same window, as CVListBoxHistory, shows the history.
//
// The list draws itself, follows its scroll bar and reports clicks; moving the selection by keys,
// wheel and the scroll-bar arrows belongs to the owner's navigation routines, which write the
// public fields below and call Repaint. The owner outlives the list and must have an open
// dictionary whenever the list paints. Colours and the layout size are the style it is given.
class CVListBox : public QAbstractScrollArea {
    Q_OBJECT
public:
    // Rows drawn from one text at most; the rest is cut off.
    static constexpr std::size_t kMaxRowBytes = DictFormat::kMaxRowBytes;
    // The homonym number that marks an abbreviation.
    static constexpr int kAbbreviationHomonym = DictFormat::kAbbreviation;
    // One scroll-bar unit never stands for more than this many thumb positions.
    static constexpr int kMaxScrollPositions = 32767;

    CVListBox(CListOwner* owner, QWidget* parent);
    ~CVListBox() override;

    // Recomputes scrollScale and scrollMax from lastIndex, sets the scroll range, puts the first
    // row on top and clears the selection.
    void ResetScroll();
    // Place of forward entry in a run of equal neighbouring headwords (1, 2, ...; 0 alone).
    int HomonymOrdinal(int entry) const;
    // Paints the list at once, after the owner has changed its fields.
    void Repaint();
    // Paints the list with the window's next pass, the scroll bar with it.
    void Update();
    // Colours and layout size of the rows, from the next paint on.
    void SetStyle(const SListStyle& style);
    const SListStyle& Style() const { return m_style; }

    // Text of row i, and its homonym number (0 when it has none). Empty for a row without text.
    virtual std::string RowText(int i, int& homonym) const;

    // Pixel height of a font of the given point size at a vertical resolution.
    static int PixelHeight(int points, int nLogPixelsY);
    // The three fonts of a paint: row, homonym number, abbreviation mark (italic).
    static QFont RowFont(bool bLarge, int nLogPixelsY);
    static QFont NumberFont(int nLogPixelsY);
    static QFont MarkFont(bool bLarge, int nLogPixelsY);

    int topIndex = 0;                 // row drawn first
    int lastIndex = 0;                // index: last valid row; history: number of items
    int selection = -1;               // selected row, -1 for none
    int visibleLines = 0;             // whole rows that fit, minus one; set by every paint
    int rowHeight = 1;                // pixels per row; set by every paint
    int topMargin = 4;                // y of the first row
    int scrollScale = 1;              // rows per scroll-bar unit
    int scrollMax = 0;                // upper end of the scroll range
    bool keepSelectionVisible = true; // the next paint scrolls the selection into view
    bool isHistory = true;            // the owner clears it for the index list
    bool reverse = false;             // rows come from the reverse list
    // Where the news of a moved selection goes: Qt's accessibility, or a test's recorder.
    static void (*s_fnAccessibilityUpdate)(QAccessibleEvent* event);

    int rowAscent = 0;  // ascent of the row font, measured at the first paint
    int markAscent = 0; // ascent of the mark font, measured with it

protected:
    // Sets the scroll range 0 .. nMax.
    void SetScrollRange(int nMax);
    // The page path a click on history row `row` revisits; empty when there is none.
    virtual std::string PagePath(int row) const;

    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The fonts of one layout size and resolution with their metrics, built once for them.
    struct SFonts {
        bool bLarge;
        int dpiY;
        QFont row, number, mark;
        QFontMetrics rowMetrics, numberMetrics, markMetrics;
        int textHeight; // one line of the row font, measured on "Ay"
    };
    // A row as drawn: its text, its homonym number, the text's width in the row font.
    struct SRow {
        QString text;
        int homonym = 0;
        int width = 0;
        QStaticText glyphs;
    };
    // What every row of one paint shares.
    struct SRowPaint {
        const SFonts& fonts;
        int textHeight; // one line of the row font
        int width;      // of the rows' band
        int bottom;     // of the client area
        bool bMarks;    // homonym numbers and "sutr." are drawn (forward index only)
        bool bLarge;
    };

    // Paints row i with its top at y: the band, the text, the mark. Returns the next row's top.
    int PaintRow(QPainter& painter, const SRowPaint& paint, int i, int y);
    const SFonts& Fonts(bool bLarge, int dpiY);
    const SRow& Row(int i, const SFonts& fonts);
    void MeasureAscents();
    // Tells a screen reader of a selection moved since the last paint.
    void AnnounceSelection();
    void OnScrollAction(int action);
    void OnEndScroll();
    void OnClick(int y);

    CListOwner* m_pOwner;
    int m_nAnnouncedSelection = -1;
    SListStyle m_style;
    std::optional<SFonts> m_fonts;
    // The index rows drawn lately, for the list they were read from.
    static constexpr std::size_t kMaxCachedRows = 512;
    std::unordered_map<int, SRow> m_rows;
    bool m_rowsReverse = false;
    int m_rowsLastIndex = -2;
};
