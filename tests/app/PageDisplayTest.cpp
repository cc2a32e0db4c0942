// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/WindowFixture.h"
#include "desktop/BitmapButton.h"
#include "desktop/TempFolder.h"
#include "desktop/WebBrowser2.h"
#include "lists/VListBox.h"
#include "lists/VListBoxHistory.h"
#include "lists/WordEdit.h"
#include "support/DialogFixture.h"
#include "support/GuiWait.h"

#include <QApplication>
#include <QClipboard>
#include <QScrollBar>
#include <QTest>

#include <QWheelEvent>
#include <initializer_list>
#include <map>

#include <algorithm>
#include <fstream>
#include <iterator>

namespace {

class PageDisplayTest : public CWindowFixture {};

TEST_F(PageDisplayTest, EnterWritesThePageAndShowsIt) {
    auto dlg = Start();
    ASSERT_TRUE(m_bInitResult);
    m_theApp.SetPageHead("<HTML><BODY>");
    EntryBox(dlg)->setText("cat");
    QTest::keyClick(EntryBox(dlg), Qt::Key_Return);
    const std::string page = PageView(dlg)->CurrentPath();
    ASSERT_EQ(page.substr(page.size() - 8), ".TMP.htm");
    EXPECT_EQ(ReadAll(page),
              "<HTML><BODY><A NAME=\"R1\"></A><P>1. katinas, kat\xEB</P>\r\n</BODY>\r\n</HTML>\r\n");
    EXPECT_EQ(dlg->Caption(), "Vertimas");
    EXPECT_EQ(EntryBox(dlg)->text(), "cat");
    // A print job and a PDF file are named by the word: "cat.pdf".
    EXPECT_EQ(PageView(dlg)->DocumentName(), "cat");
    EXPECT_EQ(IndexList(dlg)->Selection(), 2);
    EXPECT_TRUE(dlg->isVisible());
    // Homonyms: the entry box names the place of the entry among its equal neighbours.
    dlg->ShowForwardEntry(1);
    EXPECT_EQ(EntryBox(dlg)->text(), "bank 2");
    EXPECT_EQ(EntryBox(dlg)->cursorPosition(), 6);
    EXPECT_EQ(PageView(dlg)->DocumentName(), "bank 2");
    // Blank text shows nothing at all.
    const std::string before = PageView(dlg)->CurrentPath();
    dlg->ShowPage(" \r\n\t ", 3);
    EXPECT_EQ(PageView(dlg)->CurrentPath(), before);
    EXPECT_EQ(EntryBox(dlg)->text(), "bank 2");
}

TEST_F(PageDisplayTest, HistoryKeepsOrderAndRevisitsTheFirstPageFile) {
    auto dlg = StartWithHistory();
    ASSERT_TRUE(m_bInitResult);
    ASSERT_TRUE(dlg->IsHistoryShown());
    CVListBoxHistory* history = HistoryList(dlg);
    // The saved word was shown at start.
    ASSERT_EQ(history->Items(), std::vector<std::string>({"dog"}));
    const std::string firstDog = history->Pages().at("dog");
    dlg->ShowForwardEntry(2);
    dlg->ShowForwardEntry(3);
    EXPECT_EQ(history->Items(), std::vector<std::string>({"cat", "dog"}));
    EXPECT_EQ(history->Selection(), 1);
    EXPECT_EQ(history->Pages().at("dog"), firstDog);
    dlg->NavigateToPage(history->Pages().at("cat"));
    EXPECT_EQ(PageView(dlg)->CurrentPath(), history->Pages().at("cat"));
    EXPECT_EQ(PageView(dlg)->DocumentName(), "cat");
    // The history list drives the keys after a click; navigation puts its words.
    dlg->SetActiveList(EWordList::History);
    PressKey(dlg, Qt::Key_Up);
    EXPECT_EQ(EntryBox(dlg)->text(), "cat");
    EXPECT_EQ(history->Selection(), 0);
    PressKey(dlg, Qt::Key_Up);
    EXPECT_EQ(history->Selection(), 0);
    // Clearing deletes the recorded page files.
    const std::string catPage = history->Pages().at("cat");
    ASSERT_TRUE(std::filesystem::exists(catPage));
    dlg->ClearHistory();
    EXPECT_TRUE(history->Items().empty());
    EXPECT_FALSE(std::filesystem::exists(catPage));
    EXPECT_FALSE(std::filesystem::exists(firstDog));
    PressKey(dlg, Qt::Key_Down);
    EXPECT_EQ(EntryBox(dlg)->text(), "");
}

TEST_F(PageDisplayTest, F1WithoutAProgramForTheHelpShowsItsPageInTheWindow) {
    auto dlg = Start();
    ASSERT_TRUE(m_bInitResult);
    dlg->SetUrlOpener([this](const QUrl& url) {
        m_opened.push_back(url);
        return false;
    });
    const std::string help = m_theApp.ProgramDir() + "/HTM/Pagalba.htm";
    // No page either: the window says where it should be, and shows no other page.
    const std::string before = PageView(dlg)->CurrentPath();
    dlg->ShowHelp();
    ASSERT_EQ(m_opened.size(), 1u);
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0], "\nLEKSTAR\nPagalbos puslapio n\xEBra:\n" + help);
    EXPECT_EQ(PageView(dlg)->CurrentPath(), before);
    WriteBytes(help, "<HTML><BODY><P>Pagalba</P></BODY></HTML>");
    dlg->ShowHelp();
    EXPECT_EQ(m_opened.size(), 2u);
    EXPECT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(PageView(dlg)->CurrentPath(), help);
}

