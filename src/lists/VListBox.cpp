// SPDX-License-Identifier: GPL-2.0-or-later
#include "lists/VListBox.h"

#include "lists/VListBoxAccessible.h"

#include "desktop/Metrics.h"
#include "desktop/QtText.h"
#include "lists/ListOwner.h"
#include "lists/RowSource.h"

#include <QAccessible>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyleOptionSlider>
#include <QWheelEvent>

#include <algorithm>
#include <utility>

namespace {

constexpr int kRowPointsSmall = 10;
constexpr int kRowPointsLarge = 12;
constexpr int kNumberPoints = 6;
constexpr int kMarkPointsSmall = 7;
constexpr int kMarkPointsLarge = 8;
// Where a row's text starts, and the gap between a word and its mark.
constexpr int kTextLeft = 10;
// The rectangle a row's text is measured in before it is fitted to the text.
constexpr QRect kMeasureRect(kTextLeft, 0, 90, 25);
constexpr int kMarkGap = 2;
// The space below a row's text that belongs to its band.
constexpr int kRowPadding = 2;
constexpr const char* kAbbreviationMark = "sutr.";

QFont ListFont(int points, int nLogPixelsY, bool bItalic) {
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setWeight(QFont::Normal);
    font.setItalic(bItalic);
    font.setPixelSize(CVListBox::PixelHeight(points, nLogPixelsY));
    return font;
}

// Draws one line of text with its top-left corner at `at` on a filled cell, as an opaque
// background mode would; returns the cell. A height of -1 takes the font's.
QRect DrawOpaque(QPainter& painter, const QPoint& at, const QString& text, const QColor& back, int width,
                 int height) {
    const QRect cell(at, QSize(width, height));
    painter.fillRect(cell, back);
    painter.drawText(cell, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
    return cell;
}

// The tallest fill the paint makes at once.
constexpr int kFillBand = 64;

// A scroll bar that paints again only what it shows otherwise: the index's value moves at nearly
// every key, but on a long list its thumb moves by a pixel only now and then. A paint of the whole
// bar costs more than the rows' paint: the raster engine hands a fill of its tall groove to Qt's
// thread pool in slices, and waking the pool's threads costs more than the fill.
class CThumbBar : public QScrollBar {
public:
    using QScrollBar::QScrollBar;

protected:
    void sliderChange(SliderChange change) override {
        if (change != SliderValueChange || !m_bPainted) {
            QScrollBar::sliderChange(change);
            return;
        }
        // Where the thumb was and where it is, and an end arrow that greys or comes back.
        const SLooks now = Looks();
        QRegion changed;
        if (now.thumb != m_painted.thumb)
            changed = QRegion(Around(m_painted.thumb)).united(Around(now.thumb));
        if (now.bAtTop != m_painted.bAtTop)
            changed += Part(QStyle::SC_ScrollBarSubLine);
        if (now.bAtBottom != m_painted.bAtBottom)
            changed += Part(QStyle::SC_ScrollBarAddLine);
        update(changed);
    }
    void paintEvent(QPaintEvent* event) override {
        m_painted = Looks();
        m_bPainted = true;
        QScrollBar::paintEvent(event);
    }

private:
    // The thumb's place, and the ends its arrows are greyed at.
    struct SLooks {
        QRect thumb;
        bool bAtTop = false;
        bool bAtBottom = false;
    };
    SLooks Looks() const {
        return {Part(QStyle::SC_ScrollBarSlider), value() == minimum(), value() == maximum()};
    }
    // A style draws the thumb's edge and shadow a pixel or two beyond its rectangle.
    QRect Around(const QRect& thumb) const {
        constexpr int kEdge = 2;
        return orientation() == Qt::Vertical
                   ? QRect(0, thumb.top() - kEdge, width(), thumb.height() + 2 * kEdge)
                   : QRect(thumb.left() - kEdge, 0, thumb.width() + 2 * kEdge, height());
    }
    QRect Part(QStyle::SubControl part) const {
        QStyleOptionSlider option;
        initStyleOption(&option);
        return style()->subControlRect(QStyle::CC_ScrollBar, &option, part, this);
    }
    SLooks m_painted;
    bool m_bPainted = false;
};

} // namespace

CVListBox::CVListBox(CListOwner* owner, QWidget* parent) : QAbstractScrollArea(parent), m_pOwner(owner) {
    CVListBoxAccessible::InstallFactory();
    setObjectName(QStringLiteral("VListBox"));
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBar(new CThumbBar(Qt::Vertical, this));
    // The paint erases its own background in the list colour: nothing under the rows is drawn
    // for them (neither the frame nor the window behind).
    viewport()->setAutoFillBackground(false);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setCursor(Qt::ArrowCursor);
    // The keys stay with the entry box: a click on a row or on the scroll bar takes no focus.
    setFocusPolicy(Qt::NoFocus);
    QScrollBar* bar = verticalScrollBar();
    bar->setFocusPolicy(Qt::NoFocus);
    // The bar draws its groove over all of itself: when its thumb moves, nothing behind it is
    // drawn again (the list's frame, the window).
    bar->setAttribute(Qt::WA_OpaquePaintEvent);
    bar->setRange(0, 0);
    bar->installEventFilter(this);
    connect(bar, &QScrollBar::actionTriggered, this, &CVListBox::OnScrollAction);
    connect(bar, &QScrollBar::sliderReleased, this, &CVListBox::OnEndScroll);
}

CVListBox::~CVListBox() = default;

int CVListBox::PixelHeight(int points, int nLogPixelsY) {
    return std::max(1, MulDiv(points, nLogPixelsY, 72));
}

QFont CVListBox::RowFont(bool bLarge, int nLogPixelsY) {
    return ListFont(bLarge ? kRowPointsLarge : kRowPointsSmall, nLogPixelsY, false);
}

QFont CVListBox::NumberFont(int nLogPixelsY) {
    return ListFont(kNumberPoints, nLogPixelsY, false);
}

QFont CVListBox::MarkFont(bool bLarge, int nLogPixelsY) {
    return ListFont(bLarge ? kMarkPointsLarge : kMarkPointsSmall, nLogPixelsY, true);
}

void CVListBox::ResetScroll() {
    const int n = m_lastIndex;
    // One thumb position per row as long as the positions stay within 16 bits; beyond that
    // every position stands for scrollScale rows.
    if (n > kMaxScrollPositions) {
        m_nScrollScale = n / kMaxScrollPositions + 1;
        m_nScrollMax = n / m_nScrollScale;
    } else {
        m_nScrollScale = 1;
        m_nScrollMax = n;
    }
    SetScrollRange(m_nScrollMax);
    m_nTopIndex = 0;
    m_nSelection = -1;
}

void CVListBox::SetScrollRange(int nMax) {
    // An empty dictionary leaves lastIndex at -1; the bar cannot go below its minimum.
    verticalScrollBar()->setRange(0, std::max(nMax, 0));
}

int CVListBox::HomonymOrdinal(int entry) const {
    return m_pRows != nullptr ? m_pRows->HomonymOrdinal(entry, m_lastIndex) : 0;
}

void CVListBox::Repaint() {
    viewport()->repaint();
}

void CVListBox::Select(int row) {
    m_nSelection = row;
    m_bKeepSelectionVisible = true;
    Repaint();
}

void CVListBox::Update() {
    // The bar follows now, so that it is drawn in the same pass as the rows; a paint that moves
    // it (the paint keeps the selection in view) costs a second pass.
    verticalScrollBar()->setValue(std::clamp(m_nTopIndex, 0, std::max(0, m_lastIndex)) / m_nScrollScale);
    viewport()->update();
}

void CVListBox::SetStyle(const SListStyle& style) {
    m_style = style;
    m_fonts.reset();
    // The ascents belong to the fonts of the layout size; the next paint measures them again.
    m_nRowAscent = 0;
    m_nMarkAscent = 0;
    viewport()->update();
}

std::string CVListBox::RowText(int i, int& homonym) const {
    homonym = 0;
    if (m_pRows == nullptr)
        return {};
    return m_pRows->RowText(m_bReverse ? EDirection::Reverse : EDirection::Forward, i, homonym);
}

std::string CVListBox::PagePath(int) const {
    return {};
}

void CVListBox::MeasureAscents() {
    const bool bLarge = m_style.bLarge;
    const int dpiY = viewport()->logicalDpiY();
    m_nRowAscent = QFontMetrics(RowFont(bLarge, dpiY), viewport()).ascent();
    m_nMarkAscent = QFontMetrics(MarkFont(bLarge, dpiY), viewport()).ascent();
}

void CVListBox::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    // In bands of fewer than 96 lines: Qt's raster engine hands a taller fill to its thread pool,
    // whose wake-ups cost a key more than the fill itself.
    const QRect dirty = event->rect();
    for (int y = dirty.top(); y <= dirty.bottom(); y += kFillBand)
        painter.fillRect(QRect(dirty.left(), y, dirty.width(), std::min(kFillBand, dirty.bottom() + 1 - y)),
                         m_style.back);

