// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/DialogLayout.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPalette>
#include <QRegion>

#include <gtest/gtest.h>

#include <vector>

namespace {

SLayout Lay(bool bLarge, int cx, int cy, int nDirection, bool bShowHistory, int prevWidth = 0,
            int prevHeight = 0, QRect lastBrowser = QRect()) {
    SLayoutInput in;
    in.cx = cx;
    in.cy = cy;
    in.nDirection = nDirection;
    in.bShowHistory = bShowHistory;
    in.nPrevWidth = prevWidth;
    in.nPrevHeight = prevHeight;
    in.lastBrowser = lastBrowser;
    return ComputeLayout(MakeLayoutValues(bLarge), in);
}

bool Contains(const std::vector<QRect>& rects, const QRect& r) {
    for (const QRect& x : rects)
        if (x == r)
            return true;
    return false;
}

void ExpectButtons(const SLayout& l, std::vector<int> xs, int y) {
    for (int k = 0; k < kBottomButtonCount; ++k)
        EXPECT_EQ(l.bottomButtons[k], QPoint(xs[static_cast<std::size_t>(k)], y)) << k;
}

TEST(LayoutValues, SmallAndLargeFromTheEntryBoxTemplate) {
    const SLayoutValues s = MakeLayoutValues(false);
    EXPECT_EQ(s.nMargin, 3);
    EXPECT_EQ(s.nGap, 3);
    EXPECT_EQ(s.nLangButtonHeight, 16);
    EXPECT_EQ(s.nButtonSize, 32);
    EXPECT_EQ(s.nHistoryWidth, 160);
    EXPECT_EQ(s.nEditWidthForward, 177); // 118 x 6 / 4
    EXPECT_EQ(s.nEditWidthReverse, 217);
    EXPECT_EQ(s.nEditHeight, 24); // 15 x 13 / 8 = 24.375

    const SLayoutValues l = MakeLayoutValues(true);
    EXPECT_EQ(l.nMargin, 3);
    EXPECT_EQ(l.nGap, 3);
    EXPECT_EQ(l.nLangButtonHeight, 22);
    EXPECT_EQ(l.nButtonSize, 44);
    EXPECT_EQ(l.nHistoryWidth, 196);
    EXPECT_EQ(l.nEditWidthForward, 236); // 118 x 8 / 4
    EXPECT_EQ(l.nEditWidthReverse, 276);
    EXPECT_EQ(l.nEditHeight, 30); // 15 x 16 / 8
}

TEST(LayoutValues, MulDivRoundsHalfAwayFromZero) {
    EXPECT_EQ(MulDiv(15, 13, 8), 24);
    EXPECT_EQ(MulDiv(5, 3, 2), 8);
    EXPECT_EQ(MulDiv(-5, 3, 2), -8);
    EXPECT_EQ(MulDiv(5, -3, 2), -8);
    EXPECT_EQ(MulDiv(5, 3, -2), -8);
    EXPECT_EQ(MulDiv(7, 1, 4), 2); // 1.75
    EXPECT_EQ(MulDiv(5, 1, 4), 1); // 1.25
    EXPECT_EQ(MulDiv(10, 96, 72), 13);
    EXPECT_EQ(MulDiv(10, 120, 72), 17);
    EXPECT_EQ(MulDiv(0x40000000, 6, 4), 0x60000000); // no overflow in between
    EXPECT_EQ(MulDiv(0x40000000, 8, 4), -1);         // a result that does not fit
    EXPECT_EQ(MulDiv(1, 1, 0), -1);
}

TEST(StartHistory, OnlyAVeryTallScreenOrASavedWordKeepsTheColumn) {
    EXPECT_FALSE(KeepsHistoryAtStart(1024, false));
    EXPECT_FALSE(KeepsHistoryAtStart(1560, false)); // (1560 - 359) / 2 = 600
    EXPECT_TRUE(KeepsHistoryAtStart(1561, false));  // 601
    EXPECT_TRUE(KeepsHistoryAtStart(1024, true));
    EXPECT_TRUE(KeepsHistoryAtStart(0, true));
}

TEST(StartFrame, TheDefaultIsCentredOnThePrimaryScreen) {
    const QRect big(0, 0, 1280, 1024);
    EXPECT_EQ(StartFrame({}, big, {big}), QRect(190, 225, 900, 574));
    // 600 lines is still a small screen, 601 is not.
    EXPECT_EQ(StartFrame({}, QRect(0, 0, 800, 600), {QRect(0, 0, 800, 600)}), QRect(100, 95, 600, 410));
    EXPECT_EQ(StartFrame({}, QRect(0, 0, 1000, 601), {QRect(0, 0, 1000, 601)}).size(), QSize(900, 574));
    // A primary screen right of another: centred on the primary.
    const QRect primary(1920, 0, 1280, 1024);
    EXPECT_EQ(StartFrame({}, primary, {QRect(0, 0, 1920, 1080), primary}), QRect(2110, 225, 900, 574));
    // Without a stored word the stored rectangle does not count.
    EXPECT_EQ(StartFrame({100, 60, 700, 500, false}, big, {big}), QRect(190, 225, 900, 574));
}

TEST(StartFrame, TheStoredRectangleStandsExactlyInDesktopCoordinates) {
    const QRect left(0, 0, 1920, 1080);
    const QRect primary(1920, 0, 1280, 1024);
    EXPECT_EQ(StartFrame({100, 60, 700, 500, true}, primary, {left, primary}), QRect(100, 60, 700, 500));
    EXPECT_EQ(StartFrame({2000, 40, 800, 600, true}, primary, {left, primary}), QRect(2000, 40, 800, 600));
    // A stored 0 leaves that one default in place.
    EXPECT_EQ(StartFrame({0, 60, 700, 0, true}, primary, {left, primary}), QRect(2110, 60, 700, 574));
    // Partly off the screen it was left on: as it was.
    EXPECT_EQ(StartFrame({-300, -20, 700, 500, true}, left, {left}), QRect(-300, -20, 700, 500));
}

TEST(StartFrame, OddSizesAreClampedAndALostWindowComesBack) {
    const QRect screen(0, 0, 1280, 1024);
    // Below the smallest client area, from both sides of the limit.
    EXPECT_EQ(StartFrame({10, 10, 700, -5, true}, screen, {screen}).size(), QSize(700, 200));
    EXPECT_EQ(StartFrame({10, 10, 599, 199, true}, screen, {screen}).size(), QSize(600, 200));
    EXPECT_EQ(StartFrame({10, 10, 601, 201, true}, screen, {screen}).size(), QSize(601, 201));
    // Larger than the screen it lies on: the screen's size.
    EXPECT_EQ(StartFrame({10, 10, 5000, 1025, true}, screen, {screen}), QRect(10, 10, 1280, 1024));
    EXPECT_EQ(StartFrame({10, 10, 1280, 1024, true}, screen, {screen}), QRect(10, 10, 1280, 1024));
    // Off every screen: onto the nearest one, whole.
    const QRect second(1280, 0, 1920, 1080);
    EXPECT_EQ(StartFrame({5000, 300, 700, 500, true}, screen, {screen, second}), QRect(2500, 300, 700, 500));
    EXPECT_EQ(StartFrame({100, -900, 700, 500, true}, screen, {screen, second}), QRect(100, 0, 700, 500));
    EXPECT_EQ(StartFrame({-800, 2000, 700, 500, true}, screen, {screen, second}), QRect(0, 524, 700, 500));
    // One pixel on a screen is on it.
    EXPECT_EQ(StartFrame({1279, 1023, 700, 500, true}, screen, {screen}), QRect(1279, 1023, 700, 500));
    EXPECT_EQ(StartFrame({1280, 1024, 700, 500, true}, screen, {screen}), QRect(580, 524, 700, 500));
}

TEST(SavedFrame, AMaximisedWindowKeepsItsWorkAreaWithoutStaleMargins) {
    const QRect area(0, 0, 1280, 1024);
    // Its normal window's margins still counted: one pixel off each side, the caption on top.
    EXPECT_EQ(SavedFrame(QRect(-1, -1, 1282, 1030), area, true), area);
    EXPECT_EQ(SavedFrame(QRect(-1, -1, 1282, 1030), area, false), QRect(-1, -1, 1282, 1030));
    // A window that fills the area exactly, or a work area below a panel, a screen to the right.
    EXPECT_EQ(SavedFrame(area, area, true), area);
    EXPECT_EQ(SavedFrame(QRect(1279, 27, 1922, 1055), QRect(1280, 28, 1920, 1052), true),
              QRect(1280, 28, 1920, 1052));
    // A normal window partly off its screen stays where the user left it.
    EXPECT_EQ(SavedFrame(QRect(-300, -20, 700, 500), area, false), QRect(-300, -20, 700, 500));
    // Nothing known of the screen: the frame as it is.
    EXPECT_EQ(SavedFrame(QRect(-1, -1, 1282, 1030), QRect(), true), QRect(-1, -1, 1282, 1030));
}

TEST(ClientSize, IsClampedTo600By200) {
    EXPECT_EQ(ClampClientSize(0, 0), QSize(600, 200));
    EXPECT_EQ(ClampClientSize(599, 199), QSize(600, 200));
    EXPECT_EQ(ClampClientSize(600, 200), QSize(600, 200));
    EXPECT_EQ(ClampClientSize(884, 535), QSize(884, 535));
    EXPECT_EQ(ClampClientSize(300, 1000), QSize(600, 1000));
    EXPECT_EQ(ClampClientSize(-5, 201), QSize(600, 201));
}

TEST(Layout, SmallEnglishWithHistory) {
    const SLayout l = Lay(false, 884, 535, 0, true);
    EXPECT_EQ(l.topStrip, QRect(3, 3, 878, 16));
    EXPECT_EQ(l.englishButton, QRect(3, 3, 24, 16));
    EXPECT_EQ(l.lithuanianButton, QRect(30, 3, 24, 16));
    EXPECT_EQ(l.edit, QRect(3, 22, 177, 24));
    ExpectButtons(l, {3, 38, 73, 108, 143}, 500);
    EXPECT_TRUE(l.bMoveIndexList);
    EXPECT_EQ(l.indexList, QRect(2, 48, 178, 450));
    EXPECT_TRUE(l.bMoveHistory);
    EXPECT_EQ(l.nHistoryX, 720);
    EXPECT_EQ(l.historyList, QRect(720, 21, 160, 477));
    EXPECT_EQ(l.clearButton, QPoint(721, 500));
    EXPECT_EQ(l.browser, QRect(183, 22, 534, 511));
    // The caption band right of the entry column, from the top margin to L.
    EXPECT_TRUE(Contains(l.invalidateNoErase, QRect(177, 3, 707, 13)));
}

TEST(Layout, SmallEnglishWithoutHistoryGivesTheColumnToTheBrowser) {
    const SLayout l = Lay(false, 884, 535, 0, false);
    EXPECT_EQ(l.edit, QRect(3, 22, 177, 24));
    EXPECT_EQ(l.indexList, QRect(2, 48, 178, 450));
    ExpectButtons(l, {3, 38, 73, 108, 143}, 500);
    EXPECT_FALSE(l.bMoveHistory);
    EXPECT_EQ(l.browser, QRect(183, 22, 698, 511));
    EXPECT_EQ(l.nHistoryX, 720);
}

TEST(Layout, LithuanianIndexWidensTheLeftColumnBy40) {
    const SLayout shown = Lay(false, 884, 535, 1, true);
    EXPECT_EQ(shown.edit, QRect(3, 22, 217, 24));
    EXPECT_EQ(shown.indexList, QRect(2, 48, 218, 450));
    EXPECT_EQ(shown.browser, QRect(223, 22, 494, 511));
    EXPECT_EQ(shown.historyList, QRect(720, 21, 160, 477));
    EXPECT_TRUE(Contains(shown.invalidateNoErase, QRect(217, 3, 667, 13)));

    const SLayout hidden = Lay(false, 884, 535, 1, false);
    EXPECT_EQ(hidden.browser, QRect(223, 22, 658, 511));
    // The buttons do not follow the column.
    ExpectButtons(hidden, {3, 38, 73, 108, 143}, 500);
}

TEST(Layout, LargeLayoutAt1200By800) {
    const SLayout l = Lay(true, 1200, 800, 0, true);
    EXPECT_EQ(l.topStrip, QRect(3, 3, 1194, 22));
    EXPECT_EQ(l.englishButton, QRect(3, 3, 24, 16));
    EXPECT_EQ(l.lithuanianButton, QRect(30, 3, 24, 16));
    EXPECT_EQ(l.edit, QRect(3, 28, 236, 30));
    ExpectButtons(l, {3, 50, 97, 144, 191}, 753);
    EXPECT_EQ(l.indexList, QRect(2, 60, 237, 691));
    EXPECT_EQ(l.nHistoryX, 1000);
    EXPECT_EQ(l.historyList, QRect(1000, 27, 196, 724));
    EXPECT_EQ(l.clearButton, QPoint(1001, 753));
    EXPECT_EQ(l.browser, QRect(242, 28, 755, 770));
    EXPECT_TRUE(Contains(l.invalidateNoErase, QRect(236, 3, 964, 19)));

    const SLayout rev = Lay(true, 1200, 800, 1, false);
    EXPECT_EQ(rev.edit, QRect(3, 28, 276, 30));
    EXPECT_EQ(rev.indexList, QRect(2, 60, 277, 691));
    EXPECT_EQ(rev.browser, QRect(282, 28, 915, 770));
}

TEST(Layout, SmallestClientAndMinimisedWindow) {
    const QSize minimised = ClampClientSize(0, 0);
    const SLayout s = Lay(false, minimised.width(), minimised.height(), 0, true);
    ExpectButtons(s, {3, 38, 73, 108, 143}, 165);
    EXPECT_EQ(s.indexList, QRect(2, 48, 178, 115));
    EXPECT_EQ(s.historyList, QRect(436, 21, 160, 142));
    EXPECT_EQ(s.clearButton, QPoint(437, 165));
    EXPECT_EQ(s.browser, QRect(183, 22, 250, 176));

    const SLayout l = Lay(true, minimised.width(), minimised.height(), 0, true);
    ExpectButtons(l, {3, 50, 97, 144, 191}, 153);
    EXPECT_EQ(l.indexList, QRect(2, 60, 237, 91));
    EXPECT_EQ(l.historyList, QRect(400, 27, 196, 124));
    EXPECT_EQ(l.clearButton, QPoint(401, 153));
    EXPECT_EQ(l.browser, QRect(242, 28, 155, 170));

    // Anything smaller is laid out exactly as 600 x 200.
    const QSize tiny = ClampClientSize(450, 120);
    const SLayout t = Lay(false, tiny.width(), tiny.height(), 0, true);
    EXPECT_EQ(t.indexList, s.indexList);
    EXPECT_EQ(t.historyList, s.historyList);
    EXPECT_EQ(t.browser, s.browser);
    EXPECT_EQ(t.bottomButtons[4], s.bottomButtons[4]);
}

TEST(Layout, IndexListMovesOnlyForANewHeightOrANarrowWindow) {
    // Same size again, and a new width only: the list stays, its rectangle unchanged.
    const SLayout same = Lay(false, 884, 535, 0, true, 884, 535);
    EXPECT_FALSE(same.bMoveIndexList);
    const SLayout wider = Lay(false, 1000, 535, 0, true, 884, 535);
    EXPECT_FALSE(wider.bMoveIndexList);
    EXPECT_EQ(wider.indexList, same.indexList);
    // A new height moves it.
    EXPECT_TRUE(Lay(false, 884, 536, 0, true, 884, 535).bMoveIndexList);
    // A window no wider than the column moves it whatever the height (a direct layout call).
    EXPECT_TRUE(Lay(false, 180, 535, 0, true, 180, 535).bMoveIndexList);
    EXPECT_FALSE(Lay(false, 181, 535, 0, true, 181, 535).bMoveIndexList);
    EXPECT_TRUE(Lay(false, 220, 535, 1, true, 220, 535).bMoveIndexList);
    EXPECT_FALSE(Lay(false, 221, 535, 1, true, 221, 535).bMoveIndexList);
}

TEST(Layout, CaptionIsRepaintedForANewWidthOrAFlatWindow) {
    const QRect caption(177, 3, 707, 13);
    EXPECT_FALSE(Contains(Lay(false, 884, 535, 0, true, 884, 535).invalidateNoErase, caption));
    EXPECT_FALSE(Contains(Lay(false, 884, 600, 0, true, 884, 535).invalidateNoErase, caption));
    EXPECT_TRUE(Contains(Lay(false, 884, 535, 0, true, 800, 535).invalidateNoErase, caption));
    // The direction switch zeroes the previous size, so it repaints the caption too.
    EXPECT_TRUE(Contains(Lay(false, 884, 535, 1, true, 0, 0).invalidateNoErase, QRect(217, 3, 667, 13)));
    // A client no taller than the top strip repaints it even with the same width.
    EXPECT_TRUE(Contains(Lay(false, 884, 16, 0, false, 884, 16).invalidateNoErase, caption));
    EXPECT_FALSE(Contains(Lay(false, 884, 17, 0, false, 884, 17).invalidateNoErase, caption));
}

TEST(Layout, HidingAndShowingTheHistoryLeavesTheIndexListAlone) {
    const SLayout shown = Lay(false, 884, 535, 0, true, 884, 535);
    const SLayout hidden = Lay(false, 884, 535, 0, false, 884, 535);
    EXPECT_FALSE(shown.bMoveIndexList);
    EXPECT_FALSE(hidden.bMoveIndexList);
    EXPECT_EQ(shown.indexList, hidden.indexList);
    // Hidden, the browser reaches G from the right edge; shown, G from the history list.
    EXPECT_EQ(hidden.browser.left() + hidden.browser.width(), 884 - 3);
    EXPECT_EQ(shown.browser.left() + shown.browser.width(), shown.nHistoryX - 3);
}

// The children's rectangles as placed; an index list that is not moved keeps its old place.
QRegion Children(const SLayout& l, const SLayout* previous, int b) {
    QRegion r;
    r += l.edit;
    r += l.englishButton;
    r += l.lithuanianButton;
    r += (l.bMoveIndexList || previous == nullptr) ? l.indexList : previous->indexList;
    for (const QPoint& p : l.bottomButtons)
        r += QRect(p, QSize(b, b));
    r += l.browser;
    if (l.bMoveHistory) {
        r += l.historyList;
        r += QRect(l.clearButton, QSize(b, b));
    }
    return r;
}

QRegion Invalidated(const SLayout& l) {
    QRegion r;
    for (const QRect& x : l.invalidateNoErase)
        r += x;
    for (const QRect& x : l.invalidateErase)
        r += x;
    return r;
}

TEST(Layout, EveryPlaceAChildLeavesIsRepainted) {
    struct SStep {
        bool bLarge;
        int cx, cy, nDirection;
        bool bShowHistory;
    };
    const SStep steps[] = {
        {false, 884, 535, 0, true},   {false, 700, 400, 0, true},  {false, 1200, 800, 0, true},
        {false, 1200, 800, 0, false}, {false, 900, 500, 0, false}, {false, 900, 500, 1, false},
        {false, 900, 500, 1, true},   {false, 600, 200, 1, true},  {false, 600, 200, 0, true},
        {true, 884, 535, 0, true},    {true, 700, 900, 1, true},   {true, 1200, 400, 0, false},
    };
    SLayout previous;
    int prevWidth = 0, prevHeight = 0, prevDirection = 0;
    bool bLargePrev = false, bFirst = true;
    for (const SStep& s : steps) {
        if (bLargePrev != s.bLarge)
            bFirst = true; // a new screen starts over
        // A change of direction lays out afresh, as the index switch does.
        if (s.nDirection != prevDirection)
            prevWidth = prevHeight = 0;
        const SLayout now = Lay(s.bLarge, s.cx, s.cy, s.nDirection, s.bShowHistory, prevWidth, prevHeight,
                                bFirst ? QRect() : previous.browser);
        const int b = MakeLayoutValues(s.bLarge).nButtonSize;
        if (!now.bMoveIndexList && !bFirst) {
            EXPECT_EQ(now.indexList, previous.indexList) << s.cx << "x" << s.cy;
        }
        if (!bFirst) {
            const QRegion left =
                (Children(previous, nullptr, b) & QRect(0, 0, s.cx, s.cy)) - Children(now, &previous, b);
            const QRegion stale = left - Invalidated(now);
            EXPECT_TRUE(stale.isEmpty())
                << s.cx << "x" << s.cy << " dir " << s.nDirection << " history " << s.bShowHistory << ": "
                << stale.boundingRect().x() << "," << stale.boundingRect().y() << " "
                << stale.boundingRect().width() << "x" << stale.boundingRect().height();
        }
        // Repaint strips never reach outside the client.
        EXPECT_TRUE((Invalidated(now) - QRect(0, 0, s.cx, s.cy)).isEmpty());
        previous = now;
        prevWidth = s.cx;
        prevHeight = s.cy;
        prevDirection = s.nDirection;
        bLargePrev = s.bLarge;
        bFirst = false;
    }
}

TEST(CaptionFont, IsArialBoldTenPointsInPixels) {
    const QFont f96 = CaptionFont(96);
    EXPECT_EQ(f96.family(), "Arial");
    EXPECT_TRUE(f96.bold());
    EXPECT_EQ(f96.weight(), QFont::Bold);
    EXPECT_EQ(f96.pixelSize(), 13);
    EXPECT_EQ(CaptionFont(120).pixelSize(), 17);
    EXPECT_EQ(CaptionFont(72).pixelSize(), 10);
    EXPECT_EQ(CaptionFont(110).pixelSize(), 15);
}

TEST(CaptionBand, SitsAboveTheBrowser) {
    const SLayoutValues small = MakeLayoutValues(false);
    const SLayoutValues large = MakeLayoutValues(true);
    const int h13 = QFontMetrics(CaptionFont(96)).height();
    const int h17 = QFontMetrics(CaptionFont(120)).height();
    EXPECT_EQ(h13, 15); // Arial (Liberation Sans) bold, 13 pixels
    EXPECT_EQ(h17, 19);

    // 96 dpi: top = 16 - 13 - 2 = 1; one text line plus 4 below.
    EXPECT_EQ(CaptionBand(QRect(0, 0, 884, 535), small, 96, 96), QRect(0, 1, 884, 19));
    // 120 dpi, large layout: top = 22 - 17 = 5, no lift.
    EXPECT_EQ(CaptionBand(QRect(0, 0, 1200, 800), large, 120, 120), QRect(0, 5, 1200, 23));
    // 110 dpi is the small layout but gets no lift: 16 - 15.
    EXPECT_EQ(CaptionBand(QRect(0, 0, 600, 200), small, 110, 110).top(), 1);
    EXPECT_EQ(CaptionBand(QRect(0, 0, 600, 200), small, 109, 109).top(), -1);

    // The band ends above the browser's top edge in both layouts.
    const QRect b96 = CaptionBand(QRect(0, 0, 884, 535), small, 96, 96);
    EXPECT_LT(b96.bottom(), Lay(false, 884, 535, 0, true).browser.top());
    const QRect b120 = CaptionBand(QRect(0, 0, 1200, 800), large, 120, 120);
    EXPECT_LT(b120.bottom(), Lay(true, 1200, 800, 0, true).browser.top());
}

class CaptionPainting : public ::testing::Test {
protected:
    static constexpr QRgb kOutside = 0xFFFF00FF;

