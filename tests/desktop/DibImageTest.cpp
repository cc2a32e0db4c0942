// SPDX-License-Identifier: GPL-2.0-or-later
// The BMP picture class: reading every depth, the colour table, round trips, damaged files that
// must be refused without reading outside their bytes, the shared block and drawing.

#include "desktop/DibImage.h"
#include "support/TestDict.h"

#include <QImage>
#include <QPainter>

#include <functional>
#include <sstream>
#include <streambuf>

namespace {

void PutU16(std::string& s, std::size_t at, std::uint16_t v) {
    s[at] = static_cast<char>(v & 0xFF);
    s[at + 1] = static_cast<char>(v >> 8);
}

void PutU32(std::string& s, std::size_t at, std::uint32_t v) {
    for (int k = 0; k < 4; ++k)
        s[at + static_cast<std::size_t>(k)] = static_cast<char>((v >> (8 * k)) & 0xFF);
}

// A BMP file: the table entries are 0xRRGGBB, the rows are given bottom-up, already padded.
struct SBmp {
    int width = 0;
    int height = 0;
    int bits = 8;
    std::uint32_t clrUsed = 0;
    std::vector<std::uint32_t> table;
    std::string pixels;

    std::string File() const {
        const std::size_t offBits = 54 + 4 * table.size();
        std::string f(offBits, '\0');
        f[0] = 'B';
        f[1] = 'M';
        PutU32(f, 2, static_cast<std::uint32_t>(offBits + pixels.size()));
        PutU32(f, 10, static_cast<std::uint32_t>(offBits));
        PutU32(f, 14, 40);
        PutU32(f, 18, static_cast<std::uint32_t>(width));
        PutU32(f, 22, static_cast<std::uint32_t>(height));
        PutU16(f, 26, 1);
        PutU16(f, 28, static_cast<std::uint16_t>(bits));
        PutU32(f, 34, static_cast<std::uint32_t>(pixels.size()));
        PutU32(f, 38, 4724);
        PutU32(f, 42, 4724);
        PutU32(f, 46, clrUsed);
        for (std::size_t i = 0; i < table.size(); ++i) {
            f[54 + 4 * i] = static_cast<char>(table[i] & 0xFF);
            f[55 + 4 * i] = static_cast<char>((table[i] >> 8) & 0xFF);
            f[56 + 4 * i] = static_cast<char>((table[i] >> 16) & 0xFF);
        }
        return f + pixels;
    }
};

int Stride(int width, int bits) {
    return (bits * width + 31) / 32 * 4;
}

QRgb Colour(int i) {
    return qRgb(i & 0xFF, 255 - (i & 0xFF), (i * 7) & 0xFF);
}

// An 8-bit picture whose pixel (x, y), counted from the top, has index (3x + 5y) mod 256.
SBmp EightBit(int width, int height) {
    SBmp b;
    b.width = width;
    b.height = height;
    for (int i = 0; i < 256; ++i)
        b.table.push_back(Colour(i) & 0xFFFFFF);
    const int stride = Stride(width, 8);
    b.pixels.assign(static_cast<std::size_t>(stride * height), '\0');
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            b.pixels[static_cast<std::size_t>((height - 1 - y) * stride + x)] =
                static_cast<char>((3 * x + 5 * y) & 0xFF);
    return b;
}

QRgb EightBitPixel(int x, int y) {
    return Colour((3 * x + 5 * y) & 0xFF);
}

bool ReadImage(CDibImage& image, const std::string& bytes) {
    std::istringstream in(bytes, std::ios::binary);
    return image.ReadFrom(in);
}

// A stream that hands out its bytes without seeking and remembers the largest read asked of it.
class CCountingBuf : public std::streambuf {
public:
    explicit CCountingBuf(std::string bytes) : m_strBytes(std::move(bytes)) {}
    std::streamsize m_nLargestRead = 0;
    int m_nReads = 0;

protected:
    std::streamsize xsgetn(char* s, std::streamsize n) override {
        m_nLargestRead = std::max(m_nLargestRead, n);
        ++m_nReads;
        const auto left = static_cast<std::streamsize>(m_strBytes.size() - m_nPos);
        const std::streamsize got = std::min(n, left);
        std::copy_n(m_strBytes.data() + m_nPos, got, s);
        m_nPos += static_cast<std::size_t>(got);
        return got;
    }
    int_type underflow() override { return traits_type::eof(); }

private:
    std::string m_strBytes;
    std::size_t m_nPos = 0;
};

} // namespace

