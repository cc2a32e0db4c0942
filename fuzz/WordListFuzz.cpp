// SPDX-License-Identifier: GPL-2.0-or-later
// The reading of a hunspell dictionary without hunspell, on any affix file, word list and word
// (the input's three parts, split at 0x01 bytes): it never reads outside what it was given, never
// hangs, and calls no word right and gives no stem where the list holds nothing.

#include "FuzzInput.h"
#include "dict/WordList.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

// The input's parts as files of one folder for the run, removed at its end: base.aff and base.dic.
struct SFolder {
    std::string path;
    ~SFolder() { std::filesystem::remove_all(path); }
};
std::string Base() {
    static const SFolder folder = [] {
        char name[] = "/tmp/lekstar-fuzz-XXXXXX";
        FuzzInput::Require(::mkdtemp(name) != nullptr, "a folder for the files");
        return SFolder{name};
    }();
    return folder.path + "/data";
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    const std::string_view data(reinterpret_cast<const char*>(bytes), size);
    const std::size_t affEnd = std::min(data.find('\x01'), data.size());
    const std::string_view rest = data.substr(std::min(affEnd + 1, data.size()));
    const std::size_t dicEnd = std::min(rest.find('\x01'), rest.size());
    const std::string_view word = rest.substr(std::min(dicEnd + 1, rest.size()));
    const std::string base = Base();
    std::ofstream(base + ".aff", std::ios::binary | std::ios::trunc) << data.substr(0, affEnd);
    std::ofstream(base + ".dic", std::ios::binary | std::ios::trunc) << rest.substr(0, dicEnd);
    const bool bHasLines = rest.substr(0, dicEnd).find('\n') != std::string_view::npos;
    const bool bRight = WordList::IsSurelySpeltRight(base, word);
    FuzzInput::Require(!bRight || bHasLines, "a word is right only by a line of the list");
    const std::optional<std::vector<std::string>> stems = WordList::SurelyStems(base, word);
    FuzzInput::Require(!stems || stems->empty() || bHasLines, "a stem only by a line of the list");
    return 0;
}
