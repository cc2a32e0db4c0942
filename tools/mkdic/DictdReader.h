// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Reading of dictionaries in the dictd format: a text index of lines "key TAB offset TAB length"
// (offset and length written as base-64 numbers) and a data file compressed with dictzip, which
// is an ordinary gzip stream. All functions report failures by returning false with a message in
// *error (when error is not null); they keep no state beyond the object they fill.

// One line of a dictd index.
struct SDictdIndexEntry {
    std::string key; // the lookup key as the index has it (a normalised form of the headword)
    std::uint64_t offset = 0;
    std::uint64_t length = 0;
};

// One entry of a loaded dictionary: its index key and its text, both UTF-8 as stored.
struct SDictdEntry {
    std::string key;
    std::uint64_t offset = 0; // where the text lies in the uncompressed data
    std::string text;
};

// A dictd dictionary loaded whole into memory. Owns its entries; they live as long as it does.
class CDictdReader {
public:
    // The most a file or an inflated data stream may hold. FreeDict's largest dictionaries
    // inflate to tens of megabytes, and one section of a LEKSTAR.dic holds less than 4 GiB; a
    // small file that inflates without end (a zip bomb) stops here.
    static constexpr std::size_t kMaxInflated = 256u << 20;

    // Decodes a number in the dictd base-64 notation (digits A-Z a-z 0-9 + /, most significant
    // first). False for an empty string, a foreign character or a value beyond 64 bits.
    static bool DecodeNumber(std::string_view digits, std::uint64_t& value);

    // Parses index text line by line; a final line without a newline counts, empty lines are
    // skipped. A malformed line fails the whole index and names its line number.
    static bool ParseIndex(std::string_view text, std::vector<SDictdIndexEntry>& entries, std::string* error);

    // Inflates one or more concatenated gzip members. Input that is not gzip, a damaged stream,
    // a stream that ends early or one that inflates to more than kMaxInflated bytes fails.
    static bool Gunzip(std::string_view compressed, std::string& out, std::string* error);

    // The whole content of a regular file of at most kMaxInflated bytes (a FIFO or a device is
    // refused without waiting); the message names the file.
    static bool ReadFile(const std::string& path, std::string& out, std::string* error);

    // Loads indexPath and the gzip-compressed dataPath. Every index entry must lie inside the
    // data; a line naming the same text as an earlier one is dropped. Entries keep the index's
    // order. On failure the reader is left empty.
    bool Load(const std::string& indexPath, const std::string& dataPath, std::string* error);

    // Loads "<base>.index" and "<base>.dict.dz".
    bool LoadBase(const std::string& basePath, std::string* error) {
        return Load(basePath + ".index", basePath + ".dict.dz", error);
    }

    const std::vector<SDictdEntry>& Entries() const { return m_entries; }
    // Index lines dropped because an earlier line named the same text.
    std::size_t RepeatedEntries() const { return m_nRepeated; }

    // The text of the first entry whose key is key (for the "00database..." metadata entries),
    // or an empty string.
    std::string EntryText(std::string_view key) const;

    // Whether a key names one of the metadata entries rather than a word.
    static bool IsMetadataKey(std::string_view key) { return key.starts_with("00database"); }

private:
    std::vector<SDictdEntry> m_entries;
    std::size_t m_nRepeated = 0;
};
