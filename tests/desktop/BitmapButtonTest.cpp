// SPDX-License-Identifier: GPL-2.0-or-later
// The bitmap button: which bitmap it paints in which state, over its whole area, and what a
// missing bitmap leaves.

#include "desktop/BitmapButton.h"
#include "support/TestDict.h"

#include <QFile>
#include <QImage>
#include <QSignalSpy>
#include <QTest>

#include <iostream>

namespace {

const QRgb kNormal = qRgb(200, 30, 40);
const QRgb kSelected = qRgb(20, 40, 220);

// Two bitmaps of 20 x 16 pixels in a temporary folder: the normal one red, the selected one
// blue, each with a green pixel at its top left corner.
class BitmapButtonTest : public ::testing::Test {
protected:
    void SetUp() override {
        WriteBmp(Normal(), kNormal);
        WriteBmp(Selected(), kSelected);
    }
    static void WriteBmp(const QString& path, QRgb colour) {
        QImage image(20, 16, QImage::Format_RGB32);
        image.fill(colour);
        image.setPixel(0, 0, qRgb(0, 255, 0));
        ASSERT_TRUE(image.save(path, "BMP"));
    }
    QString Normal() const { return QString::fromStdString(m_dir.File("normal.bmp")); }
    QString Selected() const { return QString::fromStdString(m_dir.File("selected.bmp")); }

    CTempDir m_dir;
};

} // namespace

TEST_F(BitmapButtonTest, PaintsTheNormalBitmapAndTheSelectedOneWhilePressed) {
    CBitmapButton button;
    ASSERT_TRUE(button.LoadBitmapFiles(Normal(), Selected()));
    EXPECT_EQ(button.sizeHint(), QSize(20, 16));
    // Stretched over the whole button: the green corner pixel grows to 2 x 2.
    button.resize(40, 32);
    QImage up = button.grab().toImage();
    ASSERT_EQ(up.size(), QSize(40, 32));
    EXPECT_EQ(up.pixel(0, 0), qRgb(0, 255, 0));
    EXPECT_EQ(up.pixel(1, 1), qRgb(0, 255, 0));
    EXPECT_EQ(up.pixel(2, 2), kNormal);
    EXPECT_EQ(up.pixel(39, 31), kNormal);
    EXPECT_EQ(up.pixel(39, 0), kNormal);

    button.setDown(true);
    QImage down = button.grab().toImage();
    EXPECT_EQ(down.pixel(2, 2), kSelected);
    EXPECT_EQ(down.pixel(39, 31), kSelected);
    button.setDown(false);
    EXPECT_EQ(button.grab().toImage(), up);
}

TEST_F(BitmapButtonTest, IsAButtonThatPaintsNoText) {
    CBitmapButton button;
    ASSERT_TRUE(button.LoadBitmapFiles(Normal(), Selected()));
    button.resize(button.sizeHint());
    const QImage plain = button.grab().toImage();
    button.setText("Exit");
    EXPECT_EQ(button.grab().toImage(), plain);

    button.show();
    QSignalSpy clicked(&button, &QAbstractButton::clicked);
    QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(10, 8));
    EXPECT_TRUE(button.isDown());
    EXPECT_EQ(button.grab().toImage().pixel(10, 8), kSelected);
    QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(10, 8));
    EXPECT_FALSE(button.isDown());
    EXPECT_EQ(clicked.count(), 1);
    EXPECT_EQ(button.grab().toImage().pixel(10, 8), kNormal);
}

TEST_F(BitmapButtonTest, AMissingBitmapLeavesTheButtonWithoutIt) {
    CBitmapButton button;
    EXPECT_FALSE(button.LoadBitmapFiles(Normal(), QString::fromStdString(m_dir.File("missing.bmp"))));
    EXPECT_FALSE(button.NormalBitmap().isNull());
    EXPECT_TRUE(button.SelectedBitmap().isNull());
    button.resize(20, 16);
    button.setDown(true);
    const QRgb pressed = button.grab().toImage().pixel(5, 5);
    EXPECT_NE(pressed, kSelected);
    EXPECT_NE(pressed, kNormal);

    // A damaged file counts as missing; the old bitmaps are replaced all the same.
    WriteBytes(m_dir.File("damaged.bmp"), "BM garbage");
    EXPECT_FALSE(button.LoadBitmapFiles(QString::fromStdString(m_dir.File("damaged.bmp")), Selected()));
    EXPECT_TRUE(button.NormalBitmap().isNull());
    EXPECT_FALSE(button.SelectedBitmap().isNull());
    EXPECT_EQ(button.sizeHint(), QSize(0, 0));
}

TEST(BitmapButton, LoadsResourceBitmapsByIdAndRemembersTheIds) {
    EXPECT_EQ(CBitmapButton::BitmapPath(160), ":/bitmaps/160.bmp");
    CBitmapButton button;
    EXPECT_FALSE(button.LoadBitmaps(99990, 99991));
    EXPECT_EQ(button.NormalId(), 99990);
    EXPECT_EQ(button.SelectedId(), 99991);
    EXPECT_TRUE(button.NormalBitmap().isNull());
    EXPECT_TRUE(button.SelectedBitmap().isNull());
    EXPECT_EQ(button.sizeHint(), QSize(0, 0));

    // Every pair of compiled-in bitmaps loads with its own size.
    int found = 0;
    for (int id = 100; id < 300; ++id) {
        const QImage expected(CBitmapButton::BitmapPath(id));
        if (expected.isNull())
            continue;
        ++found;
        EXPECT_TRUE(button.LoadBitmaps(id, id)) << id;
        EXPECT_EQ(button.NormalId(), id);
        EXPECT_EQ(button.sizeHint(), expected.size()) << id;
        button.resize(expected.size());
        EXPECT_EQ(button.grab().toImage().convertToFormat(QImage::Format_RGB32).pixel(1, 1),
                  expected.convertToFormat(QImage::Format_RGB32).pixel(1, 1))
            << id;
    }
    if (found == 0)
        std::cout << "[ INFO     ] no bitmaps compiled in yet\n";
}

