// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QDBusContext>
#include <QObject>
#include <QPointer>
#include <QString>

#include <cstddef>
#include <string>

class CAutomationTarget;

// The automation object that other programs call over D-Bus (interface LEKSTAR.IZodynas): four
// translations with the main window's dictionary and page builder. Translate and TranslateRev show
// the result in the window and return 0; TranslateHTML and TranslateHTMLRev return the whole page
// and show nothing. Every call first switches the window to the English or the Lithuanian index,
// which empties its entry box and history.
//
// The object has no state of its own beyond a non-owning link to the main window (through the
// narrow CAutomationTarget), which clears itself when the window is destroyed; a call that arrives after that
// answers the D-Bus error kErrorNoWindow and touches nothing. Strings are UTF-8 on the bus and code page 1257
// inside; characters the code page lacks become "?". An argument longer than kMaxArgument bytes (in code page
// 1257) answers kErrorTooLong before the window changes. All calls run on the GUI thread, between user
// actions.
class CZodynasDlgAutoProxy : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "LEKSTAR.IZodynas")
public:
    static constexpr const char* kErrorNoWindow = "LEKSTAR.Error.NoWindow";
    static constexpr const char* kErrorTooLong = "LEKSTAR.Error.TooLong";
    // Far above any list of words a caller means to translate, far below what would stall the
    // window: every "|" of Translate's argument is a look-up and a section of the page shown.
    static constexpr std::size_t kMaxArgument = 16384;
    // What one Translate may show: the page view needs seconds and hundreds of megabytes for
    // thousands of sections, so more words or a bigger page answer kErrorTooLong, the window as
    // it was. TranslateHTML shows nothing and is bound by kMaxArgument alone.
    static constexpr std::size_t kMaxShownItems = 64;
    static constexpr std::size_t kMaxShownPage = 1024 * 1024;

    explicit CZodynasDlgAutoProxy(CAutomationTarget* pTarget, QObject* parent = nullptr);
    ~CZodynasDlgAutoProxy() override;

    // The main window, or null once it has been destroyed or forgotten.
    CAutomationTarget* Target() const;
    // The window has closed: every call from now on answers kErrorNoWindow.
    void ForgetWindow() { m_pWindow.clear(); }

public slots:
    // The English articles of the words of text separated by "|", shown in the window. Returns 0.
    // At most kMaxShownItems words and a page of kMaxShownPage bytes.
    Q_SCRIPTABLE int Translate(const QString& text);
    // The English page for the words of text separated by spaces: page head, page, closing tags.
    Q_SCRIPTABLE QString TranslateHTML(const QString& text);
    // The English articles of the Lithuanian word, shown in the window. Returns 0.
    Q_SCRIPTABLE int TranslateRev(const QString& word);
    // The page of the English articles of the Lithuanian word.
    Q_SCRIPTABLE QString TranslateHTMLRev(const QString& word);

private:
    // The window to drive, or null after answering the caller with an error.
    CAutomationTarget* Window();
    // The argument in code page 1257; false after answering the caller with an error.
    bool Argument(const QString& text, std::string& bytes);
    CAutomationTarget* m_pTarget;
    // The target's window object: null once the window is destroyed.
    QPointer<QObject> m_pWindow;
};
