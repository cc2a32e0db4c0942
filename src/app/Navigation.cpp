// SPDX-License-Identifier: GPL-2.0-or-later
// The main window's routines that tie the entry box to the word lists: following the typed
// text, moving the active list's selection, showing a selected entry or a copied word, switching
// the direction.

#include "app/ButtonBar.h"
#include "app/ListNavigation.h"
#include "app/TranslationPopup.h"
#include "app/WindowTexts.h"
#include "app/ZodynasApp.h"
#include "app/ZodynasDlg.h"
#include "desktop/QtText.h"
#include "dict/ArticleText.h"
#include "dict/UserText.h"
#include "lists/VListBox.h"
#include "lists/VListBoxHistory.h"
#include "lists/WordEdit.h"
#include "render/Lookup.h"

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QWheelEvent>

#include <algorithm>
#include <cstdlib>
#include <vector>

void CZodynasDlg::CreateLists() {
    m_listIndex = new CVListBox(this, this);
    m_listIndex->setObjectName("VListBox");
    m_listIndex->setAccessibleName(WindowTexts::Ui(WindowTexts::kIndexName));
    m_listIndex->SetHistory(false);
    m_listIndex->SetRows(&m_rows);
    m_listIndex->SetStyle(m_app.ListStyle());
    m_listHistory = new CVListBoxHistory(this, this);
    m_listHistory->setObjectName("VListBoxHistory");
    m_listHistory->setAccessibleName(WindowTexts::Ui(WindowTexts::kHistoryName));
    m_listHistory->SetStyle(m_app.ListStyle());
    m_listHistory->SetRows(&m_rows);
    m_listIndex->SetReverse(IsReverse());
    m_listHistory->SetReverse(IsReverse());
    m_listIndex->SetLastIndex((IsReverse() ? m_dict.ReverseCount() : m_dict.ArticleCount()) - 1);
    m_listIndex->ResetScroll();
    m_listIndex->show();
    m_listHistory->show();
    m_navigation.Attach(m_listIndex, m_listHistory, m_editWord, [this](int row) {
        if (IsReverse())
            return m_dict.GetReverseHeadword(row);
        // The headword without its homonym number, so that Enter shows all its homonyms.
        return std::string(SArticleText::Split(m_dict.GetArticle(row)).title);
    });
}

CWordForms* CZodynasDlg::WordForms() {
    if (m_settings.bWordForms == 0)
        return nullptr;
    return IsReverse() ? m_pLithuanianForms.get() : m_pEnglishForms.get();
}

void CZodynasDlg::PreloadWordForms() {
    m_bPreloadForms = true;
    PrepareWordForms();
}

void CZodynasDlg::PrepareWordForms() {
    // The English data (8 MB) waits for the first word typed that may be a form of another
    // (FollowTyping); the Lithuanian index asks for stems from the second letter on, and words of
    // other programs may come at any moment.
    if (IsReverse() || m_settings.bAlwaysOnTop || m_settings.bPopup)
        StartFormsLoad();
}

void CZodynasDlg::StartFormsLoad() {
    CWordForms* forms = WordForms();
    if (!m_bPreloadForms || forms == nullptr ||
        std::find(m_preloaded.begin(), m_preloaded.end(), forms) != m_preloaded.end())
        return;
    m_preloaded.push_back(forms);
    m_formsLoaders.emplace_back([forms] { forms->Load(); });
}

void CZodynasDlg::JoinFormsLoaders() {
    for (std::thread& t : m_formsLoaders)
        t.join();
    m_formsLoaders.clear();
    m_preloaded.clear();
}

void CZodynasDlg::SetWordFormsData(const std::string& englishBase, const std::string& lithuanianBase) {
    JoinFormsLoaders();
    m_pEnglishForms = std::make_unique<CWordForms>(englishBase);
    m_pLithuanianForms = std::make_unique<CWordForms>(lithuanianBase);
}

void CZodynasDlg::ShowSavedWord() {
    m_editWord->PutWord(m_settings.strLastWord);
    // The word as it was left, without forms: start-up never waits for the hunspell data.
    const Lookup::SResult found = Lookup::Find(m_dict, m_direction, m_settings.strLastWord);
    m_listIndex->SetSelection(found.entry);
    ShowPage(found.text, found.entry);
    if (IsReverse())
        m_editWord->setFocus();
}

void CZodynasDlg::FollowTyping(const std::optional<std::string>& text) {
    if (!text) {
        // Nothing matches a letter the dictionary cannot hold; the rows stay where they were.
        m_listIndex->SetSelection(-1);
        m_listIndex->viewport()->update();
        return;
    }
    if (Lookup::MayAskForms(m_direction, *text))
        StartFormsLoad();
    // The index is painted with the entry box's own change of this key, in one pass of the
    // window; a key that leaves it where it was ("hous" after "hou", both at "house") paints no row.
    m_navigation.FollowTo(Lookup::FindEntry(m_dict, m_direction, *text, WordForms()));
}

void CZodynasDlg::OnOK() {
    const std::string typed = m_editWord->text().toStdString();
    // Nothing for a letter the dictionary cannot hold: no row to select, a page that says so.
    const std::optional<std::string> word = m_editWord->LookupWord();
    const Lookup::SResult found =
        word ? Lookup::Find(m_dict, m_direction, *word, WordForms()) : Lookup::SResult{};
    if (IsReverse() && word && found.entry != m_listIndex->Selection()) {
        // A row chosen among records of the same text: that row, as it stands.
        ShowReverseEntry(m_listIndex->Selection());
    } else {
        m_listIndex->SetSelection(found.entry);
        ShowAnswer(typed, word, found);
        if (IsReverse())
            m_editWord->setFocus();
    }
    if (!word) {
        m_listIndex->Repaint();
        return;
    }
    m_listIndex->SetKeepSelectionVisible(true);
    m_listIndex->SetTopIndex(m_listIndex->Selection() - 3);
    m_listIndex->Repaint();
}

