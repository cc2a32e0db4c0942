// SPDX-License-Identifier: GPL-2.0-or-later
// The pictures compiled into the program and the pages that live beside it: every bitmap the
// dialog asks for by id exists with the size and depth its layout expects, the splash pictures
// are the exact BMP files the picture reader is built for, and the page head opens a document
// that the program's pages can close.
#include "desktop/BitmapIds.h"
#include "dict/Cp1257.h"

#include <QColor>
#include <QFile>
#include <QImage>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <string>
#include <tuple>
#include <vector>

namespace {

// The source tree, for the files that are not compiled in.
std::string SourceDir() {
#ifdef LEKSTAR_SOURCE_DIR
    return LEKSTAR_SOURCE_DIR;
#else
    std::string file = __FILE__;
    return file.substr(0, file.rfind("/tests/res/"));
#endif
}

QByteArray ReadFile(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

std::string ReadSourceFile(const std::string& relative) {
    const QByteArray bytes = ReadFile(QString::fromStdString(SourceDir() + "/" + relative));
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

std::uint32_t Le32(const QByteArray& b, int at) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(b[at])) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 1])) << 8 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 2])) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 3])) << 24;
}

std::uint16_t Le16(const QByteArray& b, int at) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(b[at]) |
                                      static_cast<unsigned char>(b[at + 1]) << 8);
}

struct SBitmap {
    int id;
    int width;
    int height;
    int bits;
};

// Every bitmap the buttons use: the four variants (small/large layout, high colour / 256
// colours) of each button state, the pressed frames and the index buttons.
std::vector<SBitmap> AllBitmaps() {
    using namespace BitmapIds;
    std::vector<SBitmap> all;
    for (const SVariants& v : kAllButtons) {
        all.push_back({v.smallHigh, 32, 32, 24});
        all.push_back({v.smallPalette, 32, 32, 8});
        all.push_back({v.largeHigh, 44, 44, 24});
        all.push_back({v.largePalette, 44, 44, 8});
    }
    for (int id : {kLithuanianInactive, kLithuanianActive, kEnglishInactive, kEnglishActive})
        all.push_back({id, 24, 16, 24});
    return all;
}

QImage Bitmap(int id) {
    return QImage(QStringLiteral(":/bitmaps/%1.bmp").arg(id));
}

// Mean HSV saturation (0-255) of a picture: coloured pictures score high, grey ones near 0.
double MeanSaturation(const QImage& image) {
    double sum = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            sum += QColor(image.pixel(x, y)).hsvSaturation();
    return sum / (image.width() * image.height());
}

TEST(ResourceBitmaps, EveryIdLoadsWithItsSizeAndDepth) {
    const auto all = AllBitmaps();
    ASSERT_EQ(all.size(), 40u);
    for (const SBitmap& b : all) {
        SCOPED_TRACE(b.id);
        const QByteArray file = ReadFile(QStringLiteral(":/bitmaps/%1.bmp").arg(b.id));
        ASSERT_GE(file.size(), 54);
        EXPECT_EQ(file.left(2), QByteArray("BM"));
        EXPECT_EQ(Le32(file, 2), static_cast<std::uint32_t>(file.size()));
        EXPECT_EQ(Le32(file, 14), 40u);
        EXPECT_EQ(Le16(file, 28), b.bits);
        EXPECT_EQ(Le32(file, 30), 0u); // uncompressed

        const QImage image = Bitmap(b.id);
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(image.width(), b.width);
        EXPECT_EQ(image.height(), b.height);
        if (b.bits == 8) {
            EXPECT_EQ(image.format(), QImage::Format_Indexed8);
            EXPECT_GT(image.colorCount(), 0);
            EXPECT_LE(image.colorCount(), 256);
            EXPECT_EQ(Le32(file, 10), 14u + 40u + 4u * 256u);
        } else {
            EXPECT_NE(image.format(), QImage::Format_Indexed8);
            EXPECT_EQ(Le32(file, 10), 54u);
        }
    }
}

TEST(ResourceBitmaps, NoTwoBitmapsAreTheSamePicture) {
    // A copied file under a second id would show the wrong state on a button.
    const auto all = AllBitmaps();
    std::map<int, QImage> images;
    for (const SBitmap& b : all)
        images[b.id] = Bitmap(b.id).convertToFormat(QImage::Format_RGB32);
    for (auto a = images.begin(); a != images.end(); ++a)
        for (auto c = std::next(a); c != images.end(); ++c)
            EXPECT_NE(a->second, c->second) << a->first << " and " << c->first;
}

TEST(ResourceBitmaps, TheIndexInUseIsColouredTheOtherGreyed) {
    // English index in use: 1016 shows 219, 1017 shows 216. Lithuanian: 1016 218, 1017 217.
    for (int active : {219, 217})
        EXPECT_GT(MeanSaturation(Bitmap(active)), 120.0) << active;
    for (int inactive : {218, 216})
        EXPECT_LT(MeanSaturation(Bitmap(inactive)), 30.0) << inactive;
    // The English pair and the Lithuanian pair each carry their own letters: the pictures of a
    // pair differ in colour only where the letters are, so the lettering of 219 and 217 differs.
    EXPECT_NE(Bitmap(219), Bitmap(217));
    EXPECT_NE(Bitmap(218), Bitmap(216));
}