    if (m_nRowAscent == 0 && m_nMarkAscent == 0)
        MeasureAscents();
    const QRect client = viewport()->rect();
    const bool bLarge = m_style.bLarge;
    const int dpiY = viewport()->logicalDpiY();
    const SFonts& fonts = Fonts(bLarge, dpiY);
    // Index rows come from the read-only dictionary, so a row's text and width stay what they were
    // while the list shows the same list (Row keeps them); the history's items change under it
    // and are read anew at every paint.
    if (m_bHistory)
        m_rows.clear();
    painter.setFont(fonts.row);
    const int textHeight = fonts.textHeight;
    m_nRowHeight = textHeight + kRowPadding;
    m_nVisibleLines = client.height() / m_nRowHeight - 1;

    if (m_bKeepSelectionVisible) {
        if (m_nSelection - m_nTopIndex > m_nVisibleLines)
            m_nTopIndex = m_nSelection - m_nVisibleLines;
        if (m_nSelection - m_nTopIndex < 0)
            m_nTopIndex = m_nSelection;
    }
    // Upper bound first, so that an empty list (lastIndex -1) still starts at row 0.
    if (m_nTopIndex > m_lastIndex)
        m_nTopIndex = m_lastIndex;
    if (m_nTopIndex < 0)
        m_nTopIndex = 0;
    verticalScrollBar()->setValue(m_nTopIndex / m_nScrollScale);

