// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/ZodynasApp.h"
#include "app/Startup.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPalette>
#include <QScreen>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sstream>

#include <filesystem>
#include <string>

namespace {

struct SSwitchCase {
    const char* input;
    bool bFound;
    const char* rest;
};

TEST(PrintInformation, AnswersHelpAndVersionAndNothingElse) {
    std::ostringstream out;
    EXPECT_TRUE(PrintInformation({"--version"}, out));
    EXPECT_EQ(out.str(), "lekstar " LEKSTAR_VERSION "\n");
    out.str("");
    EXPECT_TRUE(PrintInformation({"-Embedding", "--help"}, out));
    EXPECT_EQ(out.str().rfind("Usage: lekstar [-Embedding | /Automation] [WORD]\n", 0), 0u);
    EXPECT_NE(out.str().find("--version"), std::string::npos);
    out.str("");
    // The automation switches and anything else start the program.
    EXPECT_FALSE(PrintInformation({}, out));
    EXPECT_FALSE(PrintInformation({"-Embedding"}, out));
    EXPECT_FALSE(PrintInformation({"/Automation", "--versions", "-help"}, out));
    EXPECT_EQ(out.str(), "");
}

TEST(UnknownOption, IsAnyDashedArgumentButTheProgramsOwn) {
    EXPECT_EQ(UnknownOption({"--bogus"}), "--bogus");
    EXPECT_EQ(UnknownOption({"house", "-x", "--y"}), "-x");
    EXPECT_EQ(UnknownOption({"-Automatio"}), "-Automatio");
    EXPECT_EQ(UnknownOption({"-Embedding", "-Embeddingx", "/Automation", "-Automation", "--help", "-h",
                             "--version", "house", "-", "b-52"}),
              std::nullopt);
    EXPECT_EQ(UnknownOptionMessage("--bogus"),
              "lekstar: unknown option '--bogus'; usage: lekstar [-Embedding | /Automation] [WORD]\n");
}

TEST(TakeSwitches, FindsEitherSwitchAfterSlashOrMinusAndRemovesIt) {
    const SSwitchCase cases[] = {
        {"/Automation", true, ""},
        {"-Embedding", true, ""},
        {"/Embedding", true, ""},
        {"-Automation", true, ""},
        {"file.txt -Embedding /x", true, "file.txt  /x"},
        {"x-Embeddingy", true, "xy"},                      // anywhere, and no word boundary is needed
        {"/Embedding /Embedding", true, " /Embedding"},    // only the first one goes
        {"/Automation -Embedding", true, "/Automation "},  // Embedding is looked for first...
        {"-Automation -Automation", true, " -Automation"}, // ...and Automation only without it
        {"-embedding", false, "-embedding"},               // the letters exactly so
        {"/AUTOMATION", false, "/AUTOMATION"},
        {"Embedding", false, "Embedding"}, // a switch needs its "/" or "-"
        {"\\Embedding", false, "\\Embedding"},
        {"/Embeddin", false, "/Embeddin"},
        {"- Embedding", false, "- Embedding"},
        {"-", false, "-"},
        {"", false, ""},
    };
    for (const SSwitchCase& c : cases) {
        std::string line = c.input;
        EXPECT_EQ(CZodynasApp::TakeSwitches(line), c.bFound) << c.input;
        EXPECT_EQ(line, c.rest) << c.input;
    }
}

QPalette DarkPalette() {
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(40, 40, 40));
    dark.setColor(QPalette::WindowText, QColor(230, 230, 230));
    dark.setColor(QPalette::Base, QColor(30, 30, 30));
    dark.setColor(QPalette::Text, QColor(220, 220, 220));
    dark.setColor(QPalette::Highlight, QColor(60, 90, 150));
    dark.setColor(QPalette::HighlightedText, QColor(255, 255, 255));
    return dark;
}