TEST_F(PageDisplayTest, TheTextSizeKeysZoomThePageAndTheSizeStaysForTheNextRun) {
    {
        auto dlg = Start();
        ASSERT_TRUE(m_bInitResult);
        dlg->activateWindow();
        LEKSTAR_WAIT_TRUE(dlg->isActiveWindow());
        EXPECT_EQ(PageView(dlg)->Zoom(), 100);
        const QFont entryFont = EntryBox(dlg)->font();
        // Ctrl++ three times: three steps up; Ctrl+- one down; Ctrl+0 back to the page's own.
        QTest::keyClick(EntryBox(dlg), Qt::Key_Plus, Qt::ControlModifier);
        QTest::keyClick(EntryBox(dlg), Qt::Key_Equal, Qt::ControlModifier);
        QTest::keyClick(EntryBox(dlg), Qt::Key_Plus, Qt::ControlModifier | Qt::ShiftModifier);
        EXPECT_EQ(dlg->PageZoom(), 150);
        EXPECT_EQ(PageView(dlg)->Zoom(), 150);
        QTest::keyClick(EntryBox(dlg), Qt::Key_Minus, Qt::ControlModifier);
        EXPECT_EQ(dlg->PageZoom(), 125);
        QTest::keyClick(EntryBox(dlg), Qt::Key_0, Qt::ControlModifier);
        EXPECT_EQ(dlg->PageZoom(), 100);
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(EntryBox(dlg), Qt::Key_Plus, Qt::ControlModifier);
        // The entry box and the lists keep the layout's sizes.
        EXPECT_EQ(EntryBox(dlg)->font(), entryFont);
        dlg->ExitRoutine();
        EXPECT_EQ(UserSettings().value("Mastelis").toString(), "150");
    }
    auto dlg = Start();
    ASSERT_TRUE(m_bInitResult);
    EXPECT_EQ(dlg->PageZoom(), 150);
    EXPECT_EQ(PageView(dlg)->Zoom(), 150);
}

