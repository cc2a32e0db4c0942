// SPDX-License-Identifier: GPL-2.0-or-later
// The pages of the automation methods on any argument: the split into words at "|" and spaces,
// the cut to 255 bytes and the page built from them, over a small dictionary of the project's
// own writer.

#include "FuzzInput.h"
#include "dict/DictWriter.h"
#include "render/PageComposer.h"

#include <memory>
#include <string>

namespace {

CDictFile& Dictionary() {
    static const std::unique_ptr<FuzzInput::CMemoryFile> s_file = [] {
        SDictContent c;
        for (const char* word : {"a", "bank", "bank", "cat", "dog", "house", "zq"}) {
            const std::string w(word);
            c.articles.push_back({w, w == "bank" ? static_cast<std::int32_t>(c.articles.size()) : 0,
                                  CDictWriter::ArticleText(w, "<P>" + w + "</P>")});
        }
        c.links = {{"bank", 1}, {"house", 5}};
        c.alternates[0] = {{"cats", 3}};
        c.reverse = {{"katinas", {3}}, {"namas", {5}}, {"\xF0uo", {4}}};
        return std::make_unique<FuzzInput::CMemoryFile>(CDictWriter::Build(c));
    }();
    static CDictFile s_dict;
    if (!s_dict.IsOpen()) {
        s_dict.SetPath(s_file->Path());
        FuzzInput::Require(s_dict.Open() == CDictFile::kOpenOk, "the writer's dictionary opens");
    }
    return s_dict;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(bytes), size);
    CDictFile& dict = Dictionary();
    const std::vector<std::string> items = PageComposer::SplitItems(text, '|');
    std::size_t bars = 0;
    for (const char c : text)
        bars += c == '|' ? 1 : 0;
    FuzzInput::Require(items.size() == bars + (text.empty() || text.back() == '|' ? 0 : 1),
                       "one item per '|', and one after the last unless it is empty");
    std::string follow;
    const std::string page = PageComposer::TranslatePage(dict, text, follow);
    FuzzInput::Require(items.size() > 1 ? follow == "a" : true, "several items follow \"a\"");
    PageComposer::TranslateHtml(dict, "<HTML>", text);
    PageComposer::TranslateHtmlRev(dict, "<HTML>", text);
    return 0;
}
