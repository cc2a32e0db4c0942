// SPDX-License-Identifier: GPL-2.0-or-later
#include "lists/VListBox.h"
#include "app/DictRows.h"
#include "lists/ListOwner.h"
#include "support/GuiWait.h"
#include "support/TestDict.h"

#include <QAccessible>
#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QPaintEvent>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

// The main window's part, played back: every routine the list calls is written down together
// with the number of paints the list had made by then.
class CFakeOwner : public CListOwner {
public:
    explicit CFakeOwner(const SDictContent& content) : m_dict(content) {}

    void LineUp() override { Navigate("LineUp"); }
    void LineDown() override { Navigate("LineDown"); }
    void PageUp() override { Navigate("PageUp"); }
    void PageDown() override { Navigate("PageDown"); }
    void SetActiveList(EWordList list) override {
        Note("SetActiveList " + std::to_string(static_cast<int>(list)));
    }
    void ShowForwardEntry(int row) override { Note("ShowForwardEntry " + std::to_string(row)); }
    void ShowReverseEntry(int row) override { Note("ShowReverseEntry " + std::to_string(row)); }
    void NavigateToPage(const std::string& path) override { Note("NavigateToPage " + path); }
    void FollowTyping(const std::optional<std::string>& text) override {
        Note("FollowTyping " + text.value_or("(foreign)"));
    }
    void OnEditFocus() override { Note("OnEditFocus"); }

    CTestDict m_dict;
    CDictRows m_rows{*m_dict};
    std::vector<std::string> m_calls;
    std::vector<int> m_paintsAtCall;
    // The list's paint count, kept by the test.
    const int* m_pPaints = nullptr;
    // Run by every navigation routine after it is noted, as the main window's would move the list.
    std::function<void()> m_fnNavigate;

private:
    void Note(const std::string& call) {
        m_calls.push_back(call);
        m_paintsAtCall.push_back(m_pPaints != nullptr ? *m_pPaints : -1);
    }
    void Navigate(const std::string& routine) {
        Note(routine);
        if (m_fnNavigate)
            m_fnNavigate();
    }
};

// Counts the paints of a list's rows.
class CPaintCounter : public QObject {
public:
    explicit CPaintCounter(int& count) : m_count(count) {}
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++m_count;
            m_painted += static_cast<QPaintEvent*>(event)->region();
        }
        return false;
    }

    // Every pixel painted since the last look.
    QRegion m_painted;

private:
    int& m_count;
};

// A list whose rows all carry one homonym number, to see where marks are drawn.
class CMarkedList : public CVListBox {
public:
    CMarkedList(CListOwner* owner, QWidget* parent, int homonym)
        : CVListBox(owner, parent), m_nHomonym(homonym) {}
    std::string RowText(int, int& homonym) const override {
        homonym = m_nHomonym;
        return "word";
    }

private:
    int m_nHomonym;
};

// A list that counts the rows it reads from its source.
class CCountingList : public CVListBox {
public:
    using CVListBox::CVListBox;
    std::string RowText(int i, int& homonym) const override {
        ++reads;
        return CVListBox::RowText(i, homonym);
    }
    mutable int reads = 0;
};

SDictContent NumberedRows(int n) {
    SDictContent c;
    char name[16];
    for (int k = 0; k < n; ++k) {
        std::snprintf(name, sizeof name, "row%02d", k);
        c.articles.push_back(Article(name, "<P>x</P>"));
    }
    c.reverse = {{"alus", {0}}, {"batas", {1}}, {"ciklas", {2}}};
    return c;
}

bool IsInk(const QImage& image, int x, int y, const QColor& back) {
    return image.pixelColor(x, y) != back;
}

// The lowest row of the rectangle that holds a pixel other than back; -1 when there is none.
int LowestInk(const QImage& image, const QRect& area, const QColor& back) {
    int lowest = -1;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (IsInk(image, x, y, back))
                lowest = y;
    return lowest;
}

class VListBoxTest : public ::testing::Test {
protected:
    void TearDown() override {
        m_list.reset();
        m_parent.reset();
    }

