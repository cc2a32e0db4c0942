// SPDX-License-Identifier: GPL-2.0-or-later
#include "dict/WordForms.h"

#include "dict/Cp1257.h"
#include "dict/HunspellEncoding.h"
#include "dict/WordList.h"

#include <hunspell/hunspell.hxx>

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace {

// Whether a code page 1257 word can be asked at all: not empty, within the limit, without a
// control character.
bool IsAskable(std::string_view word) {
    return !word.empty() && word.size() <= CWordForms::kWordLimit &&
           std::none_of(word.begin(), word.end(), [](char c) {
               return HunspellEncoding::IsControl(Cp1257::ToUnicode(static_cast<unsigned char>(c)));
           });
}

} // namespace

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
    const std::string name = HunspellEncoding::Name(hunspell->get_dict_encoding());
    if (name != HunspellEncoding::kIso885913 && name != HunspellEncoding::kUtf8)
        return false;
    m_strEncoding = name;
    m_pHunspell = std::move(hunspell);
    return true;
}

std::optional<std::string> CWordForms::ToData(std::string_view word) {
    if (!IsAskable(word) || !Load())
        return std::nullopt;
    return HunspellEncoding::FromCp1257(m_strEncoding, word);
}

std::optional<std::string> CWordForms::FromData(const std::string& word) const {
    return HunspellEncoding::ToCp1257(m_strEncoding, word);
}

bool CWordForms::IsWord(std::string_view word) {
    const std::optional<std::string> asked = ToData(word);
    return asked && m_pHunspell->spell(*asked);
}

bool CWordForms::MaySearchList() {
    if (m_bDone.load(std::memory_order_acquire) || m_nListSearches == kListSearches)
        return false;
    ++m_nListSearches;
    return true;
}

std::vector<std::string> CWordForms::Suggestions(std::string_view word) {
    // A word spelt right has no corrections: while the data is unread, its word list may say so.
    if (IsAskable(word) && MaySearchList() && WordList::IsSurelySpeltRight(m_strBase, word))
        return {};
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

std::optional<std::vector<std::string>> CWordForms::ListedStems(std::string_view word) {
    if (!IsAskable(word) || !MaySearchList())
        return std::nullopt;
    return WordList::SurelyStems(m_strBase, word);
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
