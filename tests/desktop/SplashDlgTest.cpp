// SPDX-License-Identifier: GPL-2.0-or-later
// The splash window: placement, the road of the picture through a temporary file, what a
// failure at each step leaves, and the painted picture.

#include "desktop/SplashDlg.h"
#include "desktop/TempFolder.h"
#include "support/TestDict.h"

#include <QFile>
#include <QImage>

#include <filesystem>
#include <iostream>
#include <regex>

namespace {

// Points the system temporary folder (TMPDIR) at a fresh folder for one test.
class SplashDlgTest : public ::testing::Test {
protected:
    void SetUp() override {
        const char* old = std::getenv("TMPDIR");
        m_bHadTmpDir = old != nullptr;
        if (m_bHadTmpDir)
            m_strOldTmpDir = old;
        ::setenv("TMPDIR", m_root.File("").c_str(), 1);
    }
    void TearDown() override {
        if (m_bHadTmpDir)
            ::setenv("TMPDIR", m_strOldTmpDir.c_str(), 1);
        else
            ::unsetenv("TMPDIR");
    }

    // The names in the private folder.
    std::vector<std::string> TempNames() const {
        std::vector<std::string> names;
        const std::string folder = m_root.File("lekstar-" + std::to_string(::getuid()));
        if (std::filesystem::is_directory(folder))
            for (const auto& entry : std::filesystem::directory_iterator(folder))
                names.push_back(entry.path().filename().string());
        return names;
    }

    // A 256-colour picture of the splash's size with a pattern, saved as BMP.
    QString WritePicture(QImage* picture) const {
        QImage image(CSplashDlg::kWidth, CSplashDlg::kHeight, QImage::Format_Indexed8);
        QVector<QRgb> table;
        for (int i = 0; i < 256; ++i)
            table.push_back(qRgb(i, (i * 3) & 0xFF, 255 - i));
        image.setColorTable(table);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                image.setPixel(x, y, static_cast<uint>((x + 2 * y) & 0xFF));
        const QString path = QString::fromStdString(m_root.File("splash.bmp"));
        EXPECT_TRUE(image.save(path, "BMP"));
        *picture = image.convertToFormat(QImage::Format_RGB32);
        return path;
    }

    CTempDir m_root;
    bool m_bHadTmpDir = false;
    std::string m_strOldTmpDir;
};

// The window's own pixel at (x, y) of the picture: the picture starts inside the 1-pixel border.
QRgb Shown(const QImage& grabbed, int x, int y) {
    return grabbed.pixel(x + CSplashDlg::kBorder, y + CSplashDlg::kBorder);
}

} // namespace