    // An index list over content in a shown window, viewportHeight pixels of rows high.
    template <class TList = CVListBox, class... TArgs>
    TList* MakeList(const SDictContent& content, int viewportHeight, TArgs... args) {
        m_list.reset();
        m_parent.reset();
        m_owner = std::make_unique<CFakeOwner>(content);
        m_owner->m_pPaints = &m_nPaints;
        EXPECT_EQ(m_owner->m_dict.OpenResult(), CDictFile::kOpenOk);
        m_parent = std::make_unique<QWidget>();
        m_parent->resize(400, viewportHeight + 40);
        auto list = std::make_unique<TList>(m_owner.get(), m_parent.get(), args...);
        TList* p = list.get();
        p->SetStyle(m_style);
        p->SetRows(&m_owner->m_rows);
        m_list = std::move(list);
        p->SetHistory(false);
        p->SetLastIndex(m_owner->m_dict->ArticleCount() - 1);
        p->ResetScroll();
        const int frame = 2 * p->frameWidth();
        p->setGeometry(0, 0, 300, viewportHeight + frame);
        p->viewport()->installEventFilter(&m_counter);
        m_parent->show();
        Settle();
        return p;
    }

    // Lets the scroll bar appear or go, then paints the rows once.
    void Settle() {
        QApplication::processEvents();
        m_list->Repaint();
    }

    QImage Rows() { return m_list->viewport()->grab().toImage(); }

    int RowTop(int visibleRow) const { return m_list->TopMargin() + visibleRow * m_list->RowHeight(); }

    SListStyle m_style = SListStyle::ForScreen(true, false);
    std::unique_ptr<CFakeOwner> m_owner;
    std::unique_ptr<QWidget> m_parent;
    std::unique_ptr<CVListBox> m_list;
    int m_nPaints = 0;
    CPaintCounter m_counter{m_nPaints};
};

TEST_F(VListBoxTest, StartsWithTheDocumentedFields) {
    CFakeOwner owner(NumberedRows(3));
    CVListBox list(&owner, nullptr);
    EXPECT_EQ(list.objectName(), "VListBox");
    EXPECT_EQ(list.TopIndex(), 0);
    EXPECT_EQ(list.LastIndex(), 0);
    EXPECT_EQ(list.Selection(), -1);
    EXPECT_EQ(list.RowHeight(), 1);
    EXPECT_EQ(list.TopMargin(), 4);
    EXPECT_EQ(list.ScrollScale(), 1);
    EXPECT_TRUE(list.KeepsSelectionVisible());
    EXPECT_TRUE(list.IsHistory());
    EXPECT_FALSE(list.IsReverse());
    EXPECT_EQ(list.RowAscent(), 0);
    EXPECT_EQ(list.MarkAscent(), 0);
}

TEST_F(VListBoxTest, ResetScrollScalesLongListsIntoSixteenBits) {
    CVListBox* list = MakeList(NumberedRows(3), 100);
    QScrollBar* bar = list->verticalScrollBar();
    struct SCase {
        int last, scale, max;
    } const cases[] = {{0, 1, 0},         {2, 1, 2},         {32767, 1, 32767}, {32768, 2, 16384},
                       {40000, 2, 20000}, {65534, 3, 21844}, {65535, 3, 21845}, {2147483647, 65539, 32766}};
    for (const SCase& c : cases) {
        list->SetTopIndex(7);
        list->SetSelection(5);
        list->SetLastIndex(c.last);
        list->ResetScroll();
        EXPECT_EQ(list->ScrollScale(), c.scale) << c.last;
        EXPECT_EQ(list->ScrollMax(), c.max) << c.last;
        EXPECT_EQ(bar->minimum(), 0) << c.last;
        EXPECT_EQ(bar->maximum(), c.max) << c.last;
        EXPECT_EQ(list->TopIndex(), 0) << c.last;
        EXPECT_EQ(list->Selection(), -1) << c.last;
    }
}

TEST_F(VListBoxTest, AnEmptyDictionaryScrollsNowhereAndDrawsNoRow) {
    CVListBox* list = MakeList(SDictContent{}, 100);
    EXPECT_EQ(list->LastIndex(), -1);
    EXPECT_EQ(list->verticalScrollBar()->maximum(), 0);
    list->SetTopIndex(3);
    list->Repaint();
    EXPECT_EQ(list->TopIndex(), 0);
    const QImage rows = Rows();
    EXPECT_EQ(LowestInk(rows, rows.rect(), m_style.back), -1);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(20, 30));
    EXPECT_EQ(list->Selection(), -1);
    EXPECT_EQ(m_owner->m_calls, std::vector<std::string>{"SetActiveList 1"});
}

