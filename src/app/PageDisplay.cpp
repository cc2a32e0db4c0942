// SPDX-License-Identifier: GPL-2.0-or-later
// Translation pages: written as page files in the private temporary folder, shown in the
// browser, recorded in the history; links inside them turned into the pages of their names.

#include "app/WindowTexts.h"
#include "app/ZodynasApp.h"
#include "app/ZodynasDlg.h"
#include "desktop/QtText.h"
#include "desktop/TempFolder.h"
#include "desktop/WebBrowser2.h"
#include "dict/ArticleText.h"
#include "dict/Cp1257.h"
#include "dict/TextUtil.h"
#include "lists/VListBox.h"
#include "lists/VListBoxHistory.h"
#include "lists/WordEdit.h"
#include "render/AnswerNote.h"
#include "render/PageComposer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cstdio>

namespace {

std::string TrimPage(const std::string& s) {
    return std::string(TextUtil::Trim(s));
}

struct SPageText {
    std::string title;
    std::string body;
};

// A page text is "title TAB body"; without a TAB it is all body, and its first word the title.
SPageText SplitPage(const std::string& text) {
    const SArticleText article = SArticleText::Split(text);
    if (article.bTitled)
        return {std::string(article.title), std::string(article.body)};
    const std::size_t space = text.find(' ');
    return {space == std::string::npos ? std::string() : text.substr(0, space), text};
}

// Writes the whole page or reports failure; a page is never left looking complete when it is not.
bool WriteAll(const std::string& path, const std::string& bytes) {
    std::FILE* f = std::fopen(path.c_str(), "r+b");
    if (f == nullptr)
        return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && written;
}

} // namespace

void CZodynasDlg::ShowPage(std::string text, int entry, bool bPutTitle) {
    text = TrimPage(text);
    if (text.empty())
        return;
    SPageText page = SplitPage(text);
    ShowBody(std::move(page.title), page.body, entry, bPutTitle);
}

void CZodynasDlg::ShowAnswer(const std::string& typed, const std::optional<std::string>& word,
                             const Lookup::SResult& found) {
    // Enter in an empty entry box shows nothing. A page of the note alone has no title, so
    // neither the entry box nor the history changes.
    if (std::optional<SAnswerPage> page = AnswerPage(typed, word, found))
        ShowBody(std::move(page->title), page->body, page->entry, false);
}

std::optional<CZodynasDlg::SAnswerPage> CZodynasDlg::AnswerPage(const std::string& typed,
                                                                const std::optional<std::string>& word,
                                                                const Lookup::SResult& found) {
    if (TextUtil::Trim(typed).empty())
        return std::nullopt;
    AnswerNote::SAnswer answer;
    answer.typed = typed;
    answer.how = found.how;
    answer.rule = found.rule;
    answer.direction = m_direction;
    if (found.entry >= 0) {
        int homonym = 0;
        answer.shown = m_dict.GetListHeadword(answer.direction, found.entry, homonym);
        // "bank 2", a title the entry box got from a page, is that word again.
        const std::string_view rest = word && word->rfind(answer.shown + ' ', 0) == 0
                                          ? std::string_view(*word).substr(answer.shown.size() + 1)
                                          : std::string_view();
        if (!rest.empty() &&
            std::all_of(rest.begin(), rest.end(), [](char c) { return c >= '0' && c <= '9'; }))
            answer.how = Lookup::EFound::Exact;
    }
    if (word && answer.how != Lookup::EFound::Exact && answer.how != Lookup::EFound::Form) {
        if (CWordForms* forms = WordForms())
            answer.suggestions = Lookup::Suggestions(m_dict, answer.direction, *word, *forms);
        answer.otherRecord = OtherDirectionRecord(*word);
    }
    const std::string note = AnswerNote::Html(answer);
    const std::string text = TrimPage(found.text);
    // Nothing to show: a page that says so rather than the last word's page under this one.
    if (text.empty())
        return SAnswerPage{{}, note, -1};
    SPageText page = SplitPage(text);
    return SAnswerPage{std::move(page.title), note + page.body, found.entry};
}

std::string CZodynasDlg::OtherDirectionRecord(const std::string& word) {
    const EDirection other = m_direction == EDirection::Forward ? EDirection::Reverse : EDirection::Forward;
    CWordForms* forms = m_settings.bWordForms == 0     ? nullptr
                        : other == EDirection::Reverse ? m_pLithuanianForms.get()
                                                       : m_pEnglishForms.get();
    const Lookup::SResult there = Lookup::Find(m_dict, other, word, forms);
    if (there.how != Lookup::EFound::Exact && there.how != Lookup::EFound::Form)
        return {};
    int homonym = 0;
    return m_dict.GetListHeadword(other, there.entry, homonym);
}

