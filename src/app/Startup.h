// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

class CZodynasApp;
class QDBusConnection;
class QWidget;

// What a start for automation shows, caption "LEKSTAR", when the session bus cannot be reached.
inline constexpr const char* kOleInitFailedMessage =
    "OLE initialization failed.  Make sure that the OLE libraries are the correct version.";

// "--help" or "--version" among the arguments (program name excluded): the text is written to
// out and the result is true, and the program is to end with status 0 before any window.
bool PrintInformation(const std::vector<std::string>& args, std::ostream& out);

// The first argument that is an option ("-x", "--x") but none of the program's own (the
// automation switches, --help, -h, --version), or nothing. Qt's own options are to be taken out of
// the arguments first, as QApplication does.
std::optional<std::string> UnknownOption(const std::vector<std::string>& args);
// The one line a start with an unknown option writes to standard error before it ends with
// status 2, usage included.
std::string UnknownOptionMessage(const std::string& option);

// The program's start-up and shutdown around the main window: screen measurement, the
// automation switches, the program directory, the page head, then the main window run modally.
// Returns the process's exit status: 0 after a normal end, 1 when the dictionary could not be
// opened or when a start for automation found no session bus.
int RunProgram(CZodynasApp& app, int argc, char** argv);

// Ends every dialog and message box open beside the main window (the About box, the print
// dialog, a message): their own loops would otherwise keep the program after a signal closed
// the window.
void CloseDialogs(const QWidget* mainWindow);

// The automation step of start-up, before any window exists. A plain start (app.IsStartedByOle()
// 0) rewrites the activation file for programPath, so that the bus can start the program again
// for a caller; a failure to write it is silent. A start for automation needs bus: when it is not
// connected, showMessage gets kOleInitFailedMessage and the result is false, and the program is
// to end without a window.
bool PrepareAutomation(const CZodynasApp& app, const QDBusConnection& bus, const std::string& programPath,
                       const std::function<void(const std::string& text)>& showMessage);