TEST_F(PageDisplayTest, BackAndForwardGoOverThePagesShownNeverToAPageThatIsGone) {
    auto dlg = Start();
    ASSERT_TRUE(m_bInitResult);
    dlg->activateWindow();
    LEKSTAR_WAIT_TRUE(dlg->isActiveWindow());
    const auto shown = [&] { return ReadAll(PageView(dlg)->CurrentPath()); };
    EXPECT_FALSE(dlg->GoBack()); // nothing shown yet
    // house, Enter, the link "home".
    EntryBox(dlg)->setText("house");
    QTest::keyClick(EntryBox(dlg), Qt::Key_Return);
    ASSERT_NE(shown().find("namas"), std::string::npos);
    bool cancel = false;
    dlg->OnBeforeNavigate2(CTempFolder::Path() + "/home", cancel);
    LEKSTAR_WAIT_TRUE(!dlg->IsTimerRunning(TIMER_SHOWPAGE));
    ASSERT_NE(shown().find("namai"), std::string::npos);
    EXPECT_EQ(EntryBox(dlg)->text(), "home");
    // Alt+Left: the house page again, with its word and its row; Alt+Right: home.
    QTest::keyClick(EntryBox(dlg), Qt::Key_Left, Qt::AltModifier);
    EXPECT_NE(shown().find("namas"), std::string::npos);
    EXPECT_EQ(EntryBox(dlg)->text(), "house");
    EXPECT_EQ(IndexList(dlg)->Selection(), 5);
    QTest::keyClick(EntryBox(dlg), Qt::Key_Right, Qt::AltModifier);
    EXPECT_NE(shown().find("namai"), std::string::npos);
    EXPECT_EQ(IndexList(dlg)->Selection(), 4);
    EXPECT_FALSE(dlg->GoForward()); // the end of the trail
    // Backspace on the page and the mouse's back button go back too; the history is not touched.
    const std::vector<std::string> history = HistoryList(dlg)->Items();
    PageView(dlg)->setFocus();
    LEKSTAR_WAIT_TRUE(PageView(dlg)->hasFocus());
    QTest::keyClick(PageView(dlg), Qt::Key_Backspace);
    EXPECT_NE(shown().find("namas"), std::string::npos);
    EXPECT_FALSE(dlg->GoBack()); // the start of the trail
    QTest::mousePress(PageView(dlg)->viewport(), Qt::ForwardButton);
    EXPECT_NE(shown().find("namai"), std::string::npos);
    QTest::mousePress(PageView(dlg)->viewport(), Qt::BackButton);
    EXPECT_NE(shown().find("namas"), std::string::npos);
    EXPECT_EQ(HistoryList(dlg)->Items(), history);
    // A new page after going back drops the pages ahead.
    EntryBox(dlg)->setText("cat");
    QTest::keyClick(EntryBox(dlg), Qt::Key_Return);
    EXPECT_FALSE(dlg->GoForward());
    EXPECT_TRUE(dlg->GoBack());
    EXPECT_NE(shown().find("namas"), std::string::npos);
}

TEST_F(PageDisplayTest, LinksAreInterceptedAndShownTwentyMillisecondsLater) {
    auto dlg = Start();
    ASSERT_TRUE(m_bInitResult);
    const std::string folder = CTempFolder::Path();
    bool cancel = false;
    dlg->OnBeforeNavigate2(folder + "/ZOD1F.TMP.htm#R3", cancel);
    EXPECT_FALSE(cancel);
    dlg->OnBeforeNavigate2(m_theApp.ProgramDir() + "/HTM/Apie_s.htm", cancel);
    EXPECT_FALSE(cancel);
    dlg->OnBeforeNavigate2(m_theApp.ProgramDir() + "/HTM/Apie.htm#top", cancel);
    EXPECT_FALSE(cancel);
    // A word that only contains "apie" is a link like any other.
    dlg->OnBeforeNavigate2(folder + "/apiece", cancel);
    EXPECT_TRUE(cancel);
    cancel = false;
    dlg->OnBeforeNavigate2(folder + "/Apie_sx.htm", cancel);
    EXPECT_TRUE(cancel);
    cancel = false;
    dlg->OnBeforeNavigate2("no-separator", cancel);
    EXPECT_FALSE(cancel);
    dlg->OnBeforeNavigate2(folder + "/nosuchword", cancel);
    EXPECT_TRUE(cancel);
    EXPECT_FALSE(dlg->IsTimerRunning(TIMER_SHOWPAGE));
    cancel = false;
    dlg->OnBeforeNavigate2(folder + "/Home", cancel);
    EXPECT_TRUE(cancel);
    EXPECT_TRUE(dlg->IsTimerRunning(TIMER_SHOWPAGE));
    EXPECT_EQ(dlg->TimerInterval(TIMER_SHOWPAGE), 20);
    EXPECT_EQ(dlg->PendingPage(), "home\t<A NAME=\"R1\"></A><P>1. namai</P>");
    LEKSTAR_WAIT_TRUE(!dlg->IsTimerRunning(TIMER_SHOWPAGE));
    EXPECT_EQ(dlg->PendingPage(), "");
    EXPECT_NE(ReadAll(PageView(dlg)->CurrentPath()).find("<P>1. namai</P>"), std::string::npos);
    // Shown as the entry the link list found: "home" has no homonyms (entry 0 would say "1").
    EXPECT_EQ(EntryBox(dlg)->text(), "home");
    EXPECT_EQ(IndexList(dlg)->Selection(), 4);
}

