// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/ZodynasDlg.h"
#include "app/RegKey.h"
#include "app/WindowMenu.h"
#include "app/ZodynasApp.h"
#include "desktop/BitmapButton.h"
#include "desktop/TempFolder.h"
#include "desktop/WebBrowser2.h"
#include "lists/WordEdit.h"
#include "support/DialogFixture.h"
#include "support/GuiWait.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDir>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <unistd.h>

namespace {

class ZodynasDlgTest : public CDialogFixture {};

TEST_F(ZodynasDlgTest, AMissingDictionaryIsReportedAndNothingIsSaved) {
    std::filesystem::remove(m_app.File("LEKSTAR.dic"));
    auto dlg = Start();
    EXPECT_FALSE(m_bInitResult);
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0], "\nLEKSTAR\nNeatsidaro \xFEodyno failas:\n" + m_app.File("LEKSTAR.dic"));
    EXPECT_EQ(m_icons[0], QMessageBox::Critical);
    EXPECT_FALSE(UserSettings().contains("Kalba"));
    EXPECT_FALSE(dlg->isVisible());
}

TEST_F(ZodynasDlgTest, ADamagedDictionaryIsReportedToo) {
    WriteBytes(m_app.File("LEKSTAR.dic"), "short");
    Start();
    EXPECT_FALSE(m_bInitResult);
    ASSERT_EQ(m_messages.size(), 1u);
}

TEST_F(ZodynasDlgTest, StartUpShowsTheWindowTheStartPageAndTheTimers) {
    auto dlg = Start();
    ASSERT_TRUE(m_bInitResult);
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const int w = screen.height() > 600 ? 900 : 600;
    const int h = screen.height() > 600 ? 574 : 410;
    EXPECT_EQ(dlg->windowTitle(), "LEKSTAR");
    // The outer rectangle: the settings hold that one.
    EXPECT_EQ(dlg->frameGeometry(),
              QRect(screen.x() + (screen.width() - w) / 2, screen.y() + (screen.height() - h) / 2, w, h));
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_EQ(dlg->Caption(), "Apie");
    EXPECT_EQ(PageView(dlg)->CurrentPath(),
              m_theApp.ProgramDir() + (screen.width() > 800 ? "/HTM/Apie.htm" : "/HTM/Apie_s.htm"));
    EXPECT_TRUE(dlg->IsTimerRunning(TIMER_SPLASH));
    EXPECT_EQ(dlg->TimerInterval(TIMER_SPLASH), 150);
    EXPECT_FALSE(dlg->IsTimerRunning(TIMER_CLIPBOARD));
    EXPECT_FALSE(ChildNamed<QPushButton>(dlg, "IDOK")->isVisible());
    EXPECT_EQ(dlg->ActiveList(), EWordList::Index);
    // The splash goes with the first tick.
    LEKSTAR_WAIT_TRUE(!dlg->IsTimerRunning(TIMER_SPLASH));
    EXPECT_FALSE(dlg->HasSplash());
}

TEST_F(ZodynasDlgTest, TheSplashTickStartsTheClipboardWatchOnlyWhileOnTop) {
    for (const int onTop : {0, 1}) {
        {
            QSettings user = UserSettings();
            user.setValue("AOT", onTop);
        }
        auto dlg = Start();
        ASSERT_TRUE(m_bInitResult);
        // Before the splash's tick only the start with always on top runs the watch.
        LEKSTAR_WAIT_TRUE(!dlg->IsTimerRunning(TIMER_SPLASH));
        EXPECT_EQ(dlg->IsTimerRunning(TIMER_CLIPBOARD), onTop != 0) << onTop;
        if (onTop != 0) {
            EXPECT_EQ(dlg->TimerInterval(TIMER_CLIPBOARD), 200);
        }
        dlg->ExitRoutine();
    }
}