TEST(DarkDesktop, PagesTakeTheDarkHeadWhenThereIsOne) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ASSERT_TRUE(QDir(dir.path()).mkdir("HTM"));
    const auto write = [&](const char* name, const char* bytes) {
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    };
    write("HTM/HH.htm", "light");
    CZodynasApp app;
    const std::string folder = dir.path().toStdString();
    EXPECT_TRUE(app.LoadPageHeaderFor(folder, DarkPalette()));
    EXPECT_EQ(app.PageHead(), "light");
    write("HTM/HH-dark.htm", "dark");
    EXPECT_TRUE(app.LoadPageHeaderFor(folder, DarkPalette()));
    EXPECT_EQ(app.PageHead(), "dark");
    QPalette light;
    light.setColor(QPalette::Window, QColor(240, 240, 240));
    light.setColor(QPalette::WindowText, QColor(0, 0, 0));
    EXPECT_TRUE(app.LoadPageHeaderFor(folder, light));
    EXPECT_EQ(app.PageHead(), "light");
}

TEST(DarkDesktop, TheListsTakeTheDesktopsColours) {
    const QPalette before = QGuiApplication::palette();
    QGuiApplication::setPalette(DarkPalette());
    const SListStyle dark = SListStyle::ForScreen(true, false);
    EXPECT_EQ(dark.back, QColor(30, 30, 30));
    EXPECT_EQ(dark.text, QColor(220, 220, 220));
    EXPECT_EQ(dark.selBack, QColor(60, 90, 150));
    EXPECT_EQ(dark.selText, QColor(255, 255, 255));
    QPalette light = DarkPalette();
    // Window as light as its text still counts as light: the fixed tints.
    light.setColor(QPalette::Window, QColor(230, 230, 230));
    QGuiApplication::setPalette(light);
    EXPECT_EQ(SListStyle::ForScreen(true, false).back, QColor(255, 250, 230));
    QGuiApplication::setPalette(before);
    EXPECT_FALSE(SListStyle::IsDarkPalette(before));
}

