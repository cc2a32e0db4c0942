// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "dict/DictRecords.h"
#include "dict/DictSearch.h"
#include "render/ArticleRenderer.h"

#include <string>
#include <string_view>
#include <vector>

// The open dictionary file as the program sees it: the records (CDictRecords), the searches over
// them (CDictSearch) and the renderers (CArticleRenderer) behind one set of operations, each of
// which hands the work on. Every lookup returns what it found; nothing of one call stays for the
// next. Not thread-safe: all calls come from one thread.
//
// The owner sets the path, calls Open and keeps the object while lookups run; Close (also run by
// the destructor) ends the mapping. A record that does not fit the file is treated as absent:
// searches skip it and fetches give an empty text.
class CDictFile {
public:
    static constexpr int kOpenOk = CDictRecords::kOpenOk;
    static constexpr int kOpenNoPath = CDictRecords::kOpenNoPath;
    static constexpr int kOpenFileFailed = CDictRecords::kOpenFileFailed;
    static constexpr int kOpenMappingFailed = CDictRecords::kOpenMappingFailed;
    static constexpr int kOpenViewFailed = CDictRecords::kOpenViewFailed;
    static constexpr int kOpenDamaged = CDictRecords::kOpenDamaged;

    using SForwardMatch = CDictSearch::SForwardMatch;
    using SSortedView = CDictSearch::SSortedView;

    CDictFile() = default;
    ~CDictFile() { Close(); }
    CDictFile(const CDictFile&) = delete;
    CDictFile& operator=(const CDictFile&) = delete;

    void SetPath(std::string path) { m_strPath = std::move(path); }
    const std::string& Path() const { return m_strPath; }

    // Maps the file at Path(). Returns kOpenOk, or one of the failure codes; after a failure the
    // object is fully closed.
    int Open();
    // Ends the mapping; calling it again does nothing.
    void Close();
    bool IsOpen() const { return m_records.IsOpen(); }
    // Whether the file was cut short or rewritten in place while open: every read then sees a
    // file of zeros (see CMappedFile), and the program should say the file is gone.
    bool HasVanished() const { return m_records.HasVanished(); }
    const CDictRecords& Records() const { return m_records; }

    static void Descramble(char* buffer, std::size_t length, std::uint32_t seed) {
        CDictRecords::Descramble(buffer, length, seed);
    }
    static int LetterWeight(unsigned char byte) { return CDictRecords::LetterWeight(byte); }
    static int CompareByWeight(const char* a, const char* b) { return CDictRecords::CompareByWeight(a, b); }
    static int CompareForward(std::string_view a, std::string_view b) {
        return CDictRecords::CompareForward(a, b);
    }

    // Forward searches. FindForwardPrefix seeks the first main-list headword beginning with the
    // trimmed prefix from record index (or 0 when index is -1); index receives the match or -1.
    std::string FindForwardPrefix(const CQuery& prefix, int& index) const;
    // The article of the first headword sharing the longest prefix with word; entry receives its
    // number, or keeps its value when not even the first byte matched.
    std::string FindNearestForward(const CQuery& word, int& entry) const;
    // The article text (headword, TAB, body) of entry, or empty.
    std::string GetArticle(int entry) const { return m_records.GetArticle(entry); }
    // The entries the two forward searches report, found without fetching any text:
    // FirstForwardMatch is the entry RenderForward gives (-1 when nothing matches),
    // NearestForwardEntry the one FindNearestForward gives (-1 when not even the first byte
    // matched). Typing moves the index with them.
    int FirstForwardMatch(const CQuery& word, SForwardMatch* how = nullptr) const {
        return m_search.FirstForwardMatch(word, how);
    }
    int NearestForwardEntry(const CQuery& word) const { return m_search.NearestForwardEntry(word); }
    // The entries that the records of a headword list whose whole text is word lead to.
    std::vector<int> WholeListMatches(std::size_t list, const CQuery& word) const {
        return m_search.WholeListMatches(list, word);
    }
    std::string RenderArticles(const std::vector<int>& entries, int& entry) const {
        return m_renderer.RenderArticles(entries, entry);
    }

    // Reverse searches. FindReversePrefix returns the first record from start (or from the first
    // letter's slot when start is -1) whose text begins with prefix by letter weights; -1 when
    // there is none.
    int FindReversePrefix(const CQuery& prefix, int start) const {
        return m_search.FindReversePrefix(prefix, start);
    }
    // The reverse fragment of the record nearest to word; index receives it or -1.
    std::string RenderReverse(const CQuery& word, int* index = nullptr) const;
    int FindNearestReverse(const CQuery& word) const { return m_search.NearestReverse(word); }
    std::vector<int> LithuanianFormRecords(const CQuery& word, bool bSpelled = false) const {
        return m_search.LithuanianFormRecords(word, bSpelled);
    }
    int FoldedReverseMatch(const CQuery& word, bool bWhole) const {
        return m_search.FoldedReverseMatch(word, bWhole);
    }
    static std::string FoldedKey(std::string_view text) { return CDictSearch::FoldedKey(text); }
    std::string RenderReverseEntry(int index) const;
    std::string GetReverseHeadword(int index) const { return m_records.GetReverseHeadword(index); }

    // The text an index row shows (at most 127 bytes, cut at its first TAB) and, for forward
    // rows, the article's homonym number (0 for reverse rows).
    std::string GetListHeadword(EDirection direction, int index, int& homonym) const {
        return m_records.GetListHeadword(direction, index, homonym);
    }

    int ArticleCount() const { return m_records.ArticleCount(); }
    int ReverseCount() const { return m_records.ReverseCount(); }

    // Renderers: HTML fragments in code page 1257.
    // Every article whose headword matches word, over the main and the alternate lists.
    std::string RenderForward(const CQuery& word, int& entry) const {
        return m_renderer.RenderForward(word, entry);
    }
    // The articles that the link list names for a clicked link.
    std::string RenderLinkTarget(const CQuery& name, int& entry) const {
        return m_renderer.RenderLinkTarget(name, entry);
    }
    // The English articles of reverse record index, from its entry list.
    std::string RenderReverseRecord(const TEntryList& list, int index) const {
        return m_renderer.RenderReverseRecord(list, index);
    }

    const std::array<std::uint32_t, DictFormat::kHeaderWords>& Header() const { return m_records.Header(); }
    std::uint32_t OrderedViewsMask() const { return m_search.OrderedViewsMask(); }
    // The leading words (m, then m-1 entry numbers) of reverse record index.
    TEntryList EntryList(int index) const { return m_records.EntryList(index); }
    int FirstLetterSlot(int weight) const { return m_search.FirstLetterSlot(weight); }
    void SetSearchIndexes(bool bUse) { m_search.SetSearchIndexes(bUse); }

private:
    std::string m_strPath;
    CDictRecords m_records;
    CDictSearch m_search{m_records};
    CArticleRenderer m_renderer{m_records, m_search};
};

// The place of a forward row in a run of equal neighbouring headwords: 1 for the first, 2 for
// the second and so on, 0 for a headword equal to neither neighbour. lastIndex is the last row of
// the index list.
int HomonymOrdinal(const CDictFile& dict, int entry, int lastIndex);
