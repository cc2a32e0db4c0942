// SPDX-License-Identifier: GPL-2.0-or-later
// The entry box and the word lists: typing follows the index, the keys, the wheel and clicks move
// the selection of the list they drive, and a switch of direction starts both lists afresh.

#include "app/WindowFixture.h"
#include "desktop/BitmapButton.h"
#include "desktop/WebBrowser2.h"
#include "lists/VListBox.h"
#include "lists/VListBoxHistory.h"
#include "lists/WordEdit.h"
#include "support/GuiWait.h"

#include <QApplication>
#include <QClipboard>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

#include <algorithm>
#include <map>

namespace {

class NavigationTest : public CWindowFixture {
protected:
    // Gives a child of the active window the keyboard focus, as a click or Tab would, and waits
    // for it.
    static void Focus(QWidget* child, Qt::FocusReason reason = Qt::OtherFocusReason) {
        child->window()->activateWindow();
        child->setFocus(reason);
        LEKSTAR_WAIT_TRUE(child->hasFocus());
    }
};

// Counts the paints of the widgets it watches.
class CPaints : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++count[watched];
        return false;
    }
    std::map<QObject*, int> count;
};

TEST_F(NavigationTest, TypingMovesTheIndexOncePerKeyRelease) {
    auto dlg = Start();
    ASSERT_TRUE(m_bInitResult);
    CWordEdit* edit = EntryBox(dlg);
    QTest::keyClick(edit, Qt::Key_H);
    EXPECT_EQ(IndexList(dlg)->Selection(), 4); // "h" begins "home" first
    QTest::keyClick(edit, Qt::Key_O);
    QTest::keyClick(edit, Qt::Key_U);
    EXPECT_EQ(IndexList(dlg)->Selection(), 5); // "hou": house
    EXPECT_EQ(IndexList(dlg)->TopIndex(), 2);
    // A held key moves the index once, at its release.
    IndexList(dlg)->SetSelection(-1);
    QTest::keyPress(edit, Qt::Key_S);
    QTest::keyPress(edit, Qt::Key_S, Qt::NoModifier, -1);
    EXPECT_EQ(IndexList(dlg)->Selection(), -1);
    QTest::keyRelease(edit, Qt::Key_S);
    EXPECT_EQ(IndexList(dlg)->Selection(), 5);
    // Backspace follows too; the cursor block's Delete does not.
    edit->setText("ca");
    QTest::keyClick(edit, Qt::Key_Backspace);
    EXPECT_EQ(IndexList(dlg)->Selection(), 2); // "c": cat
    edit->setText("dog");
    edit->setCursorPosition(0);
    QTest::keyClick(edit, Qt::Key_Delete);
    EXPECT_EQ(IndexList(dlg)->Selection(), 2);
}

TEST_F(NavigationTest, AKeyRepaintsTheEntryBoxAndTheRowsThatMovedNotTheWindow) {
    auto dlg = Start();
    ASSERT_TRUE(m_bInitResult);
    dlg->show();
    CWordEdit* edit = EntryBox(dlg);
    QWidget* rows = IndexList(dlg)->viewport();
    QScrollBar* bar = IndexList(dlg)->verticalScrollBar();
    CPaints paints;
    for (QObject* w : std::initializer_list<QObject*>{dlg.get(), IndexList(dlg), rows, bar, edit})
        w->installEventFilter(&paints);
    const auto key = [&](Qt::Key k) {
        paints.count.clear();
        QTest::keyClick(edit, k);
        QApplication::processEvents();
    };
    key(Qt::Key_H); // "h": home
    EXPECT_EQ(paints.count[rows], 1);
    key(Qt::Key_O); // "ho": home still; the rows stay as they are
    EXPECT_EQ(IndexList(dlg)->Selection(), 4);
    EXPECT_EQ(paints.count[edit], 1);
    EXPECT_EQ(paints.count[rows], 0);
    key(Qt::Key_U); // "hou": house, one row on
    EXPECT_EQ(IndexList(dlg)->Selection(), 5);
    EXPECT_EQ(paints.count[edit], 1);
    EXPECT_EQ(paints.count[rows], 1);
    // Neither the window nor the list's frame behind them is drawn again, whatever moved.
    EXPECT_EQ(paints.count[dlg.get()], 0);
    EXPECT_EQ(paints.count[IndexList(dlg)], 0);
    EXPECT_EQ(bar->value(), IndexList(dlg)->TopIndex() / IndexList(dlg)->ScrollScale());
}

