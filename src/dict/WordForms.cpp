// SPDX-License-Identifier: GPL-2.0-or-later
#include "dict/WordForms.h"

#include "dict/Cp1257.h"
#include "dict/MappedFile.h"
#include "dict/SmallFile.h"

#include <hunspell/hunspell.hxx>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <functional>
#include <sstream>
#include <system_error>

namespace {

// The bytes at which the two code pages hold different characters, each with its code page 1257
// counterpart: the quotation marks. Every other byte from 0xA0 up is the same character in both.
struct SQuote {
    unsigned char iso;
    unsigned char cp1257;
};
constexpr SQuote kQuotes[] = {{0xA1, 0x94}, {0xA5, 0x84}, {0xB4, 0x93}, {0xFF, 0x92}};

bool IsControl(char32_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

// "ISO885913" for "iso8859-13": the name of an encoding as the data may write it, compared.
std::string EncodingName(std::string_view written) {
    std::string name;
    for (const char c : written)
        if (c != '-' && c != '_')
            name += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return name;
}

constexpr std::string_view kIso885913 = "ISO885913";
constexpr std::string_view kUtf8 = "UTF8";

// Whether a code page 1257 word can be asked at all: not empty, within the limit, without a
// control character.
bool IsAskable(std::string_view word) {
    return !word.empty() && word.size() <= CWordForms::kWordLimit &&
           std::none_of(word.begin(), word.end(),
                        [](char c) { return IsControl(Cp1257::ToUnicode(static_cast<unsigned char>(c))); });
}

// A code page 1257 word in the data's encoding (by EncodingName); nullopt for another encoding
// or a character the encoding lacks.
std::optional<std::string> InEncoding(std::string_view encoding, std::string_view word) {
    if (encoding == kIso885913)
        return Iso885913::FromCp1257(word);
    if (encoding == kUtf8)
        return Cp1257::ToUtf8(word);
    return std::nullopt;
}

// How a word is looked for in a word list by its affix file: in the list's encoding, and with
// the flags that bar a root from standing alone (forbidden, only with an affix, only in
// compounds); nullopt for a list this reading does not follow (flag aliases, other flag types,
// another encoding).
struct SListReading {
    std::string word;
    std::string barred;
};
std::optional<SListReading> ReadingOfList(const std::string& aff, std::string_view word) {
    static constexpr std::string_view kBarring[] = {"FORBIDDENWORD",  "NEEDAFFIX",   "PSEUDOROOT",
                                                    "ONLYINCOMPOUND", "SUBSTANDARD", "WARN"};
    SListReading reading;
    std::optional<std::string> inList;
    std::istringstream lines(aff);
    for (std::string line; std::getline(lines, line);) {
        std::istringstream fields(line);
        std::string name;
        std::string value;
        fields >> name >> value;
        if (name == "FLAG" || name == "AF")
            return std::nullopt;
        if (std::find(std::begin(kBarring), std::end(kBarring), name) != std::end(kBarring)) {
            if (value.size() != 1)
                return std::nullopt;
            reading.barred += value;
        }
        if (name == "SET")
            inList = InEncoding(EncodingName(value), word);
    }
    if (!inList)
        return std::nullopt;
    reading.word = std::move(*inList);
    return reading;
}

} // namespace

namespace Iso885913 {

std::optional<std::string> FromCp1257(std::string_view cp1257) {
    std::string out;
    out.reserve(cp1257.size());
    for (const char ch : cp1257) {
        const auto b = static_cast<unsigned char>(ch);
        if (b < 0x80) {
            out += ch;
            continue;
        }
        const auto at = [b](unsigned char SQuote::*side) {
            return std::find_if(std::begin(kQuotes), std::end(kQuotes),
                                [&](const SQuote& q) { return q.*side == b; });
        };
        if (const SQuote* quote = at(&SQuote::cp1257); quote != std::end(kQuotes))
            out += static_cast<char>(quote->iso);
        else if (b >= 0xA0 && at(&SQuote::iso) == std::end(kQuotes))
            out += ch;
        else
            return std::nullopt; // a sign ISO 8859-13 lacks ("€", "´") or a byte of no character
    }
    return out;
}

std::optional<std::string> ToCp1257(std::string_view iso) {
    std::string out;
    out.reserve(iso.size());
    for (const char ch : iso) {
        const auto b = static_cast<unsigned char>(ch);
        if (b < 0x80) {
            out += ch;
            continue;
        }
        if (b < 0xA0)
            return std::nullopt; // control characters, no text
        const SQuote* quote =
            std::find_if(std::begin(kQuotes), std::end(kQuotes), [b](const SQuote& q) { return q.iso == b; });
        out += quote != std::end(kQuotes) ? static_cast<char>(quote->cp1257) : ch;
    }
    return out;
}

} // namespace Iso885913

CWordForms::CWordForms(std::string base) : m_strBase(std::move(base)) {}

CWordForms::~CWordForms() = default;

bool CWordForms::Load() {
    if (m_bDone.load(std::memory_order_acquire))
        return m_pHunspell != nullptr;
    // A preload on another thread may be reading the data: the asker waits for it.
    const std::lock_guard<std::mutex> lock(m_loadMutex);
    if (m_bTried)
        return m_pHunspell != nullptr;
    m_bTried = true;
    // Whatever the outcome, later calls take the fast path above.
    struct SDone {
        std::atomic<bool>& done;
        ~SDone() { done.store(true, std::memory_order_release); }
    } done{m_bDone};
    const std::string aff = m_strBase + ".aff";
    const std::string dic = m_strBase + ".dic";
    std::error_code ec;
    // Hunspell reports a missing file on the standard error; the program says nothing.
    if (!std::filesystem::is_regular_file(aff, ec) || !std::filesystem::is_regular_file(dic, ec))
        return false;
    auto hunspell = std::make_unique<Hunspell>(aff.c_str(), dic.c_str());
    const std::string name = EncodingName(hunspell->get_dict_encoding());
    if (name != kIso885913 && name != kUtf8)
        return false;
    m_strEncoding = name;
    m_pHunspell = std::move(hunspell);
    return true;
}

std::optional<std::string> CWordForms::ToData(std::string_view word) {
    if (!IsAskable(word) || !Load())
        return std::nullopt;
    return InEncoding(m_strEncoding, word);
}

std::optional<std::string> CWordForms::FromData(const std::string& word) const {
    if (m_strEncoding == kIso885913)
        return Iso885913::ToCp1257(word);
    const std::u32string points = Cp1257::DecodeUtf8(word, Cp1257::kInvalid);
    if (!std::all_of(points.begin(), points.end(), [](char32_t c) {
            return c != Cp1257::kInvalid && Cp1257::CanEncode(c) && !IsControl(c);
        }))
        return std::nullopt;
    return Cp1257::FromUtf8(word);
}

bool CWordForms::IsWord(std::string_view word) {
    const std::optional<std::string> asked = ToData(word);
    return asked && m_pHunspell->spell(*asked);
}

bool CWordForms::IsListedRoot(std::string_view word) const {
    // The data of Debian's packages: a few kilobytes of affixes, a word list of a megabyte.
    constexpr std::size_t kAffixLimit = 1u << 20;
    std::string aff;
    CMappedFile dic;
    if (!IsAskable(word) || SmallFile::Read(m_strBase + ".aff", kAffixLimit, aff) != SmallFile::EResult::Ok ||
        dic.Open(m_strBase + ".dic") != CMappedFile::EResult::Ok)
        return false;
    const std::optional<SListReading> reading = ReadingOfList(aff, word);
    if (!reading)
        return false;
    // Every line but the first (the count) is a root, ended by its flags or its morphology.
    const std::string_view list = dic.View(0, dic.Size());
    const std::string needle = "\n" + reading->word;
    const std::boyer_moore_horspool_searcher searcher(needle.begin(), needle.end());
    for (auto at = std::search(list.begin(), list.end(), searcher); at != list.end();
         at = std::search(at + 1, list.end(), searcher)) {
        const std::string_view rest =
            list.substr(static_cast<std::size_t>(at - list.begin()) + needle.size());
        const std::size_t rootEnd = rest.find_first_of("/\t \r\n");
        if (rootEnd != 0 && !rest.empty())
            continue; // a longer root
        const std::string_view flags = !rest.empty() && rest[0] == '/'
                                           ? rest.substr(1, rest.find_first_of("\t \r\n") - 1)
                                           : std::string_view{};
        if (flags.find_first_of(reading->barred) == std::string_view::npos)
            return !dic.HasVanished();
    }
    return false;
}

std::vector<std::string> CWordForms::Suggestions(std::string_view word) {
    // A word spelt right has no corrections: for the first word asked while the data is unread,
    // its word list says so. A second one reads the data, which answers many faster than as many
    // searches of the list.
    if (!m_bDone.load(std::memory_order_acquire) && !m_bListSearched) {
        m_bListSearched = true;
        if (IsListedRoot(word))
            return {};
    }
    const std::optional<std::string> asked = ToData(word);
    if (!asked || m_pHunspell->spell(*asked))
        return {};
    return FromDataList(m_pHunspell->suggest(*asked));
}

std::vector<std::string> CWordForms::Stems(std::string_view word) {
    const std::optional<std::string> asked = ToData(word);
    if (!asked)
        return {};
    return FromDataList(m_pHunspell->stem(*asked));
}

std::vector<std::string> CWordForms::FromDataList(const std::vector<std::string>& words) const {
    std::vector<std::string> out;
    for (const std::string& word : words) {
        std::optional<std::string> text = FromData(word);
        if (text && !text->empty() && std::find(out.begin(), out.end(), *text) == out.end())
            out.push_back(std::move(*text));
    }
    return out;
}
