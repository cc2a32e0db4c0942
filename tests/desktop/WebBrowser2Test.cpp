// SPDX-License-Identifier: GPL-2.0-or-later
// The page view: what every navigation reports, that a cancelled one changes nothing, links
// clicked with the mouse, anchors, pages in code page 1257, printing to PDF and what a screen reader
// sees.

#include "desktop/WebBrowser2.h"
#include "support/TestDict.h"

#include <QAccessible>
#include <QApplication>
#include <QDesktopServices>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QWheelEvent>

#include <fstream>

namespace {

// Receives the links handed to the desktop instead of a real web browser.
class CUrlSink : public QObject {
    Q_OBJECT
public:
    QList<QUrl> m_urls;
public slots:
    void Open(const QUrl& url) { m_urls.push_back(url); }
};

std::string Lines(const char* text, int count) {
    std::string out;
    for (int i = 0; i < count; ++i)
        out += "<P>" + std::string(text) + " " + std::to_string(i) + "</P>\r\n";
    return out;
}

// Two page files in a folder: the first with its links at the top and the anchor R2 far down,
// the second with R5 far down.
class WebBrowser2Test : public ::testing::Test {
protected:
    void SetUp() override {
        m_strFirst = m_dir.File("ZOD1A.TMP.htm");
        m_strSecond = m_dir.File("ZOD2B.TMP.htm");
        WriteBytes(
            m_strFirst,
            "<HTML><HEAD><META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=windows-1257\">"
            "</HEAD><BODY>\r\n<P>pirmas \xE0\xE8\xE6\xEB\xE1\xF0\xF8\xFB\xFE</P>\r\n"
            "<P><A HREF=\"rest\">rest</A> <A HREF=\"close to\">close to</A> "
            "<A HREF=\"#R2\">down</A> <A HREF=\"http://example.com/page\">web</A> "
            "<A HREF=\"ZOD2B.TMP.htm#R5\">other</A> <A HREF=\"\xFEodis\">word</A></P>\r\n" +
                Lines("line", 150) + "<A NAME=\"R2\"></A><P>second part</P>\r\n" + Lines("tail", 150) +
                "</BODY>\r\n</HTML>\r\n");
        WriteBytes(m_strSecond, "<HTML><BODY><P>antras</P>\r\n" + Lines("row", 150) +
                                    "<A NAME=\"R5\"></A><P>fifth part</P>\r\n" + Lines("end", 150) +
                                    "</BODY></HTML>");
        m_browser.SetBeforeNavigate([this](const std::string& url, bool& bCancel) {
            m_reports.push_back(url);
            bCancel = m_bCancel;
        });
        m_browser.resize(500, 300);
        m_browser.show();
    }

    // Clicks the middle of a link's text with the mouse.
    void Click(const QString& text) {
        const QTextCursor found = m_browser.document()->find(text);
        ASSERT_FALSE(found.isNull()) << text.toStdString();
        QTextCursor middle(m_browser.document());
        middle.setPosition((found.selectionStart() + found.selectionEnd()) / 2);
        const QPoint at = m_browser.cursorRect(middle).center();
        ASSERT_TRUE(m_browser.viewport()->rect().contains(at));
        QTest::mouseClick(m_browser.viewport(), Qt::LeftButton, {}, at);
    }

    // Whether the text is in the visible part of the page.
    bool IsVisible(const QString& text) {
        const QTextCursor found = m_browser.document()->find(text);
        return !found.isNull() && m_browser.viewport()->rect().contains(m_browser.cursorRect(found).center());
    }

    int Scroll() const { return m_browser.verticalScrollBar()->value(); }

    CTempDir m_dir;
    std::string m_strFirst;
    std::string m_strSecond;
    CWebBrowser2 m_browser;
    std::vector<std::string> m_reports;
    bool m_bCancel = false;
};

} // namespace

TEST_F(WebBrowser2Test, NavigateReportsThePathAndShowsThePageDecoded) {
    EXPECT_FALSE(m_browser.HasDocument());
    EXPECT_EQ(m_browser.CurrentPath(), "");
    m_browser.Navigate(m_strFirst);
    EXPECT_EQ(m_reports, std::vector<std::string>{m_strFirst});
    EXPECT_TRUE(m_browser.HasDocument());
    EXPECT_EQ(m_browser.CurrentPath(), m_strFirst);
    EXPECT_TRUE(m_browser.toPlainText().contains(QString::fromUtf8("pirmas ąčęėįšųūž")));
    EXPECT_EQ(Scroll(), 0);
    EXPECT_TRUE(IsVisible("pirmas"));

    // The file changed on disk is read again when navigated to again.
    WriteBytes(m_strFirst, "<HTML><BODY><P>pakeistas</P></BODY></HTML>");
    m_browser.Navigate(m_strFirst);
    EXPECT_EQ(m_browser.toPlainText(), "pakeistas");
    EXPECT_EQ(m_reports.size(), 2u);
}

