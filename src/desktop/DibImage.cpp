// SPDX-License-Identifier: GPL-2.0-or-later
#include "desktop/DibImage.h"

#include "dict/LittleEndian.h"

#include <algorithm>
#include <climits>
#include <fstream>
#include <istream>

using namespace DibFormat;

namespace {

using LittleEndian::LoadU16;
using LittleEndian::LoadU32;
using LittleEndian::StoreU16;
using LittleEndian::StoreU32;

// ((bits x width + 31) / 32) x 4, or 0 when the row does not fit the 16-bit stride field.
std::uint16_t StrideOf(std::int32_t width, std::uint16_t bitCount) {
    if (width <= 0)
        return 0;
    const std::uint64_t stride =
        (static_cast<std::uint64_t>(bitCount) * static_cast<std::uint64_t>(width) + 31) / 32 * 4;
    return stride > 0xFFFF ? 0 : static_cast<std::uint16_t>(stride);
}

// 5-bit channel to 8 bits, so that 31 becomes 255.
int Expand5(unsigned v) {
    return static_cast<int>((v << 3) | (v >> 2));
}

} // namespace

// ---- CImageFile ----

CImageFile::~CImageFile() {
    DropShared();
}

bool CImageFile::ReadFrom(std::istream&) {
    return false;
}

bool CImageFile::Load(const std::string&) {
    return false;
}

bool CImageFile::Save(const std::string&) {
    return false;
}

void CImageFile::DropShared() {
    if (m_pShared != nullptr && --m_pShared->refCount == 0)
        delete m_pShared;
    m_pShared = nullptr;
}

// ---- CDibImage ----

CDibImage::CDibImage() {
    m_pShared = new SDibShared;
}

CDibImage::CDibImage(const CDibImage& other) : CImageFile(), m_fileHeader(other.m_fileHeader) {
    m_pShared = other.m_pShared;
    ++m_pShared->refCount;
}

CDibImage& CDibImage::operator=(const CDibImage& other) {
    if (this != &other && m_pShared != other.m_pShared) {
        ++other.m_pShared->refCount;
        DropShared();
        m_pShared = other.m_pShared;
    }
    m_fileHeader = other.m_fileHeader;
    return *this;
}

CDibImage::~CDibImage() = default;

void CDibImage::Release() {
    DropShared();
    m_pShared = new SDibShared;
}

std::uint32_t CDibImage::InfoU32(std::size_t offset) const {
    const auto& dib = m_pShared->dib;
    return offset + 4 <= dib.size() ? LoadU32(dib.data() + offset) : 0;
}

std::uint16_t CDibImage::InfoU16(std::size_t offset) const {
    const auto& dib = m_pShared->dib;
    return offset + 2 <= dib.size() ? LoadU16(dib.data() + offset) : 0;
}

int CDibImage::Width() const {
    return static_cast<std::int32_t>(InfoU32(kWidth));
}

int CDibImage::Height() const {
    return static_cast<std::int32_t>(InfoU32(kHeight));
}

int CDibImage::BitCount() const {
    return InfoU16(kBitCount);
}

int CDibImage::ColorCount() const {
    if (!HasPicture())
        return 0;
    const std::uint32_t used = InfoU32(kClrUsed);
    if (used != 0)
        return static_cast<int>(std::min<std::uint32_t>(used, INT_MAX));
    switch (BitCount()) {
    case 1:
        return 2;
    case 4:
        return 16;
    case 8:
        return 256;
    default:
        return 0;
    }
}

bool CDibImage::IsDrawable() const {
    const auto& dib = m_pShared->dib;
    if (dib.size() < kInfoHeaderSize || InfoU32(kSize) != kInfoHeaderSize)
        return false;
    const int bits = BitCount();
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
        return false;
    if (InfoU32(kCompression) != 0 || Width() <= 0 || Height() <= 0 || m_pShared->rowStride == 0)
        return false;
    const std::uint64_t need =
        kInfoHeaderSize + 4ull * static_cast<std::uint64_t>(ColorCount()) +
        static_cast<std::uint64_t>(m_pShared->rowStride) * static_cast<std::uint64_t>(Height());
    return need <= dib.size();
}