TEST_F(VListBoxTest, DraggingTheThumbPutsItsScaledRowOnTop) {
    CVListBox* list = MakeList(NumberedRows(3), 100);
    list->SetLastIndex(40000);
    list->ResetScroll();
    list->SetSelection(5);
    Settle();
    QScrollBar* bar = list->verticalScrollBar();
    bar->setSliderPosition(12345);
    EXPECT_EQ(list->TopIndex(), 24690);
    EXPECT_FALSE(list->KeepsSelectionVisible());
    EXPECT_EQ(bar->value(), 12345);
    list->Repaint();
    // The selection is far above, yet the view stays where it was dragged.
    EXPECT_EQ(list->TopIndex(), 24690);
    EXPECT_EQ(bar->value(), 12345);
    EXPECT_EQ(list->Selection(), 5);

    // Letting go of the thumb ends the scroll without moving anything.
    list->SetKeepSelectionVisible(true);
    bar->setSliderDown(true);
    bar->setSliderDown(false);
    EXPECT_FALSE(list->KeepsSelectionVisible());
    list->Repaint();
    EXPECT_EQ(list->TopIndex(), 24690);

    // The next navigation sets keepSelectionVisible again and the selection comes back.
    list->SetKeepSelectionVisible(true);
    list->Repaint();
    EXPECT_EQ(list->TopIndex(), 5);
    EXPECT_EQ(bar->value(), 2);
    EXPECT_TRUE(m_owner->m_calls.empty());
}

TEST_F(VListBoxTest, TheLastRowIsDrawnAndNothingBelowIt) {
    CVListBox* list = MakeList(NumberedRows(5), 300);
    ASSERT_GT(list->VisibleLines(), 6);
    const QImage rows = Rows();
    const auto inkInRow = [&](int visibleRow) {
        int n = 0;
        for (int y = RowTop(visibleRow); y < RowTop(visibleRow + 1) && y < rows.height(); ++y)
            for (int x = 0; x < rows.width(); ++x)
                n += IsInk(rows, x, y, m_style.back) ? 1 : 0;
        return n;
    };
    EXPECT_GT(inkInRow(0), 0);
    EXPECT_GT(inkInRow(4), 0);
    EXPECT_EQ(inkInRow(5), 0);
    EXPECT_EQ(inkInRow(6), 0);
}

std::vector<QAccessible::Event> g_events;
std::vector<int> g_eventRows;
void RecordEvent(QAccessibleEvent* event) {
    g_events.push_back(event->type());
    QAccessibleInterface* iface = event->accessibleInterface();
    g_eventRows.push_back(
        iface != nullptr && iface->parent() != nullptr ? iface->parent()->indexOfChild(iface) : -2);
}

TEST_F(VListBoxTest, AScreenReaderSeesAListOfRowsWithTheirMarks) {
    SDictContent c;
    c.articles = {Article("bank", "<P>1</P>", 1),
                  Article("bank", "<P>2</P>", 2),
                  Article("cat", "<P>3</P>"),
                  {"UN", 999, "UN\t<P>JT</P>"}};
    CVListBox* list = MakeList(c, 200);
    list->setAccessibleName("Indeksas");
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(list);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->role(), QAccessible::List);
    EXPECT_EQ(a->text(QAccessible::Name), "Indeksas");
    ASSERT_EQ(a->childCount(), 4);
    EXPECT_EQ(a->child(0)->text(QAccessible::Name), QString::fromUtf8("bank¹"));
    EXPECT_EQ(a->child(1)->text(QAccessible::Name), QString::fromUtf8("bank²"));
    EXPECT_EQ(a->child(2)->text(QAccessible::Name), "cat");
    EXPECT_EQ(a->child(3)->text(QAccessible::Name), "UN sutr.");
    EXPECT_EQ(a->child(4), nullptr);
    EXPECT_EQ(a->child(-1), nullptr);
    EXPECT_EQ(a->child(2)->role(), QAccessible::ListItem);
    EXPECT_EQ(a->indexOfChild(a->child(3)), 3);
    EXPECT_EQ(a->child(1), a->child(1));
    // A row's place on the screen leads back to it.
    const QRect third = a->child(2)->rect();
    ASSERT_FALSE(third.isEmpty());
    EXPECT_EQ(a->childAt(third.center().x(), third.center().y()), a->child(2));

    // The selected row, and the news of a selection that moved.
    const auto old = CVListBox::SetAccessibilityUpdate(RecordEvent);
    g_events.clear();
    g_eventRows.clear();
    list->SetSelection(1);
    list->Repaint();
    list->Repaint();
    EXPECT_TRUE(a->child(1)->state().selected);
    EXPECT_FALSE(a->child(0)->state().selected);
    EXPECT_EQ(g_events, std::vector<QAccessible::Event>{QAccessible::Selection});
    EXPECT_EQ(g_eventRows, std::vector<int>{1});
    list->SetSelection(3);
    list->Repaint();
    CVListBox::SetAccessibilityUpdate(old);
    EXPECT_EQ(g_eventRows, (std::vector<int>{1, 3}));
}