TEST(DibImage, ReadsAnEightBitPictureWithItsColourTable) {
    const std::string file = EightBit(5, 3).File();
    CDibImage image;
    ASSERT_TRUE(ReadImage(image, file));
    EXPECT_TRUE(image.HasPicture());
    EXPECT_EQ(image.Width(), 5);
    EXPECT_EQ(image.Height(), 3);
    EXPECT_EQ(image.BitCount(), 8);
    EXPECT_EQ(image.RowStride(), 8);
    EXPECT_EQ(image.ColorCount(), 256);
    EXPECT_EQ(image.FileHeader().type, 0x4D42);
    EXPECT_EQ(image.FileHeader().size, file.size());
    EXPECT_EQ(image.FileHeader().offBits, 1078u);
    EXPECT_EQ(std::string(image.Dib().begin(), image.Dib().end()), file.substr(14));

    EXPECT_FALSE(image.HasPalette());
    image.MakePalette();
    ASSERT_TRUE(image.HasPalette());
    ASSERT_EQ(image.Palette().size(), 256);
    for (int i = 0; i < 256; ++i)
        EXPECT_EQ(image.Palette()[i], Colour(i)) << i;

    image.MakeBitmap();
    ASSERT_EQ(image.Bitmap().size(), QSize(5, 3));
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(image.Bitmap().pixel(x, y), EightBitPixel(x, y)) << x << "," << y;
}

TEST(DibImage, ColourCountFollowsColoursUsedOrTheDepth) {
    CDibImage empty;
    EXPECT_EQ(empty.ColorCount(), 0);
    for (const auto& [bits, expected] :
         std::vector<std::pair<int, int>>{{1, 2}, {4, 16}, {8, 256}, {16, 0}, {24, 0}, {32, 0}}) {
        SBmp b;
        b.width = 1;
        b.height = 1;
        b.bits = bits;
        b.table.assign(static_cast<std::size_t>(expected), 0);
        b.pixels.assign(4, '\0');
        CDibImage image;
        ASSERT_TRUE(ReadImage(image, b.File())) << bits;
        EXPECT_EQ(image.ColorCount(), expected) << bits;
    }
    SBmp used = EightBit(4, 2);
    used.clrUsed = 7;
    used.table.resize(7);
    CDibImage image;
    ASSERT_TRUE(ReadImage(image, used.File()));
    EXPECT_EQ(image.ColorCount(), 7);
    image.MakePalette();
    EXPECT_EQ(image.Palette().size(), 7);
    // Indexes beyond a short table are black.
    image.MakeBitmap();
    EXPECT_EQ(image.Bitmap().pixel(0, 0), Colour(0));
    EXPECT_EQ(image.Bitmap().pixel(3, 0), qRgb(0, 0, 0)); // index 9
}