bool CDibImage::ReadFrom(std::istream& in) {
    if (!in)
        return false;
    unsigned char head[kFileHeaderSize];
    in.read(reinterpret_cast<char*>(head), kFileHeaderSize);
    if (static_cast<std::size_t>(in.gcount()) != kFileHeaderSize)
        return false;
    m_fileHeader.type = LoadU16(head);
    m_fileHeader.size = LoadU32(head + 2);
    m_fileHeader.reserved1 = LoadU16(head + 6);
    m_fileHeader.reserved2 = LoadU16(head + 8);
    m_fileHeader.offBits = LoadU32(head + 10);
    if (m_fileHeader.type != kSignature)
        return false;
    // A size that cannot even hold the info header is no picture.
    if (m_fileHeader.size < kFileHeaderSize + kInfoHeaderSize)
        return false;
    // Other copies keep the picture they share; this one gets a fresh block.
    if (HasPicture())
        Release();

    // The block grows by what the stream really delivers, so a size field far beyond the file
    // never allocates more than the file holds.
    const std::size_t want = m_fileHeader.size - kFileHeaderSize;
    std::vector<unsigned char> dib;
    dib.reserve(std::min<std::size_t>(want, 4u << 20));
    std::vector<char> buffer(kTransferSize);
    while (dib.size() < want) {
        const std::size_t piece = std::min(kTransferSize, want - dib.size());
        in.read(buffer.data(), static_cast<std::streamsize>(piece));
        const auto got = static_cast<std::size_t>(in.gcount());
        dib.insert(dib.end(), buffer.data(), buffer.data() + got);
        if (got < piece)
            break;
    }
    if (dib.size() < kInfoHeaderSize)
        return false;

    m_pShared->dib = std::move(dib);
    m_pShared->rowStride = StrideOf(Width(), static_cast<std::uint16_t>(BitCount()));
    // The old core header keeps its bytes but is refused; it is never drawn or saved.
    if (InfoU32(kSize) == kCoreHeaderSize)
        return false;
    if (!IsDrawable()) {
        Release();
        return false;
    }
    return true;
}

bool CDibImage::Load(const std::string& path) {
    if (HasPicture())
        Release();
    std::ifstream in(path, std::ios::binary);
    return ReadFrom(in);
}

bool CDibImage::Save(const std::string& path) {
    // A block that does not hold what its header describes is not written: that would read
    // past its end.
    if (!HasPicture() || !IsDrawable())
        return false;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out)
        return false;
    const auto palette = static_cast<std::uint32_t>(4 * ColorCount());
    m_fileHeader.type = kSignature;
    m_fileHeader.reserved1 = 0;
    m_fileHeader.reserved2 = 0;
    m_fileHeader.offBits = static_cast<std::uint32_t>(kFileHeaderSize + kInfoHeaderSize) + palette;
    m_fileHeader.size = static_cast<std::uint32_t>(Height()) * m_pShared->rowStride + m_fileHeader.offBits;

    unsigned char head[kFileHeaderSize];
    StoreU16(head, m_fileHeader.type);
    StoreU32(head + 2, m_fileHeader.size);
    StoreU16(head + 6, m_fileHeader.reserved1);
    StoreU16(head + 8, m_fileHeader.reserved2);
    StoreU32(head + 10, m_fileHeader.offBits);
    out.write(reinterpret_cast<const char*>(head), kFileHeaderSize);

    const auto& dib = m_pShared->dib;
    const std::size_t total = m_fileHeader.size - kFileHeaderSize;
    for (std::size_t done = 0; done < total && out;) {
        const std::size_t piece = std::min(kTransferSize, total - done);
        out.write(reinterpret_cast<const char*>(dib.data() + done), static_cast<std::streamsize>(piece));
        done += piece;
    }
    out.close();
    return !out.fail();
}

