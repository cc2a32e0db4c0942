// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/Startup.h"
#include "app/ZodynasApp.h"
#include "desktop/Resources.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    InitResources();
    CZodynasApp app;
    theApp = &app;
    return RunProgram(app, argc, argv);
}
