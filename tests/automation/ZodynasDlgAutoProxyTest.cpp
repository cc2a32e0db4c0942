// SPDX-License-Identifier: GPL-2.0-or-later
// The automation object on a private bus, called by a real client, driving a real main window.

#include "automation/ZodynasDlgAutoProxy.h"
#include "automation/AutomationServer.h"
#include "automation/PrivateBus.h"
#include "desktop/TempFolder.h"
#include "desktop/WebBrowser2.h"
#include "dict/Cp1257.h"
#include "lists/VListBox.h"
#include "lists/VListBoxHistory.h"
#include "lists/WordEdit.h"
#include "render/PageComposer.h"
#include "support/DialogFixture.h"

#include <QDBusConnectionInterface>
#include <QDBusInterface>

#include <fstream>
#include <iterator>

namespace {

using Strings = std::vector<std::string>;

// A page head with a letter outside ASCII, so that the way back to UTF-8 shows.
const std::string kHead = "<HTML><HEAD><TITLE>\xD0odynas</TITLE></HEAD><BODY>";
const std::string kClose = "\r\n</BODY>\r\n</HTML>\r\n";
const std::string kStart = "<A NAME=\"#StartPoint\"></A>\r\n";
const std::string kBack = "<BR><A HREF=\"#StartPoint\">\xC1 prad\xFEi\xE0</a>\r\n";
// A page file holds the shown text without the blanks around it: the last back link loses its
// line end.
const std::string kLastBack = "<BR><A HREF=\"#StartPoint\">\xC1 prad\xFEi\xE0</a>";

class AutomationTest : public CDialogFixture {
protected:
    SDictContent Content() const override {
        SDictContent c;
        c.articles = {Article("a", "<P>1. ne\xFEymimasis artikelis</P>"),
                      Article("bank", "<P>1. krantas</P>", 1),
                      Article("bank", "<P>1. bankas</P>", 2),
                      Article("cat", "<P>1. katinas, kat\xEB</P>"),
                      Article("dog", "<P>1. \xF0uo</P>"),
                      Article("house", "<P>1. namas</P>")};
        c.reverse = {{"katinas", {3}}, {"namas", {5}}, {"\xF0uo", {4}}};
        return c;
    }

    void SetUp() override {
        CDialogFixture::SetUp();
        ASSERT_TRUE(m_bus.IsRunning());
        {
            // The history is shown, so that what the calls record can be seen.
            QSettings user = UserSettings();
            user.setValue("AOT", 0);
            user.setValue("Eiga", 1);
            user.setValue("Zodis", "dog");
        }
        // As the bus starts it for a caller: no splash, no start page, the saved word not shown.
        m_theApp.SetStartedByOle(true);
        m_dlg = Start();
        ASSERT_TRUE(m_bInitResult);
        ASSERT_TRUE(m_dlg->IsHistoryShown());
        m_theApp.SetPageHead(kHead);
        m_server = std::make_unique<CAutomationServer>(m_bus.Connect(), m_dlg.get());
        ASSERT_TRUE(m_server->Start());
        m_client = m_bus.Connect();
        ASSERT_TRUE(m_client.isConnected());
    }
    void TearDown() override {
        m_server.reset();
        m_dlg.reset();
        CDialogFixture::TearDown();
    }

    // One call through a QDBusInterface, as another program makes it.
    QDBusMessage Call(const QString& method, const QVariant& arg) {
        const QDBusConnection client = m_client;
        return OnClientThread([client, method, arg] {
            QDBusInterface iface(CAutomationServer::kServiceName, CAutomationServer::kObjectPath,
                                 CAutomationServer::kInterface, client);
            return iface.call(method, arg);
        });
    }
    // A call with a code page 1257 argument, answered with a page: the page back in code page 1257.
    std::string CallPage(const char* method, const std::string& cp1257) {
        const QDBusMessage reply = Call(method, QString::fromStdString(Cp1257::ToUtf8(cp1257)));
        EXPECT_EQ(reply.type(), QDBusMessage::ReplyMessage) << reply.errorMessage().toStdString();
        if (reply.arguments().size() != 1)
            return "(no answer)";
        const QByteArray utf8 = reply.arguments().front().toString().toUtf8();
        // Every byte of a page has its own character; the way there and back loses nothing.
        EXPECT_EQ(utf8.toStdString(), Cp1257::ToUtf8(Cp1257::FromUtf8(utf8.toStdString())));
        return Cp1257::FromUtf8(utf8.toStdString());
    }
    int CallShow(const char* method, const std::string& cp1257) {
        const QDBusMessage reply = Call(method, QString::fromStdString(Cp1257::ToUtf8(cp1257)));
        EXPECT_EQ(reply.type(), QDBusMessage::ReplyMessage) << reply.errorMessage().toStdString();
        EXPECT_EQ(reply.signature(), "i");
        return reply.arguments().size() == 1 ? reply.arguments().front().toInt() : -99;
    }

