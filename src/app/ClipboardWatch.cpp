// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/ClipboardWatch.h"

#include "desktop/SelectionProbe.h"
#include "dict/TextUtil.h"
#include "dict/UserText.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QString>

std::string CClipboardWatch::TextStart(const QString& text) {
    // kMaxText characters need at most two UTF-16 units each, and a few more let a combining mark
    // that follows the last one join its letter.
    const QString start = text.left(static_cast<qsizetype>(2 * kMaxText + 8));
    std::u32string chars = UserText::Normalise(start.toStdString());
    chars = chars.substr(0, chars.find(U'\0'));
    if (chars.size() > kMaxText)
        chars.resize(kMaxText);
    return UserText::ToUtf8(chars);
}

namespace {

// How long the window's thread waits for another program's answer before it leaves the text
// unread until the next change.
constexpr int kOwnerTimeoutMs = 100;

// Whether the owner of the clipboard or selection answers (X only; the window's own data
// always does).
bool OwnerAnswers(const QClipboard& clipboard, QClipboard::Mode mode) {
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return true;
    if (mode == QClipboard::Clipboard ? clipboard.ownsClipboard() : clipboard.ownsSelection())
        return true;
    static CSelectionProbe probe;
    return probe.OwnerAnswers(mode == QClipboard::Clipboard, kOwnerTimeoutMs);
}

std::optional<std::string> ReadMode(QClipboard::Mode mode) {
    const QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard == nullptr || (mode == QClipboard::Selection && !clipboard->supportsSelection()))
        return std::nullopt;
    // An owner that does not answer is not read: Qt would wait for it for seconds.
    if (!OwnerAnswers(*clipboard, mode))
        return std::nullopt;
    const QMimeData* data = clipboard->mimeData(mode);
    if (data == nullptr || !data->hasText())
        return std::nullopt;
    return CClipboardWatch::TextStart(data->text());
}

} // namespace

std::optional<std::string> CClipboardWatch::ReadClipboard() {
    return ReadMode(QClipboard::Clipboard);
}

std::optional<std::string> CClipboardWatch::ReadSelection() {
    return ReadMode(QClipboard::Selection);
}

std::optional<std::string> CClipboardWatch::ReadSelectionIfSettled() {
    if (!m_bSelectionChanged)
        return std::nullopt;
    std::optional<std::string> text = m_fnReadSelection();
    if (text && text != m_strUnsettled) {
        // Read again at the next tick; taken once it is still the same.
        m_strUnsettled = std::move(text);
        return std::nullopt;
    }
    m_bSelectionChanged = false;
    m_strUnsettled.reset();
    return text;
}

std::optional<std::string> CClipboardWatch::PollSelectionIfSettled() {
    m_bSelectionChanged = true;
    std::optional<std::string> text = ReadSelectionIfSettled();
    if (!text || text == m_strPolled)
        return std::nullopt;
    m_strPolled = text;
    return text;
}

void CClipboardWatch::Settle() {
    m_bChanged = false;
    m_bSelectionChanged = false;
    m_strUnsettled.reset();
    m_strPolled = m_fnReadSelection();
}

std::optional<std::string> CClipboardWatch::ReadIfChanged() {
    if (!m_bChanged)
        return std::nullopt;
    m_bChanged = false;
    return ReadClipboard();
}

std::string CClipboardWatch::TakeSelectionWord(const std::string& text) {
    if (text == m_strLastText)
        return {};
    m_strLastText = text;
    m_bLastFromSelection = true;
    return FirstWord(text);
}

std::string CClipboardWatch::TakeWord(const std::string& text) {
    if (text == m_strLastText)
        return {};
    m_strLastText = text;
    m_bLastFromSelection = false;
    return FirstWord(text);
}

std::string CClipboardWatch::FirstWord(const std::string& text) {
    // White space is ASCII, which never occurs inside a UTF-8 sequence.
    std::size_t begin = 0;
    while (begin < text.size() && TextUtil::IsBlank(text[begin]))
        ++begin;
    const std::size_t space = text.find(' ', begin);
    return text.substr(begin, space == std::string::npos ? std::string::npos : space - begin);
}
