// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/DialogLayout.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace {

// Dialog base units of the template's font: 6 x 13 on ordinary screens, 8 x 16 on large-font
// ones.
constexpr int kBaseUnitXSmall = 6, kBaseUnitYSmall = 13;
constexpr int kBaseUnitXLarge = 8, kBaseUnitYLarge = 16;

constexpr int kCaptionPoints = 10;
constexpr int kCaptionBandPadding = 4;
// Below this resolution the caption sits 2 pixels higher. Exactly 110 dpi is still the small
// layout, but it does not get the lift: the font is then big enough to fill the strip.
constexpr int kCaptionLiftBelowDpi = 110;
constexpr int kCaptionLift = 2;

constexpr const char* kHistoryLabel = "Praeitis";

void AddStrip(std::vector<QRect>& strips, int left, int top, int right, int bottom) {
    if (right > left && bottom > top)
        strips.emplace_back(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

} // namespace

bool KeepsHistoryAtStart(int vertRes, bool bHasWord) {
    return (vertRes - 359) / 2 > 600 || bHasWord;
}

QRect SavedFrame(const QRect& frame, const QRect& workArea, bool bFillsScreen) {
    if (!bFillsScreen || workArea.isEmpty())
        return frame;
    const QRect inside = frame.intersected(workArea);
    return inside.isEmpty() ? frame : inside;
}

QRect StartFrame(const SStoredPlacement& stored, const QRect& primary, const std::vector<QRect>& screens) {
    const int horzRes = primary.width();
    const int vertRes = primary.height();
    const int defaultW = vertRes > 600 ? 900 : 600;
    const int defaultH = vertRes > 600 ? 574 : 410;
    int x = primary.x() + (horzRes - defaultW) / 2;
    int y = primary.y() + (vertRes - defaultH) / 2;
    int w = defaultW;
    int h = defaultH;
    if (!stored.bHasWord)
        return QRect(x, y, w, h);
    // The stored corner is in desktop coordinates already, whichever screen is the primary.
    x = stored.nPosX != 0 ? stored.nPosX : x;
    y = stored.nPosY != 0 ? stored.nPosY : y;
    w = stored.nSizeX != 0 ? stored.nSizeX : w;
    h = stored.nSizeY != 0 ? stored.nSizeY : h;
    QRect frame(x, y, std::max(w, kMinClientWidth), std::max(h, kMinClientHeight));

    // The screen the window lies on most, or the nearest one when it lies on none.
    QRect screen = primary;
    long long best = -1;
    for (const QRect& s : screens) {
        const QRect common = s.intersected(frame);
        const long long area =
            common.isEmpty() ? 0 : static_cast<long long>(common.width()) * common.height();
        if (area > best && area > 0) {
            best = area;
            screen = s;
        }
    }
    if (best <= 0) {
        long long nearest = -1;
        for (const QRect& s : screens) {
            const long long dx = std::max({s.left() - frame.right(), frame.left() - s.right(), 0});
            const long long dy = std::max({s.top() - frame.bottom(), frame.top() - s.bottom(), 0});
            const long long d = dx * dx + dy * dy;
            if (nearest < 0 || d < nearest) {
                nearest = d;
                screen = s;
            }
        }
    }
    if (screen.isEmpty())
        return frame;
    frame.setWidth(std::min(frame.width(), std::max(screen.width(), kMinClientWidth)));
    frame.setHeight(std::min(frame.height(), std::max(screen.height(), kMinClientHeight)));
    if (best <= 0) {
        frame.moveLeft(std::clamp(frame.left(), screen.left(),
                                  std::max(screen.right() - frame.width() + 1, screen.left())));
        frame.moveTop(std::clamp(frame.top(), screen.top(),
                                 std::max(screen.bottom() - frame.height() + 1, screen.top())));
    }
    return frame;
}

SLayoutValues MakeLayoutValues(bool bLarge) {
    SLayoutValues v;
    v.nMargin = 3;
    v.nGap = 3;
    v.nLangButtonHeight = bLarge ? 22 : 16;
    v.nButtonSize = bLarge ? 44 : 32;
    v.nHistoryWidth = bLarge ? 196 : 160;
    const int baseX = bLarge ? kBaseUnitXLarge : kBaseUnitXSmall;
    const int baseY = bLarge ? kBaseUnitYLarge : kBaseUnitYSmall;
    v.nEditWidthForward = MulDiv(kEditTemplateWidth, baseX, 4);
    v.nEditWidthReverse = v.nEditWidthForward + kReverseExtraWidth;
    v.nEditHeight = MulDiv(kEditTemplateHeight, baseY, 8);
    return v;
}

QSize ClampClientSize(int cx, int cy) {
    return QSize(std::max(cx, kMinClientWidth), std::max(cy, kMinClientHeight));
}

namespace {

// The top strip, the language buttons, the entry box, the index list and the bottom buttons, with
// the background between them that a move leaves behind.
void LayOutLeftColumn(const SLayoutValues& v, const SLayoutInput& in, SLayout& out) {
    const int M = v.nMargin, G = v.nGap, L = v.nLangButtonHeight, B = v.nButtonSize;
    const int EH = v.nEditHeight;
    const int EW = in.nDirection != 0 ? v.nEditWidthReverse : v.nEditWidthForward;
    const int cx = in.cx, cy = in.cy;

    out.topStrip = QRect(M, M, cx - 2 * M, L);

    // The caption is painted right of the entry column; a new width may move its band's end.
    if (cy <= L || cx != in.nPrevWidth)
        AddStrip(out.invalidateNoErase, EW, M, cx, L);

    out.englishButton = QRect(M, M, kLangButtonWidth, kLangButtonBitmapHeight);
    out.lithuanianButton = QRect(2 * M + kLangButtonWidth, M, kLangButtonWidth, kLangButtonBitmapHeight);

    const int editTop = 2 * M + L;
    out.edit = QRect(M, editTop, EW, EH);

    const int yb = cy - B - M;
    for (int k = 0; k < kBottomButtonCount; ++k)
        out.bottomButtons[k] = QPoint(M + k * (B + M), yb);

    // The list is one pixel wider than the entry box and starts one pixel to its left, so that
    // their borders line up.
    const int listTop = editTop + EH + G - 1;
    out.indexList = QRect(M - 1, listTop, EW + 1, yb - listTop - G + 1);
    // A width change alone leaves the left column as it is; only a narrow window or a new height
    // moves the list.
    out.bMoveIndexList = cx <= EW + M || cy != in.nPrevHeight;

    // Background between the left column's children. The right edge of the column is where the
    // browser starts (as computed last time, since it has not moved yet).
    const int columnRight = std::max(M + EW + G, in.lastBrowser.isNull() ? 0 : in.lastBrowser.left());
    const int listBottom = out.indexList.top() + out.indexList.height();
    AddStrip(out.invalidateNoErase, 0, editTop + EH, columnRight, listTop);
    AddStrip(out.invalidateNoErase, 0, listBottom, columnRight, listBottom + G);
    for (int k = 0; k + 1 < kBottomButtonCount; ++k)
        AddStrip(out.invalidateNoErase, out.bottomButtons[k].x() + B, listBottom,
                 out.bottomButtons[k + 1].x(), cy);
    const int helpRight = out.bottomButtons[kBottomButtonCount - 1].x() + B;
    AddStrip(out.invalidateNoErase, helpRight, listBottom, columnRight, cy);
    // The gap between the left column and the browser, which a change of direction moves.
    AddStrip(out.invalidateNoErase, M + EW, M + L, columnRight, cy);
    // The left margin and the margin under the buttons, which the moved row leaves behind.
    AddStrip(out.invalidateNoErase, 0, listBottom, M, cy);
    AddStrip(out.invalidateNoErase, 0, yb + B, helpRight, cy);
}

// The history list with its clear button (when shown) and the browser beside it.
void LayOutPageSide(const SLayoutValues& v, const SLayoutInput& in, SLayout& out) {
    const int M = v.nMargin, G = v.nGap, L = v.nLangButtonHeight, B = v.nButtonSize;
    const int EW = in.nDirection != 0 ? v.nEditWidthReverse : v.nEditWidthForward;
    const int cx = in.cx, cy = in.cy;
    const int hy = G + M + L - 1;
    const int hx = cx - v.nHistoryWidth - M - 1;
    out.nHistoryX = hx;

    const int browserX = G + EW + M;
    const int browserY = G + M + L;
    const int browserHeight = cy - hy - M;
    if (in.bShowHistory) {
        out.bMoveHistory = true;
        out.historyList = QRect(hx, hy, v.nHistoryWidth, cy - 2 * G - B - hy + 1);
        out.clearButton = QPoint(hx + 1, cy - B - M);
        out.browser = QRect(browserX, browserY, hx - browserX - G, browserHeight);

        const int historyRight = hx + v.nHistoryWidth;
        const int historyBottom = hy + out.historyList.height();
        const int clearTop = out.clearButton.y();
        const int clearRight = out.clearButton.x() + B;
        AddStrip(out.invalidateErase, hx - G, hy, hx, cy);
        AddStrip(out.invalidateErase, historyRight, hy, cx, cy);
        AddStrip(out.invalidateErase, hx, historyBottom, cx, historyBottom + G);
        AddStrip(out.invalidateErase, clearRight, clearTop, cx, cy);
        // Around the clear button: the pixel column left of it and the margin under it.
        AddStrip(out.invalidateErase, hx, clearTop, hx + 1, cy);
        AddStrip(out.invalidateErase, hx, clearTop + B, clearRight, cy);
    } else {
        out.browser = QRect(browserX, browserY, cx - browserX - G, browserHeight);
        AddStrip(out.invalidateErase, browserX + out.browser.width(), browserY, cx, cy);
    }
    // The rows between the top strip and the browser, where the history list's first row was.
    AddStrip(out.invalidateErase, browserX, M + L, cx, browserY);
    // The rows between the browser's bottom edge and the client's.
    AddStrip(out.invalidateErase, browserX, browserY + browserHeight, browserX + out.browser.width(), cy);
}

} // namespace

SLayout ComputeLayout(const SLayoutValues& v, const SLayoutInput& in) {
    SLayout out;
    LayOutLeftColumn(v, in, out);
    LayOutPageSide(v, in, out);
    return out;
}

QFont CaptionFont(int nLogPixelsY) {
    QFont font(QStringLiteral("Arial"));
    font.setBold(true);
    font.setStyleHint(QFont::SansSerif);
    // 10 points as a character height in pixels of this resolution.
    font.setPixelSize(std::max(1, MulDiv(kCaptionPoints, nLogPixelsY, 72)));
    return font;
}

QRect CaptionBand(const QRect& client, const SLayoutValues& v, int nLogPixelsX, int nLogPixelsY) {
    const QFont font = CaptionFont(nLogPixelsY);
    int top = v.nLangButtonHeight - font.pixelSize();
    if (nLogPixelsX < kCaptionLiftBelowDpi)
        top -= kCaptionLift;
    // One line of text measured from there, plus the padding below it.
    const int bottom = top + QFontMetrics(font).height() + kCaptionBandPadding;
    return QRect(QPoint(0, top), QPoint(client.right(), bottom - 1));
}

void PaintCaptionStrip(QPainter& painter, const QRect& client, const QString& caption, bool bShowHistory,
                       int nHistoryX, const SLayoutValues& v, int nEditWidth, int nLogPixelsX,
                       int nLogPixelsY, const QPalette& palette) {
    painter.save();
    const QFont font = CaptionFont(nLogPixelsY);
    painter.setFont(font);
    const QColor face = palette.color(QPalette::Button);
    const QRect band = CaptionBand(client, v, nLogPixelsX, nLogPixelsY);
    painter.fillRect(band, face);

    painter.setBackgroundMode(Qt::OpaqueMode);
    painter.setBackground(face);
    painter.setPen(palette.color(QPalette::ButtonText));
    const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine;
    const QFontMetrics metrics(font);
    const QRect captionRect =
        metrics.boundingRect(QRect(v.nGap + nEditWidth, band.top(), 0, 0), flags, caption);
    painter.drawText(captionRect, flags, caption);
    if (bShowHistory) {
        const QString label = QString::fromLatin1(kHistoryLabel);
        const QRect labelRect = metrics.boundingRect(QRect(nHistoryX, band.top(), 0, 0), flags, label);
        painter.drawText(labelRect, flags, label);
    }
    painter.restore();
}