    // Leaves the window in the other direction with a word typed, history and clipboard memory,
    // all of which a call must clear.
    void Dirty(EDirection direction) {
        m_dlg->SwitchDirection(direction);
        HistoryList(m_dlg)->Record("old", m_tmp.File("old.htm"), true);
        EntryBox(m_dlg)->PutWord("zzz");
        m_dlg->ClipboardWatch().TakeWord("clip");
    }
    std::string ShownPage() const { return ReadAll(PageView(m_dlg)->CurrentPath()); }
    std::string EntryText() const { return EntryBox(m_dlg)->Word(); }
    Strings History() const { return HistoryList(m_dlg)->Items(); }

    CPrivateBus m_bus;
    std::unique_ptr<CZodynasDlg> m_dlg;
    std::unique_ptr<CAutomationServer> m_server;
    QDBusConnection m_client{QString()};
};

TEST_F(AutomationTest, TranslateShowsOneWordWithItsTitle) {
    Dirty(EDirection::Reverse);
    EXPECT_EQ(CallShow("Translate", "cat"), 0);
    EXPECT_EQ(ShownPage(), kHead + "<A NAME=\"Q0\"></A><A NAME=\"R1\"></A><P>1. katinas, kat\xEB</P>" +
                               kLastBack + kClose);
    EXPECT_EQ(m_dlg->Direction(), EDirection::Forward);
    EXPECT_EQ(EntryText(), "cat");
    EXPECT_EQ(History(), Strings{"cat"});
    EXPECT_EQ(IndexList(m_dlg)->Selection(), 3);
    EXPECT_EQ(IndexList(m_dlg)->TopIndex(), 0);
    EXPECT_EQ(m_dlg->ClipboardWatch().LastText(), "");
    EXPECT_EQ(m_dlg->Caption(), "Vertimas");

    // A trailing bar adds no item: the same page again, in a new file.
    const std::string before = PageView(m_dlg)->CurrentPath();
    EXPECT_EQ(CallShow("Translate", "cat|"), 0);
    EXPECT_NE(PageView(m_dlg)->CurrentPath(), before);
    EXPECT_EQ(ShownPage(), kHead + "<A NAME=\"Q0\"></A><A NAME=\"R1\"></A><P>1. katinas, kat\xEB</P>" +
                               kLastBack + kClose);
    EXPECT_EQ(EntryText(), "cat");
    EXPECT_EQ(History(), Strings{"cat"});
}

TEST_F(AutomationTest, TranslateSeveralWordsLinksThemAndMovesTheIndexToA) {
    Dirty(EDirection::Reverse);
    IndexList(m_dlg)->SetSelection(5);
    EXPECT_EQ(CallShow("Translate", "cat|dog"), 0);
    std::string follow;
    const std::string page = PageComposer::TranslatePage(m_dlg->Dict(), "cat|dog", follow);
    ASSERT_EQ(page.substr(page.size() - 2), "\r\n");
    EXPECT_EQ(ShownPage(), PageComposer::ComposePage(kHead, page.substr(0, page.size() - 2)));
    EXPECT_EQ(ShownPage(),
              kHead + kStart + "<A HREF=\"#Q0\">cat</A>&nbsp;<A HREF=\"#Q1\">dog</A>&nbsp;\r\n<HR>\r\n" +
                  "<A NAME=\"Q0\"></A><A NAME=\"R1\"></A><P>1. katinas, kat\xEB</P>" + kBack +
                  "\r\n<HR>\r\n<A NAME=\"Q1\"></A><A NAME=\"R1\"></A><P>1. \xF0uo</P>" + kLastBack + kClose);
    // The page has no title of its own: the words asked for stand for it.
    EXPECT_EQ(EntryText(), "cat dog");
    EXPECT_EQ(History(), Strings{"cat dog"});
    EXPECT_EQ(IndexList(m_dlg)->Selection(), 0);
    EXPECT_EQ(m_dlg->Direction(), EDirection::Forward);
}

TEST_F(AutomationTest, TranslateWithALeadingBarHasAnEmptyFirstItem) {
    Dirty(EDirection::Forward);
    EXPECT_EQ(CallShow("Translate", "|cat"), 0);
    EXPECT_EQ(ShownPage(),
              kHead + kStart + "<A HREF=\"#Q0\"></A>&nbsp;<A HREF=\"#Q1\">cat</A>&nbsp;\r\n<HR>\r\n" +
                  "<A NAME=\"Q0\"></A><A NAME=\"R1\"></A><P>1. ne\xFEymimasis artikelis</P>" + kBack +
                  "\r\n<HR>\r\n<A NAME=\"Q1\"></A><A NAME=\"R1\"></A><P>1. katinas, kat\xEB</P>" + kLastBack +
                  kClose);
    EXPECT_EQ(EntryText(), "cat");
    EXPECT_EQ(History(), Strings{"cat"});
    EXPECT_EQ(IndexList(m_dlg)->Selection(), 0);
}

TEST_F(AutomationTest, TranslateNothingSwitchesTheIndexAndShowsNothing) {
    CallShow("Translate", "dog");
    const std::string shown = PageView(m_dlg)->CurrentPath();
    Dirty(EDirection::Reverse);
    EXPECT_EQ(CallShow("Translate", ""), 0);
    EXPECT_EQ(PageView(m_dlg)->CurrentPath(), shown);
    EXPECT_EQ(m_dlg->Direction(), EDirection::Forward);
    EXPECT_EQ(EntryText(), "");
    EXPECT_EQ(History(), Strings{});
    EXPECT_EQ(m_dlg->ClipboardWatch().LastText(), "");
    // The index follows the empty text, which matches the first headword.
    EXPECT_EQ(IndexList(m_dlg)->Selection(), 0);
    EXPECT_EQ(IndexList(m_dlg)->LastIndex(), 5);
}

TEST_F(AutomationTest, TranslateHtmlReturnsThePageAndShowsNothing) {
    CallShow("Translate", "house");
    const std::string shown = PageView(m_dlg)->CurrentPath();
    Dirty(EDirection::Reverse);
    const std::string page = CallPage("TranslateHTML", "cat dog");
    EXPECT_EQ(page, PageComposer::TranslateHtml(m_dlg->Dict(), kHead, "cat dog"));
    EXPECT_EQ(page,
              kHead + kStart + "<A HREF=\"#Q0\">cat</A>&nbsp;<A HREF=\"#Q1\">dog</A>&nbsp;\r\n<HR>\r\n" +
                  "<A NAME=\"Q0\"></A><A NAME=\"R1\"></A><P>1. katinas, kat\xEB</P>" + kBack +
                  "\r\n<HR>\r\n<A NAME=\"Q1\"></A><A NAME=\"R1\"></A><P>1. \xF0uo</P>" + kBack + kClose);
    EXPECT_EQ(PageView(m_dlg)->CurrentPath(), shown);
    EXPECT_EQ(m_dlg->Direction(), EDirection::Forward);
    EXPECT_EQ(EntryText(), "");
    EXPECT_EQ(History(), Strings{});
    EXPECT_EQ(m_dlg->ClipboardWatch().LastText(), "");
    EXPECT_EQ(IndexList(m_dlg)->Selection(), -1);

    EXPECT_EQ(CallPage("TranslateHTML", ""), kHead + kStart + kClose);
    // One word keeps the start anchor and has no Q anchors.
    EXPECT_EQ(CallPage("TranslateHTML", "cat"),
              kHead + kStart + "<A NAME=\"R1\"></A><P>1. katinas, kat\xEB</P>" + kBack + kClose);
}

TEST_F(AutomationTest, TheReverseMethodsUseTheLithuanianIndex) {
    Dirty(EDirection::Forward);
    EXPECT_EQ(CallShow("TranslateRev", "\xF0uo"), 0);
    EXPECT_EQ(m_dlg->Direction(), EDirection::Reverse);
    EXPECT_EQ(ShownPage(), PageComposer::TranslateHtmlRev(m_dlg->Dict(), kHead, "\xF0uo"));
    EXPECT_EQ(ShownPage(), kHead + "<A NAME=\"R4\"></A><P>1. \xF0uo</P>" + kClose);
    EXPECT_EQ(EntryText(), "\xF0uo");
    EXPECT_EQ(History(), Strings{"\xF0uo"});
    EXPECT_EQ(m_dlg->ClipboardWatch().LastText(), "");

    // The nearest Lithuanian headword stands in the entry box.
    EXPECT_EQ(CallShow("TranslateRev", "kat"), 0);
    EXPECT_EQ(EntryText(), "katinas");
    EXPECT_EQ(History(), Strings{"katinas"});

    // Nothing found: nothing shown, but the switch has emptied the window.
    const std::string shown = PageView(m_dlg)->CurrentPath();
    EXPECT_EQ(CallShow("TranslateRev", "\xFE"), 0);
    EXPECT_EQ(PageView(m_dlg)->CurrentPath(), shown);
    EXPECT_EQ(EntryText(), "");
    EXPECT_EQ(History(), Strings{});

    Dirty(EDirection::Forward);
    EXPECT_EQ(CallPage("TranslateHTMLRev", "namas"),
              PageComposer::TranslateHtmlRev(m_dlg->Dict(), kHead, "namas"));
    EXPECT_EQ(CallPage("TranslateHTMLRev", "namas"), kHead + "<A NAME=\"R5\"></A><P>1. namas</P>" + kClose);
    EXPECT_EQ(CallPage("TranslateHTMLRev", "\xFE"), kHead + kClose);
    EXPECT_EQ(m_dlg->Direction(), EDirection::Reverse);
    EXPECT_EQ(EntryText(), "");
    EXPECT_EQ(History(), Strings{});
    EXPECT_EQ(PageView(m_dlg)->CurrentPath(), shown);
}

TEST_F(AutomationTest, TextOutsideTheCodePageBecomesQuestionMarks) {
    // "šuo" arrives as UTF-8 and is found; letters the code page lacks become "?".
    const QDBusMessage reply = Call("TranslateHTMLRev", QString::fromUtf8("\xC5\xA1uo"));
    ASSERT_EQ(reply.arguments().size(), 1);
    EXPECT_EQ(reply.arguments().front().toString().toUtf8().toStdString(),
              Cp1257::ToUtf8(kHead + "<A NAME=\"R4\"></A><P>1. \xF0uo</P>" + kClose));
    EXPECT_EQ(CallPage("TranslateHTML", "cat"), CallPage("TranslateHTML", "cat"));
    const QDBusMessage foreign = Call("TranslateHTML", QString::fromUtf8("\xE6\x97\xA5\xF0\x9F\x98\x80 cat"));
    ASSERT_EQ(foreign.arguments().size(), 1);
    EXPECT_EQ(Cp1257::FromUtf8(foreign.arguments().front().toString().toUtf8().toStdString()),
              PageComposer::TranslateHtml(m_dlg->Dict(), kHead, "?? cat"));
    // A lone surrogate, handed over without the bus, is no character either.
    CZodynasDlgAutoProxy direct(m_dlg.get());
    EXPECT_EQ(Cp1257::FromUtf8(direct.TranslateHTML(QString(QChar(0xD800)) + "cat").toStdString()),
              PageComposer::TranslateHtml(m_dlg->Dict(), kHead, "?cat"));
}

TEST_F(AutomationTest, WrongArgumentsAreRefusedWithoutTouchingTheWindow) {
    Dirty(EDirection::Reverse);
    // Bytes that are no UTF-8 cannot travel as a string; as bytes they match no method.
    const QDBusMessage bytes = Call("Translate", QByteArray("\xFF\xFE\x80", 3));
    EXPECT_EQ(bytes.type(), QDBusMessage::ErrorMessage);
    EXPECT_EQ(bytes.errorName(), "org.freedesktop.DBus.Error.UnknownMethod");
    const QDBusMessage number = Call("TranslateHTML", 7);
    EXPECT_EQ(number.errorName(), "org.freedesktop.DBus.Error.UnknownMethod");
    // A huge argument is refused before the window changes; the longest allowed one is served.
    const QDBusMessage huge = Call(
        "Translate", QString(static_cast<qsizetype>(CZodynasDlgAutoProxy::kMaxArgument + 1), QChar('|')));
    EXPECT_EQ(huge.errorName(), CZodynasDlgAutoProxy::kErrorTooLong);
    // Letters of two UTF-8 bytes count once, as the code page holds them.
    const QDBusMessage hugeRev =
        Call("TranslateHTMLRev",
             QString(static_cast<qsizetype>(CZodynasDlgAutoProxy::kMaxArgument + 1), QChar(0x161)));
    EXPECT_EQ(hugeRev.errorName(), CZodynasDlgAutoProxy::kErrorTooLong);
    EXPECT_EQ(m_dlg->Direction(), EDirection::Reverse);
    EXPECT_EQ(EntryText(), "zzz");
    EXPECT_EQ(History(), Strings{"old"});
    EXPECT_EQ(m_dlg->ClipboardWatch().LastText(), "clip");

    const std::string longest = "cat " + std::string(CZodynasDlgAutoProxy::kMaxArgument - 4, 'x');
    const std::string page = CallPage("TranslateHTML", longest);
    EXPECT_EQ(page, PageComposer::TranslateHtml(m_dlg->Dict(), kHead, longest));
    // Every word is cut to 255 bytes.
    EXPECT_NE(page.find("<A HREF=\"#Q1\">" + std::string(255, 'x') + "</A>"), std::string::npos);
    EXPECT_EQ(page.find(std::string(256, 'x')), std::string::npos);
    const std::string longest2 = std::string(CZodynasDlgAutoProxy::kMaxArgument / 2, '\xF0');
    EXPECT_EQ(CallPage("TranslateHTMLRev", longest2), kHead + "<A NAME=\"R4\"></A><P>1. \xF0uo</P>" + kClose);
}

std::string Items(const std::string& word, std::size_t n) {
    std::string text = word;
    for (std::size_t i = 1; i < n; ++i)
        text += "|" + word;
    return text;
}

TEST_F(AutomationTest, TranslateShowsAtMost64Words) {
    EXPECT_EQ(CallShow("Translate", Items("cat", CZodynasDlgAutoProxy::kMaxShownItems)), 0);
    EXPECT_NE(ShownPage().find("<A NAME=\"Q63\"></A>"), std::string::npos);
    const std::string shown = PageView(m_dlg)->CurrentPath();
    Dirty(EDirection::Reverse);
    for (const std::string& text : {Items("cat", CZodynasDlgAutoProxy::kMaxShownItems + 1),
                                    std::string(CZodynasDlgAutoProxy::kMaxArgument, '|')}) {
        const QDBusMessage reply = Call("Translate", QString::fromStdString(text));
        EXPECT_EQ(reply.errorName(), CZodynasDlgAutoProxy::kErrorTooLong);
    }
    // Nothing of the window changed.
    EXPECT_EQ(m_dlg->Direction(), EDirection::Reverse);
    EXPECT_EQ(EntryText(), "zzz");
    EXPECT_EQ(History(), Strings{"old"});
    EXPECT_EQ(PageView(m_dlg)->CurrentPath(), shown);
    // An empty last item is no word: 64 words and a trailing "|" are still served.
    EXPECT_EQ(CallShow("Translate", Items("dog", CZodynasDlgAutoProxy::kMaxShownItems) + "|"), 0);
    EXPECT_EQ(m_dlg->Direction(), EDirection::Forward);
    // The page of words is not shown, so its only bound is the argument's length.
    EXPECT_NE(CallPage("TranslateHTML", std::string(2000, ' ') + "cat").find("katinas"), std::string::npos);
}

// A dictionary whose one article is big enough that 64 of it pass a megabyte.
class BigPageTest : public AutomationTest {
protected:
    SDictContent Content() const override {
        SDictContent c = AutomationTest::Content();
        c.articles.push_back(Article("huge", "<P>" + std::string(20000, 'x') + "</P>"));
        return c;
    }
};

TEST_F(BigPageTest, TranslateShowsAtMostAMegabyteOfPage) {
    // 50 of them make a page of about 1,003,000 bytes, 53 one of about 1,064,000.
    EXPECT_EQ(CallShow("Translate", Items("huge", 50)), 0);
    EXPECT_GT(ShownPage().size(), 50u * 20000);
    const std::string shown = PageView(m_dlg)->CurrentPath();
    const QDBusMessage reply = Call("Translate", QString::fromStdString(Items("huge", 53)));
    EXPECT_EQ(reply.errorName(), CZodynasDlgAutoProxy::kErrorTooLong);
    EXPECT_EQ(PageView(m_dlg)->CurrentPath(), shown);
}

TEST_F(AutomationTest, TheServiceGoesOnAnsweringAfterAHugeCall) {
    // The private bus passes messages as big as the session bus does. Past 63 MiB the service's
    // connection would stop reading for good if its receive limit were left as it was.
    for (const qsizetype megabytes : {1, 64}) {
        const QDBusMessage huge = Call("TranslateHTML", QString(megabytes * 1024 * 1024, QChar('x')));
        EXPECT_EQ(huge.errorName(), CZodynasDlgAutoProxy::kErrorTooLong) << megabytes;
        EXPECT_NE(CallPage("TranslateHTML", "house").find("namas"), std::string::npos) << megabytes;
    }
}

TEST_F(AutomationTest, HundredsOfCallsLeaveNoPagesBehind) {
    const QDBusConnection client = m_client;
    // One client thread makes them all, as a script would, while the window answers.
    const int answered = OnClientThread([client] {
        QDBusInterface iface(CAutomationServer::kServiceName, CAutomationServer::kObjectPath,
                             CAutomationServer::kInterface, client);
        int n = 0;
        for (int i = 0; i < 200; ++i) {
            const QDBusMessage reply =
                iface.call(i % 2 == 0 ? "Translate" : "TranslateRev", QString(i % 2 == 0 ? "cat" : "namas"));
            n += reply.type() == QDBusMessage::ReplyMessage ? 1 : 0;
        }
        return n;
    });
    EXPECT_EQ(answered, 200);
    int pages = 0;
    for (const auto& e : std::filesystem::directory_iterator(CTempFolder::Path()))
        pages += e.path().filename().string().rfind("ZOD", 0) == 0 ? 1 : 0;
    // The page shown and, at most, the one the history lists.
    EXPECT_LE(pages, 2);
    EXPECT_EQ(History(), Strings{"namas"});
}

TEST_F(AutomationTest, ACallWhileTheWindowClosesAnswersThatItHasGone) {
    // The window's loop has ended, the window still exists: the object stays on the bus and says so.
    m_server->Proxy()->ForgetWindow();
    const QDBusMessage reply = Call("TranslateHTML", QString("cat"));
    EXPECT_EQ(reply.errorName(), CZodynasDlgAutoProxy::kErrorNoWindow);
    EXPECT_EQ(PageView(m_dlg)->CurrentPath(), "");
}

TEST_F(AutomationTest, ACallOnceTheExitRoutineRanWritesNoPage) {
    // The dictionary vanished, or a signal came: pages are swept, a message may still be open.
    m_dlg->ExitRoutine();
    for (const char* method : {"Translate", "TranslateRev"}) {
        const QDBusMessage reply = Call(method, QString("cat"));
        EXPECT_EQ(reply.errorName(), CZodynasDlgAutoProxy::kErrorNoWindow) << method;
    }
    EXPECT_EQ(PageView(m_dlg)->CurrentPath(), "");
    for (const auto& e : std::filesystem::directory_iterator(CTempFolder::Path()))
        EXPECT_NE(e.path().filename().string().rfind("ZOD", 0), 0u) << e.path();
    // A server that gives its name back still answers the calls that reach its object.
    m_server->ReleaseName();
    EXPECT_FALSE(m_server->OwnsName());
    EXPECT_TRUE(m_server->IsObjectRegistered());
}

TEST_F(AutomationTest, ACallAfterTheWindowIsGoneAnswersAnError) {
    m_dlg.reset();
    EXPECT_EQ(m_server->Proxy()->Target(), nullptr);
    for (const char* method : {"Translate", "TranslateHTML", "TranslateRev", "TranslateHTMLRev"}) {
        const QDBusMessage reply = Call(method, QString("cat"));
        EXPECT_EQ(reply.type(), QDBusMessage::ErrorMessage) << method;
        EXPECT_EQ(reply.errorName(), CZodynasDlgAutoProxy::kErrorNoWindow) << method;
    }
    // Called directly, the object answers nothing at all.
    EXPECT_EQ(m_server->Proxy()->Translate("cat"), 0);
    EXPECT_EQ(m_server->Proxy()->TranslateHTML("cat"), QString());
}

TEST_F(AutomationTest, TheObjectDescribesItsInterface) {
    const QDBusConnection client = m_client;
    const QDBusMessage reply = OnClientThread([client] {
        QDBusMessage call =
            QDBusMessage::createMethodCall(CAutomationServer::kServiceName, CAutomationServer::kObjectPath,
                                           "org.freedesktop.DBus.Introspectable", "Introspect");
        return client.call(call);
    });
    ASSERT_EQ(reply.arguments().size(), 1);
    const QString xml = reply.arguments().front().toString();
    const qsizetype from = xml.indexOf("  <interface name=\"LEKSTAR.IZodynas\">");
    ASSERT_GE(from, 0) << xml.toStdString();
    const qsizetype to = xml.indexOf("</interface>\n", from);
    ASSERT_GT(to, from);
    // The four methods and nothing of the object's own plumbing.
    EXPECT_EQ(xml.mid(from, to + 13 - from).toStdString(),
              "  <interface name=\"LEKSTAR.IZodynas\">\n"
              "    <method name=\"Translate\">\n"
              "      <arg type=\"i\" direction=\"out\"/>\n"
              "      <arg name=\"text\" type=\"s\" direction=\"in\"/>\n"
              "    </method>\n"
              "    <method name=\"TranslateHTML\">\n"
              "      <arg type=\"s\" direction=\"out\"/>\n"
              "      <arg name=\"text\" type=\"s\" direction=\"in\"/>\n"
              "    </method>\n"
              "    <method name=\"TranslateRev\">\n"
              "      <arg type=\"i\" direction=\"out\"/>\n"
              "      <arg name=\"word\" type=\"s\" direction=\"in\"/>\n"
              "    </method>\n"
              "    <method name=\"TranslateHTMLRev\">\n"
              "      <arg type=\"s\" direction=\"out\"/>\n"
              "      <arg name=\"word\" type=\"s\" direction=\"in\"/>\n"
              "    </method>\n"
              "  </interface>\n");
}

TEST_F(AutomationTest, TheNameIsHeldOnceAndGivenBackByTheServer) {
    QDBusConnectionInterface* busInterface = m_client.interface();
    ASSERT_NE(busInterface, nullptr);
    EXPECT_TRUE(m_server->OwnsName());
    EXPECT_TRUE(busInterface->isServiceRegistered(CAutomationServer::kServiceName).value());
    // A second instance neither takes the name nor disturbs the first.
    {
        CAutomationServer second(m_bus.Connect(), m_dlg.get());
        EXPECT_FALSE(second.Start());
        EXPECT_TRUE(second.IsObjectRegistered());
        EXPECT_FALSE(second.OwnsName());
    }
    EXPECT_EQ(CallShow("Translate", "dog"), 0);
    EXPECT_EQ(EntryText(), "dog");
    m_server.reset();
    EXPECT_FALSE(busInterface->isServiceRegistered(CAutomationServer::kServiceName).value());
    // Without a connection there is nothing to serve.
    CAutomationServer offline(QDBusConnection(QString("not-connected")), m_dlg.get());
    EXPECT_FALSE(offline.Start());
    EXPECT_FALSE(offline.IsObjectRegistered());
}

} // namespace
