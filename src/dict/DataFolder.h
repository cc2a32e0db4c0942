// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <string>

// Where a program finds the dictionary and the pages. Beside itself first (a build tree, or a
// folder of its own), then in its installation's share/lekstar, so that an installed program
// works under any prefix and under a staging DESTDIR.
namespace DataFolder {

// programDir when LEKSTAR.dic lies there; else programDir/../share/lekstar when LEKSTAR.dic lies
// there; else programDir (where the messages then say the file is missing).
std::string For(const std::string& programDir);
// Whether For(programDir) is an installation's share folder rather than the program's own.
bool IsInstalled(const std::string& programDir);

} // namespace DataFolder