TEST_F(NavigationTest, AForeignLetterInTheEntryBoxMatchesNothing) {
    auto dlg = Start();
    ASSERT_TRUE(m_bInitResult);
    CWordEdit* edit = EntryBox(dlg);
    QTest::keyClicks(edit, "ca");
    ASSERT_EQ(IndexList(dlg)->Selection(), 2);
    const std::string before = PageView(dlg)->CurrentPath();
    const int top = IndexList(dlg)->TopIndex();
    // The key of a Cyrillic layout, as the platform gives it: the letter's code and its text.
    for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
        QKeyEvent key(type, 0x042F, Qt::NoModifier, QString::fromUtf8("я"));
        QApplication::sendEvent(edit, &key);
    }
    ASSERT_EQ(edit->text(), QString::fromUtf8("caя"));
    EXPECT_EQ(IndexList(dlg)->Selection(), -1);
    EXPECT_EQ(IndexList(dlg)->TopIndex(), top);
    // Enter shows a page that says so, the typed word as typed; the entry box keeps it.
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_NE(PageView(dlg)->CurrentPath(), before);
    EXPECT_NE(ReadAll(PageView(dlg)->CurrentPath())
                  .find("<P CLASS=note>\x84"
                        "ca&#1103;\x93 \xFEodyne n\xEBra.</P>\r\n\r\n</BODY>"),
              std::string::npos);
    EXPECT_EQ(edit->text(), QString::fromUtf8("caя"));
    EXPECT_EQ(IndexList(dlg)->Selection(), -1);
    EXPECT_EQ(IndexList(dlg)->TopIndex(), top);
    // Backspace takes the letter away and the index follows again.
    QTest::keyClick(edit, Qt::Key_Backspace);
    EXPECT_EQ(IndexList(dlg)->Selection(), 2);
    // A letter typed as a letter and a combining mark is the composed letter.
    ClickButton(dlg, "IDC_LITHUANIAN");
    edit->setText(QString::fromUtf8("s\xCC\x8Cu"));
    QTest::keyClick(edit, Qt::Key_O);
    EXPECT_EQ(edit->Word(), "\xF0uo");
    EXPECT_EQ(IndexList(dlg)->Selection(), 2);
}