TEST_F(WebBrowser2Test, ACancelledOrImpossibleNavigationChangesNothing) {
    m_browser.Navigate(m_strFirst);
    const QString shown = m_browser.toPlainText();

    m_bCancel = true;
    m_browser.Navigate(m_strSecond);
    EXPECT_EQ(m_reports.back(), m_strSecond);
    EXPECT_EQ(m_browser.toPlainText(), shown);
    EXPECT_EQ(m_browser.CurrentPath(), m_strFirst);

    m_bCancel = false;
    const std::string missing = m_dir.File("ZOD99.TMP.htm");
    m_browser.Navigate(missing);
    EXPECT_EQ(m_reports.back(), missing);
    EXPECT_EQ(m_browser.toPlainText(), shown);
    EXPECT_EQ(m_browser.CurrentPath(), m_strFirst);
    m_browser.Navigate(m_dir.File(""));
    EXPECT_EQ(m_browser.CurrentPath(), m_strFirst);

    // Without a handler everything proceeds.
    m_browser.SetBeforeNavigate(nullptr);
    m_browser.Navigate(m_strSecond);
    EXPECT_EQ(m_browser.CurrentPath(), m_strSecond);
}

TEST_F(WebBrowser2Test, NavigateToAnAnchorScrollsThere) {
    m_browser.Navigate(m_strFirst + "#R2");
    EXPECT_EQ(m_reports, std::vector<std::string>{m_strFirst + "#R2"});
    EXPECT_EQ(m_browser.CurrentPath(), m_strFirst);
    EXPECT_TRUE(QTest::qWaitFor([this] { return IsVisible("second part"); }));
    EXPECT_GT(Scroll(), 0);
    EXPECT_FALSE(IsVisible("pirmas"));
    // Without an anchor the page starts at its top.
    m_browser.Navigate(m_strSecond);
    EXPECT_EQ(Scroll(), 0);
}

TEST_F(WebBrowser2Test, ClickedLinksAreReportedAsLocalPaths) {
    m_browser.Navigate(m_strFirst);
    const QString shown = m_browser.toPlainText();
    m_bCancel = true;
    m_reports.clear();
    Click("rest");
    Click("close to");
    Click("word");
    Click("down");
    Click("other");
    EXPECT_EQ(m_reports, (std::vector<std::string>{m_dir.File("rest"), m_dir.File("close to"),
                                                   m_dir.File("\xC5\xBEodis"), m_strFirst + "#R2",
                                                   m_strSecond + "#R5"}));
    // Every one was cancelled: the page has not moved.
    EXPECT_EQ(m_browser.toPlainText(), shown);
    EXPECT_EQ(m_browser.CurrentPath(), m_strFirst);
    EXPECT_EQ(Scroll(), 0);
}

TEST_F(WebBrowser2Test, LinksNotCancelledAreFollowed) {
    m_browser.Navigate(m_strFirst);
    m_reports.clear();
    // An anchor in the page scrolls it.
    Click("down");
    EXPECT_EQ(m_reports, std::vector<std::string>{m_strFirst + "#R2"});
    EXPECT_TRUE(QTest::qWaitFor([this] { return IsVisible("second part"); }));
    EXPECT_EQ(m_browser.CurrentPath(), m_strFirst);

    // A link to another page file loads it at its anchor.
    m_browser.verticalScrollBar()->setValue(0);
    Click("other");
    EXPECT_EQ(m_reports.back(), m_strSecond + "#R5");
    EXPECT_EQ(m_browser.CurrentPath(), m_strSecond);
    EXPECT_TRUE(m_browser.toPlainText().startsWith("antras"));
    EXPECT_TRUE(QTest::qWaitFor([this] { return IsVisible("fifth part"); }));

    // A link to a file that is not there leaves the page.
    m_browser.Navigate(m_strFirst);
    Click("rest");
    EXPECT_EQ(m_reports.back(), m_dir.File("rest"));
    EXPECT_EQ(m_browser.CurrentPath(), m_strFirst);
}

