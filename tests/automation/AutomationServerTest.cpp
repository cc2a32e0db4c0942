// SPDX-License-Identifier: GPL-2.0-or-later
// The activation file, and what start-up does about the bus before any window exists.

#include "automation/AutomationServer.h"
#include "app/Startup.h"
#include "app/ZodynasApp.h"
#include "automation/PrivateBus.h"
#include "support/TestDict.h"

#include <QDBusConnectionInterface>

#include <sys/stat.h>

namespace {

// Points XDG_DATA_HOME and HOME at places of the test's own and puts them back afterwards.
class ActivationFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_oldDataHome = qgetenv("XDG_DATA_HOME");
        m_bHadDataHome = qEnvironmentVariableIsSet("XDG_DATA_HOME");
        m_oldHome = qgetenv("HOME");
        qputenv("HOME", QByteArray::fromStdString(m_home.File("")));
        qputenv("XDG_DATA_HOME", QByteArray::fromStdString(m_data.File("share")));
    }
    void TearDown() override {
        qputenv("HOME", m_oldHome);
        if (m_bHadDataHome)
            qputenv("XDG_DATA_HOME", m_oldDataHome);
        else
            qunsetenv("XDG_DATA_HOME");
    }

    CTempDir m_home, m_data;
    QByteArray m_oldDataHome, m_oldHome;
    bool m_bHadDataHome = false;
};

TEST_F(ActivationFileTest, LivesUnderTheDataHomeOrTheHomeFolder) {
    EXPECT_EQ(CAutomationServer::ActivationFilePath(),
              m_data.File("share") + "/dbus-1/services/LEKSTAR.Application.service");
    qputenv("XDG_DATA_HOME", "");
    EXPECT_EQ(CAutomationServer::ActivationFilePath(),
              m_home.File("") + "/.local/share/dbus-1/services/LEKSTAR.Application.service");
    qputenv("XDG_DATA_HOME", "relative/share");
    EXPECT_EQ(CAutomationServer::ServicesFolder(), m_home.File("") + "/.local/share/dbus-1/services");
    qunsetenv("XDG_DATA_HOME");
    EXPECT_EQ(CAutomationServer::ServicesFolder(), m_home.File("") + "/.local/share/dbus-1/services");
    qunsetenv("HOME");
    EXPECT_EQ(CAutomationServer::ActivationFilePath(), "");
    EXPECT_FALSE(CAutomationServer::WriteActivationFile("/opt/lekstar/lekstar"));
}

TEST_F(ActivationFileTest, NamesTheServiceAndStartsTheProgramForAutomation) {
    EXPECT_EQ(CAutomationServer::ActivationFileText("/opt/lekstar/lekstar"),
              "[D-BUS Service]\nName=LEKSTAR.Application\nExec=/opt/lekstar/lekstar -Embedding\n");
    // Paths the bus would split are quoted.
    EXPECT_EQ(CAutomationServer::ActivationFileText("/home/jo/my apps/lekstar"),
              "[D-BUS Service]\nName=LEKSTAR.Application\nExec=\"/home/jo/my apps/lekstar\" -Embedding\n");
    EXPECT_EQ(CAutomationServer::ActivationFileText("/home/jo's/lekstar"),
              "[D-BUS Service]\nName=LEKSTAR.Application\nExec=\"/home/jo's/lekstar\" -Embedding\n");
    // Nothing that could not be found again or that the bus would misread.
    for (const char* path : {"", "lekstar", "/opt/lek\nstar", "/opt/lek\rstar", "/opt/lek\\star",
                             "/opt/lek\"star", "/opt/$HOME/lekstar", "/opt/`id`/lekstar"})
        EXPECT_EQ(CAutomationServer::ActivationFileText(path), "") << path;
}

TEST_F(ActivationFileTest, APlainStartRewritesTheFileCreatingItsFolders) {
    CZodynasApp app;
    app.SetStartedByOle(false);
    std::vector<std::string> messages;
    const auto record = [&](const std::string& text) { messages.push_back(text); };
    const QDBusConnection offline(QString("lekstar-offline"));
    const std::string path = m_data.File("share") + "/dbus-1/services/LEKSTAR.Application.service";

    // No bus is needed for a plain start.
    EXPECT_TRUE(PrepareAutomation(app, offline, "/opt/lekstar/lekstar", record));
    EXPECT_EQ(ReadAll(path),
              "[D-BUS Service]\nName=LEKSTAR.Application\nExec=/opt/lekstar/lekstar -Embedding\n");
    // A moved program repairs the file; no leftovers beside it.
    EXPECT_TRUE(PrepareAutomation(app, offline, "/usr/lib/lekstar/lekstar", record));
    EXPECT_EQ(ReadAll(path),
              "[D-BUS Service]\nName=LEKSTAR.Application\nExec=/usr/lib/lekstar/lekstar -Embedding\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_data.File("share") + "/dbus-1/services"),
                            std::filesystem::directory_iterator()),
              1);
    EXPECT_TRUE(messages.empty());

    // A start for automation leaves the file alone.
    app.SetStartedByOle(true);
    CPrivateBus bus;
    ASSERT_TRUE(bus.IsRunning());
    EXPECT_TRUE(PrepareAutomation(app, bus.Connect(), "/elsewhere/lekstar", record));
    EXPECT_EQ(ReadAll(path),
              "[D-BUS Service]\nName=LEKSTAR.Application\nExec=/usr/lib/lekstar/lekstar -Embedding\n");
    EXPECT_TRUE(messages.empty());
}