TEST_F(VListBoxTest, TopAndBottomOfTheBarShowTheRowsAtThoseEnds) {
    CVListBox* list = MakeList(NumberedRows(3), 100);
    list->SetLastIndex(40001);
    list->ResetScroll();
    list->SetSelection(100);
    Settle();
    QScrollBar* bar = list->verticalScrollBar();
    bar->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(list->TopIndex(), 40000);
    EXPECT_FALSE(list->KeepsSelectionVisible());
    list->Repaint();
    EXPECT_EQ(bar->value(), 20000);
    EXPECT_EQ(list->TopIndex(), 40000);
    bar->triggerAction(QAbstractSlider::SliderToMinimum);
    EXPECT_EQ(list->TopIndex(), 0);
    list->Repaint();
    EXPECT_EQ(bar->value(), 0);
    EXPECT_TRUE(m_owner->m_calls.empty());
}

TEST_F(VListBoxTest, FontsAreSizedInPointsOfTheLayout) {
    EXPECT_EQ(CVListBox::PixelHeight(10, 96), 13);
    EXPECT_EQ(CVListBox::PixelHeight(8, 96), 11);
    EXPECT_EQ(CVListBox::PixelHeight(7, 120), 12);
    EXPECT_EQ(CVListBox::RowFont(false, 96).pixelSize(), 13);
    EXPECT_EQ(CVListBox::RowFont(true, 120).pixelSize(), 20);
    EXPECT_EQ(CVListBox::NumberFont(96).pixelSize(), 8);
    EXPECT_EQ(CVListBox::NumberFont(120).pixelSize(), 10);
    EXPECT_EQ(CVListBox::MarkFont(false, 96).pixelSize(), 9);
    EXPECT_EQ(CVListBox::MarkFont(true, 96).pixelSize(), 11);
    EXPECT_EQ(CVListBox::RowFont(false, 96).family(), "Arial");
    EXPECT_TRUE(CVListBox::MarkFont(false, 96).italic());
    EXPECT_FALSE(CVListBox::RowFont(true, 96).italic());
    EXPECT_FALSE(CVListBox::NumberFont(96).italic());
}

TEST_F(VListBoxTest, APaintMeasuresRowsAndAscentsForTheLayout) {
    for (const bool bLarge : {false, true}) {
        m_style = SListStyle::ForScreen(true, bLarge);
        CVListBox* list = MakeList(NumberedRows(40), 200);
        const int dpiY = list->viewport()->logicalDpiY();
        const QFontMetrics rowMetrics(CVListBox::RowFont(bLarge, dpiY));
        const QRect ay =
            rowMetrics.boundingRect(QRect(10, 0, 90, 15), Qt::AlignLeft | Qt::TextSingleLine, "Ay");
        EXPECT_EQ(list->RowHeight(), ay.height() + 2) << bLarge;
        EXPECT_GE(ay.height(), rowMetrics.height()) << bLarge;
        EXPECT_EQ(list->VisibleLines(), list->viewport()->height() / list->RowHeight() - 1) << bLarge;
        EXPECT_EQ(list->RowAscent(), rowMetrics.ascent()) << bLarge;
        EXPECT_EQ(list->MarkAscent(), QFontMetrics(CVListBox::MarkFont(bLarge, dpiY)).ascent()) << bLarge;
        EXPECT_GT(list->VisibleLines(), 3) << bLarge;
    }
}

