// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <string>
#include <string_view>

// A hunspell dictionary read without hunspell, to learn that a word is spelt right without
// loading the data (which costs some 60 ms and 8 MB): the word list is mapped and searched, and
// of the affix file only the prefixes and suffixes that may have made the word are followed.
//
// It answers only where it is sure. A word it cannot place is for hunspell to judge, and so is
// every word of data this reading does not follow (flag aliases, other flag types, affixes that
// carry flags of their own, ignored characters, complex prefixes, a stated language).
namespace WordList {

// Whether the data at base (without ".aff" / ".dic") surely holds the code page 1257 word as
// spelt right, exactly as it is written: as a root that stands alone, or as a root with a
// suffix, a prefix, or a prefix and a suffix that the root's flags allow. False means unsure.
bool IsSurelySpeltRight(const std::string& base, std::string_view word);

} // namespace WordList
