// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/ClipboardWatch.h"
#include "app/TranslationPopup.h"
#include "desktop/WebBrowser2.h"
#include "lists/VListBox.h"
#include "lists/WordEdit.h"
#include "support/DialogFixture.h"
#include "support/GuiWait.h"

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QSettings>
#include <QTest>

namespace {

class ClipboardWatchTest : public CDialogFixture {
protected:
    SDictContent Content() const override {
        SDictContent c;
        c.articles = {Article("cards", "<P>1. kortos</P>"), Article("house", "<P>1. namas, pastatas</P>")};
        c.reverse = {{"namas", {1}}};
        c.links = {{"cards", 0}};
        return c;
    }
    static void Copy(const QString& text) { QGuiApplication::clipboard()->setText(text); }
};

TEST_F(ClipboardWatchTest, TheFirstWordOfNewTextIsShownOnce) {
    Copy("");
    auto dlg = Start();
    ASSERT_TRUE(m_bInitResult);
    ClickButton(dlg, "IDC_ALWAYSONTOP");
    ASSERT_EQ(dlg->TimerInterval(TIMER_CLIPBOARD), 333);

    Copy("  house of cards");
    dlg->OnClipboardTick();
    EXPECT_EQ(dlg->ClipboardWatch().LastText(), "  house of cards");
    EXPECT_EQ(EntryBox(dlg)->text(), "house");
    EXPECT_EQ(IndexList(dlg)->Selection(), 1);
    EXPECT_TRUE(IndexList(dlg)->KeepsSelectionVisible());
    // After a lookup the watch runs every 200 ms.
    EXPECT_EQ(dlg->TimerInterval(TIMER_CLIPBOARD), 200);
    const std::string shown = PageView(dlg)->CurrentPath();

    // The same text again shows nothing new.
    dlg->OnClipboardTick();
    EXPECT_EQ(PageView(dlg)->CurrentPath(), shown);

    // A blank word is remembered but shows nothing.
    Copy(" ");
    dlg->OnClipboardTick();
    EXPECT_EQ(dlg->ClipboardWatch().LastText(), " ");
    EXPECT_EQ(PageView(dlg)->CurrentPath(), shown);

    // A picture changes nothing.
    QGuiApplication::clipboard()->setImage(QImage(4, 4, QImage::Format_RGB32));
    dlg->OnClipboardTick();
    EXPECT_EQ(dlg->ClipboardWatch().LastText(), " ");
}

TEST_F(ClipboardWatchTest, ADirectionSwitchLooksTheSameTextUpAgain) {
    Copy("");
    auto dlg = Start();
    ASSERT_TRUE(m_bInitResult);
    Copy("namas\tir kiti");
    dlg->OnClipboardTick();
    // A TAB stays inside the word: "namas\tir" is no English headword, its nearest one is shown.
    EXPECT_EQ(dlg->ClipboardWatch().LastText(), "namas\tir kiti");
    ClickButton(dlg, "IDC_LITHUANIAN");
    EXPECT_EQ(dlg->ClipboardWatch().LastText(), "");
    Copy("namas");
    dlg->OnClipboardTick();
    EXPECT_EQ(IndexList(dlg)->Selection(), 0);
    EXPECT_EQ(EntryBox(dlg)->text(), "namas");
}

TEST_F(ClipboardWatchTest, LongTextIsCutTo255Bytes) {
    Copy("");
    auto dlg = Start();
    ASSERT_TRUE(m_bInitResult);
    Copy(QString(300, QChar('x')) + "ž");
    dlg->OnClipboardTick();
    EXPECT_EQ(dlg->ClipboardWatch().LastText(), std::string(255, 'x'));
}

TEST_F(ClipboardWatchTest, AnEmptyTextIsHandledTooSoTheSameWordComesAgain) {
    Copy("");
    auto dlg = Start();
    ASSERT_TRUE(m_bInitResult);
    Copy("house");
    dlg->OnClipboardTick();
    const std::string first = PageView(dlg)->CurrentPath();
    ASSERT_NE(first, "");
    Copy("");
    dlg->OnClipboardTick();
    EXPECT_EQ(dlg->ClipboardWatch().LastText(), "");
    EXPECT_EQ(PageView(dlg)->CurrentPath(), first);
    Copy("house");
    dlg->OnClipboardTick();
    EXPECT_NE(PageView(dlg)->CurrentPath(), first);
}

TEST_F(ClipboardWatchTest, TheClipboardIsFetchedOnlyAfterItChanged) {
    Copy("");
    auto dlg = Start();
    ASSERT_TRUE(m_bInitResult);
    Copy("house");
    dlg->OnClipboardTick();
    EXPECT_EQ(dlg->ClipboardWatch().LastText(), "house");
    // A change the platform did not announce is not fetched...
    QGuiApplication::clipboard()->blockSignals(true);
    Copy("cards");
    QGuiApplication::clipboard()->blockSignals(false);
    dlg->OnClipboardTick();
    dlg->OnClipboardTick();
    EXPECT_EQ(dlg->ClipboardWatch().LastText(), "house");
    // ...an announced one is, once.
    Copy("cards");
    dlg->OnClipboardTick();
    EXPECT_EQ(dlg->ClipboardWatch().LastText(), "cards");
    EXPECT_EQ(EntryBox(dlg)->text(), "cards");
    // After a switch of the index the same text is fetched and looked up again.
    ClickButton(dlg, "IDC_LITHUANIAN");
    dlg->OnClipboardTick();
    EXPECT_EQ(dlg->ClipboardWatch().LastText(), "cards");
}

TEST_F(ClipboardWatchTest, OnlyTheStartOfAHugeTextIsConverted) {
    const QString huge = QString(1'000'000, QChar('y'));
    EXPECT_EQ(CClipboardWatch::TextStart(huge), std::string(255, 'y'));
    // Characters, not bytes: 255 letters ž are 510 bytes of UTF-8; a letter beyond the BMP counts
    // once; a combining mark after the 255th letter still joins it.
    EXPECT_EQ(CClipboardWatch::TextStart(QString(300, QChar(0x017E))),
              QString(255, QChar(0x017E)).toStdString());
    const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80");
    QString pairs;
    for (int i = 0; i < 300; ++i)
        pairs += emoji;
    EXPECT_EQ(CClipboardWatch::TextStart(pairs).size(), 255u * 4);
    EXPECT_EQ(CClipboardWatch::TextStart(QString(254, QChar('a')) + "e" + QChar(0x0307) + "x"),
              std::string(254, 'a') + "\xC4\x97");
    EXPECT_EQ(CClipboardWatch::TextStart(QString(255, QChar('a')) + QChar(0x0328) + "x"),
              std::string(254, 'a') + "\xC4\x85");
    // A NUL ends the text.
    EXPECT_EQ(CClipboardWatch::TextStart(QString("ab") + QChar(0) + "cd"), "ab");
}

TEST_F(ClipboardWatchTest, ForeignLettersMatchNothingTypographicSpacesSplit) {
    Copy("");
    auto dlg = Start();
    ASSERT_TRUE(m_bInitResult);
    ClickButton(dlg, "IDC_LITHUANIAN");
    ClickButton(dlg, "IDC_ALWAYSONTOP");
    ASSERT_EQ(dlg->TimerInterval(TIMER_CLIPBOARD), 333);
    const std::string before = PageView(dlg)->CurrentPath();
    Copy(QString::fromUtf8("привет"));
    dlg->OnClipboardTick();
    EXPECT_EQ(dlg->ClipboardWatch().LastText(), "привет");
    EXPECT_EQ(IndexList(dlg)->Selection(), -1);
    EXPECT_NE(PageView(dlg)->CurrentPath(), before);
    EXPECT_NE(
        ReadAll(PageView(dlg)->CurrentPath())
            .find("<P CLASS=note>\x84&#1087;&#1088;&#1080;&#1074;&#1077;&#1090;\x93 \xFEodyne n\xEBra.</P>"),
        std::string::npos);
    EXPECT_EQ(EntryBox(dlg)->text(), "");
    // A word that shows nothing still restarts the watch at its lookup period.
    EXPECT_EQ(dlg->TimerInterval(TIMER_CLIPBOARD), 200);
    // A no-break space ends the first word like a space.
    Copy(QString::fromUtf8("namas\xC2\xA0ir kiti"));
    dlg->OnClipboardTick();
    EXPECT_EQ(EntryBox(dlg)->text(), "namas");
    EXPECT_EQ(IndexList(dlg)->Selection(), 0);
}

TEST_F(ClipboardWatchTest, TheWatchRunsExactlyWhileOnTop) {
    Copy("");
    {
        QSettings user = UserSettings();
        user.setValue("AOT", 1);
    }
    auto dlg = Start();
    ASSERT_TRUE(m_bInitResult);
    EXPECT_EQ(dlg->TimerInterval(TIMER_CLIPBOARD), 200);
    Copy("cards");
    LEKSTAR_WAIT_EQ(EntryBox(dlg)->text(), QString("cards"));
    ClickButton(dlg, "IDC_ALWAYSONTOP");
    EXPECT_FALSE(dlg->IsTimerRunning(TIMER_CLIPBOARD));
}

// The primary selection as a test sets it, and how often the watch read it.
std::optional<std::string> g_selection;
int g_nSelectionReads = 0;
std::optional<std::string> FakeSelection() {
    ++g_nSelectionReads;
    return g_selection;
}

class SelectionWatchTest : public ClipboardWatchTest {
protected:
    std::unique_ptr<CZodynasDlg> StartWatching() {
        Copy("");
        auto dlg = Start();
        dlg->ClipboardWatch().SetSelectionReader(&FakeSelection);
        g_selection.reset();
        g_nSelectionReads = 0;
        dlg->OnClipboardTick(); // the empty clipboard of the start
        return dlg;
    }
    static void Select(const std::string& text, CZodynasDlg& dlg) {
        g_selection = text;
        dlg.ClipboardWatch().MarkSelectionChanged();
    }
};

TEST_F(SelectionWatchTest, OffTheSelectionIsNeverRead) {
    auto dlg = StartWatching();
    ASSERT_TRUE(m_bInitResult);
    EXPECT_FALSE(dlg->IsSelectionWatched());
    Select("house", *dlg);
    dlg->OnClipboardTick();
    dlg->OnClipboardTick();
    EXPECT_EQ(g_nSelectionReads, 0);
    EXPECT_EQ(EntryBox(dlg)->text(), "");
}

TEST_F(SelectionWatchTest, ASelectedWordIsShownOnceItStaysTheSameForATick) {
    auto dlg = StartWatching();
    ASSERT_TRUE(m_bInitResult);
    dlg->OnSysCommand(IDM_SELECTION);
    ASSERT_TRUE(dlg->IsSelectionWatched());
    // Being selected with the mouse: each tick sees more of it.
    Select("hou", *dlg);
    dlg->OnClipboardTick();
    g_selection = "house of";
    dlg->OnClipboardTick();
    EXPECT_EQ(EntryBox(dlg)->text(), "");
    EXPECT_EQ(g_nSelectionReads, 2);
    dlg->OnClipboardTick();
    EXPECT_EQ(EntryBox(dlg)->text(), "house");
    EXPECT_EQ(IndexList(dlg)->Selection(), 1);
    EXPECT_EQ(dlg->ClipboardWatch().LastText(), "house of");
    // Taken: not read again until it changes.
    dlg->OnClipboardTick();
    EXPECT_EQ(g_nSelectionReads, 3);
    // Selected again, the same text: nothing new.
    const std::string shown = PageView(dlg)->CurrentPath();
    Select("house of", *dlg);
    dlg->OnClipboardTick();
    dlg->OnClipboardTick();
    EXPECT_EQ(PageView(dlg)->CurrentPath(), shown);
    // Nothing selected any more: nothing happens, and nothing is read after that.
    Select("", *dlg);
    g_selection.reset();
    dlg->OnClipboardTick();
    dlg->OnClipboardTick();
    EXPECT_EQ(g_nSelectionReads, 6);
    EXPECT_EQ(PageView(dlg)->CurrentPath(), shown);
}

TEST_F(SelectionWatchTest, TheClipboardAndTheSelectionShareOneMemory) {
    auto dlg = StartWatching();
    ASSERT_TRUE(m_bInitResult);
    dlg->OnSysCommand(IDM_SELECTION);
    Select("cards", *dlg);
    dlg->OnClipboardTick();
    dlg->OnClipboardTick();
    ASSERT_EQ(EntryBox(dlg)->text(), "cards");
    const std::string shown = PageView(dlg)->CurrentPath();
    // Selected, then copied: translated once.
    Copy("cards");
    dlg->OnClipboardTick();
    EXPECT_EQ(PageView(dlg)->CurrentPath(), shown);
    // A new copy goes first; the selection waits for the next tick.
    Copy("house");
    Select("cards and more", *dlg);
    dlg->OnClipboardTick();
    EXPECT_EQ(EntryBox(dlg)->text(), "house");
    dlg->OnClipboardTick();
    dlg->OnClipboardTick();
    EXPECT_EQ(EntryBox(dlg)->text(), "cards");
    // A switch of the index reads again where the last text came from: the selection.
    ClickButton(dlg, "IDC_LITHUANIAN");
    EXPECT_EQ(dlg->ClipboardWatch().LastText(), "");
    const int reads = g_nSelectionReads;
    dlg->OnClipboardTick();
    dlg->OnClipboardTick();
    EXPECT_EQ(g_nSelectionReads, reads + 2);
    EXPECT_EQ(dlg->ClipboardWatch().LastText(), "cards and more");
    // Switched off: the clipboard alone.
    dlg->OnSysCommand(IDM_SELECTION);
    Select("namas", *dlg);
    dlg->OnClipboardTick();
    dlg->OnClipboardTick();
    EXPECT_EQ(dlg->ClipboardWatch().LastText(), "cards and more");
}

TEST_F(SelectionWatchTest, TheMenuEntriesAndTheStoredSwitches) {
    {
        QSettings user = UserSettings();
        user.setValue("Zymejimas", 1);
        user.setValue("Formos", 0);
    }
    auto dlg = Start();
    ASSERT_TRUE(m_bInitResult);
    EXPECT_TRUE(dlg->IsSelectionWatched());
    EXPECT_FALSE(dlg->UsesWordForms());
    const auto* menu = dlg->findChild<QMenu*>("SystemMenu");
    ASSERT_NE(menu, nullptr);
    QStringList texts;
    for (const QAction* a : menu->actions())
        if (a->isCheckable())
            texts << a->text() + (a->isChecked() ? " +" : " -");
    // Where the platform has no selection the entries that need one say so.
    const QString why = QGuiApplication::clipboard()->supportsSelection()
                            ? QString()
                            : QString::fromUtf8(" (šis darbastalis žymėjimo neduoda)");
    EXPECT_EQ(texts,
              QStringList({"&Show history -", "&Allways on top -",
                           QString::fromUtf8("Žymėjimas") + why + " +", QString::fromUtf8("&Žodžių formos -"),
                           QString::fromUtf8("Vertimas &langelyje") + why + " -"}));
    dlg->OnSysCommand(IDM_SELECTION);
    dlg->OnSysCommand(IDM_WORDFORMS);
    EXPECT_FALSE(dlg->IsSelectionWatched());
    EXPECT_TRUE(dlg->UsesWordForms());
    dlg->ExitRoutine();
    QSettings user = UserSettings();
    EXPECT_EQ(user.value("Zymejimas").toString(), "0");
    EXPECT_EQ(user.value("Formos").toString(), "1");
}

TEST(ClipboardWatchSelection, APlatformWithoutSelectionGivesNothing) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard->supportsSelection())
        GTEST_SKIP() << "this platform keeps a selection";
    clipboard->setText("house", QClipboard::Selection);
    EXPECT_EQ(CClipboardWatch::ReadSelection(), std::nullopt);
}

} // namespace

