// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

// What lekstar-cli was told before its command, and the failures that end a run.
struct SCliOptions {
    std::string dictPath;
    std::string headPath;
    bool bRaw = false;
};

// A command line that cannot be carried out; the message says what was wrong, in one line.
struct SUsageError {
    std::string message;
};
// A file named on the command line that cannot serve; the message says which and why.
struct SFileError {
    std::string message;
};

constexpr int kStatusUsage = 2;
constexpr int kStatusNotExact = 3;

namespace CliArgs {

bool IsUtf8(std::string_view text);
// Every argument must be UTF-8 unless raw bytes were asked for: a word from a terminal in another
// encoding would otherwise be looked up as garbage.
void CheckUtf8(const std::vector<std::string>& args, const SCliOptions& options);
// Argument i as a whole number; a usage error naming `what` when it is missing or no number.
int IntArg(const std::string& command, const std::string& what, const std::vector<std::string>& args,
           std::size_t i);
// Removes flag from the front of args; whether it was there.
bool TakeFlag(std::vector<std::string>& args, const char* flag);
// The arguments joined by spaces.
std::string Joined(const std::vector<std::string>& args);
// The page head: a missing file is an empty head; one that is no regular file of at most a
// megabyte (a folder, a FIFO, /dev/zero, /proc/self/mem) is an SFileError.
std::string ReadHead(const std::string& path);
// Why the dictionary did not open, from CDictFile::Open's code and the errno it left.
std::string OpenFailure(int code, int savedErrno);

} // namespace CliArgs
