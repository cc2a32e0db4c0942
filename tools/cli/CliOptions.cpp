// SPDX-License-Identifier: GPL-2.0-or-later
#include "cli/CliOptions.h"

#include "dict/Cp1257.h"
#include "dict/SmallFile.h"
#include "render/DictFile.h"

#include <cerrno>
#include <charconv>
#include <cstring>
#include <optional>

namespace CliArgs {

bool IsUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();)
        if (Cp1257::NextCodePoint(text, i) == Cp1257::kInvalid)
            return false;
    return true;
}

void CheckUtf8(const std::vector<std::string>& args, const SCliOptions& options) {
    if (options.bRaw)
        return;
    for (const std::string& a : args)
        if (!IsUtf8(a))
            throw SUsageError{"an argument is not valid UTF-8 (--raw takes code page 1257 bytes)"};
}

namespace {

std::optional<int> ParseInt(const std::string& s) {
    int v = 0;
    const char* end = s.data() + s.size();
    const auto [p, ec] = std::from_chars(s.data(), end, v);
    if (ec != std::errc() || p != end)
        return std::nullopt;
    return v;
}

} // namespace

int IntArg(const std::string& command, const std::string& what, const std::vector<std::string>& args,
           std::size_t i) {
    if (i >= args.size())
        throw SUsageError{command + " needs " + what};
    const std::optional<int> v = ParseInt(args[i]);
    if (!v)
        throw SUsageError{command + ": " + what + " must be a whole number, not '" + args[i] + "'"};
    return *v;
}

bool TakeFlag(std::vector<std::string>& args, const char* flag) {
    if (!args.empty() && args.front() == flag) {
        args.erase(args.begin());
        return true;
    }
    return false;
}

std::string Joined(const std::vector<std::string>& args) {
    std::string joined;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (i > 0)
            joined += ' ';
        joined += args[i];
    }
    return joined;
}

std::string ReadHead(const std::string& path) {
    constexpr std::size_t kMaxHead = 1024 * 1024;
    std::string bytes;
    errno = 0;
    switch (SmallFile::Read(path, kMaxHead, bytes)) {
    case SmallFile::EResult::Ok:
        return bytes;
    case SmallFile::EResult::Missing:
        return {};
    case SmallFile::EResult::NotRegular:
        throw SFileError{"the page head " + path + " is not a regular file"};
    case SmallFile::EResult::TooLarge:
        throw SFileError{"the page head " + path + " is larger than 1 MiB"};
    case SmallFile::EResult::ReadFailed:
        break;
    }
    throw SFileError{"the page head " + path + " cannot be read (" + std::strerror(errno) + ")"};
}

std::string OpenFailure(int code, int savedErrno) {
    switch (code) {
    case CDictFile::kOpenNoPath:
        return "no dictionary file was named";
    case CDictFile::kOpenFileFailed:
        return std::string("the file cannot be opened for reading (") + std::strerror(savedErrno) + ")";
    case CDictFile::kOpenMappingFailed:
        return "it is not a regular file";
    case CDictFile::kOpenViewFailed:
        return std::string("it cannot be mapped into memory (") + std::strerror(savedErrno) + ")";
    case CDictFile::kOpenDamaged:
        return "the file is damaged: shorter than its header, or a section runs past its end";
    default:
        return "unknown error " + std::to_string(code);
    }
}

} // namespace CliArgs