    // Paints the strip into an image of the client's size that starts magenta.
    QImage Paint(bool bLarge, int cx, int cy, const QString& caption, bool bShowHistory, int dpi,
                 int nDirection = 0) {
        const SLayoutValues v = MakeLayoutValues(bLarge);
        const SLayout l = Lay(bLarge, cx, cy, nDirection, bShowHistory);
        QImage image(cx, cy, QImage::Format_ARGB32);
        image.fill(kOutside);
        QPainter painter(&image);
        const QFont before = painter.font();
        PaintCaptionStrip(painter, QRect(0, 0, cx, cy), caption, bShowHistory, l.nHistoryX, v,
                          nDirection != 0 ? v.nEditWidthReverse : v.nEditWidthForward, dpi, dpi, m_palette);
        EXPECT_EQ(painter.font(), before);
        EXPECT_EQ(painter.backgroundMode(), Qt::TransparentMode);
        painter.end();
        return image;
    }

    QRgb Face() const { return m_palette.color(QPalette::Button).rgba(); }

    // Whether any pixel of the rectangle differs from the band colour: text was drawn there.
    bool HasInk(const QImage& image, const QRect& r) const {
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                if (image.pixel(x, y) != Face())
                    return true;
        return false;
    }

    void SetUp() override {
        m_palette.setColor(QPalette::Button, QColor(200, 210, 220));
        m_palette.setColor(QPalette::ButtonText, Qt::black);
    }

