// SPDX-License-Identifier: GPL-2.0-or-later
#include "desktop/WebBrowser2.h"
#include "lists/VListBox.h"
#include "lists/WordEdit.h"
#include "support/DialogFixture.h"
#include "support/GuiWait.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QTest>

namespace {

class ClipboardWatchTest : public CDialogFixture {
protected:
    SDictContent Content() const override {
        SDictContent c;
        c.articles = {Article("cards", "<P>1. kortos</P>"), Article("house", "<P>1. namas, pastatas</P>")};
        c.reverse = {{"namas", {1}}};
        return c;
    }
    static void Copy(const QString& text) { QGuiApplication::clipboard()->setText(text); }
};

TEST_F(ClipboardWatchTest, TheFirstWordOfNewTextIsShownOnce) {
    Copy("");
    auto dlg = Start();
    ASSERT_TRUE(m_bInitResult);
    dlg->ToggleAlwaysOnTop();
    ASSERT_EQ(dlg->TimerInterval(TIMER_CLIPBOARD), 333);

    Copy("  house of cards");
    dlg->OnClipboardTick();
    EXPECT_EQ(dlg->ClipboardWatch().LastText(), "  house of cards");
    EXPECT_EQ(EntryBox(dlg)->text(), "house");
    EXPECT_EQ(IndexList(dlg)->selection, 1);
    EXPECT_TRUE(IndexList(dlg)->keepSelectionVisible);
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
    dlg->SwitchDirection(1);
    EXPECT_EQ(dlg->ClipboardWatch().LastText(), "");
    Copy("namas");
    dlg->OnClipboardTick();
    EXPECT_EQ(IndexList(dlg)->selection, 0);
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
    dlg->ToggleAlwaysOnTop();
    EXPECT_FALSE(dlg->IsTimerRunning(TIMER_CLIPBOARD));
}

} // namespace
