// SPDX-License-Identifier: GPL-2.0-or-later
#include "DictRecords.h"

#include "ArticleText.h"
#include "LittleEndian.h"
#include "TextUtil.h"

#include <algorithm>
#include <cstring>
#include <limits>

using namespace DictFormat;

namespace {

std::int32_t ToInt(std::uint32_t v) {
    return static_cast<std::int32_t>(v);
}

using LittleEndian::LoadU32;

// Weights of code page 1257 bytes in Lithuanian alphabetical order; capitals weigh as smalls.
constexpr std::array<unsigned char, 256> MakeWeights() {
    std::array<unsigned char, 256> w{};
    struct SLetter {
        unsigned char weight;
        const char* bytes;
    };
    // Each string lists the capital and small byte of every letter of one weight.
    const SLetter letters[] = {
        {65, "\x41\x61\xC0\xE0\xC2\xE2\xC4\xE4\xC5\xE5"},
        {70, "\x42\x62"},
        {71, "\x43\x63"},
        {72, "\xC8\xE8"},
        {73, "\xC3\xE3"},
        {74, "\x44\x64"},
        {75, "\x45\x65\xC6\xE6\xC7\xE7\xC9\xE9\xCB\xEB"},
        {79, "\x46\x66"},
        {80, "\x47\x67"},
        {81, "\xCC\xEC"},
        {82, "\x48\x68"},
        {83, "\x49\x69\x59\x79\xC1\xE1\xCE\xEE"},
        {87, "\x4A\x6A"},
        {88, "\x4B\x6B"},
        {89, "\xCD\xED"},
        {90, "\x4C\x6C"},
        {91, "\xCF\xEF"},
        {92, "\xD9\xF9"},
        {93, "\x4D\x6D"},
        {94, "\x4E\x6E"},
        {95, "\xD1\xF1"},
        {96, "\xD2\xF2"},
        {97, "\x4F\x6F"},
        {98, "\xD3\xF3"},
        {99, "\xD4\xF4"},
        {100, "\xD5\xF5"},
        {101, "\xD6\xF6"},
        {102, "\x50\x70"},
        {103, "\x51\x71"},
        {104, "\x52\x72"},
        {105, "\xAA\xBA"},
        {106, "\x53\x73"},
        {107, "\xD0\xF0"},
        {108, "\xDA\xFA"},
        {109, "\x54\x74"},
        {110, "\x55\x75\xD8\xF8\xDB\xFB\xDC\xFC"},
        {114, "\x56\x76"},
        {115, "\x57\x77"},
        {116, "\x58\x78"},
        {117, "\x5A\x7A"},
        {118, "\xDE\xFE"},
        {119, "\xDD\xFD"},
    };
    for (const SLetter& l : letters)
        for (const char* p = l.bytes; *p != '\0'; ++p)
            w[static_cast<unsigned char>(*p)] = l.weight;
    return w;
}

constexpr std::array<unsigned char, 256> kWeights = MakeWeights();

unsigned char FoldAscii(unsigned char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c + 0x20) : c;
}

} // namespace

int CDictRecords::Open(const std::string& path) {
    if (path.empty())
        return kOpenNoPath;
    switch (m_file.Open(path)) {
    case CMappedFile::EResult::Ok:
        break;
    case CMappedFile::EResult::OpenFailed:
        Close();
        return kOpenFileFailed;
    case CMappedFile::EResult::NotMappable:
        Close();
        return kOpenMappingFailed;
    case CMappedFile::EResult::MapFailed:
        Close();
        return kOpenViewFailed;
    }

    const std::uint64_t fileSize = m_file.Size();
    if (fileSize < kHeaderSize) {
        Close();
        return kOpenDamaged;
    }
    for (std::size_t k = 0; k < kHeaderWords; ++k)
        m_header[k] = LoadU32(m_file.Data() + 4 * k);

    if (!LocateSections(fileSize)) {
        Close();
        return kOpenDamaged;
    }
    LocateForms(fileSize);
    return kOpenOk;
}