TEST_F(NavigationTest, CursorBlockKeysMoveTheSelectionKeypadKeysDoNot) {
    auto dlg = Start();
    ASSERT_TRUE(m_bInitResult);
    CWordEdit* edit = EntryBox(dlg);
    QTest::keyClick(edit, Qt::Key_Down); // no selection: row 0
    EXPECT_EQ(IndexList(dlg)->Selection(), 0);
    EXPECT_EQ(edit->text(), "bank");
    QTest::keyClick(edit, Qt::Key_Down);
    QTest::keyClick(edit, Qt::Key_Down);
    EXPECT_EQ(IndexList(dlg)->Selection(), 2);
    EXPECT_EQ(edit->text(), "cat");
    // The keypad's Down goes to the edit box; its release follows the text back to "cat".
    QTest::keyClick(edit, Qt::Key_Down, Qt::KeypadModifier);
    EXPECT_EQ(IndexList(dlg)->Selection(), 2);
    QTest::keyClick(edit, Qt::Key_Up);
    EXPECT_EQ(IndexList(dlg)->Selection(), 1);
    EXPECT_EQ(edit->text(), "bank");
    QTest::keyClick(edit, Qt::Key_Up);
    QTest::keyClick(edit, Qt::Key_Up);
    EXPECT_EQ(IndexList(dlg)->Selection(), 0);
    // Page steps use the rows the list shows.
    LEKSTAR_WAIT_TRUE(IndexList(dlg)->VisibleLines() > 0);
    const int v = IndexList(dlg)->VisibleLines();
    // Waiting for the paint may pass focus events to the entry box, each of which swaps the list
    // the keys drive; typing gives them back to the index.
    dlg->SetActiveList(EWordList::Index);
    QTest::keyClick(edit, Qt::Key_PageDown);
    EXPECT_EQ(IndexList(dlg)->Selection(), v);
    QTest::keyClick(edit, Qt::Key_PageUp);
    EXPECT_EQ(IndexList(dlg)->Selection(), 0);
    for (int i = 0; i < 10; ++i)
        QTest::keyClick(edit, Qt::Key_PageDown);
    EXPECT_EQ(IndexList(dlg)->Selection(), IndexList(dlg)->LastIndex());
}

TEST_F(NavigationTest, TheArrowsReachTheLastIndexRowAndTheLastHistoryItemNoFurther) {
    auto dlg = StartWithHistory();
    ASSERT_TRUE(m_bInitResult);
    CVListBox* index = IndexList(dlg);
    dlg->SetActiveList(EWordList::Index);
    index->SetSelection(index->LastIndex() - 1);
    PressKey(dlg, Qt::Key_Down);
    EXPECT_EQ(index->Selection(), index->LastIndex());
    EXPECT_EQ(EntryBox(dlg)->text(), "w139");
    PressKey(dlg, Qt::Key_Down);
    EXPECT_EQ(index->Selection(), index->LastIndex());
    index->SetSelection(1);
    PressKey(dlg, Qt::Key_Up);
    EXPECT_EQ(index->Selection(), 0);
    PressKey(dlg, Qt::Key_Up);
    EXPECT_EQ(index->Selection(), 0);

    // The history holds dog (from the start), cat and house.
    for (const char* word : {"cat", "house"}) {
        EntryBox(dlg)->setText(word);
        PressEnter(dlg);
    }
    CVListBoxHistory* history = HistoryList(dlg);
    ASSERT_EQ(history->Items().size(), 3u);
    LEKSTAR_WAIT_TRUE(history->VisibleLines() > 3);
    dlg->SetActiveList(EWordList::History);
    history->SetSelection(1);
    PressKey(dlg, Qt::Key_Down);
    EXPECT_EQ(history->Selection(), 2);
    EXPECT_EQ(EntryBox(dlg)->text(), "house");
    PressKey(dlg, Qt::Key_Down);
    EXPECT_EQ(history->Selection(), 2);
    PressKey(dlg, Qt::Key_PageDown);
    EXPECT_EQ(history->Selection(), 2);
    PressKey(dlg, Qt::Key_PageUp);
    EXPECT_EQ(history->Selection(), 0);
    PressKey(dlg, Qt::Key_Up);
    EXPECT_EQ(history->Selection(), 0);
    EXPECT_EQ(EntryBox(dlg)->text(), "dog");
}

