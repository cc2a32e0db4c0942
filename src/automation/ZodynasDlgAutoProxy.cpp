// SPDX-License-Identifier: GPL-2.0-or-later
#include "automation/ZodynasDlgAutoProxy.h"

#include "automation/AutomationTarget.h"
#include "desktop/QtText.h"
#include "dict/ArticleText.h"
#include "render/Lookup.h"
#include "render/PageComposer.h"

#include <string_view>
#include <vector>

namespace {

// A page of several words, or of one word whose article has no title, has no title part of its
// own, and the page's first characters ("<A") would stand in the entry box and the history. The
// words asked for stand there instead, so that choosing the history item shows the page again.
std::string TitledPage(std::string_view text, std::string page) {
    const std::vector<std::string> items = PageComposer::SplitItems(text, '|');
    if (items.empty() || (items.size() == 1 && SArticleText::Split(page).bTitled))
        return page;
    std::string title;
    for (const std::string& item : items) {
        if (item.empty())
            continue;
        if (!title.empty())
            title += ' ';
        title.append(item, 0, PageComposer::kMaxItem);
    }
    return title + '\t' + page;
}

} // namespace

CZodynasDlgAutoProxy::CZodynasDlgAutoProxy(CAutomationTarget* pTarget, QObject* parent)
    : QObject(parent), m_pTarget(pTarget), m_pWindow(pTarget != nullptr ? pTarget->WindowObject() : nullptr) {
}

CZodynasDlgAutoProxy::~CZodynasDlgAutoProxy() = default;

CAutomationTarget* CZodynasDlgAutoProxy::Target() const {
    return m_pWindow != nullptr ? m_pTarget : nullptr;
}

CAutomationTarget* CZodynasDlgAutoProxy::Window() {
    if (m_pWindow != nullptr && !m_pTarget->IsClosing())
        return m_pTarget;
    // The window is closing (its pages swept: a new one would outlive it) or has closed, and the
    // process is on its way out; a direct caller just gets nothing.
    if (calledFromDBus())
        sendErrorReply(kErrorNoWindow, "The LEKSTAR window has been closed.");
    return nullptr;
}

bool CZodynasDlgAutoProxy::Argument(const QString& text, std::string& bytes) {
    bytes = QtText::FromUserText(text);
    if (bytes.size() <= kMaxArgument)
        return true;
    bytes.clear();
    if (calledFromDBus())
        sendErrorReply(
            kErrorTooLong,
            QString("The argument is longer than %1 bytes.").arg(static_cast<qulonglong>(kMaxArgument)));
    return false;
}

int CZodynasDlgAutoProxy::Translate(const QString& text) {
    CAutomationTarget* dlg = Window();
    std::string bytes;
    if (dlg == nullptr || !Argument(text, bytes))
        return 0;
    const std::size_t items = PageComposer::SplitItems(bytes, '|').size();
    std::string followWord;
    // The page depends on the dictionary alone: it is built, and measured, before the window
    // changes.
    const std::string page =
        items <= kMaxShownItems
            ? TitledPage(bytes, PageComposer::TranslatePage(dlg->Dict(), bytes, followWord))
            : std::string();
    if (items > kMaxShownItems || page.size() > kMaxShownPage) {
        if (calledFromDBus())
            sendErrorReply(kErrorTooLong, QString("Translate shows at most %1 words and %2 bytes of page.")
                                              .arg(static_cast<qulonglong>(kMaxShownItems))
                                              .arg(static_cast<qulonglong>(kMaxShownPage)));
        return 0;
    }
    dlg->SwitchDirection(EDirection::Forward);
    dlg->FollowTyping(followWord);
    // Entry 0 whatever was found: the entry box takes the page's title, not an index row's word.
    dlg->ShowPage(page, 0, false);
    return 0;
}

QString CZodynasDlgAutoProxy::TranslateHTML(const QString& text) {
    CAutomationTarget* dlg = Window();
    std::string bytes;
    if (dlg == nullptr || !Argument(text, bytes))
        return QString();
    dlg->SwitchDirection(EDirection::Forward);
    return QtText::FromCp1257(PageComposer::TranslateHtml(dlg->Dict(), dlg->PageHead(), bytes));
}

int CZodynasDlgAutoProxy::TranslateRev(const QString& word) {
    CAutomationTarget* dlg = Window();
    std::string bytes;
    if (dlg == nullptr || !Argument(word, bytes))
        return 0;
    dlg->SwitchDirection(EDirection::Reverse);
    const Lookup::SResult found = Lookup::Find(dlg->Dict(), EDirection::Reverse, bytes);
    dlg->ShowPage(found.text, found.entry, false);
    return 0;
}

QString CZodynasDlgAutoProxy::TranslateHTMLRev(const QString& word) {
    CAutomationTarget* dlg = Window();
    std::string bytes;
    if (dlg == nullptr || !Argument(word, bytes))
        return QString();
    dlg->SwitchDirection(EDirection::Reverse);
    return QtText::FromCp1257(PageComposer::TranslateHtmlRev(dlg->Dict(), dlg->PageHead(), bytes));
}
