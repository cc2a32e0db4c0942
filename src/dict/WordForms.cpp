// SPDX-License-Identifier: GPL-2.0-or-later
#include "dict/WordForms.h"

#include "dict/Cp1257.h"

#include <hunspell/hunspell.hxx>

#include <algorithm>
#include <cctype>
#include <filesystem>
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
    std::string name;
    for (const char c : hunspell->get_dict_encoding())
        if (c != '-' && c != '_')
            name += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (name == "ISO885913")
        m_encoding = EEncoding::Iso885913;
    else if (name == "UTF8")
        m_encoding = EEncoding::Utf8;
    else
        return false;
    m_pHunspell = std::move(hunspell);
    return true;
}

std::optional<std::string> CWordForms::ToData(std::string_view word) {
    if (word.empty() || word.size() > kWordLimit || !Load())
        return std::nullopt;
    for (const char c : word)
        if (IsControl(Cp1257::ToUnicode(static_cast<unsigned char>(c))))
            return std::nullopt;
    if (m_encoding == EEncoding::Iso885913)
        return Iso885913::FromCp1257(word);
    return Cp1257::ToUtf8(word);
}

std::optional<std::string> CWordForms::FromData(const std::string& word) const {
    if (m_encoding == EEncoding::Iso885913)
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

std::vector<std::string> CWordForms::Suggestions(std::string_view word) {
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
