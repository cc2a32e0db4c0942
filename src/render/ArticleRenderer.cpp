// SPDX-License-Identifier: GPL-2.0-or-later
// The renderers: dictionary records turned into HTML fragments. Bodies are HTML already and go
// in unchanged; only anchors, links, rules and highlight tags are added. Nothing is escaped.

#include "render/ArticleRenderer.h"

#include "dict/ArticleText.h"

#include <cstdio>
#include <cstring>

using namespace DictFormat;

namespace {

// Length of the headword part of an article for the forward renderers: the bytes before its
// first TAB when that TAB is among the first 32 bytes; -1 when there is no such part.
int HeadwordPart(std::string_view text) {
    const SArticleText article = SArticleText::Split(text);
    return (article.bTitled && article.title.size() < 32) ? static_cast<int>(article.title.size()) : -1;
}

bool HasSuperscript(std::int32_t homonym) {
    return homonym != 0 && homonym != kAbbreviation;
}

// "<A HREF=\"#R%d\">%s</A>" with the homonym superscript when there is one, then the spacing.
void AppendLink(std::string& out, int anchor, std::string_view text, std::int32_t homonym, bool lineBreak) {
    out += "<A HREF=\"#R";
    out += std::to_string(anchor);
    out += "\">";
    out += text;
    out += "</A>";
    if (HasSuperscript(homonym)) {
        out += "<sup><small>";
        out += std::to_string(homonym);
        out += "</sup></small>";
    }
    out += "&nbsp;&nbsp;&nbsp;";
    if (lineBreak)
        out += "\r\n";
}

void AppendAnchor(std::string& out, std::int64_t name) {
    out += "<A NAME=\"R";
    out += std::to_string(name);
    out += "\"></A>";
}

// Marks each occurrence of word in body that stands as a whole word: not after a letter, '>' or
// '[', not before a letter or '<'.
void Highlight(std::string& body, const std::string& word) {
    static constexpr std::string_view kStart = "<SPAN CLASS=SELECTED>";
    static constexpr std::string_view kEnd = "</SPAN>";
    std::size_t p = 0;
    while (p <= body.size()) {
        const std::size_t g = body.find(word, p);
        if (g == std::string::npos)
            return;
        if (g == 0) {
            // An occurrence at the very start is never marked, and the search resumes two bytes on.
            p = 2;
            continue;
        }
        const auto c = static_cast<unsigned char>(body[g - 1]);
        if (c == '>' || c == '[' || CDictRecords::LetterWeight(c) != 0) {
            p = g + 1;
            continue;
        }
        const std::size_t after = g + word.size();
        const auto d = after < body.size() ? static_cast<unsigned char>(body[after]) : 0;
        if (CDictRecords::LetterWeight(d) != 0 || d == '<') {
            p = g + 1;
            continue;
        }
        body.insert(after, kEnd);
        body.insert(g, kStart);
        p = g + word.size() + kStart.size() + kEnd.size();
    }
}

} // namespace

namespace {

// The state shared by RenderForward and RenderLinkTarget while they collect matching articles.
struct SForwardPage {
    std::string head;
    std::string body;
    int k = 0;
    std::int32_t firstHomonym = 0;

    // Adds one matching article; isLinkTarget selects the link form without a line break.
    // Returns true when this was the first article shown.
    bool Add(std::string_view text, std::int32_t h, bool isLinkTarget) {
        const int part = HeadwordPart(text);
        if (body.empty()) {
            firstHomonym = h;
            k = 1;
            if (part >= 0) {
                AppendAnchor(body, 1);
                body += text.substr(static_cast<std::size_t>(part) + 1);
                head.assign(text.substr(0, static_cast<std::size_t>(part) + 1));
            } else {
                head.clear();
                body.assign(text);
            }
            return true;
        }
        if (k == 1) {
            // The first article's link text is the head so far: its headword and its TAB.
            const std::string first = head;
            AppendLink(head, 1, first, firstHomonym, false);
        }
        ++k;
        if (part >= 0)
            AppendLink(head, k, text.substr(0, static_cast<std::size_t>(part)), h, !isLinkTarget);
        body += "<HR>\r\n";
        AppendAnchor(body, k);
        body += part >= 0 ? text.substr(static_cast<std::size_t>(part) + 1) : text;
        return false;
    }