void CDibImage::MakePalette() {
    if (!HasPicture())
        return;
    m_pShared->palette.clear();
    m_pShared->bHasPalette = false;
    const int count = ColorCount();
    if (count == 0)
        return;
    // Only the entries that lie in the block, whatever the header claims.
    const auto& dib = m_pShared->dib;
    const std::size_t available = (dib.size() - kInfoHeaderSize) / 4;
    const std::size_t entries = std::min(static_cast<std::size_t>(count), available);
    m_pShared->palette.reserve(static_cast<qsizetype>(entries));
    for (std::size_t i = 0; i < entries; ++i) {
        const unsigned char* e = dib.data() + kInfoHeaderSize + 4 * i;
        m_pShared->palette.push_back(qRgb(e[2], e[1], e[0]));
    }
    m_pShared->bHasPalette = true;
}

void CDibImage::MakeBitmap() {
    if (!HasPicture())
        return;
    m_pShared->bitmap = QImage();
    if (!IsDrawable())
        return;
    const int width = Width();
    const int height = Height();
    const int bits = BitCount();
    const std::size_t stride = m_pShared->rowStride;
    const unsigned char* pixels =
        m_pShared->dib.data() + kInfoHeaderSize + 4 * static_cast<std::size_t>(ColorCount());

    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull())
        return;
    // The colour table of the picture itself decides its colours; an index beyond the table is
    // black.
    QVector<QRgb> table;
    if (bits <= 8) {
        table.fill(qRgb(0, 0, 0), 1 << bits);
        const unsigned char* e = m_pShared->dib.data() + kInfoHeaderSize;
        const int entries = std::min(ColorCount(), 1 << bits);
        for (int i = 0; i < entries; ++i, e += 4)
            table[i] = qRgb(e[2], e[1], e[0]);
    }
    for (int y = 0; y < height; ++y) {
        // Rows are stored bottom-up.
        const unsigned char* row = pixels + static_cast<std::size_t>(height - 1 - y) * stride;
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            switch (bits) {
            case 1:
                out[x] = table[(row[x / 8] >> (7 - x % 8)) & 1];
                break;
            case 4:
                out[x] = table[(row[x / 2] >> (x % 2 == 0 ? 4 : 0)) & 0xF];
                break;
            case 8:
                out[x] = table[row[x]];
                break;
            case 16: {
                const unsigned v = LoadU16(row + 2 * x);
                out[x] = qRgb(Expand5((v >> 10) & 31), Expand5((v >> 5) & 31), Expand5(v & 31));
                break;
            }
            case 24:
                out[x] = qRgb(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
                break;
            default: // 32
                out[x] = qRgb(row[4 * x + 2], row[4 * x + 1], row[4 * x]);
                break;
            }
        }
    }
    m_pShared->bitmap = std::move(image);
}

void CDibImage::Draw(QPainter& painter, int sx, int sy, int dx, int dy, int w, int h,
                     QPainter::CompositionMode mode) {
    if (HasPicture()) {
        if (!m_pShared->bHasPalette && ColorCount() > 0)
            MakePalette();
        if (m_pShared->bitmap.isNull())
            MakeBitmap();
    }
    if (m_pShared->bitmap.isNull())
        return;
    const int srcX = static_cast<std::int16_t>(sx);
    const int srcY = static_cast<std::int16_t>(sy);
    const int dstX = static_cast<std::int16_t>(dx);
    const int dstY = static_cast<std::int16_t>(dy);
    int width = static_cast<std::int16_t>(w);
    int height = static_cast<std::int16_t>(h);
    if (width == 0)
        width = Width();
    if (height == 0)
        height = Height();
    if (width < 0 || height < 0)
        return;
    painter.save();
    painter.setCompositionMode(mode);
    painter.drawImage(QPoint(dstX, dstY), m_pShared->bitmap, QRect(srcX, srcY, width, height));
    painter.restore();
}
