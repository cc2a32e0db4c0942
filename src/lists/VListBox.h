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
class CRowSource;
class QAccessibleEvent;

// The word index: a "virtual" list that holds no words. Every paint fetches the rows it shows
// from the row source it is given (SetRows), so a list of any length costs nothing to fill or to
// switch. The same window, as CVListBoxHistory, shows the history.
//
// The list draws itself, follows its scroll bar and reports clicks; moving the selection by keys,
// wheel and the scroll-bar arrows belongs to the owner's navigation routines, which select a row
// (Select) or set the list's state and call Repaint. A list that takes the keyboard focus (the
// history, by Tab) becomes the one the owner's keys drive, hands its own arrow and page keys to
// the owner, takes Enter as a click on the selected row and marks that row with a focus frame.
// The owner and the row source outlive the list.
// Colours and the layout size are the style it is given.
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
    // Where the rows come from; without a source every row is empty.
    void SetRows(const CRowSource* rows) { m_pRows = rows; }
    // Paints the list at once, after the owner has changed its state.
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

    // The rows: the last valid row (index) or the number of items (history), whether they come
    // from the reverse list, and whether this is the history (the owner says it is the index).
    int LastIndex() const { return m_lastIndex; }
    void SetLastIndex(int lastIndex) { m_lastIndex = lastIndex; }
    bool IsReverse() const { return m_bReverse; }
    void SetReverse(bool bReverse) { m_bReverse = bReverse; }
    bool IsHistory() const { return m_bHistory; }
    void SetHistory(bool bHistory) { m_bHistory = bHistory; }
    // The selected row (-1 for none) and the row drawn first. Select moves the selection, keeps
    // it in view at the next paint and paints at once.
    int Selection() const { return m_nSelection; }
    void SetSelection(int row) { m_nSelection = row; }
    void Select(int row);
    int TopIndex() const { return m_nTopIndex; }
    void SetTopIndex(int row) { m_nTopIndex = row; }
    // Whether the next paint scrolls the selection into view.
    bool KeepsSelectionVisible() const { return m_bKeepSelectionVisible; }
    void SetKeepSelectionVisible(bool bKeep) { m_bKeepSelectionVisible = bKeep; }
    // What the last paint measured: whole rows that fit, minus one; pixels per row; the y of the
    // first row; the ascents of the row and the mark font (from the first paint on).
    int VisibleLines() const { return m_nVisibleLines; }
    int RowHeight() const { return m_nRowHeight; }
    int TopMargin() const { return m_nTopMargin; }
    void SetTopMargin(int y) { m_nTopMargin = y; }
    int RowAscent() const { return m_nRowAscent; }
    int MarkAscent() const { return m_nMarkAscent; }
    // Rows per scroll-bar unit, and the upper end of the scroll range.
    int ScrollScale() const { return m_nScrollScale; }
    int ScrollMax() const { return m_nScrollMax; }
    // Where the news of a moved selection goes: Qt's accessibility, or a test's recorder. Returns
    // the one it replaces.
    using AccessibilityUpdate = void (*)(QAccessibleEvent* event);
    static AccessibilityUpdate SetAccessibilityUpdate(AccessibilityUpdate update);

protected:
    // Sets the scroll range 0 .. nMax.
    void SetScrollRange(int nMax);
    // The page path a click on history row `row` revisits; empty when there is none.
    virtual std::string PagePath(int row) const;

    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
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
    // A row chosen by a click or by Enter: the owner shows it.
    void Choose(int row);
    // The dotted frame around the selected row (or the top one) while the list has the focus.
    void PaintFocusMark(QPainter& painter);

    static AccessibilityUpdate s_fnAccessibilityUpdate;
    CListOwner* m_pOwner;
    const CRowSource* m_pRows = nullptr;
    int m_nTopIndex = 0;
    int m_lastIndex = 0;
    int m_nSelection = -1;
    int m_nVisibleLines = 0;
    int m_nRowHeight = 1;
    int m_nTopMargin = 4;
    int m_nScrollScale = 1;
    int m_nScrollMax = 0;
    bool m_bKeepSelectionVisible = true;
    bool m_bHistory = true;
    bool m_bReverse = false;
    int m_nRowAscent = 0;
    int m_nMarkAscent = 0;
    int m_nAnnouncedSelection = -1;
    SListStyle m_style;
    std::optional<SFonts> m_fonts;
    // The index rows drawn lately, for the list they were read from.
    static constexpr std::size_t kMaxCachedRows = 512;
    std::unordered_map<int, SRow> m_rows;
    bool m_rowsReverse = false;
    int m_rowsLastIndex = -2;
};