    const SRowPaint paint{fonts, textHeight, client.width(), client.height(), !m_bReverse && !m_bHistory,
                          bLarge};
    int y = m_nTopMargin;
    for (int i = m_nTopIndex; i <= m_lastIndex; ++i) {
        y = PaintRow(painter, paint, i, y);
        if (y > paint.bottom || y < 0)
            break;
    }
    if (hasFocus())
        PaintFocusMark(painter);
    AnnounceSelection();
}

CVListBox::AccessibilityUpdate CVListBox::s_fnAccessibilityUpdate = &QAccessible::updateAccessibility;

CVListBox::AccessibilityUpdate CVListBox::SetAccessibilityUpdate(AccessibilityUpdate update) {
    return std::exchange(s_fnAccessibilityUpdate, update);
}

void CVListBox::AnnounceSelection() {
    // The owner moves the selection through the public field; the paint that shows it tells a
    // screen reader too.
    if (m_nSelection == m_nAnnouncedSelection)
        return;
    m_nAnnouncedSelection = m_nSelection;
    // Qt passes the news on only while a screen reader listens.
    if (m_nSelection < 0)
        return;
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(this);
    QAccessibleInterface* row = list != nullptr ? list->child(m_nSelection) : nullptr;
    if (row == nullptr)
        return;
    QAccessibleEvent selected(row, QAccessible::Selection);
    s_fnAccessibilityUpdate(&selected);
    if (hasFocus()) {
        QAccessibleEvent focus(row, QAccessible::Focus);
        s_fnAccessibilityUpdate(&focus);
    }
}