TEST_F(PageDisplayTest, ALinkInTheLithuanianIndexShowsItsEnglishHeadword) {
    auto dlg = StartWithHistory();
    ASSERT_TRUE(m_bInitResult);
    QTest::mouseClick(Button(dlg, "IDC_LITHUANIAN"), Qt::LeftButton);
    QTest::keyClicks(EntryBox(dlg), "nam");
    ASSERT_EQ(IndexList(dlg)->Selection(), 1);
    bool cancel = false;
    dlg->OnBeforeNavigate2(CTempFolder::Path() + "/home", cancel);
    EXPECT_TRUE(cancel);
    LEKSTAR_WAIT_TRUE(!dlg->IsTimerRunning(TIMER_SHOWPAGE));
    EXPECT_NE(ReadAll(PageView(dlg)->CurrentPath()).find("<P>1. namai</P>"), std::string::npos);
    // Not reverse record 0 ("katinas"), and no English entry number in the Lithuanian selection.
    EXPECT_EQ(EntryBox(dlg)->text(), "home");
    ASSERT_EQ(HistoryList(dlg)->Items().size(), 1u);
    EXPECT_EQ(HistoryList(dlg)->Items()[0], "home");
    EXPECT_EQ(IndexList(dlg)->Selection(), 1);
    // Enter shows the Lithuanian word the index still selects.
    PressEnter(dlg);
    EXPECT_EQ(EntryBox(dlg)->text(), "namas");
    EXPECT_NE(ReadAll(PageView(dlg)->CurrentPath()).find("<SPAN CLASS=SELECTED>namas</SPAN>"),
              std::string::npos);
}

TEST_F(PageDisplayTest, ATakenFolderNameStillShowsPagesNoFolderShowsThemFromMemory) {
    // Someone else's thing under the predictable name.
    WriteBytes(m_tmp.File("lekstar-" + std::to_string(::getuid())), "taken");
    auto dlg = Start();
    ASSERT_TRUE(m_bInitResult);
    EntryBox(dlg)->setText("cat");
    PressEnter(dlg);
    const std::string shown = PageView(dlg)->CurrentPath();
    EXPECT_EQ(shown.rfind(m_tmp.File("lekstar-" + std::to_string(::getuid()) + "-"), 0), 0u) << shown;
    EXPECT_NE(ReadAll(shown).find("katinas"), std::string::npos);

    // No temporary folder at all: the page is shown from memory, no message box is raised, and
    // the first such page says once why its page is no file.
    qputenv("TMPDIR", QByteArray::fromStdString(m_tmp.File("gone")));
    EntryBox(dlg)->setText("dog");
    PressEnter(dlg);
    EXPECT_EQ(PageView(dlg)->CurrentPath(), "/dev/null/ZOD0000.TMP.htm");
    EXPECT_TRUE(PageView(dlg)->toPlainText().startsWith(QString::fromUtf8(
        "Vertimo puslapiai rodomi neįrašyti į failus: nepavyksta rašyti laikinajame aplanke ")));
    EXPECT_TRUE(PageView(dlg)->toPlainText().contains(QString::fromUtf8("šuo")));
    EntryBox(dlg)->setText("cat");
    PressEnter(dlg);
    EXPECT_TRUE(PageView(dlg)->toPlainText().startsWith(QString::fromUtf8("1. katinas")));
    EXPECT_TRUE(m_messages.empty());
    // Pages are files again once a folder can be made.
    qputenv("TMPDIR", QByteArray::fromStdString(m_tmp.File("")));
    PressEnter(dlg);
    EXPECT_NE(ReadAll(PageView(dlg)->CurrentPath()).find("katinas"), std::string::npos);
}

