// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QDBusConnection>

#include <memory>
#include <string>

class CAutomationTarget;
class CZodynasDlgAutoProxy;

// The automation service on a D-Bus connection: the automation object at kObjectPath and the
// well-known name kServiceName, both given back when the server is destroyed. Also the
// activation file through which the session bus starts the program for a caller when no
// instance holds the name. The server owns its automation object; the main window it drives is
// not owned and may go first.
class CAutomationServer {
public:
    static constexpr const char* kServiceName = "LEKSTAR.Application";
    static constexpr const char* kObjectPath = "/LEKSTAR/Application";
    static constexpr const char* kInterface = "LEKSTAR.IZodynas";

    CAutomationServer(const QDBusConnection& bus, CAutomationTarget* pTarget);
    ~CAutomationServer();
    CAutomationServer(const CAutomationServer&) = delete;
    CAutomationServer& operator=(const CAutomationServer&) = delete;

    // Lets the connection receive messages of any size the bus passes (see the .cpp).
    static void RaiseReceiveLimit(const QDBusConnection& bus);
    // Registers the object and takes the name. False when the connection is down, the path is
    // taken or another process holds the name; whatever was registered stays until destruction.
    bool Start();
    bool IsObjectRegistered() const { return m_bObjectRegistered; }
    bool OwnsName() const { return m_bOwnsName; }
    // Gives the bus name back while the object stays: the calls already routed to this process
    // are then answered (by the proxy, which has forgotten its window: NoWindow) instead of
    // finding no object.
    void ReleaseName();
    CZodynasDlgAutoProxy* Proxy() const { return m_pProxy.get(); }

    // The folder of the session bus's per-user service files: $XDG_DATA_HOME/dbus-1/services, or
    // ~/.local/share/dbus-1/services when XDG_DATA_HOME is unset, empty or not absolute. Empty
    // when neither that nor HOME is known.
    static std::string ServicesFolder();
    // The activation file's path in that folder (empty when the folder is unknown).
    static std::string ActivationFilePath();
    // The activation file's text for the program at programPath. The path is put in double quotes
    // when it holds anything but plain path characters. Empty for a path the file cannot carry:
    // empty, relative, or with a line break, a backslash, a double quote, "$" or "`".
    static std::string ActivationFileText(const std::string& programPath);
    // Writes the activation file for programPath, creating its folders; the old file is replaced
    // in one step, so the bus never reads half a file. False when nothing was written. The bus
    // notices a new or changed file by itself at the next activation.
    static bool WriteActivationFile(const std::string& programPath);

private:
    QDBusConnection m_bus;
    std::unique_ptr<CZodynasDlgAutoProxy> m_pProxy;
    bool m_bObjectRegistered = false;
    bool m_bOwnsName = false;
};
