// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "dict/DictFormat.h"

#include <optional>
#include <string>

class QString;

// The clipboard watch's memory and rules: while the window stays on top, every new text copied
// in another program is looked up by its first word. The main window ticks it with a timer; this
// class decides what a tick's text means.
//
// Texts are held as UTF-8 in composed form (UserText::Normalise), so that a letter the code page
// lacks is still known as one when the word is looked up.
class CClipboardWatch {
public:
    // The longest text the watch looks at, in characters (one code page 1257 byte each).
    static constexpr std::size_t kMaxText = DictFormat::kMaxWordBytes;

    // The start of a clipboard text as the watch sees it: normalised, ending at a NUL, at most
    // kMaxText characters. Only that start is converted, however long the text.
    static std::string TextStart(const QString& text);
    // The clipboard's text start; nothing when the clipboard holds no text.
    static std::optional<std::string> ReadClipboard();
    // The same of the primary selection (X11, and Wayland where the compositor offers one);
    // nothing where the platform has none.
    static std::optional<std::string> ReadSelection();

    // What a tick reads: the clipboard's text start when the clipboard may have changed since the
    // last read, nothing otherwise. A big clipboard is fetched once per change, not once per tick.
    std::optional<std::string> ReadIfChanged();
    // The clipboard's change notification.
    void MarkChanged() { m_bChanged = true; }
    // What the clipboard and the selection hold now counts as seen: only what comes after is read.
    void Settle();

    // The selection: what a tick reads of it once it has stayed the same for one tick, so that a
    // word being selected with the mouse is taken when the hand stops, not letter by letter.
    // Nothing while it has not changed since the last text taken from it.
    std::optional<std::string> ReadSelectionIfSettled();
    // The same, read at every tick whether told of a change or not: a program that selects
    // another word keeps owning the selection, and X tells nobody of the new text. A text is
    // given once, however long it stays selected.
    std::optional<std::string> PollSelectionIfSettled();
    // The selection's change notification (not for a selection made in this program's own
    // window, whose words are already on the screen).
    void MarkSelectionChanged() { m_bSelectionChanged = true; }
    // Where ReadSelectionIfSettled reads; the real selection unless a test sets another.
    using SelectionReader = std::optional<std::string> (*)();
    void SetSelectionReader(SelectionReader reader) { m_fnReadSelection = reader; }

    // The word to translate for a text read from the clipboard. The text last handled gives
    // nothing. A new text, also an empty one, is remembered, and its first word is given: after
    // leading white space, up to the first space (a TAB or a line break stays inside the word).
    // That word may be empty for a text of white space alone.
    std::string TakeWord(const std::string& text);
    // The same for a text of the selection; the two share one memory, so a word selected and
    // then copied is translated once.
    std::string TakeSelectionWord(const std::string& text);

    const std::string& LastText() const { return m_strLastText; }
    // After a switch of the index the same text is translated again, read again from where it
    // came.
    void Forget() {
        m_strLastText.clear();
        (m_bLastFromSelection ? m_bSelectionChanged : m_bChanged) = true;
    }

private:
    SelectionReader m_fnReadSelection = &CClipboardWatch::ReadSelection;
    // After leading white space, up to the first space.
    static std::string FirstWord(const std::string& text);

    std::string m_strLastText;
    bool m_bChanged = true;
    bool m_bSelectionChanged = true;
    bool m_bLastFromSelection = false;
    // The selection read at the tick before, waiting to be read the same once more.
    std::optional<std::string> m_strUnsettled;
    // The selection's text the poll gave last.
    std::optional<std::string> m_strPolled;
};