TEST_F(ActivationFileTest, AnInstalledProgramLeavesTheRegistrationToItsInstallation) {
    CZodynasApp app;
    const QDBusConnection offline = QDBusConnection::connectToBus(
        "unix:path=" + QString::fromStdString(m_home.File("none")), "lekstar-unreachable-2");
    CTempDir root;
    std::filesystem::create_directories(root.File("bin"));
    std::filesystem::create_directories(root.File("share/lekstar"));
    WriteBytes(root.File("share/lekstar/LEKSTAR.dic"), "x");
    EXPECT_TRUE(PrepareAutomation(app, offline, root.File("bin/lekstar"), {}));
    EXPECT_FALSE(std::filesystem::exists(m_data.File("share")));
    // The same program with a dictionary of its own beside it is a build tree: it registers.
    WriteBytes(root.File("bin/LEKSTAR.dic"), "x");
    EXPECT_TRUE(PrepareAutomation(app, offline, root.File("bin/lekstar"), {}));
    EXPECT_EQ(ReadAll(m_data.File("share") + "/dbus-1/services/LEKSTAR.Application.service"),
              "[D-BUS Service]\nName=LEKSTAR.Application\nExec=" + root.File("bin/lekstar") +
                  " -Embedding\n");
    QDBusConnection::disconnectFromBus("lekstar-unreachable-2");
}

TEST_F(ActivationFileTest, AStartForAutomationWithoutABusShowsTheMessageAndFails) {
    CZodynasApp app;
    app.SetStartedByOle(true);
    std::vector<std::string> messages;
    const QDBusConnection offline = QDBusConnection::connectToBus(
        "unix:path=" + QString::fromStdString(m_home.File("none")), "lekstar-unreachable");
    ASSERT_FALSE(offline.isConnected());
    EXPECT_FALSE(PrepareAutomation(app, offline, "/opt/lekstar/lekstar",
                                   [&](const std::string& text) { messages.push_back(text); }));
    EXPECT_EQ(messages,
              std::vector<std::string>{
                  "OLE initialization failed.  Make sure that the OLE libraries are the correct version."});
    EXPECT_FALSE(std::filesystem::exists(m_data.File("share")));
    QDBusConnection::disconnectFromBus("lekstar-unreachable");

    CPrivateBus bus;
    ASSERT_TRUE(bus.IsRunning());
    messages.clear();
    EXPECT_TRUE(PrepareAutomation(app, bus.Connect(), "/opt/lekstar/lekstar",
                                  [&](const std::string& text) { messages.push_back(text); }));
    EXPECT_TRUE(messages.empty());
}

TEST_F(ActivationFileTest, TheBusStartsTheProgramTheFileNames) {
    CPrivateBus bus;
    ASSERT_TRUE(bus.IsRunning());
    // The bus reads the services folder that the file is written to.
    qputenv("XDG_DATA_HOME", QByteArray::fromStdString(bus.DataHome()));
    ASSERT_EQ(CAutomationServer::ServicesFolder(), bus.ServicesFolder());

    // A stand-in for the program in a folder whose name needs quoting: it notes its arguments
    // and ends without taking the name.
    const std::string folder = m_home.File("it's a folder");
    std::filesystem::create_directory(folder);
    const std::string program = folder + "/lekstar";
    WriteBytes(program, "#!/bin/sh\nprintf '%s\\n' \"$@\" > \"$(dirname \"$0\")/arguments\"\nexit 3\n");
    ::chmod(program.c_str(), 0700);
    ASSERT_TRUE(CAutomationServer::WriteActivationFile(program));

    QDBusConnection client = bus.Connect();
    // The bus notices new files on its own, but later than this test would call: a reload, which
    // the bus answers once done, makes it read the folder now.
    const QDBusMessage reload = OnClientThread([client] {
        return client.call(QDBusMessage::createMethodCall("org.freedesktop.DBus", "/org/freedesktop/DBus",
                                                          "org.freedesktop.DBus", "ReloadConfig"));
    });
    ASSERT_EQ(reload.type(), QDBusMessage::ReplyMessage) << reload.errorMessage().toStdString();
    const QDBusMessage reply = OnClientThread([client] {
        QDBusMessage call =
            QDBusMessage::createMethodCall(CAutomationServer::kServiceName, CAutomationServer::kObjectPath,
                                           CAutomationServer::kInterface, "TranslateHTML");
        call << QString("house");
        return client.call(call);
    });
    // The stand-in ran with the switch and left without serving (with a failure, so that the
    // bus answers at once rather than waiting for it).
    EXPECT_EQ(reply.type(), QDBusMessage::ErrorMessage);
    EXPECT_EQ(reply.errorName().toStdString(), "org.freedesktop.DBus.Error.Spawn.ChildExited")
        << reply.errorMessage().toStdString();
    EXPECT_EQ(ReadAll(folder + "/arguments"), "-Embedding\n");
}

} // namespace