namespace {

TEST_F(SelectionWatchTest, BehindOtherWindowsThePopupTranslatesWhatIsSelectedOrCopiedElsewhere) {
    auto dlg = StartWatching();
    ASSERT_TRUE(m_bInitResult);
    // Another program is in front.
    QApplication::setActiveWindow(nullptr);
    ASSERT_FALSE(dlg->IsPopupOn());
    EXPECT_FALSE(dlg->IsTimerRunning(TIMER_CLIPBOARD));
    // What was selected before the switch is not asked for.
    Select("cards", *dlg);
    dlg->OnSysCommand(IDM_POPUP);
    ASSERT_TRUE(dlg->IsPopupOn());
    EXPECT_EQ(dlg->TimerInterval(TIMER_CLIPBOARD), 150);
    dlg->OnClipboardTick();
    dlg->OnClipboardTick();
    EXPECT_EQ(dlg->Popup(), nullptr);

    // A selection, once it stays the same for a tick, pops up; the window itself does not change.
    const std::string shown = PageView(dlg)->CurrentPath();
    Select("house of cards", *dlg);
    dlg->OnClipboardTick();
    dlg->OnClipboardTick();
    CTranslationPopup* popup = dlg->Popup();
    ASSERT_NE(popup, nullptr);
    EXPECT_TRUE(popup->isVisible());
    EXPECT_EQ(popup->Title(), "house");
    EXPECT_TRUE(popup->Page()->toPlainText().contains("namas, pastatas"));
    EXPECT_EQ(EntryBox(dlg)->text(), "");
    EXPECT_EQ(PageView(dlg)->CurrentPath(), shown);
    EXPECT_EQ(IndexList(dlg)->Selection(), -1);
    EXPECT_EQ(dlg->TimerInterval(TIMER_CLIPBOARD), 150);
    // Escape closes it, and the same selection does not come again.
    QTest::keyClick(popup, Qt::Key_Escape);
    EXPECT_FALSE(popup->isVisible());
    Select("house of cards", *dlg);
    dlg->OnClipboardTick();
    dlg->OnClipboardTick();
    EXPECT_FALSE(popup->isVisible());

    // A program that selects another word keeps the selection, and nobody is told: the popup's
    // watch reads it anyway. A word nothing matches says so; the pointer leaving closes it,
    // moving over it does not.
    g_selection = "zzzq";
    dlg->OnClipboardTick();
    dlg->OnClipboardTick();
    ASSERT_TRUE(popup->isVisible());
    EXPECT_EQ(popup->Title(), "zzzq");
    const QRect frame = popup->frameGeometry();
    popup->PointerAt(frame.bottomRight());
    EXPECT_TRUE(popup->isVisible());
    popup->PointerAt(frame.bottomRight() + QPoint(1, 0));
    EXPECT_FALSE(popup->isVisible());

    // A link of the page closes it and shows its word in the window.
    Select("house", *dlg);
    dlg->OnClipboardTick();
    dlg->OnClipboardTick();
    ASSERT_TRUE(popup->isVisible());
    popup->Page()->FollowLink("cards");
    EXPECT_FALSE(popup->isVisible());
    LEKSTAR_WAIT_TRUE(EntryBox(dlg)->text() == "cards");
    EntryBox(dlg)->clear();
    QApplication::setActiveWindow(nullptr);

    // A click on the title shows the word in the window.
    Select("cards", *dlg);
    dlg->OnClipboardTick();
    dlg->OnClipboardTick();
    ASSERT_TRUE(popup->isVisible());
    QLabel* title = popup->findChild<QLabel*>("PopupTitle");
    ASSERT_NE(title, nullptr);
    QTest::mouseClick(title, Qt::LeftButton);
    EXPECT_FALSE(popup->isVisible());
    EXPECT_EQ(EntryBox(dlg)->text(), "cards");
    EXPECT_EQ(IndexList(dlg)->Selection(), 0);
    // Copied or selected while this program's own window is in front: its own words.
    dlg->activateWindow();
    LEKSTAR_WAIT_TRUE(dlg->isActiveWindow());
    Copy("house");
    dlg->OnClipboardTick();
    Select("house painter", *dlg);
    dlg->OnClipboardTick();
    dlg->OnClipboardTick();
    EXPECT_FALSE(popup->isVisible());

    // On top the window translates for itself; switched off, the watch stops.
    ClickButton(dlg, "IDC_ALWAYSONTOP");
    Copy("house of cards");
    dlg->OnClipboardTick();
    EXPECT_FALSE(popup->isVisible());
    EXPECT_EQ(EntryBox(dlg)->text(), "house");
    ClickButton(dlg, "IDC_ALWAYSONTOP");
    EXPECT_EQ(dlg->TimerInterval(TIMER_CLIPBOARD), 150);
    dlg->OnSysCommand(IDM_POPUP);
    EXPECT_FALSE(dlg->IsTimerRunning(TIMER_CLIPBOARD));
    dlg->ExitRoutine();
    EXPECT_EQ(UserSettings().value("Langelis").toString(), "0");
}

} // namespace