TEST(ResourceBitmaps, ThePressedFramesLookSunken) {
    // Pushed in: the inner face is shaded at the top and lighter towards the bottom, and darker
    // overall than the face of a button at rest.
    for (const auto& [pressed, resting, n] : {std::tuple{169, 168, 32}, std::tuple{209, 204, 32},
                                              std::tuple{162, 153, 44}, std::tuple{208, 180, 44}}) {
        SCOPED_TRACE(pressed);
        const QImage p = Bitmap(pressed);
        const QImage r = Bitmap(resting);
        const int top = qGray(p.pixel(n / 2, 2));
        const int bottom = qGray(p.pixel(n / 2, n - 4));
        EXPECT_LT(top + 10, bottom);
        EXPECT_LT(qGray(p.pixel(n / 2, 2)), qGray(r.pixel(n / 2, 2)));
        EXPECT_LT(qGray(p.pixel(2, n / 2)), qGray(r.pixel(2, n / 2)));
    }
}

TEST(ResourceIcon, EverySizeExists) {
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        const QImage icon(QStringLiteral(":/icons/128/%1.png").arg(size));
        ASSERT_FALSE(icon.isNull()) << size;
        EXPECT_EQ(icon.width(), size);
        EXPECT_EQ(icon.height(), size);
        EXPECT_TRUE(icon.hasAlphaChannel());
        // Transparent in the corner, opaque in the middle of the bubbles.
        EXPECT_EQ(qAlpha(icon.pixel(size - 1, 0)), 0) << size;
        EXPECT_EQ(qAlpha(icon.pixel(size / 2, size / 2)), 255) << size;
    }
}

TEST(ResourceSplash, BothPicturesAreTheExactBmpFiles) {
    QByteArray colourTables[2];
    QByteArray pixels[2];
    for (int i = 0; i < 2; ++i) {
        const int id = 210 + i;
        SCOPED_TRACE(id);
        const QByteArray b = ReadFile(QStringLiteral(":/splash/%1.bmp").arg(id));
        ASSERT_EQ(b.size(), 173398);
        EXPECT_EQ(b[0], 'B');
        EXPECT_EQ(b[1], 'M');
        EXPECT_EQ(Le32(b, 2), 173398u);
        EXPECT_EQ(Le16(b, 6), 0);
        EXPECT_EQ(Le16(b, 8), 0);
        EXPECT_EQ(Le32(b, 10), 1078u);
        EXPECT_EQ(Le32(b, 14), 40u);
        EXPECT_EQ(Le32(b, 18), 480u);
        EXPECT_EQ(Le32(b, 22), 359u); // positive: rows bottom-up
        EXPECT_EQ(Le16(b, 26), 1);
        EXPECT_EQ(Le16(b, 28), 8);
        EXPECT_EQ(Le32(b, 30), 0u);
        EXPECT_EQ(Le32(b, 34), 172320u);
        EXPECT_EQ(Le32(b, 38), 4724u);
        EXPECT_EQ(Le32(b, 42), 4724u);
        EXPECT_EQ(Le32(b, 46), 0u);
        EXPECT_EQ(Le32(b, 50), 0u);
        colourTables[i] = b.mid(54, 1024);
        pixels[i] = b.mid(1078);
        // The fourth byte of every colour-table entry is 0.
        for (int e = 0; e < 256; ++e)
            EXPECT_EQ(b[54 + 4 * e + 3], 0) << e;

        const QImage image(QStringLiteral(":/splash/%1.bmp").arg(id));
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(image.size(), QSize(480, 359));
        EXPECT_EQ(image.format(), QImage::Format_Indexed8);
        // Bottom-up rows: the last row of the file is the top of the picture.
        EXPECT_EQ(image.pixelIndex(0, 0), static_cast<unsigned char>(b[1078 + 358 * 480]));
        EXPECT_EQ(image.pixelIndex(479, 358), static_cast<unsigned char>(b[1078 + 479]));
    }
    EXPECT_NE(colourTables[0], colourTables[1]);
    EXPECT_NE(pixels[0], pixels[1]);
}

TEST(ResourceSplash, ThePaletteVersionKeepsTheSystemColoursInPlace) {
    // A palette display reserves the first ten and the last ten entries of its palette.
    const QByteArray b = ReadFile(QStringLiteral(":/splash/211.bmp"));
    ASSERT_EQ(b.size(), 173398);
    auto entry = [&](int e) {
        return qRgb(static_cast<unsigned char>(b[54 + 4 * e + 2]),
                    static_cast<unsigned char>(b[54 + 4 * e + 1]), static_cast<unsigned char>(b[54 + 4 * e]));
    };
    EXPECT_EQ(entry(0), qRgb(0, 0, 0));
    EXPECT_EQ(entry(7), qRgb(192, 192, 192));
    EXPECT_EQ(entry(246), qRgb(255, 251, 240));
    EXPECT_EQ(entry(249), qRgb(255, 0, 0));
    EXPECT_EQ(entry(255), qRgb(255, 255, 255));
}