// A 7 x 5 picture: a grey face whose edge pixels probe both limits of what counts as face, and
// a drawing in the middle: a black ring around a white pixel, beside a blue-grey face pixel.
TEST(DarkPicture, TurnsTheFaceThatReachesTheEdgeAndKeepsTheDrawing) {
    QImage picture(7, 5, QImage::Format_RGB32);
    picture.fill(qRgb(200, 200, 200));
    picture.setPixel(0, 0, qRgb(200, 200, 248)); // spread 48: face
    picture.setPixel(1, 0, qRgb(200, 200, 249)); // spread 49: colour, kept
    picture.setPixel(2, 0, qRgb(128, 128, 128)); // the darkest face grey
    picture.setPixel(3, 0, qRgb(127, 128, 128)); // one step darker: kept
    picture.setPixel(6, 4, qRgb(255, 255, 255));
    for (int x = 1; x <= 3; ++x)
        for (int y = 1; y <= 3; ++y)
            picture.setPixel(x, y, x == 2 && y == 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
    picture.setPixel(5, 2, qRgb(150, 150, 190));

    const QImage dark = CBitmapButton::DarkPicture(picture);
    ASSERT_EQ(dark.size(), picture.size());
    const auto at = [&](int x, int y) { return dark.pixel(x, y) & 0xFFFFFFu; };
    EXPECT_EQ(at(6, 0), 0x373737u); // 200 -> 55
    EXPECT_EQ(at(4, 2), 0x373737u);
    EXPECT_EQ(at(6, 4), 0x000000u);
    EXPECT_EQ(at(2, 0), 0x7F7F7Fu);
    EXPECT_EQ(at(1, 0), 0xC8C8F9u);
    EXPECT_EQ(at(3, 0), 0x7F8080u);
    // Blue-grey stays blue-grey, only dark: its lightness is mirrored.
    const QColor tinted = QColor::fromRgb(dark.pixel(5, 2));
    EXPECT_EQ(tinted.lightness(), 255 - QColor(150, 150, 190).lightness());
    EXPECT_GT(tinted.blue(), tinted.red());
    EXPECT_EQ(tinted.red(), tinted.green());
    const QColor faceBlue = QColor::fromRgb(dark.pixel(0, 0));
    EXPECT_EQ(faceBlue.lightness(), 255 - QColor(200, 200, 248).lightness());
    // The ring and what it encloses are the drawing.
    EXPECT_EQ(at(1, 1), 0x000000u);
    EXPECT_EQ(at(3, 3), 0x000000u);
    EXPECT_EQ(at(2, 2), 0xFFFFFFu);

    // A picture that is all drawing is returned as it is; an empty one stays empty.
    QImage red(3, 3, QImage::Format_RGB32);
    red.fill(qRgb(200, 30, 40));
    EXPECT_EQ(CBitmapButton::DarkPicture(red), red.convertToFormat(QImage::Format_ARGB32));
    EXPECT_TRUE(CBitmapButton::DarkPicture(QImage()).isNull());
}

TEST_F(BitmapButtonTest, DrawsDarkPicturesOnlyWhenAsked) {
    const QString face = QString::fromStdString(m_dir.File("face.bmp"));
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(qRgb(230, 230, 230));
    image.setPixel(1, 1, qRgb(200, 30, 40));
    ASSERT_TRUE(image.save(face, "BMP"));

    CBitmapButton button;
    EXPECT_FALSE(button.HasDarkPictures());
    ASSERT_TRUE(button.LoadBitmapFiles(face, Normal()));
    EXPECT_EQ(button.NormalBitmap().toImage().pixel(0, 0), qRgb(230, 230, 230));
    button.SetDarkPictures(true);
    ASSERT_TRUE(button.LoadBitmapFiles(face, Normal()));
    EXPECT_EQ(button.NormalBitmap().toImage().pixel(0, 0), qRgb(25, 25, 25));
    EXPECT_EQ(button.NormalBitmap().toImage().pixel(1, 1), qRgb(200, 30, 40));
    // The red picture has no face: it is drawn as it is.
    EXPECT_EQ(button.SelectedBitmap().toImage().pixel(5, 5), kNormal);

    // Every compiled-in picture has a face that turns dark at its corner.
    for (int id = 100; id < 300; ++id) {
        const QImage light(CBitmapButton::BitmapPath(id));
        if (light.isNull())
            continue;
        const QImage dark = CBitmapButton::DarkPicture(light);
        const QColor before = QColor::fromRgb(light.pixel(0, 0));
        const QColor after = QColor::fromRgb(dark.pixel(0, 0));
        if (before.lightness() >= 128 && before.hslSaturation() < 60) {
            EXPECT_LT(after.lightness(), 128) << id;
        }
    }
}
