// SPDX-License-Identifier: GPL-2.0-or-later
#include "DictFile.h"

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

CDictFile::CDictFile() = default;

CDictFile::~CDictFile() {
    Close();
}

int CDictFile::Open() {
    if (m_strPath.empty())
        return kOpenNoPath;
    switch (m_file.Open(m_strPath)) {
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

    // Section n starts where section n-1 ends; the last one runs to the end of the file. Sums are
    // taken in 64 bits so that no header can wrap them around.
    // The sections follow the header; a header that puts them inside itself (a file of zeros)
    // describes no dictionary.
    if (m_header[kSectionsOffsetWord] < kHeaderSize) {
        Close();
        return kOpenDamaged;
    }
    std::array<std::uint64_t, kSectionCount + 1> start{};
    start[0] = m_header[kSectionsOffsetWord];
    for (std::size_t n = 0; n + 1 < kSectionCount; ++n)
        start[n + 1] = start[n] + m_header[kFirstSizeWord + n];
    if (start[kSectionCount - 1] > fileSize) {
        Close();
        return kOpenDamaged;
    }
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
        if (count > sec.dataSize || count > static_cast<std::uint64_t>(std::numeric_limits<int>::max())) {
            Close();
            return kOpenDamaged;
        }
        sec.count = static_cast<int>(count);
    }
    // A table of S bytes describes S/4 - 1 records; one too short to hold even the closing
    // offset describes none (not -1).
    m_nArticleCount = m_sections[kArticles].count;
    m_nReverseCount = m_sections[kReverse].count;
    LocateForms(fileSize);

    // The first-letter table and the search indexes are built at their first use.
    ResetViews();
    return kOpenOk;
}

void CDictFile::Close() {
    m_file.Close();
    m_nArticleCount = 0;
    m_nReverseCount = 0;
    m_sections.fill(SSection{});
    ResetViews();
}

void CDictFile::Descramble(char* buffer, std::size_t length, std::uint32_t seed) {
    std::uint32_t state = seed;
    for (std::size_t i = 0; i < length; ++i) {
        state = state * 214013u + 2531011u;
        const std::uint32_t key = (state >> 16) & 0x7FFF;
        buffer[i] = static_cast<char>(static_cast<unsigned char>(buffer[i]) ^ (key & 0xFF));
    }
}

int CDictFile::LetterWeight(unsigned char byte) {
    return kWeights[byte];
}