const CVListBox::SFonts& CVListBox::Fonts(bool bLarge, int dpiY) {
    if (!m_fonts || m_fonts->bLarge != bLarge || m_fonts->dpiY != dpiY) {
        // The code page's text is converted to Unicode before drawing, so one set of fonts serves
        // both directions.
        const QFont row = RowFont(bLarge, dpiY);
        const QFont number = NumberFont(dpiY);
        const QFont mark = MarkFont(bLarge, dpiY);
        // Every row is one line of the same font, so the height measured on "Ay" is each row's.
        const int textHeight =
            QFontMetrics(row, viewport())
                .boundingRect(kMeasureRect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                              QStringLiteral("Ay"))
                .height();
        m_fonts.emplace(SFonts{bLarge, dpiY, row, number, mark, QFontMetrics(row), QFontMetrics(number),
                               QFontMetrics(mark), textHeight});
        m_rows.clear();
    }
    return *m_fonts;
}

const CVListBox::SRow& CVListBox::Row(int i, const SFonts& fonts) {
    if (m_rowsReverse != m_bReverse || m_rowsLastIndex != m_lastIndex || m_rows.size() > kMaxCachedRows) {
        m_rows.clear();
        m_rowsReverse = m_bReverse;
        m_rowsLastIndex = m_lastIndex;
    }
    if (const auto it = m_rows.find(i); it != m_rows.end())
        return it->second;
    SRow row;
    std::string raw = RowText(i, row.homonym);
    if (raw.size() > kMaxRowBytes)
        raw.resize(kMaxRowBytes);
    row.text = QtText::FromCp1257(raw);
    row.width = fonts.rowMetrics.horizontalAdvance(row.text);
    row.glyphs.setTextFormat(Qt::PlainText);
    row.glyphs.setText(row.text);
    row.glyphs.prepare(QTransform(), fonts.row);
    return m_rows.emplace(i, std::move(row)).first->second;
}

int CVListBox::PaintRow(QPainter& painter, const SRowPaint& paint, int i, int y) {
    const SRow& row = Row(i, paint.fonts);
    const int homonym = row.homonym;

    QColor textColour = m_style.text;
    QColor backColour = m_style.back;
    const QRect band(0, y, paint.width, paint.textHeight + kRowPadding);
    if (i == m_nSelection) {
        painter.fillRect(band, m_style.selBack);
        textColour = m_style.selText;
        backColour = m_style.selBack;
    } else if (paint.bottom - y < 3 * (paint.textHeight + kRowPadding)) {
        // The rows near the bottom edge may be left over from a taller paint.
        painter.fillRect(band, m_style.back);
    }

    painter.setPen(textColour);
    painter.setFont(paint.fonts.row);
    // The row's text keeps its laid-out glyphs between paints.
    const QRect textRect(QPoint(kTextLeft, y), QSize(row.width, paint.textHeight));
    painter.fillRect(textRect, backColour);
    painter.drawStaticText(textRect.topLeft(), row.glyphs);
    if (paint.bMarks && homonym != 0) {
        const int markLeft = textRect.left() + textRect.width() + kMarkGap;
        if (homonym == kAbbreviationHomonym) {
            // On the word's baseline; the small layout's fonts need one pixel more.
            painter.setFont(paint.fonts.mark);
            const int top = y + m_nRowAscent - m_nMarkAscent + (paint.bLarge ? 0 : 1);
            const QString mark = QString::fromLatin1(kAbbreviationMark);
            DrawOpaque(painter, QPoint(markLeft, top), mark, backColour,
                       paint.fonts.markMetrics.horizontalAdvance(mark), paint.fonts.markMetrics.height());
        } else {
            // At the row's top, which raises the number like a superscript.
            painter.setFont(paint.fonts.number);
            const QString number = QString::number(homonym);
            DrawOpaque(painter, QPoint(markLeft, y), number, backColour,
                       paint.fonts.numberMetrics.horizontalAdvance(number),
                       paint.fonts.numberMetrics.height());
        }
    }
    return y + paint.textHeight + kRowPadding;
}

void CVListBox::scrollContentsBy(int, int) {
    // The paint places the rows from topIndex; the bar only reports where the user wants it.
}

