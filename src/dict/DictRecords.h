// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "DictFormat.h"
#include "MappedFile.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

// The two index directions: English to Lithuanian (the English index, one row per article) and
// Lithuanian to English (the Lithuanian index, one row per reverse record).
enum class EDirection { Forward = 0, Reverse = 1 };

// The leading words of a reverse record: m, then m-1 entry numbers (at most kEntryListWords).
using TEntryList = std::array<std::int32_t, DictFormat::kEntryListWords>;

// The records of an open dictionary file, mapped read-only: its sections, the headword, article
// and reverse records read and descrambled, and the two collations. It keeps no state but the
// mapping, so every read is a const operation that returns what it read.
//
// The file is trusted only as far as the mapping reaches: every record is checked against its
// section and the file before it is read. A record that does not fit is treated as absent.
// Text is code page 1257 throughout and, as in the file's native tools, ends at its first NUL.
class CDictRecords {
public:
    // Results of Open.
    static constexpr int kOpenOk = 0;
    static constexpr int kOpenNoPath = 1;
    static constexpr int kOpenFileFailed = 2;
    static constexpr int kOpenMappingFailed = 3;
    static constexpr int kOpenViewFailed = 4;
    // Shorter than its header, or a section runs past the end of the file.
    static constexpr int kOpenDamaged = 5;

    // The record lists beyond the headword lists (DictFormat::EHeadwordList): the articles, the
    // reverse records and the Lithuanian inflections (empty in files without them).
    static constexpr std::size_t kArticles = 6;
    static constexpr std::size_t kReverse = 7;
    static constexpr std::size_t kForms = 8;

    CDictRecords() = default;
    CDictRecords(const CDictRecords&) = delete;
    CDictRecords& operator=(const CDictRecords&) = delete;

    // Maps the file at path: kOpenOk or a failure code, after which the object is closed.
    int Open(const std::string& path);
    void Close();
    bool IsOpen() const { return m_file.IsOpen(); }
    // Whether the file was cut short or rewritten in place while open (see CMappedFile).
    bool HasVanished() const { return m_file.HasVanished(); }

    // XOR-scrambles or descrambles length bytes in place with the generator seeded by seed.
    static void Descramble(char* buffer, std::size_t length, std::uint32_t seed);
    // Lithuanian alphabetical weight of a code page 1257 byte; 0 for non-letters.
    static int LetterWeight(unsigned char byte);
    // Collation of the reverse list: -1, 0 or 1 by letter weights, on NUL-terminated strings.
    static int CompareByWeight(const char* a, const char* b);
    // Collation of the headword lists: bytes with A-Z folded to a-z; a proper prefix sorts first.
    static int CompareForward(std::string_view a, std::string_view b);

    const std::array<std::uint32_t, DictFormat::kHeaderWords>& Header() const { return m_header; }
    // The records of a list: a headword list, kArticles, kReverse or kForms.
    int Count(std::size_t list) const { return m_sections[list].count; }
    int ArticleCount() const { return Count(kArticles); }
    int ReverseCount() const { return Count(kReverse); }

    // A headword record of list (a headword list or kForms): false when it is absent or spans
    // 64 bytes or more. The text is descrambled into buffer (64 bytes) and cut at its NUL.
    // seedByRecord descrambles with the record number instead (the main list's own rule).
    bool ReadHeadword(std::size_t list, int j, std::int32_t& entry, char* buffer, std::size_t& length,
                      bool seedByRecord = false) const;
    // An article record, still scrambled: false when entry is out of range or the record is
    // absent or too long.
    bool ArticleBytes(int entry, std::int32_t& homonym, std::string_view& text) const;
    // Article entry descrambled and cut at its NUL; false (and an empty text) when absent.
    bool FetchArticle(int entry, std::int32_t& homonym, std::string& text) const;
    // The text FetchArticle gives for entry; empty when it is absent.
    std::string FetchText(int entry) const;
    // The article text (headword, TAB, body) of an index row, or empty when its main-list record
    // is damaged too.
    std::string GetArticle(int entry) const;
    // A reverse record: m, its leading words (m of them, 4m bytes) and its scrambled text, with
    // the text's seed; false when it is absent or m is 0.
    bool ReverseBytes(int index, std::uint32_t& m, std::string_view& words, std::string_view& text,
                      std::uint32_t& seed) const;
    // The leading words of reverse record index, as many as it has up to the list's length; all
    // zero when it is absent.
    TEntryList EntryList(int index) const;
    // A reverse record's text (shorter than 256 bytes, NUL-cut), or empty.
    std::string GetReverseHeadword(int index) const;
    // The text an index row shows (at most 127 bytes, cut at its first TAB) and, for forward
    // rows, the article's homonym number (0 for reverse rows).
    std::string GetListHeadword(EDirection direction, int index, int& homonym) const;

private:
    struct SSection {
        std::uint64_t tableOffset = 0;
        std::uint64_t tableSize = 0;
        std::uint64_t dataOffset = 0;
        std::uint64_t dataSize = 0;
        int count = 0; // records: tableSize / 4 - 1, or 0
    };

    // A record's bytes inside its data section, or false when its offsets do not fit.
    bool RecordBytes(const SSection& section, int i, std::string_view& bytes, std::uint32_t& start) const;
    // The sections' places from the header; false when they do not fit the file.
    bool LocateSections(std::uint64_t fileSize);
    // The inflection list's place from header words 18..20; left empty when it does not fit.
    void LocateForms(std::uint64_t fileSize);

    std::array<std::uint32_t, DictFormat::kHeaderWords> m_header{};
    CMappedFile m_file;
    // The headword lists, the articles, the reverse list and the inflections.
    std::array<SSection, 9> m_sections{};
};