int CDictFile::CompareByWeight(const char* a, const char* b) {
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

int CDictFile::CompareForward(std::string_view a, std::string_view b) {
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

bool CDictFile::RecordBytes(const SSection& section, int i, std::string_view& bytes,
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

bool CDictFile::ReadHeadword(std::size_t list, int j, std::int32_t& entry, char* buffer, std::size_t& length,
                             bool seedByRecord) const {
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

bool CDictFile::ArticleBytes(int entry, std::int32_t& homonym, std::string_view& text) const {
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

bool CDictFile::FetchArticle(int entry, std::int32_t& homonym, std::string_view& text) {
    std::string_view raw;
    if (!ArticleBytes(entry, homonym, raw)) {
        m_articleBuffer[0] = '\0';
        text = {};
        return false;
    }
    std::memcpy(m_articleBuffer.data(), raw.data(), raw.size());
    Descramble(m_articleBuffer.data(), raw.size(), static_cast<std::uint32_t>(entry));
    m_articleBuffer[raw.size()] = '\0';
    text = std::string_view(m_articleBuffer.data(), std::strlen(m_articleBuffer.data()));
    return true;
}

bool CDictFile::ReverseBytes(int index, std::uint32_t& m, std::string_view& words, std::string_view& text,
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

void CDictFile::FillEntryList(std::uint32_t m, std::string_view words) {
    const std::uint32_t n = std::min(m, kEntryListWords);
    for (std::uint32_t k = 0; k < n; ++k)
        m_entryList[k] = ToInt(LoadU32(words.data() + 4 * k));
}

int CDictFile::ForwardPrefixIndexLinear(std::string_view prefix, int from) const {
    const std::string_view q = TextUtil::Trim(TextUtil::UpToNul(prefix));
    char buffer[kHeadwordSpanLimit];
    for (int i = std::max(from, 0); i < m_sections[kMainList].count; ++i) {
        std::int32_t entry = 0;
        std::size_t length = 0;
        // Main-list record i is article i's headword whatever its entry field says.
        if (!ReadHeadword(0, i, entry, buffer, length, true))
            continue;
        const std::string_view t(buffer, std::min(length, q.size()));
        const int c = CompareForward(q, t);
        if (c == 0) {
            std::int32_t homonym = 0;
            std::string_view text;
            if (i >= m_nArticleCount || !ArticleBytes(i, homonym, text))
                continue; // a damaged article is no match
            return i;
        }
        if (c < 0)
            break;
    }
    return -1;
}

std::string CDictFile::FindForwardPrefix(std::string_view prefix, int& index) {
    index = ForwardPrefixIndex(prefix, index == -1 ? 0 : index);
    return index == -1 ? std::string() : FetchText(index);
}

int CDictFile::NearestForwardEntry(std::string_view word) const {
    word = TextUtil::UpToNul(word);
    int idx = -1;
    const std::size_t limit = std::min(word.size(), kMaxWordBytes);
    // Each longer prefix can only match at or after the shorter one's headword.
    for (std::size_t n = 1; n <= limit; ++n) {
        const int found = ForwardPrefixIndex(word.substr(0, n), idx == -1 ? 0 : idx);
        if (found == -1)
            break;
        idx = found;
    }
    return idx;
}

std::string CDictFile::FindNearestForward(std::string_view word, int& entry) {
    const int idx = NearestForwardEntry(word);
    if (idx == -1)
        return {};
    entry = idx;
    return FetchText(idx);
}

int CDictFile::FirstForwardMatch(std::string_view word, SForwardMatch* how) const {
    const std::string_view q = TextUtil::Trim(TextUtil::UpToNul(word));
    for (std::size_t b = 0; b < kHeadwordListCount - 1; ++b) {
        std::int32_t entry = 0;
        const int j = FirstListMatch(b, q, &entry);
        if (j < 0)
            continue;
        if (how != nullptr) {
            std::string key;
            std::int32_t ignored = 0;
            how->list = static_cast<int>(b);
            how->bWhole = ListKey(b, j, key, ignored) && CompareForward(key, q) == 0;
        }
        return entry;
    }
    if (how != nullptr)
        *how = SForwardMatch();
    return -1;
}

std::string CDictFile::FetchText(int entry) {
    std::int32_t homonym = 0;
    std::string_view text;
    FetchArticle(entry, homonym, text);
    return std::string(text);
}

std::string CDictFile::GetArticle(int entry) {
    if (entry < 0 || entry >= m_nArticleCount)
        return {};
    std::string_view bytes;
    std::uint32_t start = 0;
    if (!RecordBytes(m_sections[kMainList], entry, bytes, start) || bytes.size() >= kHeadwordSpanLimit)
        return {};
    return FetchText(entry);
}

int CDictFile::FindReversePrefix(std::string_view prefix, int start) {
    prefix = TextUtil::UpToNul(prefix);
    if (prefix.size() > kReverseTextLimit - 1)
        prefix = prefix.substr(0, kReverseTextLimit - 1);
    if (start == -1) {
        EnsureFirstLetters();
        start = m_firstLetter[static_cast<std::size_t>(
            LetterWeight(static_cast<unsigned char>(prefix.empty() ? '\0' : prefix.front())))];
    }
    const int i = ReversePrefixIndex(prefix, start);
    std::uint32_t m = 0, seed = 0;
    std::string_view words, text;
    if (i >= 0 && ReverseBytes(i, m, words, text, seed))
        FillEntryList(m, words);
    return i;
}

int CDictFile::ReversePrefixIndexLinear(std::string_view prefix, int start) const {
    char q[kReverseTextLimit];
    std::memcpy(q, prefix.data(), prefix.size());
    q[prefix.size()] = '\0';
    char buffer[kReverseTextLimit + 1];
    for (int i = std::max(start, 0); i < m_sections[kReverse].count; ++i) {
        std::uint32_t m = 0, seed = 0;
        std::string_view words, text;
        if (!ReverseBytes(i, m, words, text, seed) || text.size() >= kReverseTextLimit)
            continue;
        std::memcpy(buffer, text.data(), text.size());
        Descramble(buffer, text.size(), seed);
        buffer[std::min(text.size(), prefix.size())] = '\0';
        const int c = CompareByWeight(buffer, q);
        if (c == 0)
            return i;
        if (c > 0)
            return -1;
    }
    return -1;
}

int CDictFile::NearestReverse(std::string_view word) {
    word = TextUtil::UpToNul(word);
    int idx = -1;
    const std::size_t limit = std::min(word.size(), kMaxWordBytes);
    for (std::size_t n = 1; n <= limit; ++n) {
        const int r = FindReversePrefix(word.substr(0, n), idx);
        if (r == -1)
            break;
        idx = r;
    }
    return idx;
}

std::string CDictFile::RenderReverse(std::string_view word, int* index) {
    const int idx = NearestReverse(word);
    if (index != nullptr)
        *index = idx;
    if (idx < 0)
        return {};
    return RenderReverseRecord(m_entryList, idx);
}

int CDictFile::FindNearestReverse(std::string_view word) {
    return NearestReverse(word);
}

std::string CDictFile::RenderReverseEntry(int index) {
    std::uint32_t m = 0, seed = 0;
    std::string_view words, text;
    if (!ReverseBytes(index, m, words, text, seed))
        return {};
    FillEntryList(m, words);
    return RenderReverseRecord(m_entryList, index);
}

std::string CDictFile::GetReverseHeadword(int index) const {
    std::uint32_t m = 0, seed = 0;
    std::string_view words, text;
    if (!ReverseBytes(index, m, words, text, seed) || text.size() >= kReverseTextLimit)
        return {};
    std::string out(text);
    Descramble(out.data(), out.size(), seed);
    return std::string(TextUtil::UpToNul(out));
}

std::string CDictFile::GetListHeadword(EDirection direction, int index, int& homonym) const {
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

int CDictFile::FirstLetterSlot(int weight) const {
    if (weight < 0 || weight > 255)
        return 0;
    EnsureFirstLetters();
    return m_firstLetter[static_cast<std::size_t>(weight)];
}

int HomonymOrdinal(const CDictFile& dict, int entry, int lastIndex) {
    if (entry < 0 || entry > lastIndex)
        return 0;
    int homonym = 0;
    const std::string w = dict.GetListHeadword(EDirection::Forward, entry, homonym);
    int n = 0;
    for (int j = entry - 1; j >= 0; --j) {
        if (dict.GetListHeadword(EDirection::Forward, j, homonym) != w)
            break;
        n = n == 0 ? 2 : n + 1;
    }
    if (n > 0)
        return n;
    if (entry < lastIndex && dict.GetListHeadword(EDirection::Forward, entry + 1, homonym) == w)
        return 1;
    return 0;
}