TEST_F(ZodynasDlgTest, EveryControlHasANameForScreenReaders) {
    auto dlg = Start();
    ASSERT_TRUE(m_bInitResult);
    const auto name = [](QWidget* w) {
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
        return a != nullptr ? a->text(QAccessible::Name).toStdString() : std::string("(none)");
    };
    EXPECT_EQ(name(Button(dlg, "IDC_ENGLISH")), "Angliškas indeksas");
    EXPECT_EQ(name(Button(dlg, "IDC_LITHUANIAN")), "Lietuviškas indeksas");
    EXPECT_EQ(name(Button(dlg, "IDC_HISTORY")), "Praeitis");
    EXPECT_EQ(name(Button(dlg, "IDC_ALWAYSONTOP")), "Visada viršuje");
    EXPECT_EQ(name(Button(dlg, "IDC_PRINT")), "Spausdinti");
    EXPECT_EQ(name(Button(dlg, "IDC_HELP")), "Pagalba");
    EXPECT_EQ(name(Button(dlg, "IDCANCEL")), "Baigti");
    EXPECT_EQ(name(Button(dlg, "IDC_CLEARHISTORY")), "Išvalyti sąrašą");
    EXPECT_EQ(QAccessible::queryAccessibleInterface(Button(dlg, "IDC_PRINT"))
                  ->text(QAccessible::Description)
                  .toStdString(),
              "Spausdinti");
    EXPECT_EQ(name(EntryBox(dlg)), "Žodis");
    EXPECT_EQ(name(PageView(dlg)), "Vertimas");
    EXPECT_EQ(name(IndexList(dlg)), "Indeksas");
    EXPECT_EQ(name(HistoryList(dlg)), "Praeitis");

    // The main window is a window named by its caption.
    QAccessibleInterface* window = QAccessible::queryAccessibleInterface(dlg.get());
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->role(), QAccessible::Window);
    EXPECT_EQ(window->text(QAccessible::Name).toStdString(), "LEKSTAR");
    // The two switches are toggle buttons with their state, whichever way they are switched;
    // the other buttons are not.
    const auto state = [](QWidget* w) { return QAccessible::queryAccessibleInterface(w)->state(); };
    EXPECT_TRUE(state(Button(dlg, "IDC_ALWAYSONTOP")).checkable);
    EXPECT_FALSE(state(Button(dlg, "IDC_ALWAYSONTOP")).checked);
    QTest::mouseClick(Button(dlg, "IDC_ALWAYSONTOP"), Qt::LeftButton);
    EXPECT_TRUE(dlg->IsAlwaysOnTop());
    EXPECT_TRUE(state(Button(dlg, "IDC_ALWAYSONTOP")).checked);
    ClickButton(dlg, "IDC_ALWAYSONTOP");
    EXPECT_FALSE(state(Button(dlg, "IDC_ALWAYSONTOP")).checked);
    EXPECT_TRUE(state(Button(dlg, "IDC_HISTORY")).checkable);
    EXPECT_EQ(state(Button(dlg, "IDC_HISTORY")).checked, dlg->IsHistoryShown());
    ClickButton(dlg, "IDC_HISTORY");
    EXPECT_EQ(state(Button(dlg, "IDC_HISTORY")).checked, dlg->IsHistoryShown());
    QTest::mouseClick(Button(dlg, "IDC_HISTORY"), Qt::LeftButton);
    EXPECT_EQ(state(Button(dlg, "IDC_HISTORY")).checked, dlg->IsHistoryShown());
    EXPECT_FALSE(state(Button(dlg, "IDC_PRINT")).checkable);
}

