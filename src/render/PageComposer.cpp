// SPDX-License-Identifier: GPL-2.0-or-later
#include "PageComposer.h"

#include "dict/ArticleText.h"
#include "render/DictFile.h"
#include "render/Lookup.h"

namespace PageComposer {

namespace {

constexpr std::string_view kStartPoint = "<A NAME=\"#StartPoint\"></A>\r\n";
// "Į pradžią" in code page 1257.
constexpr std::string_view kBackToStart = "<BR><A HREF=\"#StartPoint\">\xC1 prad\xFEi\xE0</a>\r\n";

std::string ForwardArticle(CDictFile& dict, std::string_view item) {
    return Lookup::Find(dict, EDirection::Forward, item).text;
}

} // namespace

std::string ComposePage(std::string_view head, std::string_view body) {
    std::string page;
    page.reserve(head.size() + body.size() + 24);
    page += head;
    page += body;
    page += "\r\n</BODY>\r\n</HTML>\r\n";
    return page;
}

std::vector<std::string> SplitItems(std::string_view text, char sep) {
    std::vector<std::string> items;
    std::size_t from = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == sep) {
            items.emplace_back(text.substr(from, i - from));
            from = i + 1;
        }
    }
    if (from < text.size())
        items.emplace_back(text.substr(from));
    return items;
}

namespace {

// What both pages of several words are made of: a row of links to Q anchors after the start
// anchor, and each item's article body behind its anchor with a link back to the start, rules
// between them. Every item is cut to kMaxItem bytes.
struct SItemsPage {
    std::vector<std::string> items;
    std::string links{kStartPoint};
    std::string bodies;
};

// bWindow: the window's page, where even one item has its link and anchor and keeps its title
// part (headword, TAB) in front, for the entry box; otherwise one item stands alone.
SItemsPage ComposeItems(CDictFile& dict, std::string_view text, char sep, bool bWindow) {
    SItemsPage page;
    page.items = SplitItems(text, sep);
    const std::size_t n = page.items.size();
    for (std::size_t k = 0; k < n; ++k) {
        std::string& item = page.items[k];
        if (item.size() > kMaxItem)
            item.resize(kMaxItem);
        std::string anchor;
        if (n > 1 || bWindow) {
            page.links += "<A HREF=\"#Q" + std::to_string(k) + "\">" + item + "</A>&nbsp;";
            anchor = "<A NAME=\"Q" + std::to_string(k) + "\"></A>";
        }
        const std::string article = ForwardArticle(dict, item);
        const SArticleText a = SArticleText::Split(article);
        if (bWindow && n == 1 && a.bTitled) {
            page.bodies += a.title;
            page.bodies += '\t';
        }
        page.bodies += anchor;
        page.bodies += a.body;
        page.bodies += kBackToStart;
        if (k + 1 < n)
            page.bodies += "\r\n<HR>\r\n";
    }
    if (n > 1)
        page.links += "\r\n<HR>\r\n";
    return page;
}

} // namespace

std::string TranslateHtml(CDictFile& dict, std::string_view head, std::string_view text) {
    const SItemsPage page = ComposeItems(dict, text, ' ', false);
    return ComposePage(head, page.links + page.bodies);
}

std::string TranslatePage(CDictFile& dict, std::string_view text, std::string& followWord) {
    SItemsPage page = ComposeItems(dict, text, '|', true);
    if (page.items.size() > 1) {
        // Several words: the index goes to the first words of the alphabet rather than to any one.
        followWord = "a";
        return page.links + page.bodies;
    }
    // One word or none: the row of links and the start anchor would only point at themselves.
    followWord = page.items.empty() ? std::string() : page.items.front();
    return page.bodies;
}

std::string TranslateHtmlRev(CDictFile& dict, std::string_view head, std::string_view word) {
    return ComposePage(head, Lookup::Find(dict, EDirection::Reverse, word).text);
}

} // namespace PageComposer
