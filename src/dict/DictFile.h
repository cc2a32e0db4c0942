// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "DictFormat.h"
#include "MappedFile.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The two index directions: English to Lithuanian (the English index, one row per article) and
// Lithuanian to English (the Lithuanian index, one row per reverse record).
enum class EDirection { Forward = 0, Reverse = 1 };

// The open dictionary file, mapped read-only; every lookup and renderer is one of its operations.
//
// The owner sets the path, calls Open and keeps the object while lookups run; Close (also run by
// the destructor) ends the mapping. Every lookup returns a new string that the caller owns; the
// article buffer and the entry list inside are overwritten by each fetch. Not thread-safe: all
// calls come from one thread.
//
// The file is trusted only as far as the mapping reaches: every record is checked against its
// section and the file before it is read. A record that does not fit is treated as absent:
// searches skip it and fetches give an empty text. Text is code page 1257 throughout and, as in
// the file's native tools, ends at its first NUL byte.
class CDictFile {
public:
    // Results of Open.
    static constexpr int kOpenOk = 0;
    static constexpr int kOpenNoPath = 1;
    static constexpr int kOpenFileFailed = 2;
    static constexpr int kOpenMappingFailed = 3;
    static constexpr int kOpenViewFailed = 4;
    // Shorter than its header, or a section runs past the end of the file.
    static constexpr int kOpenDamaged = 5;

    CDictFile();
    ~CDictFile();
    CDictFile(const CDictFile&) = delete;
    CDictFile& operator=(const CDictFile&) = delete;

    void SetPath(std::string path) { m_strPath = std::move(path); }
    const std::string& Path() const { return m_strPath; }

    // Maps the file at Path(). Returns kOpenOk, or one of the failure codes; after a failure the
    // object is fully closed.
    int Open();
    // Ends the mapping; calling it again does nothing.
    void Close();
    bool IsOpen() const { return m_file.IsOpen(); }
    // Whether the file was cut short or rewritten in place while open: every read then sees a
    // file of zeros (see CMappedFile), and the program should say the file is gone.
    bool HasVanished() const { return m_file.HasVanished(); }

    // XOR-scrambles or descrambles length bytes in place with the generator seeded by seed.
    static void Descramble(char* buffer, std::size_t length, std::uint32_t seed);
    // Lithuanian alphabetical weight of a code page 1257 byte; 0 for non-letters.
    static int LetterWeight(unsigned char byte);
    // Collation of the reverse list: -1, 0 or 1 by letter weights, on NUL-terminated strings.
    static int CompareByWeight(const char* a, const char* b);
    // Collation of the headword lists: bytes with A-Z folded to a-z; a proper prefix sorts first.
    static int CompareForward(std::string_view a, std::string_view b);

    // Forward searches. FindForwardPrefix seeks the first main-list headword beginning with the
    // trimmed prefix from record index (or 0 when index is -1); index receives the match or -1.
    std::string FindForwardPrefix(std::string_view prefix, int& index);
    // The article of the first headword sharing the longest prefix with word; entry receives its
    // number, or keeps its value when not even the first byte matched.
    std::string FindNearestForward(std::string_view word, int& entry);
    // The article text (headword, TAB, body) of entry, or empty.
    std::string GetArticle(int entry);
    // The entries the two forward searches report, found without fetching any text:
    // FirstForwardMatch is the entry RenderForward gives (-1 when nothing matches),
    // NearestForwardEntry the one FindNearestForward gives (-1 when not even the first byte
    // matched). Typing moves the index with them.
    // How FirstForwardMatch found its entry: the list whose record matched (0 the main list,
    // 1..4 the alternates; -1 for none) and whether that record's whole text is the word rather
    // than a longer headword beginning with it.
    struct SForwardMatch {
        int list = -1;
        bool bWhole = false;
    };
    int FirstForwardMatch(std::string_view word, SForwardMatch* how = nullptr) const;
    int NearestForwardEntry(std::string_view word) const;
    // The entries that the records of headword list `list` (0 main, 1..4 alternates) whose whole
    // text is word lead to, in list order without repeats; entries of damaged articles are left
    // out. RenderArticles shows them as RenderForward shows what it finds.
    std::vector<int> WholeListMatches(std::size_t list, std::string_view word) const;
    std::string RenderArticles(const std::vector<int>& entries, int& entry);

