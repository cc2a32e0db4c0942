// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

// A D-Bus daemon of the test's own: its configuration, socket and service folder live in a
// temporary folder, so no test touches the user's session bus or starts anything it registered.
// Connections are named after a counter, so every test gets fresh ones.

#include "support/TestDict.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QProcess>
#include <QTest>

#include <chrono>
#include <future>
#include <string>

class CPrivateBus {
public:
    CPrivateBus() {
        // The services folder is left to whoever writes the first activation file.
        std::filesystem::create_directories(DataHome());
        WriteBytes(
            m_dir.File("bus.conf"),
            "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\"\n"
            " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
            "<busconfig>\n  <type>session</type>\n  <listen>unix:dir=" +
                m_dir.File("") +
                "</listen>\n"
                "  <auth>EXTERNAL</auth>\n  <servicedir>" +
                ServicesFolder() +
                "</servicedir>\n"
                "  <policy context=\"default\">\n    <allow send_destination=\"*\" eavesdrop=\"true\"/>\n"
                "    <allow eavesdrop=\"true\"/>\n    <allow own=\"*\"/>\n  </policy>\n"
                // The limits of Debian's session bus, which passes messages of up to a gigabyte.
                "  <limit name=\"max_incoming_bytes\">1000000000</limit>\n"
                "  <limit name=\"max_outgoing_bytes\">1000000000</limit>\n"
                "  <limit name=\"max_message_size\">1000000000</limit>\n"
                "</busconfig>\n");
        m_daemon.setProgram("dbus-daemon");
        m_daemon.setArguments({"--config-file=" + QString::fromStdString(m_dir.File("bus.conf")),
                               "--print-address", "--nofork"});
        m_daemon.start();
        // The daemon prints its address once it listens.
        while (m_daemon.waitForReadyRead(10000) && !m_daemon.canReadLine()) {
        }
        m_address = QString::fromUtf8(m_daemon.readLine()).trimmed();
    }
    ~CPrivateBus() {
        for (const QString& name : m_connections)
            QDBusConnection::disconnectFromBus(name);
        m_daemon.kill();
        m_daemon.waitForFinished(10000);
    }
    CPrivateBus(const CPrivateBus&) = delete;
    CPrivateBus& operator=(const CPrivateBus&) = delete;

    bool IsRunning() const { return !m_address.isEmpty(); }
    QString Address() const { return m_address; }
    // The bus looks for activation files in DataHome()/dbus-1/services, as a session bus looks in
    // $XDG_DATA_HOME/dbus-1/services.
    std::string DataHome() const { return m_dir.File("share"); }
    std::string ServicesFolder() const { return DataHome() + "/dbus-1/services"; }

    // A new connection of its own to the bus.
    QDBusConnection Connect() {
        static int s_nCounter = 0;
        const QString name = QString("lekstar-test-%1").arg(++s_nCounter);
        m_connections.push_back(name);
        return QDBusConnection::connectToBus(m_address, name);
    }

private:
    CTempDir m_dir;
    QProcess m_daemon;
    QString m_address;
    QStringList m_connections;
};

// Runs a blocking client call on a thread of its own while this thread keeps delivering events,
// so that the object it calls, living on this thread, can answer. Returns f's result.
template <typename F> auto OnClientThread(F f) -> decltype(f()) {
    auto future = std::async(std::launch::async, std::move(f));
    const bool finished = QTest::qWaitFor(
        [&] { return future.wait_for(std::chrono::seconds(0)) == std::future_status::ready; }, 30000);
    EXPECT_TRUE(finished);
    return future.get();
}
