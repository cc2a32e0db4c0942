// SPDX-License-Identifier: GPL-2.0-or-later
#include "DictdReader.h"

#include "dict/SmallFile.h"

#include <zlib.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <limits>
#include <set>

namespace {

bool Fail(std::string* error, std::string message) {
    if (error != nullptr)
        *error = std::move(message);
    return false;
}

int DigitValue(char c) {
    if (c >= 'A' && c <= 'Z')
        return c - 'A';
    if (c >= 'a' && c <= 'z')
        return c - 'a' + 26;
    if (c >= '0' && c <= '9')
        return c - '0' + 52;
    if (c == '+')
        return 62;
    if (c == '/')
        return 63;
    return -1;
}

} // namespace

bool CDictdReader::DecodeNumber(std::string_view digits, std::uint64_t& value) {
    if (digits.empty())
        return false;
    std::uint64_t v = 0;
    for (char c : digits) {
        const int d = DigitValue(c);
        if (d < 0 || v > (std::numeric_limits<std::uint64_t>::max() >> 6))
            return false;
        v = (v << 6) | static_cast<std::uint64_t>(d);
    }
    value = v;
    return true;
}

bool CDictdReader::ParseIndex(std::string_view text, std::vector<SDictdIndexEntry>& entries,
                              std::string* error) {
    entries.clear();
    std::size_t lineNumber = 0;
    while (!text.empty()) {
        ++lineNumber;
        const std::size_t eol = text.find('\n');
        std::string_view line = text.substr(0, eol);
        text.remove_prefix(eol == std::string_view::npos ? text.size() : eol + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.empty())
            continue;
        // The numbers are the last two fields; the key is everything before them. It may be
        // empty: dictfmt writes one for a headword of signs only, as in FreeDict's eng-ita.
        const std::size_t tab2 = line.find_last_of('\t');
        const std::size_t tab1 = tab2 == std::string_view::npos || tab2 == 0
                                     ? std::string_view::npos
                                     : line.find_last_of('\t', tab2 - 1);
        SDictdIndexEntry entry;
        if (tab1 == std::string_view::npos ||
            !DecodeNumber(line.substr(tab1 + 1, tab2 - tab1 - 1), entry.offset) ||
            !DecodeNumber(line.substr(tab2 + 1), entry.length)) {
            entries.clear();
            return Fail(error, "malformed index line " + std::to_string(lineNumber));
        }
        entry.key = std::string(line.substr(0, tab1));
        entries.push_back(std::move(entry));
    }
    return true;
}

bool CDictdReader::Gunzip(std::string_view compressed, std::string& out, std::string* error) {
    out.clear();
    if (compressed.size() < 2 || static_cast<unsigned char>(compressed[0]) != 0x1F ||
        static_cast<unsigned char>(compressed[1]) != 0x8B)
        return Fail(error, "not a gzip stream");
    z_stream z{};
    // 16 + MAX_WBITS: expect a gzip header and trailer, and check the trailer's CRC and length.
    if (inflateInit2(&z, 16 + MAX_WBITS) != Z_OK)
        return Fail(error, "cannot start zlib");
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(compressed.data()));
    z.avail_in = static_cast<uInt>(compressed.size());
    char buffer[65536];
    for (;;) {
        z.next_out = reinterpret_cast<Bytef*>(buffer);
        z.avail_out = sizeof buffer;
        const int rc = inflate(&z, Z_NO_FLUSH);
        const std::size_t produced = sizeof buffer - z.avail_out;
        if (out.size() + produced > kMaxInflated) {
            inflateEnd(&z);
            out.clear();
            return Fail(error,
                        "the data inflates to more than " + std::to_string(kMaxInflated >> 20) + " MiB");
        }
        // Grown by hand so that the string never holds more than the cap: doubling past it
        // would take twice the cap for a stream about to be refused.
        if (out.size() + produced > out.capacity())
            out.reserve(std::min(kMaxInflated, std::max(out.capacity() * 2, out.size() + produced)));
        out.append(buffer, produced);
        if (rc == Z_STREAM_END) {
            // dictzip writes one member, but gzip allows several back to back.
            if (z.avail_in == 0)
                break;
            if (inflateReset(&z) != Z_OK) {
                inflateEnd(&z);
                return Fail(error, "cannot restart zlib");
            }
            continue;
        }
        if (rc == Z_OK)
            continue;
        if (rc == Z_BUF_ERROR && z.avail_in == 0) {
            inflateEnd(&z);
            out.clear();
            return Fail(error, "gzip stream ends early");
        }
        const std::string message = z.msg != nullptr ? z.msg : "inflate failed";
        inflateEnd(&z);
        out.clear();
        return Fail(error, "damaged gzip stream: " + message);
    }
    inflateEnd(&z);
    return true;
}

bool CDictdReader::ReadFile(const std::string& path, std::string& out, std::string* error) {
    errno = 0;
    switch (SmallFile::Read(path, kMaxInflated, out)) {
    case SmallFile::EResult::Ok:
        return true;
    case SmallFile::EResult::NotRegular:
        return Fail(error, "cannot read " + path + ": not a regular file");
    case SmallFile::EResult::TooLarge:
        return Fail(error,
                    "cannot read " + path + ": larger than " + std::to_string(kMaxInflated >> 20) + " MiB");
    case SmallFile::EResult::Missing:
    case SmallFile::EResult::ReadFailed:
        break;
    }
    return Fail(error, "cannot open " + path + ": " + std::strerror(errno != 0 ? errno : EIO));
}

bool CDictdReader::Load(const std::string& indexPath, const std::string& dataPath, std::string* error) {
    m_entries.clear();
    m_nRepeated = 0;
    std::string indexText;
    std::string compressed;
    std::string data;
    std::vector<SDictdIndexEntry> index;
    std::string message;
    if (!ReadFile(indexPath, indexText, error) || !ReadFile(dataPath, compressed, error))
        return false;
    if (!ParseIndex(indexText, index, &message))
        return Fail(error, indexPath + ": " + message);
    if (!Gunzip(compressed, data, &message))
        return Fail(error, dataPath + ": " + message);
    std::vector<SDictdEntry> entries;
    entries.reserve(index.size());
    // A text the index names twice is one entry: repeated lines would only repeat its articles.
    std::set<std::pair<std::uint64_t, std::uint64_t>> seen;
    std::size_t repeated = 0;
    for (SDictdIndexEntry& e : index) {
        if (e.offset > data.size() || e.length > data.size() - e.offset)
            return Fail(error, indexPath + ": the entry \"" + e.key + "\" lies outside " + dataPath);
        if (!seen.emplace(e.offset, e.length).second) {
            ++repeated;
            continue;
        }
        entries.push_back({std::move(e.key), e.offset, data.substr(e.offset, e.length)});
    }
    m_entries = std::move(entries);
    m_nRepeated = repeated;
    return true;
}

std::string CDictdReader::EntryText(std::string_view key) const {
    for (const SDictdEntry& e : m_entries)
        if (e.key == key)
            return e.text;
    return {};
}