TEST(PageHeader, IsTheFilesBytesExactly) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const char raw[] = "<HTML>\r\n<META charset=windows-1257>\x00\xFE\xE0\r\n";
    const std::string bytes(raw, sizeof raw - 1);
    {
        QFile file(dir.filePath("HH.htm"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    }
    CZodynasApp app;
    EXPECT_TRUE(app.LoadPageHeader(dir.filePath("HH.htm").toStdString()));
    EXPECT_EQ(app.PageHead(), bytes);

    // A missing file or a folder gives no head, and no leftover of the previous one.
    EXPECT_FALSE(app.LoadPageHeader(dir.filePath("missing.htm").toStdString()));
    EXPECT_EQ(app.PageHead(), "");
    app.SetPageHead("stale");
    EXPECT_FALSE(app.LoadPageHeader(dir.path().toStdString()));
    EXPECT_EQ(app.PageHead(), "");

    {
        QFile file(dir.filePath("empty.htm"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    app.SetPageHead("stale");
    EXPECT_TRUE(app.LoadPageHeader(dir.filePath("empty.htm").toStdString()));
    EXPECT_EQ(app.PageHead(), "");
}

TEST(AppDir, IsTheRealDirectoryOfThisProgram) {
    const std::string dir = CZodynasApp::AppDir();
    ASSERT_FALSE(dir.empty());
    EXPECT_NE(dir.back(), '/');
    EXPECT_EQ(dir, std::filesystem::canonical(dir).string()); // no links left in it
    EXPECT_TRUE(std::filesystem::is_regular_file(dir + "/lekstar_gui_test"));
    EXPECT_EQ(dir, QCoreApplication::applicationDirPath().toStdString());
}

TEST(ScreenMetrics, ColourCountFollowsTheDepth) {
    CZodynasApp app;
    const int depths[] = {1, 4, 8, 15, 16, 24, 32};
    const int counts[] = {2, 16, 256, 257, 257, 257, 257};
    for (int k = 0; k < 7; ++k) {
        app.SetScreenMetrics(depths[k], 96, 96);
        EXPECT_EQ(app.Colours(), counts[k]) << depths[k];
        EXPECT_EQ(app.IsHighColour(), counts[k] > 256) << depths[k];
    }
}

TEST(ScreenMetrics, HighColourUsesFixedTintsAndFewColoursThePalette) {
    CZodynasApp app;
    app.SetScreenMetrics(16, 96, 96);
    EXPECT_EQ(app.ListStyle().back, QColor(255, 250, 230));
    EXPECT_EQ(app.ListStyle().text, QColor(16, 16, 16));
    EXPECT_EQ(app.ListStyle().selBack, QColor(255, 240, 200));
    EXPECT_EQ(app.ListStyle().selText, QColor(16, 16, 16));

    const QPalette palette = QGuiApplication::palette();
    app.SetScreenMetrics(8, 96, 96);
    EXPECT_EQ(app.ListStyle().back, palette.color(QPalette::Base));
    EXPECT_EQ(app.ListStyle().text, palette.color(QPalette::Text));
    EXPECT_EQ(app.ListStyle().selBack, palette.color(QPalette::Highlight));
    EXPECT_EQ(app.ListStyle().selText, palette.color(QPalette::HighlightedText));
    EXPECT_NE(app.ListStyle().back, QColor(255, 250, 230));
}

TEST(ScreenMetrics, LargeLayoutStartsAbove110Dpi) {
    CZodynasApp app;
    const int dpis[] = {96, 109, 110, 111, 120, 144};
    const bool large[] = {false, false, false, true, true, true};
    for (int k = 0; k < 6; ++k) {
        app.SetScreenMetrics(32, dpis[k], dpis[k]);
        EXPECT_EQ(app.LogPixelsX(), dpis[k]);
        EXPECT_EQ(app.IsLargeLayout(), large[k]) << dpis[k];
    }
}

// Restores an environment variable when the test ends.
class CEnvGuard {
public:
    explicit CEnvGuard(const char* name) : m_name(name), m_bHad(qEnvironmentVariableIsSet(name)) {
        m_value = qgetenv(name);
    }
    ~CEnvGuard() {
        if (m_bHad)
            qputenv(m_name, m_value);
        else
            qunsetenv(m_name);
    }
    CEnvGuard(const CEnvGuard&) = delete;
    CEnvGuard& operator=(const CEnvGuard&) = delete;

private:
    const char* m_name;
    bool m_bHad;
    QByteArray m_value;
};

TEST(ScreenMetrics, TheRealResolutionCountsTheScaleQtAppliesItself) {
    // A 120-dpi desktop, scaled by Qt or reported as it is: the large layout either way.
    EXPECT_EQ(CZodynasApp::RealDpi(96, 1.25), 120);
    EXPECT_EQ(CZodynasApp::RealDpi(120, 1.0), 120);
    EXPECT_EQ(CZodynasApp::RealDpi(96, 2.0), 192);
    EXPECT_EQ(CZodynasApp::RealDpi(96, 1.0), 96);
    EXPECT_EQ(CZodynasApp::RealDpi(72, 0.0), 72);
    CZodynasApp app;
    app.SetScreenMetrics(32, CZodynasApp::RealDpi(96, 1.14), 96);
    EXPECT_FALSE(app.IsLargeLayout()); // 109
    app.SetScreenMetrics(32, CZodynasApp::RealDpi(96, 1.16), 96);
    EXPECT_TRUE(app.IsLargeLayout()); // 111
}

TEST(ScreenMetrics, MeasuresThePrimaryScreen) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    ASSERT_NE(screen, nullptr);
    CZodynasApp app;
    app.MeasureScreen(screen);
    EXPECT_EQ(app.LogPixelsX(), qRound(screen->logicalDotsPerInchX() * screen->devicePixelRatio()));
    EXPECT_EQ(app.LogPixelsY(), qRound(screen->logicalDotsPerInchY() * screen->devicePixelRatio()));
    EXPECT_EQ(app.Colours(), screen->depth() <= 8 ? 1 << screen->depth() : 257);
    app.MeasureScreen(nullptr); // no screen: nothing changes
    EXPECT_EQ(app.LogPixelsX(), qRound(screen->logicalDotsPerInchX() * screen->devicePixelRatio()));
}

} // namespace
