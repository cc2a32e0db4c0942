// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/ClipboardWatch.h"

#include "desktop/QtText.h"
#include "dict/TextUtil.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

std::string CClipboardWatch::ReadClipboard() {
    const QClipboard* clipboard = QGuiApplication::clipboard();
    const QMimeData* data = clipboard != nullptr ? clipboard->mimeData() : nullptr;
    if (data == nullptr || !data->hasText())
        return {};
    std::string text = QtText::ToCp1257(data->text());
    text = text.substr(0, text.find('\0'));
    if (text.size() > kMaxText)
        text.resize(kMaxText);
    return text;
}

std::string CClipboardWatch::TakeWord(const std::string& text) {
    if (text.empty() || text == m_strLastText)
        return {};
    m_strLastText = text;

    std::size_t begin = 0;
    while (begin < text.size() && TextUtil::IsBlank(text[begin]))
        ++begin;
    const std::size_t space = text.find(' ', begin);
    return text.substr(begin, space == std::string::npos ? std::string::npos : space - begin);
}