    QPalette m_palette;
};

TEST_F(CaptionPainting, BandIsFilledWithTheButtonFaceAt96Dpi) {
    const QImage image = Paint(false, 884, 535, "Vertimas", false, 96);
    // Rows 1 to 19 across the whole width; row 0 and row 20 untouched.
    for (int x : {0, 100, 179, 883}) {
        EXPECT_EQ(image.pixel(x, 0), kOutside) << x;
        EXPECT_EQ(image.pixel(x, 1), Face()) << x;
        EXPECT_EQ(image.pixel(x, 19), Face()) << x;
        EXPECT_EQ(image.pixel(x, 20), kOutside) << x;
    }
    // The caption starts at G + EW = 180, three pixels left of the browser.
    EXPECT_FALSE(HasInk(image, QRect(0, 1, 180, 19)));
    EXPECT_TRUE(HasInk(image, QRect(180, 1, 80, 19)));
    // No label with the history hidden.
    EXPECT_FALSE(HasInk(image, QRect(300, 1, 584, 19)));
}

TEST_F(CaptionPainting, BandAndLabelAt120Dpi) {
    const QImage image = Paint(true, 1200, 800, "Apie", true, 120);
    for (int x : {0, 600, 1199}) {
        EXPECT_EQ(image.pixel(x, 4), kOutside) << x;
        EXPECT_EQ(image.pixel(x, 5), Face()) << x;
        EXPECT_EQ(image.pixel(x, 27), Face()) << x;
        EXPECT_EQ(image.pixel(x, 28), kOutside) << x;
    }
    // Caption at G + EW = 239, label "Praeitis" at hx = 1000, nothing in between.
    EXPECT_FALSE(HasInk(image, QRect(0, 5, 239, 23)));
    EXPECT_TRUE(HasInk(image, QRect(239, 5, 60, 23)));
    EXPECT_FALSE(HasInk(image, QRect(400, 5, 600, 23)));
    EXPECT_TRUE(HasInk(image, QRect(1000, 5, 80, 23)));
}

TEST_F(CaptionPainting, CaptionFollowsTheLithuanianColumn) {
    const QImage image = Paint(false, 884, 535, "Vertimas", true, 96, 1);
    EXPECT_FALSE(HasInk(image, QRect(0, 1, 220, 19)));
    EXPECT_TRUE(HasInk(image, QRect(220, 1, 80, 19)));
    EXPECT_TRUE(HasInk(image, QRect(720, 1, 80, 19)));
}

} // namespace