    std::string Finish() {
        if (k > 1)
            head += "<HR>\r\n";
        return head + body;
    }
};

} // namespace

std::string CArticleRenderer::RenderMatches(std::size_t first, std::size_t end, std::string_view q,
                                            bool bLinkTarget, int maxGap, int& entry) const {
    entry = -1;
    SForwardPage page;
    bool found = false;
    int l = 0; // records examined since the first article shown, across lists
    char buffer[kHeadwordSpanLimit];
    // Nothing before the first match adds to the page: the search finds it, the walk starts there.
    std::size_t firstList = first;
    int firstRecord = m_search.FirstListMatch(firstList, q);
    while (firstRecord < 0 && ++firstList < end)
        firstRecord = m_search.FirstListMatch(firstList, q);
    if (firstRecord < 0)
        return page.Finish();
    std::string text;
    for (std::size_t b = firstList; b < end; ++b) {
        for (int j = b == firstList ? firstRecord : 0; j < m_records.Count(b); ++j) {
            std::int32_t e = 0;
            std::size_t length = 0;
            if (!m_records.ReadHeadword(b, j, e, buffer, length))
                continue;
            std::string_view t(buffer, length);
            if (entry == -1 && t.size() > q.size())
                t = t.substr(0, q.size());
            std::int32_t h = 0;
            if (CDictRecords::CompareForward(q, t) != 0) {
                ++l;
                if (found && l > maxGap)
                    break; // on to the next list, where each record not matching ends it again
                continue;
            }
            if (!m_records.FetchArticle(e, h, text))
                continue; // a headword leading to a damaged article is no match
            found = true;
            if (page.Add(text, h, bLinkTarget))
                l = 0;
            else
                ++l;
            if (entry == -1)
                entry = e;
        }
    }
    return page.Finish();
}

std::string CArticleRenderer::RenderForward(const CQuery& word, int& entry) const {
    // A page of one word's homonyms and forms runs on through the records that do not match
    // (other forms between them), up to 100 of them.
    return RenderMatches(kMainList, kLinkList, word.Trimmed(), false, 100, entry);
}

std::string CArticleRenderer::RenderArticles(const std::vector<int>& entries, int& entry) const {
    entry = -1;
    SForwardPage page;
    for (const int e : entries) {
        std::int32_t h = 0;
        std::string text;
        if (!m_records.FetchArticle(e, h, text))
            continue;
        page.Add(text, h, false);
        if (entry == -1)
            entry = e;
    }
    return page.Finish();
}

std::string CArticleRenderer::RenderLinkTarget(const CQuery& name, int& entry) const {
    // The link list names each target once: the walk ends at the first record after it.
    return RenderMatches(kLinkList, kLinkList + 1, name.Trimmed(), true, 0, entry);
}

std::string CArticleRenderer::RenderReverseRecord(const TEntryList& list, int index) const {
    const std::string word = m_records.GetReverseHeadword(index);
    // Only the words the entry list holds exist for the renderer, however large m claims to be.
    const int m =
        static_cast<int>(std::min<std::uint32_t>(static_cast<std::uint32_t>(list[0]), kEntryListWords));
    std::string top = "<A NAME=\"Rbeg\"></A>\r\n";
    std::string body;
    for (int n = 1; n < m; ++n) {
        const std::int32_t e = list[static_cast<std::size_t>(n)];
        const std::string text = m_records.GetArticle(e);
        const SArticleText a = SArticleText::Split(text);
        const std::size_t lt = text.find('<');
        // The article is shown only when it has a tag after its title (or no title at all).
        if (lt == std::string::npos || lt == 0 || (a.bTitled && a.title.size() > lt))
            continue;
        top += "<A HREF=\"#R";
        top += std::to_string(e);
        top += "\">";
        top += a.title;
        top += "</A>&nbsp;&nbsp;&nbsp; ";
        AppendAnchor(body, e);
        body += a.body;
        if (m > 2)
            body += "</P><A CLASS=aback HREF=\"#Rbeg\">\xC1 vir\xF0\xF8</A>\r\n";
        if (n + 1 < m)
            body += "<HR>\r\n\r\n";
    }
    if (!word.empty())
        Highlight(body, word);
    if (m == 2)
        return body;
    return top + "<HR>\r\n\r\n" + body;
}
