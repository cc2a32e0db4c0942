// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "dict/DictFormat.h"

#include <string>
#include <string_view>
#include <vector>

class CDictFile;

// Whole translation pages: what a page file holds and what the automation methods return.
namespace PageComposer {

// The page head, the body, then "\r\n", "</BODY>\r\n" and "</HTML>\r\n": the page head opens
// the document and its body, the page closes them.
std::string ComposePage(std::string_view head, std::string_view body);

// Items of an argument split at sep: every separator ends an item, also an empty one; the bytes
// after the last separator form an item only when there are any. An empty text has no items.
std::vector<std::string> SplitItems(std::string_view text, char sep);

// The English page for the words of text separated by spaces: each word's articles behind a Q
// anchor with a link back to the start, a row of links when there are several words. Every word
// is cut to 255 bytes. Returns the whole page, head included.
std::string TranslateHtml(CDictFile& dict, std::string_view head, std::string_view text);

// The page Translate shows for the items of text separated by "|", without the page head: with
// several items a row of links to Q anchors, then each item's articles behind its anchor with a
// link back to the start; with one item the title part (headword, TAB) comes first and there is
// no row of links; no items give an empty page. Every item is cut to 255 bytes. followWord
// receives the word the index list is to follow: "a" with several items, else the one item
// (empty when there is none).
std::string TranslatePage(CDictFile& dict, std::string_view text, std::string& followWord);

// The Lithuanian page for word: the English articles of the nearest Lithuanian headword.
std::string TranslateHtmlRev(CDictFile& dict, std::string_view head, std::string_view word);

// The longest item the automation methods pass on.
constexpr std::size_t kMaxItem = DictFormat::kMaxWordBytes;

} // namespace PageComposer