TEST(SplashDlg, IsAFramelessTopmostWindowCentredOnTheScreen) {
    CSplashDlg splash;
    EXPECT_TRUE(splash.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(splash.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(splash.isWindow());
    EXPECT_EQ(splash.size(), QSize(480, 359));
    EXPECT_EQ(splash.Picture(), nullptr);

    EXPECT_EQ(CSplashDlg::CentredPosition(QRect(0, 0, 1920, 1080)), QPoint(720, 360));
    EXPECT_EQ(CSplashDlg::CentredPosition(QRect(0, 0, 1024, 768)), QPoint(272, 204));
    EXPECT_EQ(CSplashDlg::CentredPosition(QRect(0, 0, 481, 360)), QPoint(0, 0));
    // Smaller than the window: negative, rounded toward zero.
    EXPECT_EQ(CSplashDlg::CentredPosition(QRect(0, 0, 400, 300)), QPoint(-40, -29));
    EXPECT_EQ(CSplashDlg::CentredPosition(QRect(0, 0, 479, 358)), QPoint(0, 0));
    // A screen that does not start at the origin keeps the window on it.
    EXPECT_EQ(CSplashDlg::CentredPosition(QRect(1920, 0, 1280, 1024)), QPoint(1920 + 400, 332));

    splash.PlaceCentred(QRect(0, 0, 800, 600));
    EXPECT_EQ(splash.geometry(), QRect(160, 120, 480, 359));
}

TEST_F(SplashDlgTest, PictureTravelsThroughAPrivateTemporaryFileAndIsPainted) {
    QImage expected;
    const QString source = WritePicture(&expected);
    CSplashDlg splash;
    ASSERT_TRUE(splash.InitialiseFrom(source));
    ASSERT_NE(splash.Picture(), nullptr);
    EXPECT_EQ(splash.Picture()->Width(), 480);
    EXPECT_EQ(splash.Picture()->Height(), 359);

    // The copy stays in the private folder for the sweeps, byte for byte.
    const std::string copy = splash.TempFilePath();
    EXPECT_EQ(std::filesystem::path(copy).parent_path().string(), CTempFolder::Path());
    EXPECT_TRUE(std::regex_match(std::filesystem::path(copy).filename().string(),
                                 std::regex("ZOD[0-9A-F]{1,4}\\.TMP")));
    EXPECT_EQ(ReadAll(copy), ReadAll(source.toStdString()));

    const QImage shown = splash.grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(shown.size(), QSize(480, 359));
    for (const QPoint p : {QPoint(0, 0), QPoint(100, 50), QPoint(477, 356), QPoint(250, 300), QPoint(3, 200)})
        EXPECT_EQ(Shown(shown, p.x(), p.y()), expected.pixel(p)) << p.x() << "," << p.y();
    // The border frames it.
    const QRgb border = splash.palette().color(QPalette::WindowText).rgb();
    EXPECT_EQ(shown.pixel(0, 0), border);
    EXPECT_EQ(shown.pixel(479, 358), border);
    EXPECT_EQ(shown.pixel(240, 358), border);

    // Without its picture the window shows only its background inside the border.
    splash.DestroyPicture();
    EXPECT_EQ(splash.Picture(), nullptr);
    const QImage empty = splash.grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(empty.pixel(100, 50), splash.palette().color(QPalette::Window).rgb());
    EXPECT_EQ(empty.pixel(0, 0), border);
}

TEST_F(SplashDlgTest, AnyFailingStepLeavesTheWindowEmpty) {
    CSplashDlg splash;
    // No such resource: no file is made.
    EXPECT_FALSE(splash.InitialiseFrom(":/splash/9999.bmp"));
    EXPECT_EQ(splash.Picture(), nullptr);
    EXPECT_TRUE(TempNames().empty());

    // A picture that does not load: its copy stays for the sweeps.
    const std::string bad = m_root.File("bad.bmp");
    WriteBytes(bad, "BX not a picture at all");
    EXPECT_FALSE(splash.InitialiseFrom(QString::fromStdString(bad)));
    EXPECT_EQ(splash.Picture(), nullptr);
    ASSERT_EQ(TempNames().size(), 1u);
    EXPECT_EQ(ReadAll(splash.TempFilePath()), "BX not a picture at all");

    // No private folder to be had: the system temporary folder is gone.
    QImage expected;
    const QString source = WritePicture(&expected);
    ASSERT_EQ(CTempFolder::DeleteMatching("*.*"), 1);
    ::setenv("TMPDIR", m_root.File("gone").c_str(), 1);
    ASSERT_EQ(CTempFolder::Path(), "");
    EXPECT_FALSE(splash.InitialiseFrom(source));
    EXPECT_EQ(splash.Picture(), nullptr);
    EXPECT_EQ(splash.TempFilePath(), "");
    const QImage empty = splash.grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(empty.pixel(100, 50), splash.palette().color(QPalette::Window).rgb());
}

TEST_F(SplashDlgTest, CompiledInPicturesAreShownByColourDepth) {
    int found = 0;
    for (const bool bHighColour : {true, false}) {
        const QString resource = CSplashDlg::ResourcePath(bHighColour ? 210 : 211);
        if (!QFile::exists(resource))
            continue;
        ++found;
        CSplashDlg splash;
        ASSERT_TRUE(splash.Initialise(bHighColour)) << bHighColour;
        ASSERT_NE(splash.Picture(), nullptr);
        EXPECT_EQ(std::filesystem::file_size(splash.TempFilePath()), 173398u);
        QFile file(resource);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(ReadAll(splash.TempFilePath()), file.readAll().toStdString());
        const QImage expected = QImage(resource).convertToFormat(QImage::Format_RGB32);
        const QImage shown = splash.grab().toImage().convertToFormat(QImage::Format_RGB32);
        for (const QPoint p : {QPoint(0, 0), QPoint(240, 180), QPoint(477, 356), QPoint(13, 300)})
            EXPECT_EQ(Shown(shown, p.x(), p.y()), expected.pixel(p))
                << bHighColour << " " << p.x() << "," << p.y();
    }
    EXPECT_EQ(CSplashDlg::ResourcePath(210), ":/splash/210.bmp");
    if (found == 0)
        std::cout << "[ INFO     ] no splash pictures compiled in yet\n";
}
