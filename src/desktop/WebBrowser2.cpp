// SPDX-License-Identifier: GPL-2.0-or-later
#include "desktop/WebBrowser2.h"

#include "desktop/PageAccessible.h"
#include "desktop/QtText.h"

#include <QAccessible>
#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QMouseEvent>
#include <QPrintDialog>
#include <QPrinter>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QWheelEvent>

#include <algorithm>
#include <cstdlib>

using QtText::FromCp1257;
using QtText::ToCp1257;

namespace {

// Paths are the file system's bytes; only the pages' contents and anchors are code page 1257.
QString PathName(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

} // namespace

CWebBrowser2::CWebBrowser2(QWidget* parent) : QTextBrowser(parent) {
    // Links are never followed by the view itself: each one is reported first and may be
    // cancelled.
    setOpenLinks(false);
    setOpenExternalLinks(false);
    connect(this, &QTextBrowser::anchorClicked, this, &CWebBrowser2::OnAnchorClicked);
    CPageAccessible::InstallFactory();
    // A screen reader follows the keyboard from link to link.
    connect(this, &QTextEdit::selectionChanged, this, [this] {
        // Asked only while a reader listens: a selection dragged with the mouse changes at every move.
        if (!hasFocus() || !QAccessible::isActive())
            return;
        const int link = FocusedLink();
        if (link < 0)
            return;
        if (QAccessibleInterface* page = QAccessible::queryAccessibleInterface(this))
            if (QAccessibleInterface* child = page->child(link)) {
                QAccessibleEvent focus(child, QAccessible::Focus);
                QAccessible::updateAccessibility(&focus);
            }
    });
}

std::vector<CWebBrowser2::SLink> CWebBrowser2::Links() const {
    std::vector<SLink> links;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextCharFormat format = fragment.charFormat();
            if (!format.isAnchor() || format.anchorHref().isEmpty())
                continue;
            // A link drawn in several formats (a bold word in it) is one link.
            const int start = fragment.position();
            if (!links.empty() && links.back().end == start && links.back().href == format.anchorHref()) {
                links.back().end += fragment.length();
                links.back().text += fragment.text();
                continue;
            }
            links.push_back({start, start + fragment.length(), format.anchorHref(), fragment.text()});
        }
    }
    return links;
}

int CWebBrowser2::FocusedLink() const {
    const QTextCursor cursor = textCursor();
    if (!cursor.hasSelection())
        return -1;
    const std::vector<SLink> links = Links();
    for (std::size_t i = 0; i < links.size(); ++i)
        if (links[i].start == cursor.selectionStart() && links[i].end == cursor.selectionEnd())
            return static_cast<int>(i);
    return -1;
}

void CWebBrowser2::FollowLink(const QString& href) {
    OnAnchorClicked(QUrl(href));
}

bool CWebBrowser2::BeforeNavigate2(const std::string& target) {
    bool bCancel = false;
    if (m_fnBeforeNavigate2)
        m_fnBeforeNavigate2(target, bCancel);
    return !bCancel;
}

void CWebBrowser2::Navigate(const std::string& path) {
    if (!BeforeNavigate2(path))
        return;
    // Only a '#' in the file name starts the anchor; one in a folder name belongs to the folder.
    const std::size_t slash = path.rfind('/');
    const std::size_t hash = path.find('#', slash == std::string::npos ? 0 : slash + 1);
    const bool bHasAnchor = hash != std::string::npos;
    Go(path.substr(0, hash), bHasAnchor ? FromCp1257(path.substr(hash + 1)) : QString(), bHasAnchor, true);
}

void CWebBrowser2::OnAnchorClicked(const QUrl& clicked) {
    QUrl url = clicked;
    if (url.isRelative() && !source().isEmpty())
        url = source().resolved(url);
    if (!url.isLocalFile()) {
        if (!url.scheme().isEmpty())
            QDesktopServices::openUrl(url);
        return;
    }
    const std::string file = QFile::encodeName(url.toLocalFile()).toStdString();
    const bool bHasAnchor = url.hasFragment();
    const QString anchor = url.fragment(QUrl::FullyDecoded);
    if (!BeforeNavigate2(bHasAnchor ? file + "#" + ToCp1257(anchor) : file))
        return;
    Go(file, anchor, bHasAnchor, false);
}

void CWebBrowser2::Go(const std::string& file, const QString& anchor, bool bHasAnchor, bool bReload) {
    if (!bReload && bHasAnchor && m_bHasDocument && file == m_strCurrentPath) {
        ScrollToAnchor(anchor);
        return;
    }
    QFile page(PathName(file));
    if (!page.open(QIODevice::ReadOnly))
        return;
    const QByteArray bytes = page.readAll();
    if (page.error() != QFileDevice::NoError)
        return;

    // The page is read before the view is touched, so a missing or unreadable file changes
    // nothing.
    Load(QUrl::fromLocalFile(PathName(file)), FromCp1257(bytes.toStdString()));
    m_strCurrentPath = file;
    m_strDocumentName.clear();
    m_bHasDocument = true;
    if (bHasAnchor)
        ScrollToAnchor(anchor);
    else
        verticalScrollBar()->setValue(0);
}

void CWebBrowser2::ShowText(const std::string& cp1257Html, const std::string& path) {
    Load(QUrl::fromLocalFile(PathName(path)), FromCp1257(cp1257Html));
    m_strCurrentPath = path;
    m_strDocumentName.clear();
    m_bHasDocument = true;
    verticalScrollBar()->setValue(0);
}

QString CWebBrowser2::DocumentName() const {
    if (m_strDocumentName.isEmpty())
        return QFileInfo(PathName(m_strCurrentPath)).fileName();
    // A word with a slash ("and/or") would name a folder in a file name.
    QString name = m_strDocumentName;
    return name.replace('/', '-');
}