std::vector<std::string> PagesIn(const std::string& folder) {
    std::vector<std::string> pages;
    for (const auto& e : std::filesystem::directory_iterator(folder))
        if (e.path().extension() == ".htm")
            pages.push_back(e.path().string());
    std::sort(pages.begin(), pages.end());
    return pages;
}

TEST_F(PageDisplayTest, PagesNothingShowsOrListsGiveTheirNamesBack) {
    auto dlg = Start();
    ASSERT_TRUE(m_bInitResult);
    ASSERT_FALSE(dlg->IsHistoryShown());
    const std::string folder = CTempFolder::Path();
    for (const char* word : {"cat", "dog", "cat", "house", "dog"}) {
        EntryBox(dlg)->setText(word);
        PressEnter(dlg);
    }
    // The history is hidden: only the page shown is left.
    EXPECT_EQ(PagesIn(folder), std::vector<std::string>{PageView(dlg)->CurrentPath()});

    // With the history shown its pages stay; a word shown again keeps its first page.
    ClickButton(dlg, "IDC_HISTORY");
    EntryBox(dlg)->setText("cat");
    PressEnter(dlg);
    const std::string catPage = PageView(dlg)->CurrentPath();
    EntryBox(dlg)->setText("dog");
    PressEnter(dlg);
    const std::string dogPage = PageView(dlg)->CurrentPath();
    EntryBox(dlg)->setText("cat");
    PressEnter(dlg);
    EXPECT_NE(PageView(dlg)->CurrentPath(), catPage);
    EntryBox(dlg)->setText("dog");
    PressEnter(dlg);
    EXPECT_EQ(PagesIn(folder),
              (std::vector<std::string>{std::min(catPage, dogPage), std::max(catPage, dogPage),
                                        PageView(dlg)->CurrentPath()}));
    // A history click leaves the unlisted page shown before.
    dlg->NavigateToPage(catPage);
    EXPECT_EQ(PagesIn(folder),
              (std::vector<std::string>{std::min(catPage, dogPage), std::max(catPage, dogPage)}));
    // A switch of the index lets the listed pages go, all but the one shown.
    ClickButton(dlg, "IDC_LITHUANIAN");
    EXPECT_EQ(PagesIn(folder), std::vector<std::string>{catPage});
    // Files outside the page names are never touched.
    WriteBytes(folder + "/notes.htm", "mine");
    dlg->NavigateToPage(folder + "/notes.htm");
    dlg->NavigateToPage(dogPage);
    EXPECT_TRUE(std::filesystem::exists(folder + "/notes.htm"));
}

TEST_F(PageDisplayTest, AStartSweepsThePagesAKilledRunLeft) {
    const std::string folder = CTempFolder::Path();
    ASSERT_FALSE(folder.empty());
    WriteBytes(folder + "/ZOD1A2B.TMP.htm", "stale");
    WriteBytes(folder + "/ZOD3C4D.TMP", "stale");
    WriteBytes(folder + "/notes.txt", "mine");
    auto dlg = StartWithHistory();
    ASSERT_TRUE(m_bInitResult);
    for (const char* name : {"/ZOD1A2B.TMP.htm", "/ZOD3C4D.TMP"})
        EXPECT_TRUE(!std::filesystem::exists(folder + name) || ReadAll(folder + name) != "stale") << name;
    EXPECT_EQ(ReadAll(folder + "/notes.txt"), "mine");
    // The saved word's page was written after the sweep.
    EXPECT_TRUE(std::filesystem::exists(PageView(dlg)->CurrentPath()));
}

