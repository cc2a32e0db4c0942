// SPDX-License-Identifier: GPL-2.0-or-later
#include "DataFolder.h"

#include <filesystem>

namespace DataFolder {

namespace {

std::string InstalledFolder(const std::string& programDir) {
    return (std::filesystem::path(programDir).parent_path() / "share" / "lekstar").string();
}

bool HoldsDictionary(const std::string& folder) {
    std::error_code ec;
    return std::filesystem::is_regular_file(std::filesystem::path(folder) / "LEKSTAR.dic", ec);
}

} // namespace

std::string For(const std::string& programDir) {
    return IsInstalled(programDir) ? InstalledFolder(programDir) : programDir;
}

bool IsInstalled(const std::string& programDir) {
    return !HoldsDictionary(programDir) && HoldsDictionary(InstalledFolder(programDir));
}

} // namespace DataFolder