TEST_F(VListBoxTest, AKeptSelectionIsScrolledIntoView) {
    CVListBox* list = MakeList(NumberedRows(60), 160);
    const int v = list->VisibleLines();
    ASSERT_GT(v, 2);
    QScrollBar* bar = list->verticalScrollBar();

    // Below the rows: brought up to the last whole row.
    list->SetSelection(30);
    list->Repaint();
    EXPECT_EQ(list->TopIndex(), 30 - v);
    EXPECT_EQ(bar->value(), 30 - v);
    // Already visible: nothing moves.
    list->SetSelection(30 - v + 1);
    list->Repaint();
    EXPECT_EQ(list->TopIndex(), 30 - v);
    // Above them: brought down to the first row.
    list->SetSelection(12);
    list->Repaint();
    EXPECT_EQ(list->TopIndex(), 12);
    // No selection: back to the first row.
    list->SetSelection(-1);
    list->Repaint();
    EXPECT_EQ(list->TopIndex(), 0);

    // Without keepSelectionVisible only the bounds are enforced.
    list->SetKeepSelectionVisible(false);
    list->SetSelection(50);
    list->SetTopIndex(20);
    list->Repaint();
    EXPECT_EQ(list->TopIndex(), 20);
    list->SetTopIndex(75);
    list->Repaint();
    EXPECT_EQ(list->TopIndex(), 59);
    EXPECT_EQ(bar->value(), 59);
    list->SetTopIndex(-4);
    list->Repaint();
    EXPECT_EQ(list->TopIndex(), 0);
}

TEST_F(VListBoxTest, TheThumbShowsTheTopRowOfAScaledList) {
    CVListBox* list = MakeList(NumberedRows(3), 100);
    list->SetLastIndex(40000);
    list->ResetScroll();
    list->SetSelection(30001);
    Settle();
    EXPECT_EQ(list->TopIndex(), 30001 - list->VisibleLines());
    EXPECT_EQ(list->verticalScrollBar()->value(), (30001 - list->VisibleLines()) / 2);
}

// The bar's value follows the top row at every step; it paints only when its thumb moves or an
// end's arrow turns grey or back, and then only there: what the screen shows is still the whole
// bar painted anew.
TEST_F(VListBoxTest, TheBarPaintsOnlyWhenItLooksOtherwise) {
    CVListBox* list = MakeList(NumberedRows(3), 100);
    list->SetLastIndex(20000);
    list->ResetScroll();
    list->SetKeepSelectionVisible(false);
    Settle();
    QScrollBar* bar = list->verticalScrollBar();
    int paints = 0;
    CPaintCounter counter(paints);
    bar->installEventFilter(&counter);
    const QPoint at = bar->mapTo(bar->window(), QPoint(0, 0));
    QRegion painted;
    const auto scrollTo = [&](int top) {
        paints = 0;
        counter.m_painted = QRegion();
        list->SetTopIndex(top);
        list->Repaint();
        QApplication::processEvents();
        EXPECT_EQ(bar->value(), top);
        const int made = paints;
        painted = counter.m_painted;
        // What the window holds (the grab below paints the bar anew, so it comes second).
        const QImage shown =
            bar->screen()
                ->grabWindow(bar->window()->winId(), at.x(), at.y(), bar->width(), bar->height())
                .toImage()
                .convertToFormat(QImage::Format_RGB32);
        EXPECT_EQ(shown, bar->grab().toImage().convertToFormat(QImage::Format_RGB32)) << "at " << top;
        return made;
    };
    // Rows of the groove half and three quarters down, away from the arrows.
    const QPoint middle(bar->width() / 2, bar->height() / 2);
    const QPoint low(bar->width() / 2, bar->height() * 3 / 4);
    EXPECT_EQ(scrollTo(10000), 1);
    EXPECT_EQ(scrollTo(10001), 0);
    EXPECT_EQ(scrollTo(10000), 0);
    EXPECT_EQ(scrollTo(1), 1); // the thumb moves
    EXPECT_FALSE(painted.contains(low));
    EXPECT_EQ(scrollTo(0), 1); // the up arrow greys, the thumb stays
    EXPECT_FALSE(painted.contains(middle));
    EXPECT_EQ(scrollTo(1), 1);
    EXPECT_EQ(scrollTo(19999), 1);
    EXPECT_FALSE(painted.contains(middle));
    EXPECT_EQ(scrollTo(20000), 1); // the down arrow greys
    EXPECT_FALSE(painted.contains(low));
}