void CZodynasDlg::ShowForWord(const QString& word) {
    if (isMinimized())
        showNormal();
    else
        show();
    raise();
    activateWindow();
    const QString trimmed = word.trimmed();
    if (trimmed.isEmpty())
        return;
    m_editWord->setText(trimmed);
    FollowTyping(m_editWord->LookupWord());
    OnOK();
}

void CZodynasDlg::OnClipboardTick() {
    // On top the window translates what comes; behind the other windows the popup does, for
    // the selection too, and leaves alone what was copied from this program's own window.
    const bool bPopup = m_settings.bAlwaysOnTop == 0 && m_settings.bPopup != 0;
    std::string word;
    bool bOwn = false;
    if (const std::optional<std::string> text = m_clipboard.ReadIfChanged()) {
        word = m_clipboard.TakeWord(*text);
        bOwn = !word.empty() && QGuiApplication::clipboard()->ownsClipboard();
    }
    if (word.empty() && bPopup) {
        if (const std::optional<std::string> text = m_clipboard.PollSelectionIfSettled()) {
            word = m_clipboard.TakeSelectionWord(*text);
            // Text selected in the popup's own page, say.
            bOwn = !word.empty() && QGuiApplication::clipboard()->ownsSelection();
        }
    } else if (word.empty() && m_settings.bSelection != 0) {
        if (const std::optional<std::string> text = m_clipboard.ReadSelectionIfSettled())
            word = m_clipboard.TakeSelectionWord(*text);
    }
    if (word.empty())
        return;
    // A word copied or selected in this program's own window is on the screen already.
    const QWidget* active = QApplication::activeWindow();
    if (bPopup && (bOwn || (active != nullptr && active != m_popup.get())))
        return;

    KillTimer(TIMER_CLIPBOARD);
    const std::optional<std::string> bytes = UserText::LookupWord(word);
    const Lookup::SResult found =
        bytes ? Lookup::Find(m_dict, m_direction, *bytes, WordForms()) : Lookup::SResult{};
    if (bPopup) {
        ShowInPopup(word, bytes, found);
        SetTimer(TIMER_CLIPBOARD, kPopupTick);
        return;
    }
    m_listIndex->SetSelection(found.entry);
    if (!found.text.empty()) {
        m_listIndex->SetKeepSelectionVisible(true);
        m_listIndex->Repaint();
    }
    ShowAnswer(word, bytes, found);
    SetTimer(TIMER_CLIPBOARD, 200);
}

void CZodynasDlg::ShowSuggestion(const AnswerNote::SLink& link) {
    if (link.direction != m_direction)
        SwitchDirection(link.direction);
    m_editWord->PutWord(link.record);
    FollowTyping(link.record);
    OnOK();
}

void CZodynasDlg::ShowForwardEntry(int entry) {
    ShowPage(m_dict.GetArticle(entry), entry);
    m_editWord->setFocus();
}

void CZodynasDlg::ShowReverseEntry(int index) {
    ShowPage(m_dict.RenderReverseEntry(index), index);
    m_editWord->setFocus();
}

void CZodynasDlg::LineUp() {
    m_navigation.LineUp();
}

void CZodynasDlg::LineDown() {
    m_navigation.LineDown();
}

void CZodynasDlg::PageUp() {
    m_navigation.PageUp();
}

void CZodynasDlg::PageDown() {
    m_navigation.PageDown();
}

void CZodynasDlg::SwitchDirection(EDirection direction) {
    m_direction = direction;
    m_buttons->ShowDirection(IsReverse());

    m_listIndex->SetReverse(IsReverse());
    m_listIndex->SetLastIndex((IsReverse() ? m_dict.ReverseCount() : m_dict.ArticleCount()) - 1);
    m_listIndex->ResetScroll();
    m_listIndex->Repaint();

    // The history's words belong to the other direction; their pages go, but for the one shown.
    std::vector<std::string> pages;
    for (const auto& [word, page] : m_listHistory->Pages())
        pages.push_back(page);
    m_listHistory->ClearItems();
    for (const std::string& page : pages)
        ReleasePage(page);
    m_listHistory->SetReverse(IsReverse());
    PrepareWordForms();
    m_editWord->clear();
    m_clipboard.Forget();
    m_editWord->DeleteFont();

    m_nPrevWidth = 0;
    m_nPrevHeight = 0;
    Layout(width(), height());
    update();
    m_editWord->setFocus();
}

void CZodynasDlg::OnEditFocus() {
    // Coming back to the entry box swaps the list the keys drive; typing sets it to the index.
    if (m_bLayoutReady)
        m_navigation.SwapActive();
}

void CZodynasDlg::wheelEvent(QWheelEvent* event) {
    const int dy = event->angleDelta().y();
    if (m_editWord != nullptr && m_editWord->hasFocus() && dy != 0) {
        // One row per notch, however far one message turned: the small steps of a smooth wheel
        // add up to a notch first, a turn the other way starts again. Sideways turns and the
        // zero-delta end of a smooth scroll move nothing.
        m_nWheelRest = (m_nWheelRest > 0) == (dy > 0) ? m_nWheelRest + dy : dy;
        if (std::abs(m_nWheelRest) >= kWheelNotch || std::abs(dy) >= kWheelNotch) {
            m_nWheelRest = 0;
            if (dy > 0)
                LineUp();
            else
                LineDown();
        }
    }
    QDialog::wheelEvent(event);
}
