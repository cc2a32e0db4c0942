// SPDX-License-Identifier: GPL-2.0-or-later
#include "cli/CliCommands.h"
#include "dict/DataFolder.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>

int main(int argc, char** argv) {
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::canonical("/proc/self/exe", ec);
    const std::string dir = DataFolder::For(ec ? std::string(".") : exe.parent_path().string());
    std::ios::sync_with_stdio(false);
    SCliIo io{std::cin, std::cout, std::cerr};
    io.bInIsTerminal = ::isatty(STDIN_FILENO) != 0;
    io.bAnsi = ::isatty(STDOUT_FILENO) != 0 && std::getenv("NO_COLOR") == nullptr;
    const int status = RunCli(std::vector<std::string>(argv + 1, argv + argc), dir, io);
    std::cout.flush();
    return status;
}
