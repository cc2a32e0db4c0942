// SPDX-License-Identifier: GPL-2.0-or-later
#include "PageComposer.h"

#include "dict/DictFile.h"
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

std::string TranslateHtml(CDictFile& dict, std::string_view head, std::string_view text) {
    std::vector<std::string> items = SplitItems(text, ' ');
    const bool several = items.size() > 1;
    std::string h(kStartPoint);
    std::string b;
    for (std::size_t k = 0; k < items.size(); ++k) {
        std::string& item = items[k];
        if (item.size() > kMaxItem)
            item.resize(kMaxItem);
        std::string anchor;
        if (several) {
            h += "<A HREF=\"#Q" + std::to_string(k) + "\">" + item + "</A>&nbsp;";
            anchor = "<A NAME=\"Q" + std::to_string(k) + "\"></A>";
        }
        const std::string article = ForwardArticle(dict, item);
        const std::size_t tab = article.find('\t');
        b += anchor;
        b.append(article, tab == std::string::npos ? 0 : tab + 1);
        b += kBackToStart;
        if (k + 1 < items.size())
            b += "\r\n<HR>\r\n";
    }
    if (several)
        h += "\r\n<HR>\r\n";
    return ComposePage(head, h + b);
}

std::string TranslatePage(CDictFile& dict, std::string_view text, std::string& followWord) {
    std::vector<std::string> items = SplitItems(text, '|');
    std::string h(kStartPoint);
    std::string b;
    for (std::size_t k = 0; k < items.size(); ++k) {
        std::string& item = items[k];
        if (item.size() > kMaxItem)
            item.resize(kMaxItem);
        h += "<A HREF=\"#Q" + std::to_string(k) + "\">" + item + "</A>&nbsp;";
        const std::string anchor = "<A NAME=\"Q" + std::to_string(k) + "\"></A>";
        const std::string article = ForwardArticle(dict, item);
        const std::size_t tab = article.find('\t');
        if (tab == std::string::npos) {
            b += anchor;
            b += article;
        } else {
            // Only a page of one word carries a title for the entry box; several words have none.
            if (items.size() == 1)
                b.append(article, 0, tab + 1);
            b += anchor;
            b.append(article, tab + 1);
        }
        b += kBackToStart;
        if (k + 1 < items.size())
            b += "\r\n<HR>\r\n";
    }
    if (items.size() > 1) {
        h += "\r\n<HR>\r\n";
        // Several words: the index goes to the first words of the alphabet rather than to any one.
        followWord = "a";
        return h + b;
    }
    // One word or none: the row of links and the start anchor would only point at themselves.
    followWord = items.empty() ? std::string() : items.front();
    return b;
}

std::string TranslateHtmlRev(CDictFile& dict, std::string_view head, std::string_view word) {
    return ComposePage(head, Lookup::Find(dict, EDirection::Reverse, word).text);
}

} // namespace PageComposer