TEST(ResourcePages, ThePageHeadOpensTheDocumentAndLeavesTheBodyOpen) {
    const std::string head = ReadSourceFile("res/HTM/HH.htm");
    ASSERT_FALSE(head.empty());
    EXPECT_EQ(head.rfind("<HTML><HEAD>", 0), 0u);
    EXPECT_NE(head.find("charset=windows-1257"), std::string::npos);
    EXPECT_NE(head.find(".SELECTED"), std::string::npos);
    EXPECT_NE(head.find(".aback"), std::string::npos);
    EXPECT_NE(head.find("</HEAD><BODY>"), std::string::npos);
    EXPECT_EQ(head.find("</BODY>"), std::string::npos);
    EXPECT_EQ(head.find("</HTML>"), std::string::npos);
    std::string end = head;
    while (!end.empty() && (end.back() == '\r' || end.back() == '\n'))
        end.pop_back();
    EXPECT_TRUE(end.ends_with("<BODY>"));
    for (unsigned char c : head)
        EXPECT_LT(c, 0x80);
}

TEST(ResourcePages, TheBrowserShowsTheHeadsStyles) {
    // A page as the program writes it: the head, a reverse article with its highlighted word
    // and back-to-top link, the closing tags.
    const std::string page = ReadSourceFile("res/HTM/HH.htm") +
                             "<A NAME=\"Rbeg\"></A>\r\n<A NAME=\"R7\"></A><P CLASS=hw><B>house</B> "
                             "<SPAN CLASS=pron>[haus]</SPAN> <I>dkt.</I></P>\r\n<P CLASS=sense>\r\n"
                             "1. <SPAN CLASS=SELECTED>namas</SPAN>\r\n</P><A CLASS=aback HREF=\"#Rbeg\">"
                             "\xC1 vir\xF0\xF8</A>\r\n<HR>\r\n\r\n\r\n</BODY>\r\n</HTML>\r\n";
    QTextDocument doc;
    doc.setHtml(QString::fromStdString(Cp1257::ToUtf8(page)));
    ASSERT_TRUE(doc.toPlainText().contains(QStringLiteral("Į viršų")));

    auto formatOf = [&](const QString& text) {
        QTextCursor c = doc.find(text);
        EXPECT_FALSE(c.isNull()) << text.toStdString();
        return c.charFormat();
    };
    const QTextCharFormat plain = formatOf(QStringLiteral("1."));
    const QTextCharFormat selected = formatOf(QStringLiteral("namas"));
    EXPECT_EQ(selected.fontWeight(), QFont::Bold);
    EXPECT_EQ(selected.background().style(), Qt::SolidPattern);
    EXPECT_NE(selected.background().color(), plain.background().color());
    EXPECT_NE(plain.fontWeight(), QFont::Bold);

    const QTextCharFormat back = formatOf(QStringLiteral("Į viršų"));
    EXPECT_TRUE(back.isAnchor());
    EXPECT_LT(back.fontPointSize(), plain.fontPointSize());
    EXPECT_EQ(plain.fontPointSize(), 10.0);
}

TEST(ResourcePages, TheStartPagesAndTheHelpAreWholeBalticDocuments) {
    for (const char* name : {"res/HTM/Apie.htm", "res/HTM/Apie_s.htm", "res/HTM/Pagalba.htm"}) {
        SCOPED_TRACE(name);
        const std::string bytes = ReadSourceFile(name);
        ASSERT_FALSE(bytes.empty());
        EXPECT_EQ(bytes.rfind("<HTML><HEAD>", 0), 0u);
        EXPECT_NE(bytes.find("charset=windows-1257"), std::string::npos);
        EXPECT_NE(bytes.find("</BODY></HTML>"), std::string::npos);
        // "žodyn" in code page 1257, and no UTF-8 "ž" (C5 BE) in its place.
        EXPECT_NE(bytes.find("\xFEodyn"), std::string::npos);
        EXPECT_EQ(bytes.find("\xC5\xBE"), std::string::npos);
        EXPECT_NE(bytes.find("FreeDict"), std::string::npos);
        EXPECT_NE(bytes.find("GPL"), std::string::npos);
    }
    const std::string help = ReadSourceFile("res/HTM/Pagalba.htm");
    for (const char* needle : {"lekstar-cli", "LEKSTAR.Application", "Translate(", "TranslateRev(",
                               "TranslateHTML(", "TranslateHTMLRev(", "Escape", "Page Up", "Enter"})
        EXPECT_NE(help.find(needle), std::string::npos) << needle;
    EXPECT_LT(ReadSourceFile("res/HTM/Apie_s.htm").size(), ReadSourceFile("res/HTM/Apie.htm").size());
}

} // namespace
