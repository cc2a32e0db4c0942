// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <ostream>
#include <string>
#include <vector>

// lekstar-cli: lookups from a terminal and from scripts. args are the arguments after the
// program name; programDir is where the default dictionary and page head are found; bAnsi
// allows terminal highlighting in `lookup`. Returns the exit status: 0 when the dictionary
// opened (found or not), 1 when it could not be opened, 2 for a usage error.
int RunCli(const std::vector<std::string>& args, const std::string& programDir, bool bAnsi, std::ostream& out,
           std::ostream& err);