TEST_F(NavigationTest, TheWheelMovesOneRowWhileTheEntryBoxHasTheFocus) {
    auto dlg = Start();
    ASSERT_TRUE(m_bInitResult);
    Focus(EntryBox(dlg));
    dlg->SetActiveList(EWordList::Index);
    const auto wheel = [&](int delta) {
        QWheelEvent event(QPointF(5, 5), dlg->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, delta),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(dlg.get(), &event);
    };
    wheel(-360); // one row, however far the wheel turned
    EXPECT_EQ(IndexList(dlg)->Selection(), 0);
    // Sideways turns and the zero-delta end of a smooth scroll move nothing.
    {
        QWheelEvent sideways(QPointF(5, 5), dlg->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(-120, 0),
                             Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(dlg.get(), &sideways);
    }
    wheel(0);
    EXPECT_EQ(IndexList(dlg)->Selection(), 0);
    // A smooth wheel's small steps add up to one notch; a turn back starts again.
    wheel(-40);
    wheel(-40);
    EXPECT_EQ(IndexList(dlg)->Selection(), 0);
    wheel(-40);
    EXPECT_EQ(IndexList(dlg)->Selection(), 1);
    wheel(-80);
    wheel(60);
    wheel(-80);
    EXPECT_EQ(IndexList(dlg)->Selection(), 1);
    wheel(-40);
    EXPECT_EQ(IndexList(dlg)->Selection(), 2);
    wheel(120);
    EXPECT_EQ(IndexList(dlg)->Selection(), 1);
    wheel(120);
    EXPECT_EQ(IndexList(dlg)->Selection(), 0);
    wheel(-120);
    wheel(-120);
    EXPECT_EQ(IndexList(dlg)->Selection(), 2);
    wheel(120);
    EXPECT_EQ(IndexList(dlg)->Selection(), 1);
    EXPECT_EQ(EntryBox(dlg)->text(), "bank");
    // With the focus elsewhere the wheel moves nothing.
    PageView(dlg)->setFocus();
    LEKSTAR_WAIT_TRUE(!EntryBox(dlg)->hasFocus());
    wheel(-120);
    EXPECT_EQ(IndexList(dlg)->Selection(), 1);
}

TEST_F(NavigationTest, ReturningFocusSwapsTheActiveListTypingResetsIt) {
    auto dlg = Start();
    ASSERT_TRUE(m_bInitResult);
    EXPECT_EQ(dlg->ActiveList(), EWordList::Index);
    dlg->OnEditFocus();
    EXPECT_EQ(dlg->ActiveList(), EWordList::History);
    dlg->OnEditFocus();
    EXPECT_EQ(dlg->ActiveList(), EWordList::Index);
    // Enter is the window's command and leaves the list as it was; typing gives the keys back to
    // the index.
    dlg->SetActiveList(EWordList::History);
    QTest::keyClick(EntryBox(dlg), Qt::Key_Return);
    EXPECT_EQ(dlg->ActiveList(), EWordList::History);
    QTest::keyClick(EntryBox(dlg), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(dlg->ActiveList(), EWordList::History);
    QTest::keyClick(EntryBox(dlg), Qt::Key_A);
    EXPECT_EQ(dlg->ActiveList(), EWordList::Index);
}

TEST_F(NavigationTest, AClickInTheIndexLeavesTheKeysWithTheIndex) {
    auto dlg = StartWithHistory();
    ASSERT_TRUE(m_bInitResult);
    Focus(EntryBox(dlg));
    LEKSTAR_WAIT_TRUE(IndexList(dlg)->VisibleLines() > 4);
    dlg->SetActiveList(EWordList::Index);
    CVListBox* index = IndexList(dlg);
    index->SetTopIndex(0);
    QTest::mouseClick(index->viewport(), Qt::LeftButton, {},
                      QPoint(20, index->TopMargin() + 3 * index->RowHeight() + index->RowHeight() / 2));
    EXPECT_EQ(index->Selection(), 3);
    EXPECT_EQ(EntryBox(dlg)->text(), "dog");
    EXPECT_TRUE(EntryBox(dlg)->hasFocus());
    EXPECT_EQ(dlg->ActiveList(), EWordList::Index);
    const int historySelection = HistoryList(dlg)->Selection();
    QTest::keyClick(EntryBox(dlg), Qt::Key_Down);
    EXPECT_EQ(index->Selection(), 4);
    EXPECT_EQ(HistoryList(dlg)->Selection(), historySelection);
    // A click on the scroll bar takes no focus either.
    QTest::mouseClick(index->verticalScrollBar(), Qt::LeftButton, {}, QPoint(5, index->height() - 8));
    EXPECT_TRUE(EntryBox(dlg)->hasFocus());
}

TEST_F(NavigationTest, OnlyTheEntryBoxAndTheShownHistoryAreTabStopsAndTheFocusedOneTakesTheKeys) {
    auto dlg = Start();
    ASSERT_TRUE(m_bInitResult);
    Focus(EntryBox(dlg));
    EXPECT_EQ(IndexList(dlg)->focusPolicy(), Qt::NoFocus);
    EXPECT_EQ(IndexList(dlg)->verticalScrollBar()->focusPolicy(), Qt::NoFocus);
    EXPECT_EQ(HistoryList(dlg)->focusPolicy(), Qt::TabFocus);
    EXPECT_EQ(HistoryList(dlg)->verticalScrollBar()->focusPolicy(), Qt::NoFocus);
    EXPECT_EQ(PageView(dlg)->focusPolicy(), Qt::ClickFocus);
    ASSERT_FALSE(dlg->IsHistoryShown());
    QTest::keyClick(EntryBox(dlg), Qt::Key_Tab);
    EXPECT_TRUE(EntryBox(dlg)->hasFocus());
    QTest::keyClick(EntryBox(dlg), Qt::Key_Backtab);
    EXPECT_TRUE(EntryBox(dlg)->hasFocus());
    ClickButton(dlg, "IDC_HISTORY");
    ASSERT_TRUE(dlg->IsHistoryShown());
    for (const char* word : {"cat", "house", "dog"}) {
        EntryBox(dlg)->setText(word);
        PressEnter(dlg);
    }
    dlg->SetActiveList(EWordList::Index);
    QTest::keyClick(EntryBox(dlg), Qt::Key_Tab);
    EXPECT_TRUE(HistoryList(dlg)->hasFocus());
    // The focused history drives the keys and shows the row chosen with Enter; the index stays.
    CVListBoxHistory* history = HistoryList(dlg);
    EXPECT_EQ(dlg->ActiveList(), EWordList::History);
    const int indexRow = IndexList(dlg)->Selection();
    history->SetSelection(0);
    QTest::keyClick(history, Qt::Key_Down);
    EXPECT_EQ(history->Selection(), 1);
    EXPECT_EQ(EntryBox(dlg)->text(), "house");
    QTest::keyClick(history, Qt::Key_PageDown);
    EXPECT_EQ(history->Selection(), 2);
    QTest::keyClick(history, Qt::Key_Up);
    EXPECT_EQ(history->Selection(), 1);
    EXPECT_EQ(IndexList(dlg)->Selection(), indexRow);
    QTest::keyClick(history, Qt::Key_Return);
    EXPECT_EQ(PageView(dlg)->CurrentPath(), history->Pages().at("house"));
    EXPECT_TRUE(history->hasFocus());
    // Back in the entry box the keys go to the index again.
    QTest::keyClick(history, Qt::Key_Tab);
    EXPECT_TRUE(EntryBox(dlg)->hasFocus());
    EXPECT_EQ(dlg->ActiveList(), EWordList::Index);
}

TEST_F(NavigationTest, AClosedPopupDoesNotSwapTheActiveList) {
    auto dlg = Start();
    ASSERT_TRUE(m_bInitResult);
    const auto focusIn = [&](Qt::FocusReason reason) {
        QFocusEvent event(QEvent::FocusIn, reason);
        QApplication::sendEvent(EntryBox(dlg), &event);
    };
    dlg->SetActiveList(EWordList::Index);
    focusIn(Qt::PopupFocusReason);
    EXPECT_EQ(dlg->ActiveList(), EWordList::Index);
    focusIn(Qt::MenuBarFocusReason);
    EXPECT_EQ(dlg->ActiveList(), EWordList::Index);
    // Coming back from another window, by a click or by Tab is a return.
    focusIn(Qt::ActiveWindowFocusReason);
    EXPECT_EQ(dlg->ActiveList(), EWordList::History);
    focusIn(Qt::MouseFocusReason);
    EXPECT_EQ(dlg->ActiveList(), EWordList::Index);
    focusIn(Qt::TabFocusReason);
    EXPECT_EQ(dlg->ActiveList(), EWordList::History);
}

TEST_F(NavigationTest, KeysOfTheWindowAndLettersTypedIntoThePage) {
    auto dlg = Start();
    ASSERT_TRUE(m_bInitResult);
    dlg->activateWindow();
    LEKSTAR_WAIT_TRUE(dlg->isActiveWindow());
    EntryBox(dlg)->setText("cat");
    PressEnter(dlg);
    // A letter typed into the page starts a new word in the entry box, the old one replaced, and
    // the index follows; the next letters go on in the entry box.
    Focus(PageView(dlg));
    QTest::keyClick(PageView(dlg), Qt::Key_D);
    EXPECT_TRUE(EntryBox(dlg)->hasFocus());
    EXPECT_EQ(EntryBox(dlg)->text(), "d");
    QTest::keyClicks(EntryBox(dlg), "og");
    EXPECT_EQ(EntryBox(dlg)->text(), "dog");
    EXPECT_EQ(IndexList(dlg)->Selection(), 3);
    // Space and Ctrl+C stay the page's.
    Focus(PageView(dlg));
    QTest::keyClick(PageView(dlg), Qt::Key_Space);
    QTest::keyClick(PageView(dlg), Qt::Key_C, Qt::ControlModifier);
    EXPECT_TRUE(PageView(dlg)->hasFocus());
    EXPECT_EQ(EntryBox(dlg)->text(), "dog");
    // Ctrl+L and Ctrl+F: the entry box with its text selected.
    for (const Qt::Key key : {Qt::Key_L, Qt::Key_F}) {
        Focus(PageView(dlg));
        QTest::keyClick(PageView(dlg), key, Qt::ControlModifier);
        EXPECT_TRUE(EntryBox(dlg)->hasFocus());
        EXPECT_EQ(EntryBox(dlg)->selectedText(), "dog");
    }
    // Ctrl+2 and Ctrl+1 switch the index.
    QTest::keyClick(EntryBox(dlg), Qt::Key_2, Qt::ControlModifier);
    EXPECT_EQ(dlg->Direction(), EDirection::Reverse);
    QTest::keyClick(EntryBox(dlg), Qt::Key_1, Qt::ControlModifier);
    EXPECT_EQ(dlg->Direction(), EDirection::Forward);
    // F1 opens the help.
    QTest::keyClick(EntryBox(dlg), Qt::Key_F1);
    ASSERT_EQ(m_opened.size(), 1u);
    EXPECT_EQ(m_opened[0].toLocalFile().toStdString(), m_theApp.ProgramDir() + "/HTM/Pagalba.htm");
    // Ctrl+Q ends the program through the exit routine.
    QTest::keyClick(EntryBox(dlg), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_TRUE(UserSettings().contains("Kalba"));
}

TEST_F(NavigationTest, TheDirectionSwitchResetsEverything) {
    auto dlg = StartWithHistory();
    ASSERT_TRUE(m_bInitResult);
    dlg->ClipboardWatch().TakeWord("cat");
    QTest::mouseClick(Button(dlg, "IDC_LITHUANIAN"), Qt::LeftButton);
    EXPECT_EQ(dlg->Direction(), EDirection::Reverse);
    EXPECT_EQ(Button(dlg, "IDC_ENGLISH")->NormalId(), 218);
    EXPECT_EQ(Button(dlg, "IDC_LITHUANIAN")->NormalId(), 217);
    EXPECT_TRUE(IndexList(dlg)->IsReverse());
    EXPECT_TRUE(HistoryList(dlg)->IsReverse());
    EXPECT_EQ(IndexList(dlg)->LastIndex(), 2);
    EXPECT_EQ(IndexList(dlg)->Selection(), -1);
    EXPECT_EQ(IndexList(dlg)->TopIndex(), 0);
    EXPECT_TRUE(HistoryList(dlg)->Items().empty());
    EXPECT_EQ(EntryBox(dlg)->text(), "");
    EXPECT_EQ(dlg->ClipboardWatch().LastText(), "");
    EXPECT_EQ(EntryBox(dlg)->geometry().width(), dlg->LayoutValues().nEditWidthReverse);
    // Enter with nothing selected shows nothing new.
    const std::string before = PageView(dlg)->CurrentPath();
    QTest::keyClick(EntryBox(dlg), Qt::Key_Return);
    EXPECT_EQ(PageView(dlg)->CurrentPath(), before);
    // Typing follows the Lithuanian index; Enter shows the English articles of the word.
    QTest::keyClicks(EntryBox(dlg), "nam");
    EXPECT_EQ(IndexList(dlg)->Selection(), 1);
    QTest::keyClick(EntryBox(dlg), Qt::Key_Return);
    EXPECT_EQ(EntryBox(dlg)->text(), "namas");
    EXPECT_NE(ReadAll(PageView(dlg)->CurrentPath()).find("<SPAN CLASS=SELECTED>namas</SPAN>"),
              std::string::npos);
    QTest::mouseClick(Button(dlg, "IDC_ENGLISH"), Qt::LeftButton);
    EXPECT_EQ(dlg->Direction(), EDirection::Forward);
    EXPECT_EQ(IndexList(dlg)->LastIndex(), 45);
    EXPECT_EQ(Button(dlg, "IDC_ENGLISH")->NormalId(), 219);
}

} // namespace

namespace {

TEST_F(NavigationTest, ThePageFocusedScrollsByItsKeysAndFollowsItsLinksByTab) {
    auto dlg = Start();
    ASSERT_TRUE(m_bInitResult);
    dlg->activateWindow();
    LEKSTAR_WAIT_TRUE(dlg->isActiveWindow());
    CWebBrowser2* page = PageView(dlg);
    std::string html = "<HTML><BODY>";
    for (int i = 0; i < 200; ++i)
        html += "<P>" + std::to_string(i) + "</P>";
    page->ShowText(html + "</BODY></HTML>", page->CurrentPath());
    Focus(page, Qt::MouseFocusReason);
    const int index = IndexList(dlg)->Selection();
    QScrollBar* bar = page->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 2 * bar->pageStep());
    QTest::keyClick(page, Qt::Key_PageDown);
    EXPECT_EQ(bar->value(), bar->pageStep());
    QTest::keyClick(page, Qt::Key_Down);
    EXPECT_EQ(bar->value(), bar->pageStep() + bar->singleStep());
    QTest::keyClick(page, Qt::Key_End);
    EXPECT_EQ(bar->value(), bar->maximum());
    QTest::keyClick(page, Qt::Key_Home);
    EXPECT_EQ(bar->value(), 0);
    EXPECT_EQ(IndexList(dlg)->Selection(), index);
    EXPECT_TRUE(page->hasFocus());

    EntryBox(dlg)->setText("house");
    QTest::keyClick(EntryBox(dlg), Qt::Key_Return);
    Focus(page, Qt::MouseFocusReason);
    QTest::keyClick(page, Qt::Key_Tab);
    EXPECT_TRUE(page->hasFocus());
    EXPECT_EQ(page->textCursor().selectedText(), "home");
    QTest::keyClick(page, Qt::Key_Return);
    LEKSTAR_WAIT_TRUE(EntryBox(dlg)->text() == "home");
    EXPECT_EQ(IndexList(dlg)->Selection(), 4);
}

} // namespace
