// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "dict/DictFormat.h"

#include <string>

// The clipboard watch's memory and rules: while the window stays on top, every new text copied
// in another program is looked up by its first word. The main window ticks it with a timer; this
// class decides what a tick's text means.
class CClipboardWatch {
public:
    // The longest text the watch looks at, in code page 1257 bytes.
    static constexpr std::size_t kMaxText = DictFormat::kMaxWordBytes;

    // The clipboard's text as the watch sees it: code page 1257, at most kMaxText bytes, ending
    // at a NUL; empty when the clipboard holds no text.
    static std::string ReadClipboard();

    // The word to translate for a text read from the clipboard. An empty text, or the text last
    // handled, gives nothing. A new text is remembered, and its first word is given: after
    // leading white space, up to the first space (a TAB or a line break stays inside the word).
    // That word may be empty for a text of white space alone.
    std::string TakeWord(const std::string& text);

    const std::string& LastText() const { return m_strLastText; }
    // After a switch of the index the same text is translated again.
    void Forget() { m_strLastText.clear(); }

private:
    std::string m_strLastText;
};