TEST(DibImage, EveryDepthBecomesTheSamePixels) {
    // Two rows of three pixels; the top row is stored last.
    const QRgb red = qRgb(255, 0, 0), green = qRgb(0, 255, 0), blue = qRgb(0, 0, 255),
               white = qRgb(255, 255, 255);
    const QRgb expected[2][3] = {{red, green, blue}, {white, red, white}};

    SBmp one{3, 2, 1, 0, {0xFFFFFF, 0xFF0000}, {}};
    // 1 bit: index 1 red, 0 white; top row red, white, white = 100; bottom row white, red, white = 010.
    one.pixels = std::string("\x40\0\0\0\x80\0\0\0", 8);
    CDibImage mono;
    ASSERT_TRUE(ReadImage(mono, one.File()));
    mono.MakeBitmap();
    EXPECT_EQ(mono.Bitmap().pixel(0, 0), red);
    EXPECT_EQ(mono.Bitmap().pixel(1, 0), white);
    EXPECT_EQ(mono.Bitmap().pixel(1, 1), red);

    SBmp four{3, 2, 4, 0, {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF}, {}};
    four.table.resize(16); // no colours-used count: the table has all 16 entries
    four.pixels = std::string("\x30\x30\0\0\x01\x20\0\0", 8);
    CDibImage sixteen;
    ASSERT_TRUE(ReadImage(sixteen, four.File()));
    EXPECT_EQ(sixteen.ColorCount(), 16);
    sixteen.MakeBitmap();
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(sixteen.Bitmap().pixel(x, y), expected[y][x]) << "4 bits " << x << "," << y;

    // 16 bits: x1r5g5b5, little-endian.
    SBmp hi{3, 2, 16, 0, {}, {}};
    const std::string r5("\x00\x7C", 2), g5("\xE0\x03", 2), b5("\x1F\x00", 2), w5("\xFF\x7F", 2),
        pad("\0\0", 2);
    hi.pixels = w5 + r5 + w5 + pad + r5 + g5 + b5 + pad;
    // 24 bits: blue, green, red.
    SBmp deep{3, 2, 24, 0, {}, {}};
    deep.pixels = std::string("\xFF\xFF\xFF\0\0\xFF\xFF\xFF\xFF\0\0\0", 12) +
                  std::string("\0\0\xFF\0\xFF\0\xFF\0\0\0\0\0", 12);
    // 32 bits: blue, green, red, unused.
    SBmp full{3, 2, 32, 0, {}, {}};
    full.pixels = std::string("\xFF\xFF\xFF\0\0\0\xFF\0\xFF\xFF\xFF\0", 12) +
                  std::string("\0\0\xFF\0\0\xFF\0\0\xFF\0\0\0", 12);
    for (const SBmp* b : {&hi, &deep, &full}) {
        CDibImage image;
        ASSERT_TRUE(ReadImage(image, b->File())) << b->bits;
        EXPECT_EQ(image.ColorCount(), 0);
        image.MakePalette();
        EXPECT_FALSE(image.HasPalette());
        image.MakeBitmap();
        ASSERT_EQ(image.Bitmap().size(), QSize(3, 2));
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 3; ++x)
                EXPECT_EQ(image.Bitmap().pixel(x, y), expected[y][x]) << b->bits << " bits " << x << "," << y;
    }
}

