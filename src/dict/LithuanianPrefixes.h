// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <string>
#include <vector>

// The prefixes a Lithuanian word may carry before the word it is made from, in code page 1257,
// longest first: the negation and the continuative (ne-, nebe-, te-, tebe-), then a verbal
// prefix (ap-, api-, at-, ati-, į-, iš-, nu-, pa-, par-, per-, pra-, pri-, su-, už-; be- and
// prie- of nouns and adjectives), then the reflexive -si- that follows a verbal prefix
// ("nepasirinktas": ne + pa + si + rinktas). hunspell strips them, but the word that keeps them
// is another word ("negalimas" is not "galimas").
const std::vector<std::string>& LithuanianPrefixes();