TEST_F(VListBoxTest, TheSelectedBandSpansTheWholeWidth) {
    CVListBox* list = MakeList(NumberedRows(60), 160);
    list->SetSelection(2);
    list->Repaint();
    QImage rows = Rows();
    const int right = rows.width() - 1;
    ASSERT_EQ(right, list->viewport()->width() - 1);
    const int y = RowTop(2) + 1;
    EXPECT_EQ(rows.pixelColor(0, y), m_style.selBack);
    EXPECT_EQ(rows.pixelColor(right, y), m_style.selBack);
    EXPECT_EQ(rows.pixelColor(right, RowTop(2) + list->RowHeight() - 1), m_style.selBack);
    EXPECT_EQ(rows.pixelColor(right, RowTop(2) + list->RowHeight()), m_style.back);
    EXPECT_EQ(rows.pixelColor(right, RowTop(1) + 1), m_style.back);
    // The word itself is drawn inside the band.
    EXPECT_GE(LowestInk(rows, QRect(10, RowTop(2), 40, list->RowHeight()), m_style.selBack), RowTop(2));

    // A row cut by the bottom edge is still banded to both sides.
    const int partial = list->VisibleLines() + 1;
    ASSERT_LT(RowTop(partial), rows.height());
    ASSERT_GT(RowTop(partial) + list->RowHeight(), rows.height());
    list->SetKeepSelectionVisible(false);
    list->SetSelection(list->TopIndex() + partial);
    list->Repaint();
    rows = Rows();
    EXPECT_EQ(rows.pixelColor(0, rows.height() - 1), m_style.selBack);
    EXPECT_EQ(rows.pixelColor(right, rows.height() - 1), m_style.selBack);
    EXPECT_EQ(rows.pixelColor(right, RowTop(partial) - 1), m_style.back);
}

TEST_F(VListBoxTest, MarksFollowTheWordOfForwardIndexRows) {
    SDictContent c;
    c.articles = {Article("abbr", "<P>a</P>", 999), Article("big", "<P>b</P>", 3),
                  Article("cat", "<P>c</P>")};
    c.reverse = {{"katinas", {2}}};
    CVListBox* list = MakeList(c, 100);
    const QImage rows = Rows();
    const QFontMetrics metrics(CVListBox::RowFont(false, list->viewport()->logicalDpiY()));
    const QColor back = m_style.back;
    auto markArea = [&](int row, const char* word) {
        return QRect(10 + metrics.horizontalAdvance(word) + 2, RowTop(row), 30, list->RowHeight());
    };
    const int baseline = list->RowAscent();

    // "sutr." stands on the word's baseline.
    const int abbr = LowestInk(rows, markArea(0, "abbr"), back);
    ASSERT_NE(abbr, -1);
    EXPECT_GE(abbr - RowTop(0), baseline - 1);
    EXPECT_LE(abbr - RowTop(0), baseline + 1);
    // A homonym number is raised: it ends well above the baseline.
    const int number = LowestInk(rows, markArea(1, "big"), back);
    ASSERT_NE(number, -1);
    EXPECT_LT(number - RowTop(1), baseline - 2);
    // No number, no mark.
    EXPECT_EQ(LowestInk(rows, markArea(2, "cat"), back), -1);
}

TEST_F(VListBoxTest, OnlyTheForwardIndexDrawsMarks) {
    for (const int homonym : {999, 3}) {
        CMarkedList* list = MakeList<CMarkedList>(NumberedRows(3), 100, homonym);
        const int left = 10 +
                         QFontMetrics(CVListBox::RowFont(false, list->viewport()->logicalDpiY()))
                             .horizontalAdvance("word") +
                         2;
        const QRect area(left, RowTop(0), 30, list->RowHeight());
        EXPECT_NE(LowestInk(Rows(), area, m_style.back), -1) << homonym;
        list->SetReverse(true);
        list->Repaint();
        EXPECT_EQ(LowestInk(Rows(), area, m_style.back), -1) << homonym;
        list->SetReverse(false);
        list->SetHistory(true);
        list->Repaint();
        EXPECT_EQ(LowestInk(Rows(), area, m_style.back), -1) << homonym;
    }
}

