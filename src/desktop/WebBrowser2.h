// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QTextBrowser>
#include <QUrl>

#include <functional>
#include <string>
#include <vector>

// The page view: shows local HTML page files written in code page 1257.
//
// Every navigation, whether asked for with Navigate or made by a link clicked in the page, is
// first reported through the SetBeforeNavigate handler with its target as a local path in the file system's
// bytes (UTF-8), percent-decoded, the anchor after a '#' in code page 1257 ("/run/user/1000/lekstar/
// ZOD1A.TMP.htm#R2", "/run/user/1000/lekstar/close to"). A link's name is page text: "žodis" in
// the page is reported as the UTF-8 path name "žodis". The handler may set bCancel, and then nothing changes.
// Links to other schemes (http, https, mailto, ...) are not navigations of this view: they go straight to the
// desktop's own programs and are not reported.
//
// A page that cannot be read leaves the current one in place.
class CWebBrowser2 : public QTextBrowser {
    Q_OBJECT
public:
    explicit CWebBrowser2(QWidget* parent = nullptr);

    // Shows the page file at path (file-system bytes), scrolled to the anchor after a '#' in the
    // file name (code page 1257), or to the top.
    void Navigate(const std::string& path);
    // Shows a page held in memory (code page 1257) where no page file can be written. Its
    // relative links and anchors behave as in a page file named path, which need not exist; that
    // name is the current path until the next page.
    void ShowText(const std::string& cp1257Html, const std::string& path);
    // The page file shown, without an anchor; empty before the first page.
    std::string CurrentPath() const { return m_strCurrentPath; }
    // The name a print job and a PDF file of the page take: the word the page translates, once
    // its shower names it, else the page file's name. Every new page starts unnamed.
    void SetDocumentName(const QString& name) { m_strDocumentName = name; }
    QString DocumentName() const;

    bool HasDocument() const { return m_bHasDocument; }
    // Asks for a printer and prints the page; nothing without a page or when the user cancels.
    void PrintWithDialog(QWidget* parent);
    // Prints the page into a PDF file; false without a page or when nothing was written.
    bool PrintToPdf(const QString& pdfPath);

    // Called before each navigation with the target and a cancel flag that starts false.
    using BeforeNavigate = std::function<void(const std::string& url, bool& bCancel)>;
    void SetBeforeNavigate(BeforeNavigate handler) { m_fnBeforeNavigate2 = std::move(handler); }

    // The text size of the pages, in percent of their own (kMinZoom to kMaxZoom): every size the
    // page's style gives in points is scaled. A change shows the page again at the same place.
    static constexpr int kMinZoom = 50;
    static constexpr int kMaxZoom = 300;
    void SetZoom(int percent);
    int Zoom() const { return m_nZoom; }
    // The next zoom step from percent, up (steps > 0) or down; percent itself at either end.
    static int ZoomStep(int percent, int steps);
    // html with every "font-size: Npt" scaled to percent.
    static QString ZoomedHtml(const QString& html, int percent);
    // Ctrl+wheel over the page changes the zoom one step per notch and reports it here.
    void SetZoomChanged(std::function<void(int percent)> handler) { m_fnZoomChanged = std::move(handler); }

    // Back and forward (its own keys, the mouse's side buttons) are handed to the owner, which
    // keeps the pages shown; the view's own history of page files is never followed.
    void SetHistoryStep(std::function<void(int step)> handler) { m_fnHistoryStep = std::move(handler); }
    void backward() override;
    void forward() override;

    // The page's links in their order: their place among its characters, target and text.
    struct SLink {
        int start = 0;
        int end = 0;
        QString href;
        QString text;
    };
    std::vector<SLink> Links() const;
    // The link the keyboard is on (Tab and Shift+Tab go from link to link), or -1.
    int FocusedLink() const;
    // Follows a link of the page as a click on it would.
    void FollowLink(const QString& href);

    // Serves the page being loaded from the bytes already read and decoded.
    QVariant loadResource(int type, const QUrl& name) override;

protected:
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    int m_nZoom = 100;
    int m_nWheelRest = 0;
    std::function<void(int)> m_fnZoomChanged;
    std::function<void(int)> m_fnHistoryStep;
    // The page shown as it came, before the zoom, and its address.
    QString m_strShownHtml;
    QUrl m_urlShown;
    BeforeNavigate m_fnBeforeNavigate2;
    QString m_strDocumentName;
    void OnAnchorClicked(const QUrl& url);
    // Reports a navigation; true when it may go on.
    bool BeforeNavigate2(const std::string& target);
    // Shows the page file (and anchor); bReload reads the file again even when it is the one
    // shown, where otherwise only the anchor moves.
    void Go(const std::string& file, const QString& anchor, bool bHasAnchor, bool bReload);
    // Puts the decoded page into the view as the document at url.
    void Load(const QUrl& url, const QString& html);
    void ScrollToAnchor(const QString& anchor);

    std::string m_strCurrentPath;
    bool m_bHasDocument = false;
    QUrl m_urlPending;        // the page file being loaded ...
    QString m_strPendingHtml; // ... and its text
};
