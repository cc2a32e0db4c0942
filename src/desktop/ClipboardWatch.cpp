// The clipboard watch: while the window stays on top, every new text copied in another program
// is looked up by its first word, as if it had been typed and confirmed.

#include "app/ZodynasDlg.h"
#include "dict/Cp1257.h"
#include "lists/VListBox.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace {

// The clipboard's text as the watch sees it: code page 1257, at most 255 bytes, ending at a NUL.
std::string ClipboardText() {
    const QClipboard* clipboard = QGuiApplication::clipboard();
    const QMimeData* data = clipboard != nullptr ? clipboard->mimeData() : nullptr;
    if (data == nullptr || !data->hasText())
        return {};
    std::string text = Cp1257::FromUtf8(data->text().toStdString());
    text = text.substr(0, text.find('\0'));
    if (text.size() > 255)
        text.resize(255);
    return text;
}

bool IsClipBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

} // namespace

void CZodynasDlg::OnClipboardTick() {
    const std::string text = ClipboardText();
    if (text.empty() || text == m_szLastClipText)
        return;
    m_szLastClipText = text;

    std::size_t begin = 0;
    while (begin < text.size() && IsClipBlank(text[begin]))
        ++begin;
    // Only a space ends the word: a TAB or a line break after it stays inside.
    const std::size_t space = text.find(' ', begin);
    const std::string word = text.substr(begin, space == std::string::npos ? std::string::npos : space - begin);
    if (word.empty())
        return;

    KillTimer(TIMER_CLIPBOARD);
    int& selection = m_listIndex->selection;
    std::string page;
    if (m_nDirection != 0) {
        page = m_dict.RenderReverse(word, &selection);
    } else {
        page = m_dict.RenderForward(word, selection);
        if (selection == -1)
            page = m_dict.FindNearestForward(word, selection);
    }
    if (!page.empty()) {
        m_listIndex->keepSelectionVisible = true;
        m_listIndex->Repaint();
        ShowPage(page, selection);
    }
    SetTimer(TIMER_CLIPBOARD, 200);
}