TEST_F(VListBoxTest, ReverseRowsComeFromTheReverseList) {
    CVListBox* list = MakeList(NumberedRows(3), 100);
    int homonym = -1;
    EXPECT_EQ(list->RowText(1, homonym), "row01");
    list->SetReverse(true);
    EXPECT_EQ(list->RowText(1, homonym), "batas");
    EXPECT_EQ(homonym, 0);
    EXPECT_EQ(list->RowText(7, homonym), "");
}

TEST_F(VListBoxTest, AClickSelectsItsRowThenShowsTheEntry) {
    CVListBox* list = MakeList(NumberedRows(60), 160);
    list->SetKeepSelectionVisible(false);
    list->SetTopIndex(5);
    list->Repaint();
    const int before = m_nPaints;
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(30, RowTop(3) + list->RowHeight() / 2));
    EXPECT_EQ(list->Selection(), 8);
    EXPECT_EQ(m_owner->m_calls, (std::vector<std::string>{"SetActiveList 1", "ShowForwardEntry 8"}));
    // The list was repainted before the owner heard of the click.
    ASSERT_EQ(m_owner->m_paintsAtCall.size(), 2u);
    EXPECT_GT(m_owner->m_paintsAtCall[0], before);
    EXPECT_EQ(m_owner->m_paintsAtCall[1], m_owner->m_paintsAtCall[0]);
    EXPECT_FALSE(list->KeepsSelectionVisible());

    // The top margin belongs to the first visible row.
    m_owner->m_calls.clear();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(30, 1));
    EXPECT_EQ(list->Selection(), 5);
    EXPECT_EQ(m_owner->m_calls, (std::vector<std::string>{"SetActiveList 1", "ShowForwardEntry 5"}));

    // Only the left button clicks.
    m_owner->m_calls.clear();
    QTest::mouseClick(list->viewport(), Qt::RightButton, {}, QPoint(30, RowTop(1) + 1));
    EXPECT_EQ(list->Selection(), 5);
    EXPECT_TRUE(m_owner->m_calls.empty());
}

TEST_F(VListBoxTest, AClickBelowTheLastRowSelectsTheLastEntry) {
    CVListBox* list = MakeList(NumberedRows(3), 160);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(30, list->viewport()->height() - 3));
    EXPECT_EQ(list->Selection(), 2);
    EXPECT_EQ(m_owner->m_calls, (std::vector<std::string>{"SetActiveList 1", "ShowForwardEntry 2"}));

    m_owner->m_calls.clear();
    list->SetReverse(true);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(30, RowTop(1) + 1));
    EXPECT_EQ(list->Selection(), 1);
    EXPECT_EQ(m_owner->m_calls, (std::vector<std::string>{"SetActiveList 1", "ShowReverseEntry 1"}));
}

TEST_F(VListBoxTest, TheScrollBarsArrowsAndPagesAskTheOwner) {
    CVListBox* list = MakeList(NumberedRows(60), 160);
    QScrollBar* bar = list->verticalScrollBar();
    list->SetKeepSelectionVisible(false);
    list->SetTopIndex(10);
    list->Repaint();
    ASSERT_EQ(bar->value(), 10);
    const std::pair<QAbstractSlider::SliderAction, const char*> actions[] = {
        {QAbstractSlider::SliderSingleStepSub, "LineUp"},
        {QAbstractSlider::SliderSingleStepAdd, "LineDown"},
        {QAbstractSlider::SliderPageStepSub, "PageUp"},
        {QAbstractSlider::SliderPageStepAdd, "PageDown"}};
    for (const auto& [action, routine] : actions) {
        m_owner->m_calls.clear();
        bar->triggerAction(action);
        EXPECT_EQ(m_owner->m_calls, std::vector<std::string>{routine});
        EXPECT_EQ(bar->value(), 10) << routine;
        EXPECT_EQ(list->TopIndex(), 10) << routine;
    }

    // The bar follows the rows the owner's routine shows.
    m_owner->m_fnNavigate = [list] {
        list->SetSelection(40);
        list->SetKeepSelectionVisible(true);
        list->Repaint();
    };
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(list->TopIndex(), 40 - list->VisibleLines());
    EXPECT_EQ(bar->value(), 40 - list->VisibleLines());
    EXPECT_TRUE(list->KeepsSelectionVisible());
}

