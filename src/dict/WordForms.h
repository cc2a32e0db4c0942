// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "dict/HunspellEncoding.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class Hunspell;

// The dictionary forms (stems) of inflected words, from a hunspell dictionary: "namuose" ->
// "namas", "houses" -> "house". Words go in and stems come out in code page 1257; the hunspell
// data may be in ISO 8859-13 or UTF-8 and is converted exactly.
//
// Nothing is read until the first word is asked for, so that start-up does not wait for the
// data. When the data is not installed, or is in an encoding we cannot convert, every word has
// no stems and nothing is said: the program then works as it would without word forms.
// One thread asks; Load alone may also run on another thread at the same time (a preload beside
// the window's loop), and the asker then waits for it.
class CWordForms {
public:
    // base is the data's path without ".aff" / ".dic".
    explicit CWordForms(std::string base);
    ~CWordForms();
    CWordForms(const CWordForms&) = delete;
    CWordForms& operator=(const CWordForms&) = delete;

    // Debian's places of the Lithuanian and the English data.
    static constexpr const char* kLithuanian = "/usr/share/hunspell/lt_LT";
    static constexpr const char* kEnglish = "/usr/share/hunspell/en_US";

    // Loads the data on the first call; whether stems can be given.
    bool Load();
    // Whether the data was read (without loading it).
    bool IsLoaded() const { return m_bDone.load(std::memory_order_acquire) && m_pHunspell != nullptr; }

    // The stems of a code page 1257 word in hunspell's order, without repeats. None for a word
    // hunspell does not know, one the data's encoding cannot hold, or one of more than
    // kWordLimit bytes; a stem the code page cannot hold is left out.
    std::vector<std::string> Stems(std::string_view word);
    static constexpr std::size_t kWordLimit = 100;
    // The same stems without the data, sorted rather than in hunspell's order, while the data is
    // unread and hunspell's word list is sure of them (see WordList::SurelyStems); nullopt
    // otherwise, and then Stems answers.
    std::optional<std::vector<std::string>> ListedStems(std::string_view word);
    // Whether the data knows a code page 1257 word as spelt right; false without data.
    bool IsWord(std::string_view word);
    // hunspell's corrections of a misspelt code page 1257 word, best first, without repeats;
    // none for a word it knows or cannot be asked (the limits of Stems).
    std::vector<std::string> Suggestions(std::string_view word);

private:
    // A word in the data's encoding, loading the data first; nullopt when it cannot be asked.
    std::optional<std::string> ToData(std::string_view word);
    // A word of the data in code page 1257; nullopt when the code page cannot hold it.
    std::optional<std::string> FromData(const std::string& word) const;
    // hunspell's words in code page 1257, in its order without repeats; those the code page
    // cannot hold are left out.
    std::vector<std::string> FromDataList(const std::vector<std::string>& words) const;

    std::string m_strBase;
    std::mutex m_loadMutex;
    std::atomic<bool> m_bDone{false}; // Load has finished (m_bTried and m_pHunspell are final)
    bool m_bTried = false;
    // Whether the word list may still be searched instead of reading the data: a word list search
    // costs a millisecond, so a long batch of words is answered faster by the data.
    bool MaySearchList();
    static constexpr int kListSearches = 8;
    int m_nListSearches = 0;   // searches of the word list made without the data
    std::string m_strEncoding; // the data's, as HunspellEncoding::Name writes it, once loaded
    std::unique_ptr<Hunspell> m_pHunspell;
};
