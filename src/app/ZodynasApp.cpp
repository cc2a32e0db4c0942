// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/ZodynasApp.h"

#include "dict/SmallFile.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QtGlobal>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string_view>

namespace {

// Removes the first "/word" or "-word" and tells whether there was one. The word may be followed
// by anything: "-Embeddingx" counts, as does a switch glued to the text before it.
bool TakeSwitch(std::string& commandLine, std::string_view word) {
    for (std::size_t i = 0; i < commandLine.size(); ++i) {
        if ((commandLine[i] == '/' || commandLine[i] == '-') &&
            commandLine.compare(i + 1, word.size(), word) == 0) {
            commandLine.erase(i, word.size() + 1);
            return true;
        }
    }
    return false;
}

} // namespace

void CZodynasApp::MeasureScreen(const QScreen* screen) {
    if (screen == nullptr)
        return;
    const qreal ratio = screen->devicePixelRatio();
    SetScreenMetrics(screen->depth(), RealDpi(screen->logicalDotsPerInchX(), ratio),
                     RealDpi(screen->logicalDotsPerInchY(), ratio));
}

int CZodynasApp::RealDpi(qreal logicalDpi, qreal devicePixelRatio) {
    return qRound(logicalDpi * (devicePixelRatio > 0 ? devicePixelRatio : 1.0));
}

void CZodynasApp::SetScreenMetrics(int nBitsPerPixel, int nLogPixelsX, int nLogPixelsY) {
    m_nColors = nBitsPerPixel <= 8 ? 1 << std::max(nBitsPerPixel, 0) : kPaletteColours + 1;
    // With a palette the fixed tints would dither, so the lists take the desktop's colours.
    const SListStyle style = SListStyle::ForScreen(IsHighColour(), false);
    m_clrBack = style.back;
    m_clrText = style.text;
    m_clrSelBack = style.selBack;
    m_clrSelText = style.selText;
    m_nLogPixelsX = nLogPixelsX;
    m_nLogPixelsY = nLogPixelsY;
}

bool CZodynasApp::TakeSwitches(std::string& commandLine) {
    if (TakeSwitch(commandLine, "Embedding"))
        return true;
    return TakeSwitch(commandLine, "Automation");
}

bool CZodynasApp::LoadPageHeader(const std::string& path) {
    m_strPageHeader.clear();
    std::string bytes;
    if (SmallFile::Read(path, kMaxPageHeader, bytes) != SmallFile::EResult::Ok)
        return false;
    m_strPageHeader = std::move(bytes);
    return true;
}

bool CZodynasApp::LoadPageHeaderFor(const std::string& dir, const QPalette& palette) {
    if (SListStyle::IsDarkPalette(palette) && LoadPageHeader(dir + "/HTM/HH-dark.htm"))
        return true;
    return LoadPageHeader(dir + "/HTM/HH.htm");
}

std::string CZodynasApp::AppDir() {
    // The kernel's link names the executable itself, wherever it was started from and however
    // long its path is.
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::canonical("/proc/self/exe", ec);
    std::string path;
    if (!ec)
        path = exe.string();
    else if (QCoreApplication::instance() != nullptr)
        path = QCoreApplication::applicationFilePath().toStdString();
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}