TEST_F(WebBrowser2Test, WebLinksGoToTheDesktopWithoutBeingLoaded) {
    CUrlSink sink;
    QDesktopServices::setUrlHandler("http", &sink, "Open");
    m_browser.Navigate(m_strFirst);
    const QString shown = m_browser.toPlainText();
    m_reports.clear();
    Click("web");
    QDesktopServices::unsetUrlHandler("http");
    EXPECT_EQ(sink.m_urls, QList<QUrl>{QUrl("http://example.com/page")});
    EXPECT_TRUE(m_reports.empty());
    EXPECT_EQ(m_browser.toPlainText(), shown);
    EXPECT_EQ(m_browser.CurrentPath(), m_strFirst);
}

TEST_F(WebBrowser2Test, PrintsThePageToPdf) {
    const QString pdf = QString::fromStdString(m_dir.File("page.pdf"));
    EXPECT_FALSE(m_browser.PrintToPdf(pdf));
    EXPECT_FALSE(QFile::exists(pdf));

    QString name = "ZOD1A.TMP.htm";
    const auto pages = [&name](const QString& path) {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        EXPECT_TRUE(bytes.startsWith("%PDF-"));
        // The title is the document's name, in UTF-16 big-endian.
        QByteArray title("\xFE\xFF");
        for (const QChar c : name)
            title.append('\0').append(static_cast<char>(c.unicode()));
        EXPECT_TRUE(bytes.contains(title)) << path.toStdString();
        return bytes.count("/Type /Page\n") + bytes.count("/Type /Page ") + bytes.count("/Type /Page>");
    };

    m_browser.Navigate(m_strFirst);
    ASSERT_TRUE(m_browser.PrintToPdf(pdf));
    // Three hundred paragraphs do not fit one sheet: the whole page is printed, not the view.
    EXPECT_GT(pages(pdf), 3);

    WriteBytes(m_strFirst, "<HTML><BODY><P>trumpas</P></BODY></HTML>");
    m_browser.Navigate(m_strFirst);
    ASSERT_TRUE(m_browser.PrintToPdf(pdf));
    EXPECT_EQ(pages(pdf), 1);

    // Named by the word it translates, a slash made harmless; a new page is unnamed again.
    m_browser.SetDocumentName("and/or");
    name = "and-or";
    ASSERT_TRUE(m_browser.PrintToPdf(pdf));
    EXPECT_EQ(m_browser.DocumentName(), "and-or");
    m_browser.Navigate(m_strFirst);
    EXPECT_EQ(m_browser.DocumentName(), "ZOD1A.TMP.htm");
}

TEST(WebBrowser2Zoom, StepsAsBrowsersDoAndScalesEveryPointSize) {
    const struct {
        int from, steps, to;
    } steps[] = {{100, 1, 110}, {100, -1, 90}, {100, 3, 150}, {250, 1, 300},  {300, 1, 300},
                 {67, -1, 50},  {50, -1, 50},  {120, 1, 125}, {120, -1, 110}, {100, 0, 100}};
    for (const auto& c : steps)
        EXPECT_EQ(CWebBrowser2::ZoomStep(c.from, c.steps), c.to) << c.from << " " << c.steps;
    EXPECT_EQ(CWebBrowser2::ZoomedHtml(
                  "BODY { font-size: 10pt; } P.x {FONT-SIZE:9.5pt} A { font-size: 12px }", 150),
              "BODY { font-size: 15pt; } P.x {FONT-SIZE:14.25pt} A { font-size: 12px }");
    EXPECT_EQ(CWebBrowser2::ZoomedHtml("<P>10pt</P>", 200), "<P>10pt</P>");
}