void CWebBrowser2::Load(const QUrl& url, const QString& html) {
    m_urlShown = url;
    m_strShownHtml = html;
    // The view takes the text from loadResource. Loading through setSource makes the page's
    // folder the base of its relative links.
    m_urlPending = url;
    m_strPendingHtml = m_nZoom == 100 ? html : ZoomedHtml(html, m_nZoom);
    if (source().adjusted(QUrl::RemoveFragment) == m_urlPending)
        reload();
    else
        setSource(m_urlPending, QTextDocument::HtmlResource);
    m_urlPending.clear();
    m_strPendingHtml.clear();
}

namespace {

// The zoom steps, as browsers take them.
constexpr int kZoomSteps[] = {50, 67, 75, 80, 90, 100, 110, 125, 150, 175, 200, 250, 300};

} // namespace

int CWebBrowser2::ZoomStep(int percent, int steps) {
    for (; steps > 0; --steps) {
        const int* next = std::upper_bound(std::begin(kZoomSteps), std::end(kZoomSteps), percent);
        percent = next == std::end(kZoomSteps) ? kMaxZoom : *next;
    }
    for (; steps < 0; ++steps) {
        const int* below = std::lower_bound(std::begin(kZoomSteps), std::end(kZoomSteps), percent);
        percent = below == std::begin(kZoomSteps) ? kMinZoom : *(below - 1);
    }
    return percent;
}

QString CWebBrowser2::ZoomedHtml(const QString& html, int percent) {
    static const QRegularExpression size(QStringLiteral("(font-size\\s*:\\s*)([0-9]+(?:\\.[0-9]+)?)pt"),
                                         QRegularExpression::CaseInsensitiveOption);
    QString out;
    qsizetype at = 0;
    for (auto it = size.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        out += QStringView(html).mid(at, m.capturedStart() - at);
        out += m.captured(1) + QString::number(m.captured(2).toDouble() * percent / 100.0, 'g', 4) + "pt";
        at = m.capturedEnd();
    }
    out += QStringView(html).mid(at);
    return out;
}

void CWebBrowser2::SetZoom(int percent) {
    percent = std::clamp(percent, kMinZoom, kMaxZoom);
    if (percent == m_nZoom)
        return;
    m_nZoom = percent;
    if (!m_bHasDocument)
        return;
    // The same page at the same place: the scroll bar keeps its share of the page.
    QScrollBar* bar = verticalScrollBar();
    const double share = bar->maximum() > 0 ? static_cast<double>(bar->value()) / bar->maximum() : 0.0;
    Load(m_urlShown, m_strShownHtml);
    bar->setValue(static_cast<int>(share * bar->maximum() + 0.5));
}

void CWebBrowser2::backward() {
    if (m_fnHistoryStep)
        m_fnHistoryStep(-1);
}

void CWebBrowser2::forward() {
    if (m_fnHistoryStep)
        m_fnHistoryStep(1);
}

void CWebBrowser2::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::BackButton || event->button() == Qt::ForwardButton) {
        if (event->button() == Qt::BackButton)
            backward();
        else
            forward();
        event->accept();
        return;
    }
    QTextBrowser::mousePressEvent(event);
}

void CWebBrowser2::wheelEvent(QWheelEvent* event) {
    if (!(event->modifiers() & Qt::ControlModifier)) {
        QTextBrowser::wheelEvent(event);
        return;
    }
    // One step per notch; the small steps of a smooth wheel add up to a notch first.
    constexpr int kNotch = 120;
    const int dy = event->angleDelta().y();
    m_nWheelRest = (m_nWheelRest > 0) == (dy > 0) ? m_nWheelRest + dy : dy;
    if (std::abs(m_nWheelRest) >= kNotch) {
        const int steps = m_nWheelRest / kNotch;
        m_nWheelRest -= steps * kNotch;
        SetZoom(ZoomStep(m_nZoom, steps));
        if (m_fnZoomChanged)
            m_fnZoomChanged(m_nZoom);
    }
    event->accept();
}

QVariant CWebBrowser2::loadResource(int type, const QUrl& name) {
    if (type == QTextDocument::HtmlResource && !m_urlPending.isEmpty() &&
        name.adjusted(QUrl::RemoveFragment) == m_urlPending)
        return m_strPendingHtml;
    return QTextBrowser::loadResource(type, name);
}

void CWebBrowser2::ScrollToAnchor(const QString& anchor) {
    // Pages also name their targets with the '#' written into the name (NAME="#StartPoint" for
    // HREF="#StartPoint"); a browser finds those too.
    bool bPlain = false;
    bool bHashed = false;
    const QString hashed = QLatin1Char('#') + anchor;
    for (QTextBlock block = document()->begin(); block.isValid() && !bPlain; block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QStringList names = it.fragment().charFormat().anchorNames();
            bPlain = bPlain || names.contains(anchor);
            bHashed = bHashed || names.contains(hashed);
        }
    }
    scrollToAnchor(!bPlain && bHashed ? hashed : anchor);
}

void CWebBrowser2::PrintWithDialog(QWidget* parent) {
    if (!m_bHasDocument)
        return;
    QPrinter printer(QPrinter::HighResolution);
    // The print dialog proposes the document's name for a file: "house.pdf".
    printer.setDocName(DocumentName());
    QPrintDialog dialog(&printer, parent);
    if (dialog.exec() != QDialog::Accepted)
        return;
    document()->print(&printer);
}

bool CWebBrowser2::PrintToPdf(const QString& pdfPath) {
    if (!m_bHasDocument)
        return false;
    QFile::remove(pdfPath);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdfPath);
    printer.setDocName(DocumentName());
    document()->print(&printer);
    return QFileInfo(pdfPath).size() > 0;
}
