// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/TranslationPopup.h"

#include "desktop/WebBrowser2.h"

#include <QCursor>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

CTranslationPopup::CTranslationPopup()
    : QFrame(nullptr, Qt::Popup | Qt::FramelessWindowHint), m_title(new QLabel(this)),
      m_page(new CWebBrowser2(this)) {
    setObjectName("TranslationPopup");
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setMouseTracking(true);
    resize(kWidth, kHeight);
    m_title->setObjectName("PopupTitle");
    // A word from another program is text, whatever marks it holds ("<b>", "&amp;").
    m_title->setTextFormat(Qt::PlainText);
    m_title->setCursor(Qt::PointingHandCursor);
    m_title->setContentsMargins(6, 3, 6, 3);
    QFont bold = m_title->font();
    bold.setBold(true);
    m_title->setFont(bold);
    m_title->installEventFilter(this);
    m_page->setObjectName("PopupPage");
    m_page->setFrameStyle(QFrame::NoFrame);
    m_page->setMouseTracking(true);
    m_page->viewport()->setMouseTracking(true);
    m_page->viewport()->installEventFilter(this);
    // The popup's page is never navigated: a link is a word for the main window.
    m_page->SetBeforeNavigate([this](const std::string& url, bool& bCancel) {
        // Its own anchors scroll it.
        if (url.rfind(m_page->CurrentPath() + "#", 0) == 0)
            return;
        bCancel = true;
        close();
        if (m_fnLinkFollowed)
            m_fnLinkFollowed(url);
    });
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->setSpacing(0);
    layout->addWidget(m_title);
    layout->addWidget(m_page, 1);
}

void CTranslationPopup::SetZoom(int percent) {
    m_page->SetZoom(percent);
}

QString CTranslationPopup::Title() const {
    return m_title->text();
}

void CTranslationPopup::ShowAt(const QString& title, const std::string& cp1257Page, const QPoint& pointer) {
    m_title->setText(title);
    // A name no file has: the page's links are reported as names beside it.
    m_page->ShowText(cp1257Page, "/nonexistent/lekstar-popup.htm");
    QRect frame(pointer - QPoint(kPointerInset, kPointerInset), size());
    if (const QScreen* screen = QGuiApplication::screenAt(pointer)) {
        const QRect room = screen->availableGeometry();
        frame.moveLeft(std::max(room.left(), std::min(frame.left(), room.right() + 1 - frame.width())));
        frame.moveTop(std::max(room.top(), std::min(frame.top(), room.bottom() + 1 - frame.height())));
    }
    move(frame.topLeft());
    m_bPointerWasIn = false;
    show();
    raise();
    PointerAt(pointer);
}

void CTranslationPopup::PointerAt(const QPoint& global) {
    if (!isVisible())
        return;
    if (frameGeometry().contains(global))
        m_bPointerWasIn = true;
    else if (m_bPointerWasIn)
        close();
}

void CTranslationPopup::mouseMoveEvent(QMouseEvent* event) {
    PointerAt(event->globalPosition().toPoint());
    QFrame::mouseMoveEvent(event);
}

void CTranslationPopup::leaveEvent(QEvent* event) {
    PointerAt(QCursor::pos());
    QFrame::leaveEvent(event);
}

bool CTranslationPopup::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseMove)
        PointerAt(static_cast<QMouseEvent*>(event)->globalPosition().toPoint());
    if (watched == m_title && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        const QString title = m_title->text();
        close();
        if (m_fnTitleClicked)
            m_fnTitleClicked(title);
        return true;
    }
    return QFrame::eventFilter(watched, event);
}