void CVListBox::OnScrollAction(int action) {
    QScrollBar* bar = verticalScrollBar();
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub:
    case QAbstractSlider::SliderSingleStepAdd:
    case QAbstractSlider::SliderPageStepSub:
    case QAbstractSlider::SliderPageStepAdd:
        // The arrows and page areas move the selection through the owner; the bar follows
        // when the list repaints, not on its own.
        bar->setSliderPosition(bar->value());
        if (action == QAbstractSlider::SliderSingleStepSub)
            m_pOwner->LineUp();
        else if (action == QAbstractSlider::SliderSingleStepAdd)
            m_pOwner->LineDown();
        else if (action == QAbstractSlider::SliderPageStepSub)
            m_pOwner->PageUp();
        else
            m_pOwner->PageDown();
        break;
    case QAbstractSlider::SliderMove:
    case QAbstractSlider::SliderToMinimum:
    case QAbstractSlider::SliderToMaximum:
        // Top and bottom put the thumb at the end of its range and show the rows there, as a
        // drag to that end would. The view stays where the user put it, selection or not.
        m_nTopIndex = bar->sliderPosition() * m_nScrollScale;
        m_bKeepSelectionVisible = false;
        viewport()->update();
        break;
    default:
        break;
    }
}

void CVListBox::OnEndScroll() {
    m_bKeepSelectionVisible = false;
    viewport()->update();
}

void CVListBox::mouseReleaseEvent(QMouseEvent* event) {
    // A press that was dragged off the list ends elsewhere; only a release over the rows clicks.
    if (event->button() == Qt::LeftButton && viewport()->rect().contains(event->position().toPoint()))
        OnClick(event->position().toPoint().y());
    QAbstractScrollArea::mouseReleaseEvent(event);
}

void CVListBox::OnClick(int y) {
    int row = m_nTopIndex + (y - m_nTopMargin) / m_nRowHeight;
    if (row >= m_lastIndex)
        row = m_bHistory ? m_lastIndex - 1 : m_lastIndex;
    // Nothing lies above the first row: a click in an empty list selects nothing.
    if (row < 0)
        row = -1;
    m_nSelection = row;
    Repaint();
    Choose(row);
}

void CVListBox::Choose(int row) {
    m_pOwner->SetActiveList(m_bHistory ? EWordList::History : EWordList::Index);
    if (m_bHistory) {
        const std::string path = PagePath(row);
        if (!path.empty())
            m_pOwner->NavigateToPage(path);
    } else if (row >= 0) {
        if (m_bReverse)
            m_pOwner->ShowReverseEntry(row);
        else
            m_pOwner->ShowForwardEntry(row);
    }
}

void CVListBox::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        Choose(m_nSelection);
    } else if (key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp || key == Qt::Key_PageDown) {
        // The keys of a focused list move that list, whichever one a click made active meanwhile.
        m_pOwner->SetActiveList(m_bHistory ? EWordList::History : EWordList::Index);
        m_pOwner->StepByKey(key);
    } else {
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    event->accept();
}

void CVListBox::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    // Tab to the history hands the entry box's arrows to it too, until the focus comes back.
    if (event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason)
        m_pOwner->SetActiveList(m_bHistory ? EWordList::History : EWordList::Index);
    viewport()->update();
}

void CVListBox::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}

void CVListBox::PaintFocusMark(QPainter& painter) {
    const int row = std::max(m_nSelection, 0);
    const int y = m_nTopMargin + (row - m_nTopIndex) * m_nRowHeight;
    if (row < m_nTopIndex || y >= viewport()->height())
        return;
    painter.setPen(QPen(row == m_nSelection ? m_style.selText : m_style.text, 1, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRect(1, y, viewport()->width() - 3, m_nRowHeight - 1));
}

void CVListBox::wheelEvent(QWheelEvent* event) {
    // The owner turns the wheel into its line moves; the list does not scroll by itself.
    event->ignore();
}

bool CVListBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched == verticalScrollBar() && event->type() == QEvent::Wheel) {
        // Over the scroll bar too: ignored here, the wheel travels on to the owner.
        event->ignore();
        return true;
    }
    // Every scroll by the bar ends when its button is let go: after an arrow or a page click, as
    // after a drag, the view stays where it is rather than following the selection.
    if (watched == verticalScrollBar() && event->type() == QEvent::MouseButtonRelease)
        OnEndScroll();
    return QAbstractScrollArea::eventFilter(watched, event);
}