bool CDictRecords::LocateSections(std::uint64_t fileSize) {
    // Section n starts where section n-1 ends; the last one runs to the end of the file. Sums are
    // taken in 64 bits so that no header can wrap them around.
    // The sections follow the header; a header that puts them inside itself (a file of zeros)
    // describes no dictionary.
    if (m_header[kSectionsOffsetWord] < kHeaderSize)
        return false;
    std::array<std::uint64_t, kSectionCount + 1> start{};
    start[0] = m_header[kSectionsOffsetWord];
    for (std::size_t n = 0; n + 1 < kSectionCount; ++n)
        start[n + 1] = start[n] + m_header[kFirstSizeWord + n];
    if (start[kSectionCount - 1] > fileSize)
        return false;
    start[kSectionCount] = fileSize;

    for (std::size_t s = 0; s < kForms; ++s) {
        SSection& sec = m_sections[s];
        sec.tableOffset = start[2 * s];
        sec.tableSize = start[2 * s + 1] - start[2 * s];
        sec.dataOffset = start[2 * s + 1];
        sec.dataSize = start[2 * s + 2] - start[2 * s + 1];
        // Every record of every kind holds at least one byte, so a table that claims more
        // records than its data has bytes cannot be backed by the file (a sparse file of zeros
        // claiming a billion records): refused here rather than scanned for minutes.
        const std::uint64_t count = sec.tableSize >= 4 ? sec.tableSize / 4 - 1 : 0;
        if (count > sec.dataSize || count > static_cast<std::uint64_t>(std::numeric_limits<int>::max()))
            return false;
        sec.count = static_cast<int>(count);
    }
    return true;
}

void CDictRecords::Close() {
    m_file.Close();
    m_sections.fill(SSection{});
}

void CDictRecords::Descramble(char* buffer, std::size_t length, std::uint32_t seed) {
    std::uint32_t state = seed;
    for (std::size_t i = 0; i < length; ++i) {
        state = state * 214013u + 2531011u;
        const std::uint32_t key = (state >> 16) & 0x7FFF;
        buffer[i] = static_cast<char>(static_cast<unsigned char>(buffer[i]) ^ (key & 0xFF));
    }
}

int CDictRecords::LetterWeight(unsigned char byte) {
    return kWeights[byte];
}

int CDictRecords::CompareByWeight(const char* a, const char* b) {
    std::size_t i = 0;
    for (; a[i] != '\0' && b[i] != '\0'; ++i) {
        const int wa = LetterWeight(static_cast<unsigned char>(a[i]));
        const int wb = LetterWeight(static_cast<unsigned char>(b[i]));
        if (wa > wb)
            return 1;
        if (wa < wb)
            return -1;
    }
    if (a[i] != '\0')
        return 1;
    if (b[i] != '\0')
        return -1;
    return 0;
}