    // Reverse searches. FindReversePrefix returns the first record from start (or from the first
    // letter's slot when start is -1) whose text begins with prefix by letter weights, and fills
    // the entry list from it; -1 when there is none.
    int FindReversePrefix(std::string_view prefix, int start);
    // The reverse fragment of the record nearest to word; index receives it or -1.
    std::string RenderReverse(std::string_view word, int* index = nullptr);
    int FindNearestReverse(std::string_view word);
    // The reverse records an inflected Lithuanian word is a form of, by the file's inflection
    // list ("eina" -> eiti): records whose form is word by letter weights, in list order without
    // repeats; with bSpelled only those whose form is spelled so but for capitals ("aplankė", a
    // verb, is no form of "aplanke", the folder's locative). None for a file without the list.
    std::vector<int> LithuanianFormRecords(std::string_view word, bool bSpelled = false) const;
    // Lithuanian typed without diacritics: the first reverse record, in the order of the texts
    // with every diacritic removed ("zodis" -> žodis), whose such text is word (bWhole) or
    // begins with it; -1 when none does. Built at its first use.
    int FoldedReverseMatch(std::string_view word, bool bWhole) const;
    // The text with every letter reduced to its plain Latin letter's weight (č as c, ž as z),
    // compared by those weights: the key FoldedReverseMatch orders and searches by.
    static std::string FoldedKey(std::string_view text);
    std::string RenderReverseEntry(int index);
    std::string GetReverseHeadword(int index) const;

    // The text an index row shows (at most 127 bytes, cut at its first TAB) and, for forward
    // rows, the article's homonym number (0 for reverse rows).
    std::string GetListHeadword(EDirection direction, int index, int& homonym) const;

    int ArticleCount() const { return m_nArticleCount; }
    int ReverseCount() const { return m_nReverseCount; }

    // Renderers: HTML fragments in code page 1257.
    // Every article whose headword matches word, over the main and the alternate lists.
    std::string RenderForward(std::string_view word, int& entry);
    // The articles that the link list names for a clicked link.
    std::string RenderLinkTarget(std::string_view name, int& entry);
    // The English articles of reverse record index, from the entry list filled for it.
    std::string RenderReverseRecord(const std::array<std::int32_t, DictFormat::kEntryListWords>& list,
                                    int index);

    const std::array<std::uint32_t, DictFormat::kHeaderWords>& Header() const { return m_header; }
    // The lists that are in order with every record readable, as the bits of the header's views
    // mask (DictFormat::kViewsMaskWord): what the writer records so that readers need not check.
    std::uint32_t OrderedViewsMask() const;
    // The entry list: the leading words (m, then m-1 entry numbers) of the reverse record last
    // found or rendered.
    const std::array<std::int32_t, DictFormat::kEntryListWords>& EntryList() const { return m_entryList; }
    // Slot w: the first reverse record whose text begins with a byte of weight w, or 0.
    int FirstLetterSlot(int weight) const;

    // The searches halve their way through every list found in order at its first use (and scan
    // the others); false makes every search scan, as the reference the indexes are tested
    // against. The results are the same either way.
    void SetSearchIndexes(bool bUse);