TEST_F(WebBrowser2Test, ZoomShowsThePageAgainAndCtrlWheelStepsIt) {
    const std::string styled = m_dir.File("ZOD3C.TMP.htm");
    WriteBytes(styled, "<HTML><HEAD><STYLE>P { font-size: 10pt; }</STYLE></HEAD><BODY><P>tekstas</P>" +
                           Lines("row", 100) + "</BODY></HTML>");
    const auto size = [this] { return m_browser.document()->begin().charFormat().fontPointSize(); };
    m_browser.Navigate(styled);
    EXPECT_EQ(size(), 10.0);
    m_browser.verticalScrollBar()->setValue(m_browser.verticalScrollBar()->maximum() / 2);
    m_browser.SetZoom(150);
    EXPECT_EQ(m_browser.Zoom(), 150);
    EXPECT_EQ(size(), 15.0);
    EXPECT_EQ(m_browser.CurrentPath(), styled);
    // The page stays where it was read, about halfway down.
    EXPECT_NEAR(m_browser.verticalScrollBar()->value(), m_browser.verticalScrollBar()->maximum() / 2, 3);
    // Every later page comes at the same size; the ends of the range hold.
    m_browser.Navigate(styled);
    EXPECT_EQ(size(), 15.0);
    m_browser.SetZoom(301);
    EXPECT_EQ(m_browser.Zoom(), 300);
    m_browser.SetZoom(49);
    EXPECT_EQ(m_browser.Zoom(), 50);
    m_browser.SetZoom(100);
    EXPECT_EQ(size(), 10.0);

    // Ctrl+wheel: a notch a step, reported; the small steps of a smooth wheel add up first.
    std::vector<int> reported;
    m_browser.SetZoomChanged([&reported](int percent) { reported.push_back(percent); });
    const auto wheel = [this](int dy, Qt::KeyboardModifiers modifiers) {
        const QPointF at(10, 10);
        QWheelEvent event(at, m_browser.viewport()->mapToGlobal(at), QPoint(), QPoint(0, dy), Qt::NoButton,
                          modifiers, Qt::NoScrollPhase, false);
        QApplication::sendEvent(m_browser.viewport(), &event);
    };
    wheel(120, Qt::ControlModifier);
    wheel(60, Qt::ControlModifier);
    EXPECT_EQ(reported, std::vector<int>({110}));
    wheel(60, Qt::ControlModifier);
    wheel(-120, Qt::ControlModifier);
    EXPECT_EQ(reported, std::vector<int>({110, 125, 110}));
    wheel(-120, Qt::NoModifier);
    EXPECT_EQ(reported.size(), 3u);
    EXPECT_EQ(size(), 11.0);
}

#include "WebBrowser2Test.moc"

TEST_F(WebBrowser2Test, AScreenReaderSeesADocumentWhoseLinksAreLinks) {
    m_browser.Navigate(m_strFirst);
    QAccessibleInterface* page = QAccessible::queryAccessibleInterface(&m_browser);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->role(), QAccessible::Document);
    const std::vector<std::pair<QString, QString>> links = {{"rest", "rest"},
                                                            {"close to", "close to"},
                                                            {"down", "#R2"},
                                                            {"web", "http://example.com/page"},
                                                            {"other", "ZOD2B.TMP.htm#R5"},
                                                            {"word", QString::fromUtf8("\xC5\xBEodis")}};
    ASSERT_EQ(page->childCount(), static_cast<int>(links.size()));
    QAccessibleTextInterface* text = page->textInterface();
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->characterCount(), m_browser.toPlainText().size());
    EXPECT_EQ(text->text(0, 6), "pirmas");
    for (int i = 0; i < page->childCount(); ++i) {
        QAccessibleInterface* link = page->child(i);
        EXPECT_EQ(link->role(), QAccessible::Link);
        EXPECT_EQ(link->text(QAccessible::Name), links[i].first);
        EXPECT_EQ(link->text(QAccessible::Description), links[i].second);
        EXPECT_EQ(link->actionInterface()->actionNames(),
                  QStringList{QAccessibleActionInterface::pressAction()});
        const QAccessibleHyperlinkInterface* hyperlink = link->hyperlinkInterface();
        EXPECT_EQ(text->text(hyperlink->startIndex(), hyperlink->endIndex()), links[i].first);
        EXPECT_EQ(page->indexOfChild(link), i);
    }
    EXPECT_EQ(page->child(static_cast<int>(links.size())), nullptr);

    // Tab goes from link to link, and the one the keyboard is on is focused.
    m_browser.activateWindow();
    m_browser.setFocus();
    ASSERT_TRUE(QTest::qWaitFor([this] { return m_browser.hasFocus(); }));
    EXPECT_EQ(page->focusChild(), nullptr);
    QTest::keyClick(&m_browser, Qt::Key_Tab);
    QTest::keyClick(&m_browser, Qt::Key_Tab);
    EXPECT_EQ(page->focusChild(), page->child(1));
    EXPECT_TRUE(page->child(1)->state().focused);
    EXPECT_FALSE(page->child(0)->state().focused);

    // Pressing a link follows it as a click does.
    m_bCancel = true;
    m_reports.clear();
    for (const int i : {1, 5})
        page->child(i)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(m_reports, (std::vector<std::string>{m_dir.File("close to"), m_dir.File("\xC5\xBEodis")}));

    // Another page has its own links.
    m_bCancel = false;
    m_browser.Navigate(m_strSecond);
    EXPECT_EQ(page->childCount(), 0);
    EXPECT_EQ(page->focusChild(), nullptr);
}
