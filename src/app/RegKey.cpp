// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/RegKey.h"

#include "desktop/QtText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStringList>
#include <QVariant>

#include <limits>

namespace {

constexpr const char* kOrganisation = "Kvarsena";
constexpr const char* kApplication = "LEKSTAR";

QSettings::Scope ToQtScope(CRegKey::EScope scope) {
    return scope == CRegKey::EScope::User ? QSettings::UserScope : QSettings::SystemScope;
}

} // namespace

CRegKey::CRegKey() = default;

CRegKey::~CRegKey() {
    Close();
}

void CRegKey::SetRoots(const QString& userDir, const QString& machineDir) {
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, userDir);
    QSettings::setPath(QSettings::NativeFormat, QSettings::SystemScope, machineDir);
}

QString CRegKey::FileName(EScope scope) {
    return QSettings(QSettings::NativeFormat, ToQtScope(scope), kOrganisation, kApplication).fileName();
}

void CRegKey::SetAsideIfNoSettings(const QString& path) {
    const QFileInfo info(path);
    if (!info.isFile())
        return;
    // The program's settings are a few hundred bytes; a file far beyond that, or one the settings
    // reader cannot parse, is no settings file of ours. Read as defaults and written back at every
    // exit it would only grow; set aside once (the last one kept), it makes way for a clean one.
    bool bForeign = info.size() > static_cast<qint64>(kMaxSettingsBytes);
    if (!bForeign) {
        const QSettings probe(path, QSettings::IniFormat);
        bForeign = probe.status() == QSettings::FormatError;
    }
    if (!bForeign)
        return;
    const QString aside = path + ".bad";
    QFile::remove(aside);
    QFile::rename(path, aside);
}

bool CRegKey::Open(EScope scope, bool bCreate, bool* pbCreated) {
    Close();
    if (pbCreated != nullptr)
        *pbCreated = false;

    const QString path = FileName(scope);
    if (scope == EScope::User)
        SetAsideIfNoSettings(path);
    const QFileInfo info(path);
    if (!info.exists()) {
        if (!bCreate)
            return false;
        // The key is its file: make it now, empty, so that "was it just created" has an answer
        // even when nothing is written into it.
        if (!QDir().mkpath(info.absolutePath()))
            return false;
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            return false;
        file.close();
        if (pbCreated != nullptr)
            *pbCreated = true;
    } else if (!info.isFile() || !info.isReadable()) {
        return false;
    }

    auto settings =
        std::make_unique<QSettings>(QSettings::NativeFormat, ToQtScope(scope), kOrganisation, kApplication);
    // The user key must not show the machine key's values as its own, nor either of them the
    // organisation-wide file.
    settings->setFallbacksEnabled(false);
    if (settings->status() == QSettings::AccessError)
        return false;
    m_pSettings = std::move(settings);
    return true;
}

bool CRegKey::QueryDWORD(const char* name, std::uint32_t& value) const {
    if (!m_pSettings)
        return false;
    const QVariant stored = m_pSettings->value(QString::fromLatin1(name));
    qlonglong number = 0;
    bool bOk = false;
    switch (stored.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
        number = stored.toLongLong(&bOk);
        break;
    case QMetaType::ULongLong: {
        const qulonglong big = stored.toULongLong(&bOk);
        bOk = bOk && big <= std::numeric_limits<std::uint32_t>::max();
        number = static_cast<qlonglong>(big & 0xFFFFFFFFu);
        break;
    }
    case QMetaType::QString:
        // Text files hold every value as text; only a plain decimal integer is a DWORD.
        number = stored.toString().trimmed().toLongLong(&bOk, 10);
        break;
    default:
        return false;
    }
    if (!bOk || number < std::numeric_limits<std::int32_t>::min() ||
        number > static_cast<qlonglong>(std::numeric_limits<std::uint32_t>::max()))
        return false;
    value = static_cast<std::uint32_t>(number);
    return true;
}

bool CRegKey::QueryString(const char* name, std::string& value, std::size_t maxBytes) const {
    if (!m_pSettings)
        return false;
    const QVariant stored = m_pSettings->value(QString::fromLatin1(name));
    QString text;
    if (stored.typeId() == QMetaType::QStringList)
        // An unquoted text with commas in a hand-edited file reads as a list; give it back whole.
        text = stored.toStringList().join(QStringLiteral(", "));
    else if (stored.isValid() && stored.canConvert<QString>())
        text = stored.toString();
    else
        return false;
    const QByteArray utf8 = text.toUtf8();
    std::string cp1257 =
        Cp1257::FromUtf8(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
    if (cp1257.size() > maxBytes)
        return false;
    value = std::move(cp1257);
    return true;
}

bool CRegKey::SetDWORD(const char* name, std::uint32_t value) {
    if (!m_pSettings || !m_pSettings->isWritable())
        return false;
    m_pSettings->setValue(QString::fromLatin1(name), QVariant::fromValue<uint>(value));
    return true;
}

bool CRegKey::SetString(const char* name, const std::string& cp1257) {
    if (!m_pSettings || !m_pSettings->isWritable())
        return false;
    m_pSettings->setValue(QString::fromLatin1(name), QtText::FromCp1257(cp1257));
    return true;
}

void CRegKey::Close() {
    if (!m_pSettings)
        return;
    m_pSettings->sync();
    m_pSettings.reset();
}
