// SPDX-License-Identifier: GPL-2.0-or-later
#include "lists/VListBoxHistory.h"
#include "app/DictRows.h"
#include "lists/ListOwner.h"
#include "support/GuiWait.h"
#include "support/TestDict.h"

#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>

#include <memory>
#include <string>
#include <vector>

namespace {

// The main window's part: the history only ever asks to be made active and to show a page.
class CHistoryOwner : public CListOwner {
public:
    CHistoryOwner() : m_dict(Content()) {}

    void LineUp() override { m_calls.push_back("LineUp"); }
    void LineDown() override { m_calls.push_back("LineDown"); }
    void PageUp() override { m_calls.push_back("PageUp"); }
    void PageDown() override { m_calls.push_back("PageDown"); }
    void SetActiveList(EWordList list) override {
        m_calls.push_back("SetActiveList " + std::to_string(static_cast<int>(list)));
    }
    void ShowForwardEntry(int row) override { m_calls.push_back("ShowForwardEntry " + std::to_string(row)); }
    void ShowReverseEntry(int row) override { m_calls.push_back("ShowReverseEntry " + std::to_string(row)); }
    void NavigateToPage(const std::string& path) override { m_calls.push_back("NavigateToPage " + path); }
    void FollowTyping(const std::optional<std::string>& text) override {
        m_calls.push_back("FollowTyping " + text.value_or("(foreign)"));
    }
    void OnEditFocus() override { m_calls.push_back("OnEditFocus"); }

    CTestDict m_dict;
    CDictRows m_rows{*m_dict};
    std::vector<std::string> m_calls;

private:
    static SDictContent Content() {
        SDictContent c;
        c.articles = {Article("cat", "<P>katinas</P>", 3), Article("dog", "<P>šuo</P>", 999)};
        return c;
    }
};

using Items = std::vector<std::string>;

class VListBoxHistoryTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(m_owner.m_dict.OpenResult(), CDictFile::kOpenOk);
        m_parent.resize(400, 200);
        // The window's entry box holds the focus, as it does at start.
        m_entryBox = new QLineEdit(&m_parent);
        m_entryBox->setGeometry(210, 0, 100, 20);
        m_history = std::make_unique<CVListBoxHistory>(&m_owner, &m_parent);
        m_history->SetStyle(m_style);
        m_history->SetRows(&m_owner.m_rows);
        m_history->setGeometry(0, 0, 200, 160);
        m_parent.show();
        Settle();
    }
    void TearDown() override { m_history.reset(); }

    void Settle() {
        QApplication::processEvents();
        m_history->Repaint();
    }
    void ClickRow(int row) {
        const QPoint at(30,
                        m_history->TopMargin() + row * m_history->RowHeight() + m_history->RowHeight() / 2);
        QTest::mouseClick(m_history->viewport(), Qt::LeftButton, {}, at);
    }
    QScrollBar* Bar() const { return m_history->verticalScrollBar(); }

    SListStyle m_style = SListStyle::ForScreen(true, false);
    CHistoryOwner m_owner;
    QWidget m_parent;
    QLineEdit* m_entryBox = nullptr;
    std::unique_ptr<CVListBoxHistory> m_history;
};

TEST_F(VListBoxHistoryTest, StartsEmptyUnderItsOwnName) {
    EXPECT_EQ(m_history->objectName(), "VListBoxHistory");
    EXPECT_TRUE(m_history->IsHistory());
    EXPECT_TRUE(m_history->Items().empty());
    EXPECT_TRUE(m_history->Pages().empty());
    EXPECT_EQ(m_history->Selection(), -1);
    EXPECT_EQ(Bar()->maximum(), 0);
}

