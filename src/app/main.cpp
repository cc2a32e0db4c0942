// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/Startup.h"
#include "app/ZodynasApp.h"
#include "desktop/Resources.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    // Answered before Qt starts, so that they work without a display.
    if (PrintInformation(std::vector<std::string>(argv + 1, argv + argc), std::cout))
        return 0;
    // The window has a large layout of its own for screens above 110 dpi. A fractional desktop
    // scale (120 dpi is 1.25) then reaches it as a higher logical resolution, with crisp pixels,
    // rather than as the small layout stretched; whole scales (200 %) are still Qt's.
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(
        Qt::HighDpiScaleFactorRoundingPolicy::RoundPreferFloor);
    QApplication application(argc, argv);
    // Qt has taken its own options out of argv; what looks like an option now is a mistake, not a
    // word to translate.
    if (const auto option = UnknownOption(std::vector<std::string>(argv + 1, argv + argc))) {
        std::cerr << UnknownOptionMessage(*option);
        return 2;
    }
    // Qt's own dialogs (printing, message boxes) in the user's language where Qt has it.
    QTranslator qtTranslator;
    if (qtTranslator.load(QLocale(), "qtbase", "_", QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslator);
    InitResources();
    CZodynasApp app;
    return RunProgram(app, argc, argv);
}
