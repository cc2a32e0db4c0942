// SPDX-License-Identifier: GPL-2.0-or-later
#include "automation/AutomationServer.h"

#include "automation/ZodynasDlgAutoProxy.h"

#include <QDir>
#include <QSaveFile>

#include <dbus/dbus.h>

CAutomationServer::CAutomationServer(const QDBusConnection& bus, CAutomationTarget* pTarget)
    : m_bus(bus), m_pProxy(std::make_unique<CZodynasDlgAutoProxy>(pTarget)) {}

CAutomationServer::~CAutomationServer() {
    ReleaseName();
    if (m_bObjectRegistered)
        m_bus.unregisterObject(kObjectPath);
}

void CAutomationServer::ReleaseName() {
    if (m_bOwnsName)
        m_bus.unregisterService(kServiceName);
    m_bOwnsName = false;
}

void CAutomationServer::RaiseReceiveLimit(const QDBusConnection& bus) {
    // libdbus stops reading a connection once 63 MiB of received messages are alive. A call
    // that big (refused by the object, but alive until it is freed on the GUI thread) would then
    // stall the connection for good: Qt cannot turn reading on again from that thread. The
    // session bus passes messages of up to a gigabyte; above any of them, reading never stops.
    if (auto* connection = static_cast<DBusConnection*>(bus.internalPointer()))
        dbus_connection_set_max_received_size(connection, 0x7FFFFFFFL);
}

bool CAutomationServer::Start() {
    if (!m_bus.isConnected())
        return false;
    RaiseReceiveLimit(m_bus);
    if (!m_bObjectRegistered)
        m_bObjectRegistered = m_bus.registerObject(kObjectPath, kInterface, m_pProxy.get(),
                                                   QDBusConnection::ExportScriptableSlots);
    // The object goes up first, so that a caller queued for the name finds it there.
    if (m_bObjectRegistered && !m_bOwnsName)
        m_bOwnsName = m_bus.registerService(kServiceName);
    return m_bObjectRegistered && m_bOwnsName;
}

std::string CAutomationServer::ServicesFolder() {
    // Relative values are to be ignored, as the bus itself would not look there either.
    const QByteArray dataHome = qgetenv("XDG_DATA_HOME");
    if (!dataHome.isEmpty() && dataHome.startsWith('/'))
        return dataHome.toStdString() + "/dbus-1/services";
    const QByteArray home = qgetenv("HOME");
    if (home.isEmpty())
        return std::string();
    return home.toStdString() + "/.local/share/dbus-1/services";
}

std::string CAutomationServer::ActivationFilePath() {
    const std::string folder = ServicesFolder();
    return folder.empty() ? std::string() : folder + "/" + kServiceName + ".service";
}

std::string CAutomationServer::ActivationFileText(const std::string& programPath) {
    // The bus reads the file's values with escapes of its own and then splits Exec like a shell;
    // a backslash, a double quote, "$" or "`" would need both, and no program path worth
    // supporting has them.
    if (programPath.empty() || programPath.front() != '/' ||
        programPath.find_first_of("\r\n\\\"$`") != std::string::npos)
        return std::string();
    bool plain = true;
    for (const char c : programPath) {
        const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                        c == '/' || c == '.' || c == '_' || c == '-' || c == '+' || c == ',' || c == '@';
        plain = plain && ok;
    }
    // Double quotes keep blanks and single quotes together.
    const std::string exec = plain ? programPath : "\"" + programPath + "\"";
    return std::string("[D-BUS Service]\nName=") + kServiceName + "\nExec=" + exec + " -Embedding\n";
}

bool CAutomationServer::WriteActivationFile(const std::string& programPath) {
    const std::string text = ActivationFileText(programPath);
    const std::string path = ActivationFilePath();
    if (text.empty() || path.empty())
        return false;
    if (!QDir().mkpath(QString::fromStdString(ServicesFolder())))
        return false;
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(text.data(), static_cast<qint64>(text.size())) != static_cast<qint64>(text.size())) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