TEST_F(PageDisplayTest, ExitLeavesNoPageFileBehind) {
    auto dlg = StartWithHistory();
    ASSERT_TRUE(m_bInitResult);
    dlg->ShowForwardEntry(2);
    const std::string folder = CTempFolder::Path();
    QTest::keyClick(EntryBox(dlg), Qt::Key_Escape);
    int left = 0;
    for (const auto& e : std::filesystem::directory_iterator(folder))
        left += e.path().filename().string().rfind("ZOD", 0) == 0 ? 1 : 0;
    EXPECT_EQ(left, 0);
    EXPECT_EQ(UserSettings().value("Zodis").toString(), "cat");
}

// The program folder and the temporary folder under names with Lithuanian letters: paths are the
// file system's bytes, and only the pages are code page 1257.
class LithuanianPathsTest : public PageDisplayTest {
protected:
    void SetUp() override {
        PageDisplayTest::SetUp();
        const std::string program = m_config.File("\xC5\xBDodynas");
        std::filesystem::create_directory(program);
        std::filesystem::copy(m_app.File("LEKSTAR.dic"), program + "/LEKSTAR.dic");
        std::filesystem::copy(m_app.File("HTM"), program + "/HTM");
        m_theApp.SetProgramDir(program);
        const std::string tmp = m_tmp.File("\xC5\xBE");
        std::filesystem::create_directory(tmp);
        qputenv("TMPDIR", QByteArray::fromStdString(tmp));
    }
};

TEST_F(LithuanianPathsTest, PagesShowAndHistoryClicksWork) {
    auto dlg = StartWithHistory();
    ASSERT_TRUE(m_bInitResult);
    const std::string folder = CTempFolder::Path();
    ASSERT_NE(folder.find("/\xC5\xBE/"), std::string::npos);
    // The saved word's page came up at start.
    const std::string dogPage = PageView(dlg)->CurrentPath();
    EXPECT_EQ(dogPage.rfind(folder + "/ZOD", 0), 0u);
    EXPECT_TRUE(PageView(dlg)->toPlainText().contains(QString::fromUtf8("šuo")));
    EntryBox(dlg)->setText("cat");
    PressEnter(dlg);
    EXPECT_NE(PageView(dlg)->CurrentPath(), dogPage);
    EXPECT_TRUE(PageView(dlg)->toPlainText().contains(QString::fromUtf8("katinas, katė")));
    // A click on the history's first row shows the first page again.
    CVListBox* history = HistoryList(dlg);
    LEKSTAR_WAIT_TRUE(history->RowHeight() > 1);
    QTest::mouseClick(history->viewport(), Qt::LeftButton, {},
                      QPoint(10, history->TopMargin() + history->RowHeight() / 2));
    EXPECT_EQ(PageView(dlg)->CurrentPath(), dogPage);
    EXPECT_TRUE(PageView(dlg)->toPlainText().contains(QString::fromUtf8("šuo")));
    // A link in such a folder is still a link, and a Lithuanian link name arrives as page text.
    bool cancel = false;
    dlg->OnBeforeNavigate2(folder + "/Home", cancel);
    EXPECT_TRUE(cancel);
    EXPECT_EQ(dlg->PendingPage(), "home\t<A NAME=\"R1\"></A><P>1. namai</P>");
}

TEST_F(LithuanianPathsTest, TheStartPageComesFromTheProgramFolder) {
    auto dlg = Start();
    ASSERT_TRUE(m_bInitResult);
    EXPECT_EQ(PageView(dlg)->CurrentPath().rfind(m_theApp.ProgramDir() + "/HTM/Apie", 0), 0u);
    EXPECT_TRUE(PageView(dlg)->toPlainText().startsWith("Apie"));
}

} // namespace

