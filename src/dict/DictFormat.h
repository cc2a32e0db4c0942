// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>

// The byte layout of LEKSTAR.dic, written down once.
//
//   header      188 bytes = 47 little-endian 32-bit words W[0..46]
//               W[2]      file offset of the first section (at least 188)
//               W[3..17]  sizes of sections 1..15 below; section 16 runs to the end of the file
//   sections    back to back from W[2]:
//                1 main list table         2 main list data
//                3..10 alternate lists 1..4, table then data
//               11 link list table        12 link list data
//               13 article table          14 article data
//               15 reverse table          16 reverse data
//
// An offset table of S bytes holds S/4 offsets into its data section and describes S/4 - 1
// records: record i is the bytes [offset[i], offset[i+1]).
//
//   headword record   int32 entry number, then the headword (scrambled, seed = entry number)
//   article record    int32 homonym number (0 none, 999 abbreviation, n homonym n), then
//                     "headword TAB body" (scrambled, seed = entry number)
//   reverse record    int32 m, then m-1 int32 entry numbers, then the Lithuanian headword
//                     (scrambled, seed = offset of the text within the reverse data section)
//
// Every text is code page 1257 without a terminating NUL; its length follows from the span.
namespace DictFormat {

constexpr std::size_t kHeaderWords = 47;
constexpr std::size_t kHeaderSize = kHeaderWords * 4;
constexpr std::size_t kSectionsOffsetWord = 2;
constexpr std::size_t kFirstSizeWord = 3;
constexpr std::size_t kSectionCount = 16;

enum ESection : std::size_t {
    MainTable,
    MainData,
    Alt1Table,
    Alt1Data,
    Alt2Table,
    Alt2Data,
    Alt3Table,
    Alt3Data,
    Alt4Table,
    Alt4Data,
    LinkTable,
    LinkData,
    ArticleTable,
    ArticleData,
    ReverseTable,
    ReverseData,
};

// The headword lists in the order the forward renderer scans them, by what the writer puts in
// them: the main list, then alternates 1..4 (spelling variants; the words of multi-word
// headwords; English translations, which today's writer leaves empty; inflected forms); the link
// list, the cross-references' names, is scanned on its own.
enum EHeadwordList : std::size_t {
    kMainList,
    kSpellings,
    kPhraseWords,
    kTranslations,
    kInflections,
    kLinkList
};
constexpr std::size_t kHeadwordListCount = 6;

// A headword record spanning this many bytes or more is ignored by every reader.
constexpr std::uint32_t kHeadwordSpanLimit = 64;
// A reverse record whose text is this long or longer is ignored by the searches.
constexpr std::uint32_t kReverseTextLimit = 256;
// An article record must span fewer bytes than this.
constexpr std::uint32_t kArticleSpanLimit = 65535;
// At most this many leading words of a reverse record (m itself and m-1 entry numbers) are used.
constexpr std::uint32_t kEntryListWords = 256;

// Homonym number of an abbreviation.
constexpr std::int32_t kAbbreviation = 999;

// The nearest-headword searches try prefixes of at most this many bytes of a word; a copied text
// and each word of an automation call are cut to it too.
constexpr std::size_t kMaxWordBytes = 255;
// An index row shows at most this many bytes of its text.
constexpr std::size_t kMaxRowBytes = 127;

// Header words 18..20 locate the Lithuanian inflection list, which files without one leave zero:
// its file offset (after the reverse data), the size of its offset table and of its data. Its
// records are headword records whose entry field is the reverse record the form belongs to
// ("eina" -> eiti), sorted by letter weights.
constexpr std::size_t kFormsOffsetWord = 18;
constexpr std::size_t kFormsTableWord = 19;
constexpr std::size_t kFormsDataWord = 20;

// Header words 21 and 22 record, when word 21 holds kViewsTag, which lists the writer found in
// order with every record readable, so that a reader takes them as they stand instead of reading
// them all at its first search: bit 0 the main list's prefix view, bits 1..6 headword lists
// 0..5, bit 7 the reverse list. Files without the tag keep the check at the first search.
constexpr std::size_t kViewsTagWord = 21;
constexpr std::size_t kViewsMaskWord = 22;
constexpr std::uint32_t kViewsTag = 0x53574956; // "VIWS"
constexpr std::uint32_t kPrefixViewBit = 1u << 0;
constexpr std::uint32_t ListViewBit(std::size_t list) {
    return 1u << (1 + list);
}
constexpr std::uint32_t kReverseViewBit = 1u << 7;

// Header words 0 and 1 are free for the writer; ours mark the file and its revision.
constexpr std::uint32_t kMagic = 0x534B454C; // "LEKS"
constexpr std::uint32_t kRevision = 1;

} // namespace DictFormat
