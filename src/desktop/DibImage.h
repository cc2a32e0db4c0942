// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QImage>
#include <QPainter>
#include <QVector>

#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

// A device-independent bitmap (the BMP file format) held in memory and drawn with Qt.
//
//   file header   14 bytes: "BM", uint32 file size, two uint16 reserved, uint32 pixel offset
//   info header   40 bytes: uint32 size (40), int32 width, int32 height (rows bottom-up),
//                 uint16 planes, uint16 bits per pixel, uint32 compression (0), uint32 image
//                 size, int32 x and y pixels per metre, uint32 colours used, uint32 important
//   colour table  ColorCount() entries of blue, green, red, 0
//   pixels        height rows of RowStride() bytes, the bottom row first
//
// Everything is little-endian. The block of memory holds the file minus its 14-byte header.
namespace DibFormat {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;
constexpr std::size_t kCoreHeaderSize = 12;  // the old header, which is not supported
constexpr std::uint16_t kSignature = 0x4D42; // "BM" read little-endian
constexpr std::size_t kTransferSize = 30720; // reads and writes go through pieces of this size

// Offsets inside the info header.
constexpr std::size_t kSize = 0;
constexpr std::size_t kWidth = 4;
constexpr std::size_t kHeight = 8;
constexpr std::size_t kPlanes = 12;
constexpr std::size_t kBitCount = 14;
constexpr std::size_t kCompression = 16;
constexpr std::size_t kImageSize = 20;
constexpr std::size_t kXPelsPerMeter = 24;
constexpr std::size_t kYPelsPerMeter = 28;
constexpr std::size_t kClrUsed = 32;
constexpr std::size_t kClrImportant = 36;

} // namespace DibFormat

// The 14-byte file header as last read or written.
struct SBmpFileHeader {
    std::uint16_t type = 0;
    std::uint32_t size = 0;
    std::uint16_t reserved1 = 0;
    std::uint16_t reserved2 = 0;
    std::uint32_t offBits = 0;
};

// One picture's data, shared by the copies of a CDibImage and freed with the last of them.
struct SDibShared {
    std::vector<unsigned char> dib; // the file after its header; empty when there is no picture
    bool bHasPalette = false;
    QVector<QRgb> palette; // built from the colour table by MakePalette
    QImage bitmap;         // built from the pixels by MakeBitmap; null when not built
    std::uint16_t rowStride = 0;
    std::uint32_t refCount = 1;
};

// Abstract picture: the three file operations do nothing and fail. It holds the shared block
// and lets go of it when destroyed.
class CImageFile {
public:
    CImageFile() = default;
    virtual ~CImageFile();
    CImageFile(const CImageFile&) = delete;
    CImageFile& operator=(const CImageFile&) = delete;

    // The stream must be in binary mode.
    virtual bool ReadFrom(std::istream& in);
    virtual bool Load(const std::string& path);
    virtual bool Save(const std::string& path);

protected:
    // Drops one hold on the block; the last hold frees it.
    void DropShared();

    SDibShared* m_pShared = nullptr;
};

// A BMP picture. Copies share one block (reference counted); Release gives this copy a new empty
// block. A picture whose headers do not describe what its block holds is refused when read, so
// that nothing ever reads outside the block.
class CDibImage : public CImageFile {
public:
    CDibImage();
    CDibImage(const CDibImage& other);
    CDibImage& operator=(const CDibImage& other);
    ~CDibImage() override;

    // Reads a BMP file from the stream's current place. False when the stream has failed, the
    // signature is not "BM", the file header's size is below 54, or the info header does not
    // fit what the stream held: then the picture is empty. False too for the old 12-byte header,
    // whose bytes stay loaded but are never drawn.
    bool ReadFrom(std::istream& in) override;
    // Release when a picture is held, then ReadFrom of the file.
    bool Load(const std::string& path) override;
    // Writes the file header (pixel offset and size from the info header) and the block.
    bool Save(const std::string& path) override;

    // Colours used, or 2, 16, 256 for 1, 4, 8 bits per pixel, else 0; 0 without a picture.
    int ColorCount() const;
    // Lets go of the block and attaches a new empty one.
    void Release();
    // Builds the colour table as Qt colours (nothing without a picture or with ColorCount 0).
    void MakePalette();
    // Builds the image from the pixels (1, 4, 8, 16, 24 and 32 bits per pixel).
    void MakeBitmap();
    // Copies the rectangle (sx, sy, w, h) of the picture to (dx, dy). Coordinates are taken as
    // signed 16-bit values; a width or height of 0 means the picture's own. Builds the palette
    // and the image first when they are missing.
    void Draw(QPainter& painter, int sx, int sy, int dx, int dy, int w, int h,
              QPainter::CompositionMode mode = QPainter::CompositionMode_Source);

    bool HasPicture() const { return !m_pShared->dib.empty(); }
    int Width() const;
    int Height() const;
    int BitCount() const;
    std::uint16_t RowStride() const { return m_pShared->rowStride; }
    std::uint32_t RefCount() const { return m_pShared->refCount; }
    const std::vector<unsigned char>& Dib() const { return m_pShared->dib; }
    const SBmpFileHeader& FileHeader() const { return m_fileHeader; }
    bool HasPalette() const { return m_pShared->bHasPalette; }
    const QVector<QRgb>& Palette() const { return m_pShared->palette; }
    const QImage& Bitmap() const { return m_pShared->bitmap; }

private:
    // Whether the block holds a 40-byte info header whose colour table and pixel rows lie
    // inside the block.
    bool IsDrawable() const;
    std::uint32_t InfoU32(std::size_t offset) const;
    std::uint16_t InfoU16(std::size_t offset) const;

    SBmpFileHeader m_fileHeader;
};
