// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/Startup.h"

#include "app/ExitSignals.h"
#include "app/ZodynasApp.h"
#include "app/ZodynasDlg.h"
#include "automation/AutomationServer.h"
#include "automation/SingleInstance.h"
#include "automation/ZodynasDlgAutoProxy.h"
#include "desktop/ComposeWarmup.h"
#include "dict/DataFolder.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDialog>
#include <QFile>
#include <QGuiApplication>
#include <QSessionManager>
#include <QTimer>

#include <csignal>
#include <filesystem>
#include <iostream>
#include <ostream>
#include <string>

bool PrepareAutomation(const CZodynasApp& app, const QDBusConnection& bus, const std::string& programPath,
                       const std::function<void(const std::string& text)>& showMessage) {
    if (!app.IsStartedByOle()) {
        // Every ordinary start of a program outside an installation repairs the registration,
        // wherever the program has moved since; an installed one ships its own.
        if (!DataFolder::IsInstalled(std::filesystem::path(programPath).parent_path().string()))
            CAutomationServer::WriteActivationFile(programPath);
        return true;
    }
    if (bus.isConnected())
        return true;
    if (showMessage)
        showMessage(kOleInitFailedMessage);
    return false;
}

namespace {

// Only a start for another program has something to say before the window, and nobody sees a
// box there: the message goes to standard error, and the program ends at once.
void ShowStartupMessage(const std::string& text) {
    std::cerr << "lekstar: " << text << '\n';
}

} // namespace

void CloseDialogs(const QWidget* mainWindow) {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* dialog = qobject_cast<QDialog*>(w);
            dialog != nullptr && dialog != mainWindow && dialog->isVisible())
            dialog->done(QDialog::Rejected);
}

namespace {

// The switches may stand anywhere on the command line, as they would in one string; what is left
// is a word to translate.
QString TakeCommandLine(CZodynasApp& app, int argc, char** argv) {
    std::string commandLine;
    for (int i = 1; i < argc; ++i)
        commandLine += std::string(i > 1 ? " " : "") + argv[i];
    app.SetStartedByOle(CZodynasApp::TakeSwitches(commandLine));
    return QString::fromUtf8(commandLine).trimmed();
}

// The window from its creation to its close, serving callers while it runs; the exit status.
int RunWindow(CZodynasApp& app, QDBusConnection& bus, CSingleInstance& instance, const QString& word) {
    CZodynasDlg dialog(app);
    app.SetProgramDir(DataFolder::For(CZodynasApp::AppDir()));
    app.LoadPageHeaderFor(app.ProgramDir(), QGuiApplication::palette());

    // The end of a session closes the window as the close box does: settings saved, page files
    // swept. Caught from before the window exists; one that comes before the window's loop runs
    // is carried out as that loop starts.
    bool bLoopRunning = false;
    bool bEndPending = false;
    const CExitSignals exitSignals([&](int) {
        CloseDialogs(&dialog);
        if (bLoopRunning)
            dialog.OnCancel();
        else
            bEndPending = true;
    });

    if (!dialog.OnInitDialog())
        return 1;
    // The hunspell data keys need (some 60 ms), read beside the loop when it may be needed, not on a key.
    dialog.PreloadWordForms();
    ReadComposeTableEarly(&dialog);
    // A plain start serves callers too while no other instance does: they then drive the window
    // the user already has instead of starting a second program on the same settings. Calls wait
    // in the bus queue until the window's loop runs; the process lives until the window closes,
    // whoever called it. The server goes before the window and gives the name back.
    CAutomationServer server(bus, &dialog);
    server.Start();
    instance.Serve([&dialog](const QString& asked) { dialog.ShowForWord(asked); });
    if (!word.isEmpty())
        dialog.ShowForWord(word);
    // A logout that may still be cancelled only saves the settings.
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, &dialog, [&dialog] { dialog.ExitRoutine(); });
    QObject::connect(qApp, &QGuiApplication::commitDataRequest, &dialog,
                     [&dialog](QSessionManager&) { dialog.SaveSettings(); });
    QTimer::singleShot(0, &dialog, [&] {
        bLoopRunning = true;
        if (bEndPending)
            dialog.OnCancel();
    });
    dialog.exec();
    // Calls that came while the window closed are answered that it has gone, not left to find
    // no service at all: the name goes first (the bus answers its reply after every call it
    // routed here before), then the calls waiting are answered, then the object goes.
    server.Proxy()->ForgetWindow();
    server.ReleaseName();
    QCoreApplication::processEvents();
    return dialog.IsDictionaryGone() ? 1 : 0;
}

} // namespace

int RunProgram(CZodynasApp& app, int argc, char** argv) {
    // A write beyond a file-size limit fails like any other write (settings keep their file, a
    // page is reported) instead of killing the program.
    std::signal(SIGXFSZ, SIG_IGN);
    app.MeasureScreen(QGuiApplication::primaryScreen());
    const QString word = TakeCommandLine(app, argc, argv);

    QDBusConnection bus = QDBusConnection::sessionBus();
    // One window per user: a later start brings the running one to the front with its word. A
    // start for a caller has nothing to add, as the running window serves callers already. When
    // the running one does not answer, this start goes on by itself.
    CSingleInstance instance(bus);
    if (instance.Claim() == CSingleInstance::EClaim::Taken &&
        (app.IsStartedByOle() || CSingleInstance::AskFirst(bus, word)))
        return 0;
    const std::string programPath = QFile::encodeName(QCoreApplication::applicationFilePath()).toStdString();
    if (!PrepareAutomation(app, bus, programPath, ShowStartupMessage))
        return 1;

    return RunWindow(app, bus, instance, word);
}

std::optional<std::string> UnknownOption(const std::vector<std::string>& args) {
    for (const std::string& a : args) {
        if (a.size() < 2 || a[0] != '-' || a == "--help" || a == "-h" || a == "--version")
            continue;
        // The switches count with anything after them, as the command line is read.
        if (a.compare(1, 9, "Embedding") == 0 || a.compare(1, 10, "Automation") == 0)
            continue;
        return a;
    }
    return std::nullopt;
}

std::string UnknownOptionMessage(const std::string& option) {
    return "lekstar: unknown option '" + option + "'; usage: lekstar [-Embedding | /Automation] [WORD]\n";
}

bool PrintInformation(const std::vector<std::string>& args, std::ostream& out) {
    for (const std::string& a : args) {
        if (a == "--version") {
            out << "lekstar " LEKSTAR_VERSION "\n";
            return true;
        }
        if (a == "--help" || a == "-h") {
            out << "Usage: lekstar [-Embedding | /Automation] [WORD]\n"
                   "\n"
                   "The LEKSTAR English-Lithuanian dictionary for the desktop.\n"
                   "\n"
                   "  WORD                     translate the word; when the program runs already, its\n"
                   "                           window comes to the front and translates it\n"
                   "  -Embedding, /Automation  start for another program: serve the LEKSTAR.Application\n"
                   "                           object on the session bus, with no splash, no start page\n"
                   "                           and no saved word (also spelled /Embedding, -Automation)\n"
                   "  --help                   this text\n"
                   "  --version                the version of lekstar\n";
            return true;
        }
    }
    return false;
}
