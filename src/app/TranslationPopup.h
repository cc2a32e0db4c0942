// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QFrame>

#include <functional>
#include <string>

class CWebBrowser2;
class QLabel;

// The translation of a word selected or copied in another program, in a small frameless window
// at the mouse pointer, so that the main window can stay behind the text being read. It is a
// window of its own, not a child of the main one, which neither rises nor moves for it.
//
// It closes on Escape, on a click outside it and when the pointer, having been over it, leaves
// it. A click on its title (the word) hands the word to the owner, as does a link of its page.
class CTranslationPopup : public QFrame {
    Q_OBJECT
public:
    CTranslationPopup();

    // Shows the page (a whole page, code page 1257) under the title, with the pointer (global
    // coordinates) just inside its top left corner, the popup kept on the pointer's screen.
    void ShowAt(const QString& title, const std::string& cp1257Page, const QPoint& pointer);
    QString Title() const;
    // The page's text size in percent, as in the main window.
    void SetZoom(int percent);
    // The page view.
    CWebBrowser2* Page() const { return m_page; }

    // A click on the title, and a link followed on the page (its name, page text in UTF-8).
    void SetTitleClicked(std::function<void(const QString& title)> handler) {
        m_fnTitleClicked = std::move(handler);
    }
    void SetLinkFollowed(std::function<void(const std::string& url)> handler) {
        m_fnLinkFollowed = std::move(handler);
    }

    // Where the pointer is now (global): over the popup it counts as having been there; outside
    // it after that, the popup closes.
    void PointerAt(const QPoint& global);

    static constexpr int kWidth = 380;
    static constexpr int kHeight = 240;
    // How far inside the popup the pointer stands when it opens.
    static constexpr int kPointerInset = 6;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    QLabel* m_title;
    CWebBrowser2* m_page;
    bool m_bPointerWasIn = false;
    std::function<void(const QString&)> m_fnTitleClicked;
    std::function<void(const std::string&)> m_fnLinkFollowed;
};