TEST_F(VListBoxHistoryTest, ItemOperationsKeepTheCountAndTheRange) {
    EXPECT_EQ(m_history->AddItem("cat"), 1);
    EXPECT_EQ(m_history->AddItem("dog"), 2);
    EXPECT_EQ(m_history->AddItem("cat"), 3);
    EXPECT_EQ(m_history->LastIndex(), 3);
    EXPECT_EQ(Bar()->minimum(), 0);
    EXPECT_EQ(Bar()->maximum(), 3);
    EXPECT_EQ(m_history->FindItem("cat"), 0);
    EXPECT_EQ(m_history->FindItem("dog"), 1);
    EXPECT_EQ(m_history->FindItem("do"), -1);
    EXPECT_EQ(m_history->GetItem(2), "cat");
    EXPECT_EQ(m_history->GetItem(3), "");
    EXPECT_EQ(m_history->GetItem(-1), "");

    m_history->RemoveItem(0);
    EXPECT_EQ(m_history->Items(), (Items{"dog", "cat"}));
    EXPECT_EQ(m_history->LastIndex(), 2);
    EXPECT_EQ(Bar()->maximum(), 2);
    m_history->RemoveItem(2);
    m_history->RemoveItem(-1);
    EXPECT_EQ(m_history->Items(), (Items{"dog", "cat"}));
    EXPECT_EQ(m_history->LastIndex(), 2);

    m_history->Record("bird", "/tmp/ZOD1.TMP.htm", true);
    ASSERT_EQ(m_history->Pages().size(), 1u);
    m_history->SetSelection(1);
    m_history->ClearItems();
    EXPECT_TRUE(m_history->Items().empty());
    EXPECT_TRUE(m_history->Pages().empty());
    EXPECT_EQ(m_history->LastIndex(), 0);
    EXPECT_EQ(Bar()->minimum(), 0);
    EXPECT_EQ(Bar()->maximum(), 0);
    // The navigation routines, not the clearing, bring the selection back within the items.
    EXPECT_EQ(m_history->Selection(), 1);
}

TEST_F(VListBoxHistoryTest, ARepeatedWordMovesToTheEndWithItsFirstPage) {
    m_history->Record("cat", "/tmp/ZOD1.TMP.htm", true);
    m_history->Record("dog", "/tmp/ZOD2.TMP.htm", true);
    EXPECT_EQ(m_history->Selection(), -1);
    m_history->Record("cat", "/tmp/ZOD3.TMP.htm", true);
    EXPECT_EQ(m_history->Items(), (Items{"dog", "cat"}));
    EXPECT_EQ(m_history->Selection(), 1);
    EXPECT_EQ(m_history->LastIndex(), 2);
    EXPECT_EQ(Bar()->maximum(), 2);
    EXPECT_EQ(m_history->Pages().size(), 2u);
    EXPECT_EQ(m_history->Pages().at("cat"), "/tmp/ZOD1.TMP.htm");
    EXPECT_EQ(m_history->Pages().at("dog"), "/tmp/ZOD2.TMP.htm");

    // A new word leaves the selection where it was.
    m_history->Record("emu", "/tmp/ZOD4.TMP.htm", true);
    EXPECT_EQ(m_history->Items(), (Items{"dog", "cat", "emu"}));
    EXPECT_EQ(m_history->Selection(), 1);

    Settle();
    ClickRow(1);
    EXPECT_EQ(m_history->Selection(), 1);
    EXPECT_EQ(m_owner.m_calls, (Items{"SetActiveList 2", "NavigateToPage /tmp/ZOD1.TMP.htm"}));
    // A click changes nothing else.
    EXPECT_EQ(m_history->Items(), (Items{"dog", "cat", "emu"}));
}

TEST_F(VListBoxHistoryTest, CaseMattersAndEmptyOrHiddenRecordsNothing) {
    m_history->Record("cat", "/tmp/a.htm", true);
    m_history->Record("Cat", "/tmp/b.htm", true);
    EXPECT_EQ(m_history->Items(), (Items{"cat", "Cat"}));
    EXPECT_EQ(m_history->Pages().at("Cat"), "/tmp/b.htm");

    m_history->Record("", "/tmp/c.htm", true);
    m_history->Record("dog", "/tmp/d.htm", false);
    m_history->Record("cat", "/tmp/e.htm", false);
    EXPECT_EQ(m_history->Items(), (Items{"cat", "Cat"}));
    EXPECT_EQ(m_history->Pages().size(), 2u);
    EXPECT_EQ(m_history->Selection(), -1);
    EXPECT_EQ(m_history->LastIndex(), 2);
}

TEST_F(VListBoxHistoryTest, LongWordsAreKeptWholeAndDrawnCut) {
    const std::string word(200, 'l');
    m_history->Record(word, "/tmp/long.htm", true);
    EXPECT_EQ(m_history->GetItem(0), word);
    EXPECT_EQ(m_history->FindItem(word.substr(0, 127)), -1);
    m_history->setGeometry(0, 0, 1000, 160);
    m_parent.resize(1100, 200);
    Settle();
    const QImage rows = m_history->viewport()->grab().toImage();
    const QFontMetrics metrics(CVListBox::RowFont(false, m_history->viewport()->logicalDpiY()));
    const int cut = 10 + metrics.horizontalAdvance(QString(127, 'l'));
    ASSERT_LT(cut + 20, rows.width());
    const int y0 = m_history->TopMargin();
    auto inkBetween = [&](int left, int right) {
        for (int y = y0; y < y0 + m_history->RowHeight(); ++y)
            for (int x = left; x < right; ++x)
                if (rows.pixelColor(x, y) != m_style.back)
                    return true;
        return false;
    };
    EXPECT_TRUE(inkBetween(cut - 6, cut));
    EXPECT_FALSE(inkBetween(cut + 1, cut + 20));
}

