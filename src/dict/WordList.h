// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A hunspell dictionary read without hunspell, to learn that a word is spelt right, or its stems,
// without loading the data (which costs some 60 ms and 8 MB): the word list is mapped and
// searched, and of the affix file only the prefixes and suffixes that may have made the word are
// followed.
//
// It answers only where it is sure. A word it cannot place is for hunspell to judge, and so is
// every word of data this reading does not follow (flag aliases, other flag types, affixes that
// carry flags of their own, ignored characters, complex prefixes, a stated language).
namespace WordList {

// Whether the data at base (without ".aff" / ".dic") surely holds the code page 1257 word as
// spelt right, exactly as it is written: as a root that stands alone, or as a root with a
// suffix, a prefix, or a prefix and a suffix that the root's flags allow. False means unsure.
bool IsSurelySpeltRight(const std::string& base, std::string_view word);

// The stems hunspell gives for a code page 1257 word of small letters (and apostrophes), in code
// page 1257, sorted and without repeats (hunspell's own order is not known here): the word where
// the list holds it as a root that stands alone, and each root a prefix, a suffix or both may
// have made it of.
// nullopt means unsure: the word has another character, a root it comes from is barred or
// carries morphology, or no root makes it where hunspell would try compounds.
std::optional<std::vector<std::string>> SurelyStems(const std::string& base, std::string_view word);

} // namespace WordList