    // The records one search reads, in file order, and whether their texts never decrease under
    // the search's collation. Built at the list's first search.
    struct SSortedView {
        bool built = false;
        bool sorted = false;
        int count = 0;                     // readable records
        std::vector<std::int32_t> records; // their numbers; empty when every record is readable
        int At(int k) const { return records.empty() ? k : records[static_cast<std::size_t>(k)]; }
        // The first position whose record number is at least record.
        int FirstAtOrAfter(int record) const;
    };

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
    // A headword record of list (0 main, 1..4 alternates, 5 link): false when it is absent or
    // spans 64 bytes or more. The text is descrambled into buffer (64 bytes) and cut at its NUL.
    // seedByRecord descrambles with the record number instead (the main list's own rule).
    bool ReadHeadword(std::size_t list, int j, std::int32_t& entry, char* buffer, std::size_t& length,
                      bool seedByRecord = false) const;
    // An article record: false when entry is out of range or the record is absent or too long.
    bool ArticleBytes(int entry, std::int32_t& homonym, std::string_view& text) const;
    // Copies article entry into the article buffer and descrambles it; false when absent.
    bool FetchArticle(int entry, std::int32_t& homonym, std::string_view& text);
    // The text FetchArticle gives for entry, as a string; empty when it is absent.
    std::string FetchText(int entry);
    // The first main-list record from `from` whose headword begins with the trimmed prefix and
    // whose article is present; -1 when there is none. The scan stops at the first headword
    // after the prefix.
    int ForwardPrefixIndex(std::string_view prefix, int from) const;
    int ForwardPrefixIndexLinear(std::string_view prefix, int from) const;
    // The first record of headword list `list`, in file order, whose headword cut to q's length
    // is q and whose article (by its entry field) is present, with that entry in *matchEntry;
    // -1 when there is none.
    int FirstListMatch(std::size_t list, std::string_view q, std::int32_t* matchEntry = nullptr) const;
    // The reverse search from record start: the first record whose text begins with prefix (at
    // most 255 bytes, no NUL), or -1 once a text sorts after it.
    int ReversePrefixIndex(std::string_view prefix, int start) const;
    int ReversePrefixIndexLinear(std::string_view prefix, int start) const;

    // The keys the views compare: a main-list headword read by record number, a headword of
    // any list read by its entry field, a reverse text (NUL-cut). False for a skipped record.
    bool PrefixKey(int i, std::string& key) const;
    bool ListKey(std::size_t list, int j, std::string& key, std::int32_t& entry) const;
    bool ReverseKey(int i, std::string& key) const;
    const SSortedView& PrefixView() const;
    const SSortedView& ListView(std::size_t list) const;
    const SSortedView& ReverseView() const;
    // A view the header records as in order and whole, taken without reading the list.
    bool TakeRecordedView(SSortedView& view, std::uint32_t bit, int count) const;
    // The views as the records give them: every list read once.
    void CheckPrefixView(SSortedView& view) const;
    void CheckListView(std::size_t list, SSortedView& view) const;
    void CheckReverseView(SSortedView& view) const;
    void EnsureFirstLetters() const;
    void ResetViews();
    // The inflection list's place from header words 18..20; left empty when it does not fit.
    void LocateForms(std::uint64_t fileSize);
    // A reverse record: m, its leading words (m of them, 4m bytes) and its scrambled text, with
    // the text's seed; false when it is absent or m is 0.
    bool ReverseBytes(int index, std::uint32_t& m, std::string_view& words, std::string_view& text,
                      std::uint32_t& seed) const;
    void FillEntryList(std::uint32_t m, std::string_view words);
    // The reverse search shared by RenderReverse and FindNearestReverse.
    int NearestReverse(std::string_view word);

    std::array<std::uint32_t, DictFormat::kHeaderWords> m_header{};
    std::string m_strPath;
    CMappedFile m_file;
    std::array<std::int32_t, DictFormat::kEntryListWords> m_entryList{};
    // The headword lists (DictFormat::EHeadwordList), the articles, the reverse list and
    // the Lithuanian inflections (an empty section in files without them).
    static constexpr std::size_t kArticles = 6;
    static constexpr std::size_t kReverse = 7;
    static constexpr std::size_t kForms = 8;
    std::array<SSection, 9> m_sections{};
    int m_nReverseCount = 0;
    int m_nArticleCount = 0;
    mutable std::array<int, 256> m_firstLetter{};
    mutable bool m_bFirstLetterReady = false;
    mutable SSortedView m_prefixView;
    mutable std::array<SSortedView, DictFormat::kHeadwordListCount> m_listViews;
    mutable SSortedView m_reverseView;
    // The reverse records by their diacritic-free keys, built at the first folded search.
    mutable std::vector<std::pair<std::string, std::int32_t>> m_foldedReverse;
    mutable bool m_bFoldedReady = false;
    bool m_bUseIndexes = true;
    std::array<char, 65536> m_articleBuffer{};
};

// The place of a forward row in a run of equal neighbouring headwords: 1 for the first, 2 for
// the second and so on, 0 for a headword equal to neither neighbour. lastIndex is the last row of
// the index list.
int HomonymOrdinal(const CDictFile& dict, int entry, int lastIndex);