TEST(DibImage, SaveThenLoadGivesTheSamePicture) {
    CTempDir dir;
    // Larger than one transfer piece, with a width that needs padding.
    const SBmp source = EightBit(203, 160);
    const std::string file = source.File();
    WriteBytes(dir.File("in.bmp"), file);
    CDibImage image;
    ASSERT_TRUE(image.Load(dir.File("in.bmp")));
    ASSERT_TRUE(image.Save(dir.File("out.bmp")));
    std::ifstream saved(dir.File("out.bmp"), std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(saved)), std::istreambuf_iterator<char>());
    EXPECT_EQ(bytes, file);
    EXPECT_EQ(image.FileHeader().offBits, 54u + 4 * 256);
    EXPECT_EQ(image.FileHeader().size, 54u + 4 * 256 + 204 * 160);

    CDibImage again;
    ASSERT_TRUE(again.Load(dir.File("out.bmp")));
    again.MakeBitmap();
    image.MakeBitmap();
    EXPECT_EQ(again.Bitmap(), image.Bitmap());
    EXPECT_EQ(again.Bitmap().pixel(202, 159), EightBitPixel(202, 159));

    // The pixel offset follows the colours used, whatever the file said before.
    SBmp few = EightBit(4, 4);
    few.clrUsed = 16;
    few.table.resize(16);
    std::string odd = few.File();
    PutU32(odd, 10, 9999);
    WriteBytes(dir.File("few.bmp"), odd);
    CDibImage small;
    ASSERT_TRUE(small.Load(dir.File("few.bmp")));
    ASSERT_TRUE(small.Save(dir.File("few-out.bmp")));
    std::ifstream in(dir.File("few-out.bmp"), std::ios::binary);
    const std::string written((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(written, few.File());

    CDibImage none;
    EXPECT_FALSE(none.Save(dir.File("none.bmp")));
    EXPECT_FALSE(std::filesystem::exists(dir.File("none.bmp")));
    EXPECT_FALSE(none.Load(dir.File("missing.bmp")));
}

TEST(DibImage, ReadsInPiecesOfAtMostThirtyKilobytes) {
    const std::string file = EightBit(400, 200).File(); // 81,078 bytes
    CCountingBuf buf(file);
    std::istream in(&buf);
    CDibImage image;
    ASSERT_TRUE(image.ReadFrom(in));
    EXPECT_EQ(buf.m_nLargestRead, 30720);
    EXPECT_EQ(buf.m_nReads, 1 + 3); // the header, then 30,720 + 30,720 + 19,624
    EXPECT_EQ(image.Dib().size(), file.size() - 14);
}

TEST(DibImage, DamagedFilesAreRefusedWithoutReadingOutside) {
    const std::string good = EightBit(6, 4).File();
    const auto refused = [](const std::string& bytes, const char* what) {
        CDibImage image;
        EXPECT_FALSE(ReadImage(image, bytes)) << what;
        EXPECT_FALSE(image.HasPicture()) << what;
        EXPECT_EQ(image.ColorCount(), 0) << what;
        image.MakeBitmap();
        EXPECT_TRUE(image.Bitmap().isNull()) << what;
    };
    refused("", "empty");
    refused(good.substr(0, 13), "short header");
    std::string bad = good;
    bad[1] = 'A';
    refused(bad, "signature");
    for (std::uint32_t size : {0u, 13u, 14u, 53u}) {
        bad = good;
        PutU32(bad, 2, size);
        refused(bad, "size below the headers");
    }
    refused(good.substr(0, 14 + 30), "info header cut");
    refused(good.substr(0, good.size() - 1), "last pixel missing");
    bad = good;
    PutU32(bad, 2, 0xFFFFFFFF);
    refused(bad.substr(0, good.size() - 5), "huge size, pixels missing");
    bad = good;
    PutU32(bad, 14 + 32, 1000000);
    refused(bad, "colour table beyond the block");
    SBmp deep{4, 4, 24, 0, {}, std::string(48, '\x55')};
    bad = deep.File();
    PutU16(bad, 14 + 14, 32);
    refused(bad, "depth beyond the block");
    bad = good;
    PutU16(bad, 14 + 14, 7);
    refused(bad, "unknown depth");
    bad = good;
    PutU32(bad, 14 + 4, 0x7FFFFFFF);
    refused(bad, "width beyond the stride");
    bad = good;
    PutU32(bad, 14 + 8, 5);
    refused(bad, "height beyond the block");
    for (std::uint32_t height : {0u, 0xFFFFFFFCu}) {
        bad = good;
        PutU32(bad, 14 + 8, height);
        refused(bad, "no rows or rows top-down");
    }
    bad = good;
    PutU32(bad, 14 + 16, 1);
    refused(bad, "compressed");
    bad = good;
    PutU32(bad, 14, 108);
    refused(bad, "other header");

    // A size field beyond the file is capped at what the stream holds.
    bad = good;
    PutU32(bad, 2, 0xFFFFFFFF);
    CDibImage capped;
    ASSERT_TRUE(ReadImage(capped, bad));
    EXPECT_EQ(capped.Dib().size(), good.size() - 14);

    // A failed stream is not read at all.
    std::istringstream failed(good, std::ios::binary);
    failed.setstate(std::ios::failbit);
    CDibImage image;
    EXPECT_FALSE(image.ReadFrom(failed));
    EXPECT_FALSE(image.HasPicture());
}

TEST(DibImage, OldCoreHeaderKeepsItsBytesButIsNeverUsed) {
    std::string core = EightBit(6, 4).File();
    PutU32(core, 14, 12);
    CDibImage image;
    EXPECT_FALSE(ReadImage(image, core));
    EXPECT_TRUE(image.HasPicture());
    EXPECT_EQ(image.Dib().size(), core.size() - 14);
    image.MakeBitmap();
    EXPECT_TRUE(image.Bitmap().isNull());
    CTempDir dir;
    EXPECT_FALSE(image.Save(dir.File("core.bmp")));
    QImage target(8, 8, QImage::Format_RGB32);
    target.fill(Qt::white);
    QPainter painter(&target);
    image.Draw(painter, 0, 0, 0, 0, 0, 0);
    painter.end();
    EXPECT_EQ(target.pixel(0, 0), qRgb(255, 255, 255));
}

TEST(DibImage, CopiesShareOneBlockUntilReleasedOrReloaded) {
    CTempDir dir;
    WriteBytes(dir.File("a.bmp"), EightBit(4, 4).File());
    WriteBytes(dir.File("b.bmp"), EightBit(8, 2).File());
    CDibImage first;
    ASSERT_TRUE(first.Load(dir.File("a.bmp")));
    EXPECT_EQ(first.RefCount(), 1u);
    {
        CDibImage second(first);
        EXPECT_EQ(first.RefCount(), 2u);
        EXPECT_EQ(&second.Dib(), &first.Dib());
        CDibImage third;
        third = second;
        EXPECT_EQ(first.RefCount(), 3u);
        // Loading into one copy leaves the others their picture.
        ASSERT_TRUE(third.Load(dir.File("b.bmp")));
        EXPECT_EQ(first.RefCount(), 2u);
        EXPECT_EQ(third.RefCount(), 1u);
        EXPECT_EQ(third.Width(), 8);
        EXPECT_EQ(second.Width(), 4);
        second.Release();
        EXPECT_FALSE(second.HasPicture());
        EXPECT_EQ(second.RefCount(), 1u);
        EXPECT_EQ(first.RefCount(), 1u);
        third = first;
        EXPECT_EQ(first.RefCount(), 2u);
    }
    EXPECT_EQ(first.RefCount(), 1u);
    EXPECT_EQ(first.Width(), 4);
    first.Release();
    EXPECT_FALSE(first.HasPicture());
    EXPECT_EQ(first.ColorCount(), 0);
}

TEST(DibImage, DrawCopiesTheWholePictureOrAPart) {
    CDibImage image;
    ASSERT_TRUE(ReadImage(image, EightBit(200, 100).File()));
    const QRgb white = qRgb(255, 255, 255);
    const auto draw = [&image](int sx, int sy, int dx, int dy, int w, int h) {
        QImage target(300, 200, QImage::Format_RGB32);
        target.fill(Qt::white);
        QPainter painter(&target);
        image.Draw(painter, sx, sy, dx, dy, w, h);
        return target;
    };

    const QImage whole = draw(0, 0, 0, 0, 0, 0);
    EXPECT_TRUE(image.HasPalette()); // built by the first Draw
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 300; ++x)
            ASSERT_EQ(whole.pixel(x, y), x < 200 && y < 100 ? EightBitPixel(x, y) : white) << x << "," << y;

    const QImage part = draw(10, 20, 50, 60, 100, 50);
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 300; ++x) {
            const bool inside = x >= 50 && x < 150 && y >= 60 && y < 110;
            ASSERT_EQ(part.pixel(x, y), inside ? EightBitPixel(x - 50 + 10, y - 60 + 20) : white)
                << x << "," << y;
        }

    // Coordinates are 16-bit: 65,536 wraps to 0, so these are the whole picture at (5, 7).
    const QImage wrapped = draw(65536, 65536, 65536 + 5, 65536 + 7, 65536, 65536);
    EXPECT_EQ(wrapped.pixel(5, 7), EightBitPixel(0, 0));
    EXPECT_EQ(wrapped.pixel(204, 106), EightBitPixel(199, 99));
    EXPECT_EQ(wrapped.pixel(205, 107), white);
    EXPECT_EQ(wrapped.pixel(4, 7), white);

    CDibImage empty;
    QImage target(4, 4, QImage::Format_RGB32);
    target.fill(Qt::white);
    QPainter painter(&target);
    empty.Draw(painter, 0, 0, 0, 0, 0, 0);
    painter.end();
    EXPECT_EQ(target.pixel(0, 0), white);
}
