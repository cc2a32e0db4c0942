// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "dict/Cp1257.h"
#include "dict/UserText.h"

#include <QFile>
#include <QString>

#include <string>

// Text crosses between Qt and the dictionary here: Qt holds Unicode, the dictionary, its pages
// and the settings' words hold code page 1257 bytes. A character the code page lacks becomes "?".
namespace QtText {

inline QString FromCp1257(const std::string& cp1257) {
    return QString::fromStdString(Cp1257::ToUtf8(cp1257));
}

inline std::string ToCp1257(const QString& text) {
    return Cp1257::FromUtf8(text.toStdString());
}

// Text a person typed or copied: composed, typographic characters plain (UserText::ToCp1257).
inline std::string FromUserText(const QString& text) {
    return UserText::ToCp1257(text.toStdString());
}

// A path (the file system's bytes) as text for a message.
inline std::string PathText(const std::string& path) {
    return ToCp1257(QFile::decodeName(QByteArray::fromStdString(path)));
}

} // namespace QtText