TEST_F(VListBoxTest, ArrowClicksEndLikeADragTheViewNoLongerFollowsTheSelection) {
    CVListBox* list = MakeList(NumberedRows(60), 160);
    QScrollBar* bar = list->verticalScrollBar();
    m_owner->m_fnNavigate = [list] {
        list->SetSelection(30);
        list->SetKeepSelectionVisible(true);
        list->Repaint();
    };
    // The down arrow at the bar's bottom end: the owner moves the selection, the view follows it
    // once, and the release ends the scroll.
    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(bar->width() / 2, bar->height() - 3));
    EXPECT_EQ(m_owner->m_calls, std::vector<std::string>{"LineDown"});
    EXPECT_EQ(list->TopIndex(), 30 - list->VisibleLines());
    EXPECT_FALSE(list->KeepsSelectionVisible());
}

TEST_F(VListBoxTest, TheWheelIsLeftToTheOwner) {
    CVListBox* list = MakeList(NumberedRows(60), 160);
    QScrollBar* bar = list->verticalScrollBar();
    LEKSTAR_WAIT_TRUE(bar->isVisible());
    for (QWidget* target : {list->viewport(), static_cast<QWidget*>(bar)}) {
        QWheelEvent wheel(QPointF(5, 5), list->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, -120),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(target, &wheel);
        EXPECT_FALSE(wheel.isAccepted()) << target->metaObject()->className();
        EXPECT_EQ(bar->value(), 0);
        EXPECT_EQ(list->TopIndex(), 0);
    }
}

TEST_F(VListBoxTest, HomonymOrdinalCountsRunsUpToTheLastRow) {
    SDictContent c;
    c.articles = {Article("bank", "<P>1</P>"), Article("bank", "<P>2</P>"), Article("bank", "<P>3</P>"),
                  Article("cat", "<P>c</P>"),  Article("dog", "<P>d</P>"),  Article("dog", "<P>e</P>")};
    CVListBox* list = MakeList(c, 100);
    EXPECT_EQ(list->HomonymOrdinal(0), 1);
    EXPECT_EQ(list->HomonymOrdinal(1), 2);
    EXPECT_EQ(list->HomonymOrdinal(2), 3);
    EXPECT_EQ(list->HomonymOrdinal(3), 0);
    EXPECT_EQ(list->HomonymOrdinal(4), 1);
    EXPECT_EQ(list->HomonymOrdinal(5), 2);
    // The row after lastIndex is not part of the list.
    list->SetLastIndex(4);
    EXPECT_EQ(list->HomonymOrdinal(4), 0);
}

// The index reads a row from the dictionary once while it shows the same list: a paint after a
// key reads nothing again, a switch of the list or a new length reads anew. The history's items
// change under it, so it reads every time.
TEST_F(VListBoxTest, IndexRowsAreReadOnceUntilTheListChanges) {
    CCountingList* list = MakeList<CCountingList>(NumberedRows(40), 100);
    const int visible = list->reads;
    ASSERT_GT(visible, 3);
    list->Repaint();
    EXPECT_EQ(list->reads, visible);
    list->SetSelection(2);
    list->Repaint();
    EXPECT_EQ(list->reads, visible);

    list->SetReverse(true);
    list->SetLastIndex(2);
    list->Repaint();
    EXPECT_EQ(list->reads, visible + 3);
    int homonym = 0;
    EXPECT_EQ(list->CVListBox::RowText(0, homonym), "alus");

    list->SetLastIndex(1);
    list->Repaint();
    EXPECT_EQ(list->reads, visible + 5);

    list->SetHistory(true);
    list->Repaint();
    list->Repaint();
    EXPECT_EQ(list->reads, visible + 9);
}

} // namespace
