// SPDX-License-Identifier: GPL-2.0-or-later
// The dictd / FreeDict side of lekstar-mkdic on any text: the index parser, the inflater and the
// entry parser, then the whole compiler on the entry, whose output must be a dictionary that
// opens.

#include "FreeDictCompiler.h"
#include "FuzzInput.h"

#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    const std::string_view data(reinterpret_cast<const char*>(bytes), size);
    std::vector<SDictdIndexEntry> index;
    CDictdReader::ParseIndex(data, index, nullptr);
    std::string inflated;
    CDictdReader::Gunzip(data, inflated, nullptr);

    // The first line is the key, the rest the entry's text, as a dictd entry has them.
    const std::size_t newline = data.find('\n');
    const std::string_view key = data.substr(0, newline == std::string_view::npos ? data.size() : newline);
    const SFreeDictEntry entry = FreeDict::ParseEntry(key, data);
    for (const SFreeDictSense& sense : entry.senses) {
        FreeDict::LithuanianItems(sense.text);
        FreeDict::EnglishPhrases(sense.text);
    }
    FreeDict::Inflections(key, FreeDict::PartOfSpeech(key));
    FreeDict::HtmlText(data);
    FreeDict::AsciiFold(data);
    FreeDict::LinkName(key);

    CFreeDictCompiler compiler;
    compiler.Compile({entry}, {entry});
    const std::string image = CDictWriter::Build(compiler.Content());
    const FuzzInput::CMemoryFile file(image);
    CDictFile dict;
    dict.SetPath(file.Path());
    FuzzInput::Require(dict.Open() == CDictFile::kOpenOk, "what the compiler writes opens");
    return 0;
}