int CDictRecords::CompareForward(std::string_view a, std::string_view b) {
    a = TextUtil::UpToNul(a);
    b = TextUtil::UpToNul(b);
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const unsigned char ca = FoldAscii(static_cast<unsigned char>(a[i]));
        const unsigned char cb = FoldAscii(static_cast<unsigned char>(b[i]));
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

bool CDictRecords::RecordBytes(const SSection& section, int i, std::string_view& bytes,
                               std::uint32_t& start) const {
    if (i < 0 || i >= section.count)
        return false;
    const std::uint64_t at = section.tableOffset + 4 * static_cast<std::uint64_t>(i);
    std::uint32_t begin = 0, end = 0;
    if (!m_file.ReadU32(at, begin) || !m_file.ReadU32(at + 4, end))
        return false;
    if (end < begin || end > section.dataSize)
        return false;
    bytes = m_file.View(section.dataOffset + begin, end - begin);
    start = begin;
    return bytes.size() == end - begin;
}

bool CDictRecords::ReadHeadword(std::size_t list, int j, std::int32_t& entry, char* buffer,
                                std::size_t& length, bool seedByRecord) const {
    std::string_view bytes;
    std::uint32_t start = 0;
    if (!RecordBytes(m_sections[list], j, bytes, start))
        return false;
    if (bytes.size() < 4 || bytes.size() >= kHeadwordSpanLimit)
        return false;
    entry = ToInt(LoadU32(bytes.data()));
    length = bytes.size() - 4;
    std::memcpy(buffer, bytes.data() + 4, length);
    Descramble(buffer, length, static_cast<std::uint32_t>(seedByRecord ? j : entry));
    buffer[length] = '\0';
    length = std::strlen(buffer);
    return true;
}

bool CDictRecords::ArticleBytes(int entry, std::int32_t& homonym, std::string_view& text) const {
    std::string_view bytes;
    std::uint32_t start = 0;
    if (!RecordBytes(m_sections[kArticles], entry, bytes, start))
        return false;
    // Too long an article is outside the format; it gives no text rather than a stale one.
    if (bytes.size() < 4 || bytes.size() >= kArticleSpanLimit)
        return false;
    homonym = ToInt(LoadU32(bytes.data()));
    text = bytes.substr(4);
    return true;
}

bool CDictRecords::FetchArticle(int entry, std::int32_t& homonym, std::string& text) const {
    std::string_view raw;
    if (!ArticleBytes(entry, homonym, raw)) {
        text.clear();
        return false;
    }
    text.assign(raw);
    Descramble(text.data(), text.size(), static_cast<std::uint32_t>(entry));
    text.resize(TextUtil::UpToNul(text).size());
    return true;
}

bool CDictRecords::ReverseBytes(int index, std::uint32_t& m, std::string_view& words, std::string_view& text,
                                std::uint32_t& seed) const {
    std::string_view bytes;
    std::uint32_t start = 0;
    if (!RecordBytes(m_sections[kReverse], index, bytes, start) || bytes.size() < 4)
        return false;
    m = LoadU32(bytes.data());
    // m counts itself, so 0 is no record at all; the words must lie within the record.
    if (m == 0 || 4 * static_cast<std::uint64_t>(m) > bytes.size())
        return false;
    words = bytes.substr(0, 4 * static_cast<std::size_t>(m));
    text = bytes.substr(4 * static_cast<std::size_t>(m));
    seed = start + 4 * m;
    return true;
}

TEntryList CDictRecords::EntryList(int index) const {
    TEntryList list{};
    std::uint32_t m = 0, seed = 0;
    std::string_view words, text;
    if (!ReverseBytes(index, m, words, text, seed))
        return list;
    const std::uint32_t n = std::min(m, kEntryListWords);
    for (std::uint32_t k = 0; k < n; ++k)
        list[k] = ToInt(LoadU32(words.data() + 4 * k));
    return list;
}

std::string CDictRecords::FetchText(int entry) const {
    std::int32_t homonym = 0;
    std::string text;
    FetchArticle(entry, homonym, text);
    return text;
}

std::string CDictRecords::GetArticle(int entry) const {
    if (entry < 0 || entry >= ArticleCount())
        return {};
    std::string_view bytes;
    std::uint32_t start = 0;
    if (!RecordBytes(m_sections[kMainList], entry, bytes, start) || bytes.size() >= kHeadwordSpanLimit)
        return {};
    return FetchText(entry);
}

std::string CDictRecords::GetReverseHeadword(int index) const {
    std::uint32_t m = 0, seed = 0;
    std::string_view words, text;
    if (!ReverseBytes(index, m, words, text, seed) || text.size() >= kReverseTextLimit)
        return {};
    std::string out(text);
    Descramble(out.data(), out.size(), seed);
    return std::string(TextUtil::UpToNul(out));
}

std::string CDictRecords::GetListHeadword(EDirection direction, int index, int& homonym) const {
    constexpr std::size_t kRowLimit = kMaxRowBytes;
    homonym = 0;
    std::string_view raw;
    std::uint32_t seed = 0;
    if (direction == EDirection::Forward) {
        std::int32_t h = 0;
        if (!ArticleBytes(index, h, raw))
            return {};
        homonym = h;
        seed = static_cast<std::uint32_t>(index);
    } else {
        std::uint32_t m = 0;
        std::string_view words;
        if (!ReverseBytes(index, m, words, raw, seed))
            return {};
    }
    char buffer[kRowLimit + 1];
    const std::size_t n = std::min(raw.size(), kRowLimit);
    std::memcpy(buffer, raw.data(), n);
    Descramble(buffer, n, seed);
    buffer[n] = '\0';
    return std::string(SArticleText::Split(std::string_view(buffer, std::strlen(buffer))).Head());
}

void CDictRecords::LocateForms(std::uint64_t fileSize) {
    SSection& sec = m_sections[kForms];
    sec = SSection{};
    const std::uint64_t offset = m_header[kFormsOffsetWord];
    const std::uint64_t table = m_header[kFormsTableWord];
    const std::uint64_t data = m_header[kFormsDataWord];
    // A list that does not lie after the header and inside the file is no list: the file still
    // opens, as it would for a reader that does not know the list.
    if (offset < kHeaderSize || table < 8 || offset + table + data > fileSize)
        return;
    const std::uint64_t count = table / 4 - 1;
    if (count > data)
        return;
    sec.tableOffset = offset;
    sec.tableSize = table;
    sec.dataOffset = offset + table;
    sec.dataSize = data;
    sec.count = static_cast<int>(count);
}