namespace {

// "catsup" begins with "cats", "namuolis" with "namuo": without forms they are the nearest.
class WordFormsWindowTest : public CDialogFixture {
protected:
    SDictContent Content() const override {
        SDictContent c;
        c.articles = {Article("cat", "<P>1. katinas</P>"), Article("catsup", "<P>1. ka\xE8iupas</P>"),
                      Article("house", "<P>1. namas, pastatas</P>")};
        c.reverse = {{"namas", {2}}, {"namuolis", {1}}};
        return c;
    }
};

TEST_F(WordFormsWindowTest, APreloadReadsTheFormsBesideTheLoopForEachDirection) {
    auto dlg = Start();
    ASSERT_TRUE(m_bInitResult);
    dlg->PreloadWordForms();
    // English: nothing is read for a window only looked at, nor for words that can be no form;
    // the first that may be one has the data read beside the loop, and meanwhile is answered
    // from hunspell's word list.
    QTest::keyClicks(EntryBox(dlg), "cat");
    QTest::qWait(100);
    EXPECT_FALSE(dlg->AreWordFormsLoaded());
    QTest::keyClick(EntryBox(dlg), Qt::Key_S);
    EXPECT_EQ(IndexList(dlg)->Selection(), 0);
    LEKSTAR_WAIT_TRUE(dlg->AreWordFormsLoaded());
    // The other direction's data follows the switch, and a key that comes first waits for it.
    ClickButton(dlg, "IDC_LITHUANIAN");
    QTest::keyClicks(EntryBox(dlg), "namuose");
    EXPECT_EQ(IndexList(dlg)->Selection(), 0); // namas, not namuolis
}

TEST_F(WordFormsWindowTest, TypingEnterAndTheClipboardShowTheDictionaryForm) {
    {
        // A word left in the entry box that needs a form is shown as it stands at start-up,
        // which reads no hunspell data.
        QSettings user = UserSettings();
        user.setValue("Zodis", "cats");
    }
    auto dlg = Start();
    ASSERT_TRUE(m_bInitResult);
    ASSERT_TRUE(dlg->UsesWordForms());
    EXPECT_FALSE(dlg->AreWordFormsLoaded());
    EXPECT_EQ(IndexList(dlg)->Selection(), 1); // catsup, the nearest
    CWordEdit* edit = EntryBox(dlg);
    edit->clear();
    QTest::keyClicks(edit, "cats");
    EXPECT_EQ(IndexList(dlg)->Selection(), 0);
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(edit->text(), "cat"); // the word shown, not the word typed
    EXPECT_NE(ReadAll(PageView(dlg)->CurrentPath()).find("katinas"), std::string::npos);

    ClickButton(dlg, "IDC_LITHUANIAN");
    edit->clear();
    QTest::keyClicks(edit, "namuose");
    EXPECT_EQ(IndexList(dlg)->Selection(), 0);
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(edit->text(), "namas");
    EXPECT_NE(ReadAll(PageView(dlg)->CurrentPath()).find("<SPAN CLASS=SELECTED>namas</SPAN>"),
              std::string::npos);

    // The clipboard watch too.
    QGuiApplication::clipboard()->setText("");
    ClickButton(dlg, "IDC_ALWAYSONTOP");
    dlg->OnClipboardTick();
    QGuiApplication::clipboard()->setText("namuose ir kitur");
    dlg->OnClipboardTick();
    EXPECT_EQ(IndexList(dlg)->Selection(), 0);
    EXPECT_EQ(edit->text(), "namas");
    ClickButton(dlg, "IDC_ALWAYSONTOP");
}

TEST_F(WordFormsWindowTest, APageNotOfTheWordSaysSoAndItsSuggestionsLeadToTheirIndex) {
    auto dlg = Start();
    ASSERT_TRUE(m_bInitResult);
    CWordEdit* edit = EntryBox(dlg);
    const auto page = [&] { return ReadAll(PageView(dlg)->CurrentPath()); };
    const auto follow = [&](const std::string& name) {
        bool cancel = false;
        dlg->OnBeforeNavigate2(CTempFolder::Path() + "/" + name, cancel);
        EXPECT_TRUE(cancel);
        LEKSTAR_WAIT_TRUE(!dlg->IsTimerRunning(TIMER_SHOWPAGE));
    };
    // A form says which word it is a form of; the word itself says nothing.
    QTest::keyClicks(edit, "cats");
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_NE(page().find("<P CLASS=note>\x84"
                          "cats\x93 \x96 \xFEod\xFEio <B>cat</B> forma.</P>"),
              std::string::npos);
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(page().find("CLASS=note"), std::string::npos);

    // A misspelt word: the nearest headword, said to be only that, and hunspell's correction.
    edit->clear();
    QTest::keyClicks(edit, "hosue");
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(edit->text(), "house");
    EXPECT_NE(
        page().find(
            "<P CLASS=note>\x84hosue\x93 \xFEodyne n\xEBra; rodomas artimiausias \xFEodis <B>house</B>. "
            "Gal ie\xF0kojote: <A HREF=\"./en:686f757365\">house</A>?</P>\r\n"),
        std::string::npos);
    follow("en:686f757365");
    EXPECT_EQ(edit->text(), "house");
    EXPECT_EQ(IndexList(dlg)->Selection(), 2);
    EXPECT_EQ(page().find("CLASS=note"), std::string::npos);

    // A Lithuanian word in the English index is offered in its own index; the link switches.
    edit->clear();
    QTest::keyClicks(edit, "namas");
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_NE(page().find("Gal ie\xF0kojote: <A HREF=\"./lt:6e616d6173\">LT: namas</A>?</P>"),
              std::string::npos);
    ASSERT_EQ(dlg->Direction(), EDirection::Forward);
    follow("lt:6e616d6173");
    EXPECT_EQ(dlg->Direction(), EDirection::Reverse);
    EXPECT_EQ(edit->text(), "namas");
    EXPECT_EQ(IndexList(dlg)->Selection(), 0);
    EXPECT_NE(page().find("<SPAN CLASS=SELECTED>namas</SPAN>"), std::string::npos);
    EXPECT_EQ(page().find("CLASS=note"), std::string::npos);
    // And back: an English word in the Lithuanian index.
    edit->clear();
    QTest::keyClicks(edit, "house");
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_NE(page().find("<A HREF=\"./en:686f757365\">EN: house</A>?</P>"), std::string::npos);
    follow("en:686f757365");
    EXPECT_EQ(dlg->Direction(), EDirection::Forward);
    EXPECT_EQ(edit->text(), "house");
}

TEST_F(WordFormsWindowTest, WithTheSwitchOffEveryRoadGivesTheNearestHeadword) {
    auto dlg = Start();
    ASSERT_TRUE(m_bInitResult);
    dlg->OnSysCommand(IDM_WORDFORMS);
    ASSERT_FALSE(dlg->UsesWordForms());
    CWordEdit* edit = EntryBox(dlg);
    QTest::keyClicks(edit, "cats");
    EXPECT_EQ(IndexList(dlg)->Selection(), 1);
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(edit->text(), "catsup");

    ClickButton(dlg, "IDC_LITHUANIAN");
    edit->clear();
    QTest::keyClicks(edit, "namuose");
    EXPECT_EQ(IndexList(dlg)->Selection(), 1);
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(edit->text(), "namuolis");

    QGuiApplication::clipboard()->setText("");
    ClickButton(dlg, "IDC_ALWAYSONTOP");
    dlg->OnClipboardTick();
    QGuiApplication::clipboard()->setText("namuose");
    dlg->OnClipboardTick();
    EXPECT_EQ(IndexList(dlg)->Selection(), 1);
    EXPECT_EQ(edit->text(), "namuolis");
    ClickButton(dlg, "IDC_ALWAYSONTOP");

    // On again: the same word finds its form.
    dlg->OnSysCommand(IDM_WORDFORMS);
    edit->clear();
    QTest::keyClicks(edit, "namuose");
    EXPECT_EQ(IndexList(dlg)->Selection(), 0);
}

} // namespace
