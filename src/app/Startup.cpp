#include "app/Startup.h"

#include "app/ZodynasApp.h"
#include "app/ZodynasDlg.h"

#include <QGuiApplication>

#include <string>

// Outside any namespace: the macro declares a function of the global one.
static void InitLekstarResources() {
    Q_INIT_RESOURCE(lekstar);
}

void InitResources() {
    InitLekstarResources();
}

int RunProgram(CZodynasApp& app, int argc, char** argv) {
    app.MeasureScreen(QGuiApplication::primaryScreen());

    // The switches may stand anywhere on the command line, as they would in one string.
    std::string commandLine;
    for (int i = 1; i < argc; ++i)
        commandLine += std::string(i > 1 ? " " : "") + argv[i];
    app.m_bStartedByOle = CZodynasApp::TakeSwitches(commandLine) ? 1 : 0;

    CZodynasDlg dialog(app);
    g_strAppDir = CZodynasApp::AppDir();
    app.LoadPageHeader(g_strAppDir + "/HTM/HH.htm");

    if (!dialog.OnInitDialog())
        return 1;
    dialog.exec();
    return 0;
}