TEST_F(ZodynasDlgTest, ButtonsCarryTheBitmapsOfTheLayoutAndState) {
    auto dlg = Start();
    ASSERT_TRUE(m_bInitResult);
    const bool large = m_theApp.IsLargeLayout();
    const bool high = m_theApp.IsHighColour();
    const auto pick = [&](int sh, int sp, int lh, int lp) {
        return large ? (high ? lh : lp) : (high ? sh : sp);
    };
    const int selected = pick(169, 209, 162, 208);
    const struct {
        CBitmapButton* button;
        int normal;
    } expected[] = {
        {Button(dlg, "IDC_ALWAYSONTOP"), pick(167, 191, 161, 189)},
        {Button(dlg, "IDC_HISTORY"), pick(186, 203, 158, 201)},
        {Button(dlg, "IDC_PRINT"), pick(163, 199, 155, 196)},
        {Button(dlg, "IDCANCEL"), pick(168, 204, 153, 180)},
        {Button(dlg, "IDC_HELP"), pick(215, 214, 212, 213)},
        {Button(dlg, "IDC_CLEARHISTORY"), pick(193, 195, 192, 194)},
    };
    for (const auto& e : expected) {
        EXPECT_EQ(e.button->NormalId(), e.normal) << e.button->objectName().toStdString();
        EXPECT_EQ(e.button->SelectedId(), selected) << e.button->objectName().toStdString();
    }
    EXPECT_EQ(Button(dlg, "IDC_ENGLISH")->NormalId(), 219);
    EXPECT_EQ(Button(dlg, "IDC_LITHUANIAN")->NormalId(), 216);
    EXPECT_EQ(Button(dlg, "IDC_ENGLISH")->toolTip(), "Angliškas indeksas");
    EXPECT_EQ(Button(dlg, "IDC_CLEARHISTORY")->toolTip(), "Išvalyti sąrašą");
    EXPECT_EQ(Button(dlg, "IDC_ALWAYSONTOP")->toolTip(), "Visada viršuje");

    ClickButton(dlg, "IDC_ALWAYSONTOP");
    EXPECT_EQ(Button(dlg, "IDC_ALWAYSONTOP")->NormalId(), pick(164, 190, 160, 188));
    EXPECT_TRUE(dlg->IsTimerRunning(TIMER_CLIPBOARD));
    EXPECT_EQ(dlg->TimerInterval(TIMER_CLIPBOARD), 333);
    EXPECT_TRUE(dlg->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    ClickButton(dlg, "IDC_ALWAYSONTOP");
    EXPECT_EQ(Button(dlg, "IDC_ALWAYSONTOP")->NormalId(), pick(167, 191, 161, 189));
    EXPECT_FALSE(dlg->IsTimerRunning(TIMER_CLIPBOARD));
    EXPECT_FALSE(dlg->windowFlags().testFlag(Qt::WindowStaysOnTopHint));

    const bool shown = dlg->IsHistoryShown();
    ClickButton(dlg, "IDC_HISTORY");
    EXPECT_EQ(dlg->IsHistoryShown(), !shown);
    EXPECT_EQ(Button(dlg, "IDC_HISTORY")->NormalId(),
              shown ? pick(186, 203, 158, 201) : pick(187, 202, 159, 200));
    EXPECT_EQ(Button(dlg, "IDC_CLEARHISTORY")->isVisible(), !shown);
}

TEST_F(ZodynasDlgTest, LargeLayoutOnAPaletteScreenPicksItsOwnBitmaps) {
    m_theApp.SetScreenMetrics(8, 120, 120);
    auto dlg = Start();
    ASSERT_TRUE(m_bInitResult);
    EXPECT_EQ(Button(dlg, "IDC_ALWAYSONTOP")->NormalId(), 189);
    EXPECT_EQ(Button(dlg, "IDC_HISTORY")->NormalId(), 201);
    EXPECT_EQ(Button(dlg, "IDC_PRINT")->NormalId(), 196);
    EXPECT_EQ(Button(dlg, "IDCANCEL")->NormalId(), 180);
    EXPECT_EQ(Button(dlg, "IDC_HELP")->NormalId(), 213);
    EXPECT_EQ(Button(dlg, "IDC_CLEARHISTORY")->NormalId(), 194);
    EXPECT_EQ(Button(dlg, "IDCANCEL")->SelectedId(), 208);
    EXPECT_EQ(dlg->LayoutValues().nButtonSize, 44);
    LEKSTAR_WAIT_EQ(Button(dlg, "IDC_HELP")->geometry().size(), QSize(44, 44));
    ClickButton(dlg, "IDC_ALWAYSONTOP");
    EXPECT_EQ(Button(dlg, "IDC_ALWAYSONTOP")->NormalId(), 188);
}

TEST_F(ZodynasDlgTest, RightClickAndTheMenuKeyOpenTheWindowMenu) {
    auto dlg = Start();
    ASSERT_TRUE(m_bInitResult);
    QContextMenuEvent key(QContextMenuEvent::Keyboard, QPoint(1, 1),
                          EntryBox(dlg)->mapToGlobal(QPoint(1, 1)));
    QApplication::sendEvent(EntryBox(dlg), &key);
    LEKSTAR_WAIT_TRUE(dlg->SystemMenu()->isVisible());
    dlg->SystemMenu()->hide();
    QContextMenuEvent mouse(QContextMenuEvent::Mouse, QPoint(5, 300), dlg->mapToGlobal(QPoint(5, 300)));
    QApplication::sendEvent(dlg.get(), &mouse);
    LEKSTAR_WAIT_TRUE(dlg->SystemMenu()->isVisible());
    dlg->SystemMenu()->hide();
}

TEST_F(ZodynasDlgTest, StayingOnTopKeepsTheWindowRunning) {
    auto dlg = Start();
    ASSERT_TRUE(m_bInitResult);
    bool visibleAfterToggles = false;
    QTimer::singleShot(0, dlg.get(), [&] {
        ClickButton(dlg, "IDC_ALWAYSONTOP");
        EXPECT_TRUE(dlg->windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
        ClickButton(dlg, "IDC_ALWAYSONTOP");
        EXPECT_FALSE(dlg->windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
        QTimer::singleShot(50, dlg.get(), [&] {
            visibleAfterToggles = dlg->isVisible();
            dlg->OnCancel();
        });
    });
    dlg->exec();
    EXPECT_TRUE(visibleAfterToggles);
}

TEST(WindowMenu, AnEntryThatCannotWorkSaysWhy) {
    const std::string noSelection = " (šis darbastalis žymėjimo neduoda)";
    const std::string onlyFocused = " (šis darbastalis kitų programų žodžių neperduoda)";
    const auto why = [](bool bPopup, const char* platform, bool bSelection) {
        const char* reason =
            CWindowMenu::UnavailableReason(bPopup, QString::fromLatin1(platform), bSelection);
        return reason == nullptr ? std::string("works") : std::string(reason);
    };
    EXPECT_EQ(why(false, "xcb", true), "works");
    EXPECT_EQ(why(true, "xcb", true), "works");
    EXPECT_EQ(why(false, "xcb", false), noSelection);
    EXPECT_EQ(why(true, "offscreen", false), noSelection);
    EXPECT_EQ(why(false, "wayland", true), "works");
    EXPECT_EQ(why(true, "wayland", true), onlyFocused);
    EXPECT_EQ(why(true, "wayland-egl", true), onlyFocused);
    EXPECT_EQ(why(true, "wayland", false), noSelection);
}

TEST_F(ZodynasDlgTest, TheWindowMenuFollowsTheToggles) {
    auto dlg = Start();
    ASSERT_TRUE(m_bInitResult);
    const QList<QAction*> actions = dlg->SystemMenu()->actions();
    ASSERT_EQ(actions.size(), 9);
    EXPECT_TRUE(actions[0]->isSeparator());
    EXPECT_EQ(actions[1]->text(), "About...");
    EXPECT_EQ(actions[2]->text(), "&Show history");
    EXPECT_EQ(actions[3]->text(), "&Allways on top");
    EXPECT_TRUE(actions[4]->text().startsWith(QString::fromUtf8("Žymėjimas")));
    EXPECT_EQ(actions[5]->text(), QString::fromUtf8("&Žodžių formos"));
    EXPECT_TRUE(actions[6]->text().startsWith(QString::fromUtf8("Vertimas &langelyje")));
    EXPECT_TRUE(actions[7]->isSeparator());
    EXPECT_EQ(actions[8]->text(), "&Print");
    // The word forms entry works from the menu; the selection's only where the platform has one.
    EXPECT_TRUE(actions[5]->isChecked());
    actions[5]->trigger();
    EXPECT_FALSE(actions[5]->isChecked());
    EXPECT_FALSE(dlg->UsesWordForms());
    EXPECT_EQ(actions[4]->isEnabled(), QGuiApplication::clipboard()->supportsSelection());
    EXPECT_EQ(actions[6]->isEnabled(), QGuiApplication::clipboard()->supportsSelection());
    EXPECT_FALSE(actions[3]->isChecked());
    actions[3]->trigger();
    EXPECT_TRUE(actions[3]->isChecked());
    EXPECT_TRUE(dlg->IsAlwaysOnTop());
    EXPECT_EQ(dlg->TimerInterval(TIMER_CLIPBOARD), 333);
    const bool shown = dlg->IsHistoryShown();
    actions[2]->trigger();
    EXPECT_EQ(actions[2]->isChecked(), !shown);
    // Any id from 16 to 31 is the About command.
    dlg->OnSysCommand(31);
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_icons[0], QMessageBox::Information);
    EXPECT_EQ(m_messages[0], CZodynasDlg::AboutText());
    EXPECT_EQ(m_messages[0].rfind("\nLEKSTAR\n", 0), 0u);
    EXPECT_NE(m_messages[0].find("\nAngl\xF8-lietuvi\xF8 kalb\xF8 kompiuterinis \xFEodynas\n\nVersija "),
              std::string::npos);
    dlg->OnSysCommand(32);
    EXPECT_EQ(m_messages.size(), 1u);
}

TEST_F(ZodynasDlgTest, StartedForAutomationShowsNoSplashPageOrTimers) {
    {
        QSettings user = UserSettings();
        user.setValue("AOT", 1);
        user.setValue("Zodis", "cat");
    }
    m_theApp.SetStartedByOle(true);
    auto dlg = Start();
    ASSERT_TRUE(m_bInitResult);
    EXPECT_FALSE(dlg->HasSplash());
    EXPECT_FALSE(dlg->IsTimerRunning(TIMER_SPLASH));
    EXPECT_FALSE(dlg->IsTimerRunning(TIMER_CLIPBOARD));
    EXPECT_EQ(PageView(dlg)->CurrentPath(), "");
    EXPECT_EQ(EntryBox(dlg)->text(), "");
    EXPECT_TRUE(dlg->isVisible());
}

TEST_F(ZodynasDlgTest, EscapeSavesTheSettingsAndSweepsThePageFiles) {
    auto dlg = Start();
    ASSERT_TRUE(m_bInitResult);
    const std::string folder = CTempFolder::Path();
    ASSERT_FALSE(folder.empty());
    WriteBytes(folder + "/ZOD1A.TMP.htm", "page");
    WriteBytes(folder + "/ZOD2B.TMP", "left over");
    WriteBytes(folder + "/other.txt", "not ours");
    EntryBox(dlg)->setText("\xC5\xBEodis"); // "žodis" typed in UTF-8
    // Enter never closes the window.
    QTest::keyClick(EntryBox(dlg), Qt::Key_Return);
    EXPECT_TRUE(dlg->isVisible());
    QTest::keyClick(EntryBox(dlg), Qt::Key_Escape);
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_EQ(dlg->result(), QDialog::Rejected);
    EXPECT_FALSE(std::filesystem::exists(folder + "/ZOD1A.TMP.htm"));
    EXPECT_FALSE(std::filesystem::exists(folder + "/ZOD2B.TMP"));
    EXPECT_TRUE(std::filesystem::exists(folder + "/other.txt"));
    QSettings user = UserSettings();
    EXPECT_EQ(user.value("Zodis").toString(), "žodis");
    EXPECT_EQ(user.value("Kalba").toInt(), 0);
    EXPECT_EQ(user.value("AOT").toInt(), 0);
    EXPECT_EQ(user.value("SizeX").toInt(), dlg->frameGeometry().width());
    EXPECT_EQ(user.value("PosY").toInt(), dlg->frameGeometry().top());
}

TEST_F(ZodynasDlgTest, TheStoredWordAndRectangleComeBack) {
    {
        QSettings user = UserSettings();
        user.setValue("Zodis", "house");
        user.setValue("PosX", 40);
        user.setValue("PosY", 0);
        user.setValue("SizeX", 700);
        user.setValue("SizeY", 0);
        user.setValue("Eiga", 1);
    }
    auto dlg = Start();
    ASSERT_TRUE(m_bInitResult);
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const int h = screen.height() > 600 ? 574 : 410;
    EXPECT_EQ(EntryBox(dlg)->text(), "house");
    EXPECT_EQ(dlg->frameGeometry(), QRect(40, screen.y() + (screen.height() - h) / 2, 700, h));
    // No start page when a word was stored: its translation instead.
    const std::string page = PageView(dlg)->CurrentPath();
    EXPECT_EQ(page.substr(page.size() - 8), ".TMP.htm");
    EXPECT_EQ(dlg->Caption(), "Vertimas");
    // A stored word keeps the history column whatever the screen's height.
    EXPECT_TRUE(dlg->IsHistoryShown());
    EXPECT_TRUE(Button(dlg, "IDC_CLEARHISTORY")->isVisible());
}

TEST_F(ZodynasDlgTest, ASavedRectangleComesBackUnchangedStartAfterStart) {
    {
        QSettings user = UserSettings();
        user.setValue("Zodis", "house");
        user.setValue("PosX", 60);
        user.setValue("PosY", 60);
        user.setValue("SizeX", 700);
        user.setValue("SizeY", 500);
    }
    for (int start = 0; start < 3; ++start) {
        auto dlg = Start();
        ASSERT_TRUE(m_bInitResult);
        LEKSTAR_WAIT_TRUE(dlg->frameGeometry() != dlg->geometry());
        EXPECT_EQ(dlg->frameGeometry(), QRect(60, 60, 700, 500)) << start;
        dlg->ExitRoutine();
        QSettings user = UserSettings();
        EXPECT_EQ(user.value("PosX").toInt(), 60) << start;
        EXPECT_EQ(user.value("PosY").toInt(), 60) << start;
        EXPECT_EQ(user.value("SizeX").toInt(), 700) << start;
        EXPECT_EQ(user.value("SizeY").toInt(), 500) << start;
    }
}

TEST_F(ZodynasDlgTest, AnOddStoredSizeStillGivesAUsableWindow) {
    {
        QSettings user = UserSettings();
        user.setValue("Zodis", "house");
        user.setValue("PosX", 30);
        user.setValue("PosY", 20);
        user.setValue("SizeX", 650);
        user.setValue("SizeY", -5);
    }
    auto dlg = Start();
    ASSERT_TRUE(m_bInitResult);
    EXPECT_TRUE(dlg->isVisible());
    LEKSTAR_WAIT_TRUE(dlg->frameGeometry() != dlg->geometry());
    EXPECT_EQ(dlg->size(), QSize(650 - (dlg->frameGeometry().width() - dlg->width()), kMinClientHeight));
    EXPECT_EQ(dlg->frameGeometry().topLeft(), QPoint(30, 20));
}

// What the window has really painted: the platform's copy of the window, not a fresh rendering,
// so that a part the window forgot to repaint shows as it was.
QImage Painted(QWidget& window) {
    QCoreApplication::processEvents();
    QTest::qWait(20);
    return window.screen()->grabWindow(window.winId()).toImage().convertToFormat(QImage::Format_RGB32);
}

// Pixels of the label's place in the caption band that are not the band's colour.
int LabelPixels(const QImage& image, const QRect& band, int hx) {
    const QRgb face = QGuiApplication::palette().color(QPalette::Button).rgb();
    int n = 0;
    for (int y = band.top(); y <= band.bottom(); ++y)
        for (int x = hx; x < hx + 50 && x < image.width(); ++x)
            n += image.pixel(x, y) != face ? 1 : 0;
    return n;
}

TEST_F(ZodynasDlgTest, TheHistoryLabelIsPaintedExactlyWhileTheHistoryIsShown) {
    auto dlg = Start();
    ASSERT_TRUE(m_bInitResult);
    LEKSTAR_WAIT_TRUE(dlg->isVisible() && dlg->windowHandle()->isExposed());
    ASSERT_FALSE(dlg->IsHistoryShown());
    const QRect band =
        CaptionBand(dlg->rect(), dlg->LayoutValues(), m_theApp.LogPixelsX(), dlg->logicalDpiY());
    const int hx = dlg->width() - dlg->LayoutValues().nHistoryWidth - dlg->LayoutValues().nMargin - 1;
    EXPECT_EQ(LabelPixels(Painted(*dlg), band, hx), 0);
    ClickButton(dlg, "IDC_HISTORY");
    EXPECT_GT(LabelPixels(Painted(*dlg), band, hx), 20);
    // It follows the panel when the window grows.
    dlg->resize(dlg->width() + 80, dlg->height());
    EXPECT_EQ(LabelPixels(Painted(*dlg), band, hx), 0);
    EXPECT_GT(LabelPixels(Painted(*dlg), band, hx + 80), 20);
    ClickButton(dlg, "IDC_HISTORY");
    EXPECT_EQ(LabelPixels(Painted(*dlg), band, hx + 80), 0);
}

TEST_F(ZodynasDlgTest, ChildrenFollowTheLayoutRules) {
    auto dlg = Start();
    ASSERT_TRUE(m_bInitResult);
    dlg->resize(1000, 640);
    const SLayoutValues& v = dlg->LayoutValues();
    const int b = v.nButtonSize;
    LEKSTAR_WAIT_EQ(Button(dlg, "IDC_ALWAYSONTOP")->geometry().top(), 640 - b - 3);
    EXPECT_EQ(EntryBox(dlg)->geometry(),
              QRect(3, 6 + v.nLangButtonHeight, v.nEditWidthForward, v.nEditHeight));
    EXPECT_EQ(Button(dlg, "IDC_ENGLISH")->geometry(), QRect(3, 3, 24, 16));
    EXPECT_EQ(Button(dlg, "IDC_LITHUANIAN")->geometry(), QRect(30, 3, 24, 16));
    const int yb = 640 - b - 3;
    EXPECT_EQ(Button(dlg, "IDC_ALWAYSONTOP")->geometry(), QRect(3, yb, b, b));
    EXPECT_EQ(Button(dlg, "IDC_HISTORY")->geometry(), QRect(3 + (b + 3), yb, b, b));
    EXPECT_EQ(Button(dlg, "IDC_HELP")->geometry(), QRect(3 + 4 * (b + 3), yb, b, b));
    const int bx = 3 + v.nEditWidthForward + 3;
    const int hy = 3 + 3 + v.nLangButtonHeight - 1;
    if (dlg->IsHistoryShown()) {
        const int hx = 1000 - v.nHistoryWidth - 3 - 1;
        EXPECT_EQ(PageView(dlg)->geometry(), QRect(bx, hy + 1, hx - bx - 3, 640 - hy - 3));
    } else {
        EXPECT_EQ(PageView(dlg)->geometry(), QRect(bx, hy + 1, 1000 - bx - 3, 640 - hy - 3));
    }
    // Below 600 x 200 nothing moves further.
    dlg->resize(300, 100);
    LEKSTAR_WAIT_EQ(Button(dlg, "IDC_HELP")->geometry(), QRect(3 + 4 * (b + 3), 200 - b - 3, b, b));
}

// A dictionary of many pages, so that cutting it short takes pages away from the mapping.
class ChangingDictionaryTest : public CDialogFixture {
protected:
    SDictContent Content() const override {
        SDictContent c;
        c.articles = {Article("cat", "<P>katinas</P>"), Article("house", "<P>1. namas</P>")};
        for (int i = 0; i < 3000; ++i)
            c.articles.push_back(
                Article("w" + std::to_string(100000 + i), "<P>" + std::string(40, 'x') + "</P>"));
        c.reverse = {{"namas", {1}}};
        return c;
    }
};

TEST_F(ChangingDictionaryTest, AFileCutShortUnderTheWindowIsSaidAndTheWindowEnds) {
    {
        QSettings user = UserSettings();
        user.setValue("Eiga", 1);
        user.setValue("Zodis", "cat");
    }
    auto dlg = Start();
    ASSERT_TRUE(m_bInitResult);
    const std::string folder = CTempFolder::Path();
    ASSERT_TRUE(std::filesystem::exists(PageView(dlg)->CurrentPath()));
    ASSERT_EQ(::truncate(m_app.File("LEKSTAR.dic").c_str(), 1000), 0);
    // The next lookup reads pages that are gone.
    EntryBox(dlg)->setText("w102999");
    PressEnter(dlg);
    LEKSTAR_WAIT_TRUE(dlg->IsDictionaryGone());
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0], "\nLEKSTAR\nNeatsidaro \xFEodyno failas:\n" + m_app.File("LEKSTAR.dic"));
    EXPECT_EQ(m_icons[0], QMessageBox::Critical);
    EXPECT_FALSE(dlg->IsTimerRunning(TIMER_CLIPBOARD));
    // The exit routine ran: settings saved, no page file left.
    EXPECT_TRUE(UserSettings().contains("Kalba"));
    int left = 0;
    for (const auto& e : std::filesystem::directory_iterator(folder))
        left += e.path().filename().string().rfind("ZOD", 0) == 0 ? 1 : 0;
    EXPECT_EQ(left, 0);
    EXPECT_FALSE(dlg->isVisible());
}

} // namespace