std::string CZodynasDlg::PageHead() const {
    return m_app.PageHead();
}

void CZodynasDlg::ShowBody(std::string title, const std::string& body, int entry, bool bPutTitle) {
    if (!m_bReplaying)
        AddToTrail({title, body, entry, bPutTitle, m_direction, m_listIndex->Selection()});
    const std::string head = PageHead();
    // The page file, or nothing when none can be written whole (no private folder, a full disk, a
    // size limit); an empty or cut ".TMP" file is left for the sweeps.
    std::string htmPath = CTempFolder::CreateUniqueFile("ZOD");
    if (!htmPath.empty() && WriteAll(htmPath, PageComposer::ComposePage(head, body))) {
        const std::string tmpPath = htmPath;
        htmPath += ".htm";
        std::rename(tmpPath.c_str(), htmPath.c_str());
    } else {
        htmPath.clear();
    }

    if (entry >= 0) {
        if (IsReverse()) {
            title = m_dict.GetReverseHeadword(entry);
        } else {
            const int n = m_listIndex->HomonymOrdinal(entry);
            // Appended piece by piece: GCC 12 at -O3 takes `" " + std::to_string(n)` for an
            // overlapping copy (a false -Wrestrict).
            if (n > 0) {
                title += ' ';
                title += std::to_string(n);
            }
        }
        m_editWord->PutWord(title);
    } else if (bPutTitle) {
        m_editWord->PutWord(TrimPage(title));
    }

    m_strCaption = "Vertimas";
    update(m_layout.topStrip.adjusted(0, 0, 0, 1));

    title = TrimPage(title);
    // A page held in memory has no file for the history to show again. Going back and forth
    // shows pages again and records nothing.
    if (!m_bReplaying)
        m_listHistory->Record(title, htmPath, m_settings.bShowHistory != 0);
    const std::string previous = m_browser->CurrentPath();
    if (htmPath.empty())
        m_browser->ShowText(PageComposer::ComposePage(head, MemoryPageNote() + body), kMemoryPage);
    else
        m_browser->Navigate(htmPath);
    m_browser->SetDocumentName(QtText::FromCp1257(title));
    ReleasePage(previous);
}

std::string CZodynasDlg::MemoryPageNote() {
    // Once a run: the pages still show, only no file holds them.
    if (m_bMemoryPageNoted)
        return {};
    m_bMemoryPageNoted = true;
    const std::string folder = CTempFolder::Path();
    // With no folder the system's temporary folder is at fault, the one TMPDIR names if it does.
    QString where = QFile::decodeName(QByteArray::fromStdString(folder));
    if (where.isEmpty())
        where = QDir::tempPath();
    if (where.isEmpty())
        where = qEnvironmentVariable("TMPDIR", QStringLiteral("/tmp"));
    return "<P CLASS=note>" + WindowTexts::Cp(WindowTexts::kMemoryPages) +
           QtText::ToCp1257(where.toHtmlEscaped()) + ".</P>\r\n";
}

void CZodynasDlg::ReleasePage(const std::string& path) {
    // Without this, repeated words, a hidden history and switches of the index would use up the
    // 65,535 page names in a long session; a page nothing shows or lists gives its name back.
    if (path.empty() || path == m_browser->CurrentPath())
        return;
    const std::string folder = CTempFolder::Path();
    if (folder.empty() || path.rfind(folder + "/ZOD", 0) != 0)
        return;
    for (const auto& [word, page] : m_listHistory->Pages())
        if (page == path)
            return;
    std::remove(path.c_str());
}