TEST_F(VListBoxHistoryTest, ClicksSelectItemsAndRevisitTheirPages) {
    m_history->Record("cat", "/tmp/cat.htm", true);
    m_history->Record("dog", "/tmp/dog.htm", true);
    m_history->AddItem("emu"); // an item without a page
    Settle();

    // Below the last item: the last item.
    QTest::mouseClick(m_history->viewport(), Qt::LeftButton, {},
                      QPoint(30, m_history->viewport()->height() - 2));
    EXPECT_EQ(m_history->Selection(), 2);
    EXPECT_EQ(m_owner.m_calls, (Items{"SetActiveList 2"}));

    m_owner.m_calls.clear();
    QTest::mouseClick(m_history->viewport(), Qt::LeftButton, {}, QPoint(30, 1));
    EXPECT_EQ(m_history->Selection(), 0);
    EXPECT_EQ(m_owner.m_calls, (Items{"SetActiveList 2", "NavigateToPage /tmp/cat.htm"}));

    // Its rows never carry marks or come from the dictionary.
    int homonym = -1;
    EXPECT_EQ(m_history->RowText(1, homonym), "dog");
    EXPECT_EQ(homonym, 0);
    EXPECT_EQ(m_history->RowText(3, homonym), "");

    // Emptied: a click selects nothing and shows nothing.
    m_history->ClearItems();
    Settle();
    m_owner.m_calls.clear();
    ClickRow(0);
    EXPECT_EQ(m_history->Selection(), -1);
    EXPECT_EQ(m_owner.m_calls, (Items{"SetActiveList 2"}));
}

TEST_F(VListBoxHistoryTest, TheFocusedListFramesItsSelectedRowAndTakesItsKeys) {
    m_history->Record("cat", "/tmp/cat.htm", true);
    m_history->Record("dog", "/tmp/dog.htm", true);
    m_history->SetSelection(1);
    m_parent.activateWindow();
    // The dotted frame's left edge, in the selected row and in the other one.
    const auto framed = [this](int row) {
        Settle();
        const QImage rows = m_history->viewport()->grab().toImage();
        const int top = m_history->TopMargin() + row * m_history->RowHeight();
        bool bDots = false;
        for (int y = top + 2; y < top + m_history->RowHeight() - 2; ++y)
            bDots = bDots || rows.pixelColor(1, y) != rows.pixelColor(4, y);
        return bDots;
    };
    EXPECT_FALSE(framed(1));
    m_history->setFocus(Qt::TabFocusReason);
    LEKSTAR_WAIT_TRUE(m_history->hasFocus());
    EXPECT_EQ(m_owner.m_calls, (Items{"SetActiveList 2"}));
    EXPECT_TRUE(framed(1));
    EXPECT_FALSE(framed(0));
    m_owner.m_calls.clear();
    for (const Qt::Key key : {Qt::Key_Up, Qt::Key_Down, Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_Return})
        QTest::keyClick(m_history.get(), key);
    EXPECT_EQ(m_owner.m_calls,
              (Items{"SetActiveList 2", "LineUp", "SetActiveList 2", "LineDown", "SetActiveList 2", "PageUp",
                     "SetActiveList 2", "PageDown", "SetActiveList 2", "NavigateToPage /tmp/dog.htm"}));
    m_entryBox->setFocus();
    EXPECT_FALSE(framed(1));
}

TEST_F(VListBoxHistoryTest, ARepeatedWordIsBroughtIntoView) {
    for (int k = 0; k < 30; ++k)
        m_history->Record("w" + std::to_string(100 + k), "/tmp/" + std::to_string(k) + ".htm", true);
    m_history->SetSelection(2);
    Settle();
    EXPECT_EQ(m_history->TopIndex(), 0);
    EXPECT_EQ(Bar()->maximum(), 30);

    m_history->Record("x", "/tmp/x.htm", true);
    Settle();
    EXPECT_EQ(m_history->TopIndex(), 0);
    EXPECT_EQ(m_history->Selection(), 2);

    m_history->Record("w105", "/tmp/again.htm", true);
    Settle();
    EXPECT_EQ(m_history->Selection(), 30);
    EXPECT_EQ(m_history->TopIndex(), 30 - m_history->VisibleLines());
    EXPECT_EQ(Bar()->value(), 30 - m_history->VisibleLines());
    EXPECT_EQ(m_history->Pages().at("w105"), "/tmp/5.htm");
}

} // namespace
