// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <istream>
#include <ostream>
#include <string>
#include <vector>

// Where lekstar-cli reads and writes: words from in when `lookup` is told to read them (or is
// given none and bInIsTerminal is false); bAnsi allows terminal highlighting in `lookup`.
struct SCliIo {
    std::istream& in;
    std::ostream& out;
    std::ostream& err;
    bool bInIsTerminal = true;
    bool bAnsi = false;
};

// lekstar-cli: lookups from a terminal and from scripts. args are the arguments after the
// program name; programDir is where the default dictionary and page head are found. Returns
// the exit status: 0 when the dictionary opened (found or not), 1 when it could not be opened,
// 2 for a usage error (said in one line), 3 when `lookup --strict` showed a word only by its
// nearest headword or not at all.
int RunCli(const std::vector<std::string>& args, const std::string& programDir, const SCliIo& io);