void CZodynasDlg::OnBeforeNavigate2(const std::string& url, bool& bCancel) {
    const std::size_t slash = url.rfind('/');
    if (slash == std::string::npos)
        return;
    // The path's last name is a link's name, page text that the view handed over as a file name;
    // an anchor behind it is page text already.
    const std::string last = url.substr(slash + 1);
    const std::size_t hash = last.find('#');
    const std::string name =
        Cp1257::ToLower(QtText::ToCp1257(QFile::decodeName(QByteArray::fromStdString(last.substr(0, hash)))) +
                        (hash == std::string::npos ? std::string() : last.substr(hash)));
    // Page files (also with an anchor behind them), the about pages and the help page (shown here
    // where no program opens it) are the browser's own; every other name is a link, also one that
    // only contains "apie" ("apiece").
    const std::string file = name.substr(0, name.find('#'));
    if (name.find(".tmp") != std::string::npos || file == "apie.htm" || file == "apie_s.htm" ||
        file == "pagalba.htm")
        return;
    bCancel = true;
    if (const std::optional<AnswerNote::SLink> link = AnswerNote::ParseLinkName(file)) {
        m_pendingSuggestion = link;
        SetTimer(TIMER_SHOWPAGE, 20);
        return;
    }
    int entry = -1;
    const std::string page = m_dict.RenderLinkTarget(name, entry);
    if (page.size() > 1) {
        m_strPendingPage = page;
        m_nPendingEntry = entry;
        SetTimer(TIMER_SHOWPAGE, 20);
    }
}

void CZodynasDlg::ShowLinkPage(const std::string& text, int entry) {
    if (!IsReverse()) {
        // The English index moves to the linked entry, whose place among its homonyms the title
        // carries.
        m_listIndex->Select(entry);
        ShowPage(text, entry);
        return;
    }
    // A link names English articles, which the Lithuanian index does not hold: its selection stays
    // where it was, and the entry box and the history get the page's own English headword.
    ShowPage(text, -1, true);
}

void CZodynasDlg::AddToTrail(SVisit visit) {
    // A new page after going back drops the pages ahead, as in a browser.
    m_trail.resize(static_cast<std::size_t>(m_nTrailAt + 1));
    m_trail.push_back(std::move(visit));
    if (m_trail.size() > kMaxTrail)
        m_trail.erase(m_trail.begin());
    m_nTrailAt = static_cast<int>(m_trail.size()) - 1;
}

bool CZodynasDlg::GoInTrail(int step) {
    const int at = m_nTrailAt + step;
    if (at < 0 || at >= static_cast<int>(m_trail.size()))
        return false;
    m_nTrailAt = at;
    const SVisit visit = m_trail[static_cast<std::size_t>(at)];
    m_bReplaying = true;
    if (visit.direction != m_direction)
        SwitchDirection(visit.direction);
    // The page is rendered again from its text, so no page file needs to outlive its showing;
    // the entry box and the index show it as they did.
    ShowBody(visit.title, visit.body, visit.entry, visit.bPutTitle);
    m_bReplaying = false;
    m_listIndex->SetTopIndex(visit.row - 3);
    m_listIndex->Select(visit.row);
    return true;
}

void CZodynasDlg::NavigateToPage(const std::string& path) {
    const std::string previous = m_browser->CurrentPath();
    m_browser->Navigate(path);
    // A page of the history goes by the word it was recorded for.
    for (const auto& [word, page] : m_listHistory->Pages())
        if (page == path)
            m_browser->SetDocumentName(QtText::FromCp1257(word));
    ReleasePage(previous);
}

void CZodynasDlg::ClearHistory() {
    for (const auto& [word, path] : m_listHistory->Pages())
        std::remove(path.c_str());
    m_listHistory->ClearItems();
    // Leftover page files that never got their ".htm" name, and the splash picture's copy.
    CTempFolder::DeleteMatching("ZOD*.TMP");
}

void CZodynasDlg::SetPageZoom(int percent) {
    m_browser->SetZoom(percent);
    m_settings.nZoom = m_browser->Zoom();
}

void CZodynasDlg::PrintPage() {
    if (m_browser->HasDocument())
        m_browser->PrintWithDialog(this);
}

void CZodynasDlg::ShowHelp() {
    // A compiled help file beside the program wins; otherwise the help page of the HTM folder.
    const QString chm = QString::fromStdString(m_app.ProgramDir() + "/Lekstar.chm");
    const std::string page = m_app.ProgramDir() + "/HTM/Pagalba.htm";
    const QString pageName = QString::fromStdString(page);
    if (OpenUrl(QUrl::fromLocalFile(QFileInfo::exists(chm) ? chm : pageName)))
        return;
    // No program to open it: the help page in the window's own view, or where it should be.
    if (QFileInfo(pageName).isFile())
        NavigateToPage(page);
    else
        MessageBox(WindowTexts::Cp(WindowTexts::kNoHelp) + QtText::PathText(page), QMessageBox::Information);
}
