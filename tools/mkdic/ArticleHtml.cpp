// SPDX-License-Identifier: GPL-2.0-or-later
// The HTML of an article: its senses with their remarks, links and cross-references.

#include "mkdic/FreeDictCompiler.h"
#include "mkdic/TextTools.h"

#include "dict/Cp1257.h"
#include "dict/DictFormat.h"
#include "dict/DictRecords.h"

#include <algorithm>

using namespace MkdicText;

using namespace FreeDict;

std::string CFreeDictCompiler::LinkHtml(const std::vector<int>& articles, const std::string& textUtf8) {
    // The link leads to every article that carries exactly the headword found (its homonyms).
    const std::string& headword = m_drafts[static_cast<std::size_t>(articles.front())].headword;
    const std::string name = LinkName(headword);
    if (name.empty())
        return HtmlText(textUtf8);
    std::vector<int>& targets = m_linkTargets[name];
    for (int a : m_headwords.Exact(headword))
        AddUnique(targets, a, m_drafts.size());
    ++m_stats.linksInArticles;
    std::string escaped;
    for (char c : name) {
        if (c == '&')
            escaped += "&amp;";
        else if (c == '<')
            escaped += "&lt;";
        else if (c == '>')
            escaped += "&gt;";
        else
            escaped += c;
    }
    return "<A HREF=\"" + escaped + "\">" + HtmlText(textUtf8) + "</A>";
}

namespace {

// The end of the word that starts at k, before close: apostrophes and hyphens inside a word keep
// it whole ("one's", "X-ray"). ascii tells whether its letters are all ASCII.
std::size_t WordEnd(const U32& s, std::size_t k, std::size_t close, bool& ascii) {
    std::size_t e = k;
    ascii = true;
    while (e < close &&
           (IsLetter(s[e]) || ((s[e] == '\'' || s[e] == '-') && e + 1 < close && IsLetter(s[e + 1])))) {
        ascii = ascii && s[e] < 0x80;
        ++e;
    }
    return e;
}

} // namespace

void CFreeDictCompiler::RemarkLinks(const SArticleDraft& draft, const U32& s, std::size_t open,
                                    std::size_t close, std::vector<SRemarkLink>& links) const {
    // English words in a remark, "(at)", "(sutr. iš gasoline)", "(t.p. drug addict)", become
    // links. A remark part (between commas or before a dash) whose plain words are not all
    // headwords is Lithuanian text ("(bet koks pailgas)") and links nothing.
    std::vector<SRemarkLink> candidates;
    bool lithuanian = false;
    const auto endPart = [&] {
        if (!lithuanian)
            links.insert(links.end(), candidates.begin(), candidates.end());
        candidates.clear();
        lithuanian = false;
    };
    for (std::size_t k = open + 1; k < close;) {
        const char32_t c = s[k];
        if (c == ',' || c == ';' || c == 0x2013 || c == 0x2014) {
            endPart();
            ++k;
            continue;
        }
        if (!IsLetter(c)) {
            ++k;
            continue;
        }
        bool ascii = true;
        const std::size_t start = k;
        const std::size_t e = WordEnd(s, k, close, ascii);
        k = e;
        // Lithuanian words and abbreviations ("t.p.", "šnek.") are the remark's own text.
        if (!ascii || (e < s.size() && s[e] == '.'))
            continue;
        const std::string word = Encode(s.substr(start, e - start));
        const std::string lower = AsciiLower(word);
        if (word.size() < 2 || Contains(kPlaceholders, lower) || Contains(kLithuanianAscii, lower) ||
            Contains(kNoLink, lower))
            continue;
        const std::vector<int>* articles = FindArticles(word, false);
        if (articles == nullptr) {
            lithuanian = true;
            continue;
        }
        if (m_drafts[static_cast<std::size_t>(articles->front())].headword != draft.headword)
            candidates.push_back({start, e, articles});
    }
    endPart();
}

std::string CFreeDictCompiler::SenseHtml(const SArticleDraft& draft, const std::string& sense) {
    const U32 s = Decode(sense);
    std::vector<SRemarkLink> links;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '(')
            continue;
        const std::size_t close = MatchClose(s, i);
        if (close == U32::npos)
            break;
        if (IsOptionalPart(s, i, close))
            continue;
        RemarkLinks(draft, s, i, close, links);
        i = close;
    }
    std::string out;
    std::size_t at = 0;
    for (const SRemarkLink& link : links) {
        out += HtmlText(Encode(s.substr(at, link.start - at)));
        out += LinkHtml(*link.articles, Encode(s.substr(link.start, link.end - link.start)));
        at = link.end;
    }
    out += HtmlText(Encode(s.substr(at)));
    return out;
}

std::string CFreeDictCompiler::RefsHtml(const std::vector<const SCrossRef*>& refs) {
    static constexpr std::pair<ECrossRef, std::string_view> kLabels[] = {
        {ECrossRef::SeeAlso, "Taip pat žr.:"},
        {ECrossRef::Antonym, "Antonimas:"},
        {ECrossRef::Derived, "Žr.:"}};
    std::string out;
    for (const auto& [kind, label] : kLabels) {
        std::vector<std::string> targets;
        for (const SCrossRef* r : refs)
            if (r->kind == kind && std::find(targets.begin(), targets.end(), r->target) == targets.end())
                targets.push_back(r->target);
        if (targets.empty())
            continue;
        out += "<P CLASS=see>\r\n" + HtmlText(label) + " ";
        for (std::size_t n = 0; n < targets.size(); ++n) {
            if (n > 0)
                out += ", ";
            const std::vector<int>* articles = FindArticles(PlainText(targets[n]), true);
            out += articles != nullptr ? LinkHtml(*articles, targets[n]) : HtmlText(targets[n]);
        }
        out += "\r\n</P>\r\n";
    }
    return out;
}

std::string CFreeDictCompiler::ArticleBody(const SArticleDraft& draft) {
    const SFreeDictEntry& e = *draft.entry;
    std::string body = "<P CLASS=hw><B>" + HtmlText(e.headword) + "</B>";
    if (!e.pron.empty())
        body += " <SPAN CLASS=pron>[" + HtmlText(e.pron) + "]</SPAN>";
    if (!e.pos.empty())
        body += " <I>" + HtmlText(PartOfSpeech(e.pos)) + "</I>";
    body += "</P>\r\n";

    // Cross-references stand under the sense they follow; when every sense has the same ones
    // ("See also: {abnormity}" after both senses), they are shown once at the end.
    std::vector<std::vector<const SCrossRef*>> groups(e.senses.size() + 1);
    for (const SCrossRef& r : e.refs)
        groups[static_cast<std::size_t>(r.sense + 1)].push_back(&r);
    const auto same = [](const std::vector<const SCrossRef*>& a, const std::vector<const SCrossRef*>& b) {
        return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const SCrossRef* x, const SCrossRef* y) {
            return x->kind == y->kind && x->target == y->target;
        });
    };
    bool alike = e.senses.size() >= 2;
    for (std::size_t n = 1; alike && n < groups.size(); ++n)
        alike = !groups[n].empty() && same(groups[1], groups[n]);
    body += RefsHtml(groups[0]);
    for (std::size_t n = 0; n < e.senses.size(); ++n) {
        const SFreeDictSense& sense = e.senses[n];
        // Each text line stands alone between the tags, so that the reverse view can mark a
        // Lithuanian word at the start or end of a line.
        body += "<P CLASS=sense>\r\n";
        if (!sense.number.empty())
            body += HtmlText(sense.number) + " ";
        body += SenseHtml(draft, ConvertDomainLabels(sense.text));
        body += "\r\n</P>\r\n";
        if (!alike)
            body += RefsHtml(groups[n + 1]);
    }
    if (alike)
        body += RefsHtml(groups[1]);
    return body;
}

std::string CFreeDictCompiler::TranslatedBody(const SArticleDraft& draft) {
    std::string body = "<P CLASS=hw><B>" + HtmlText(draft.entry->headword) + "</B></P>\r\n";
    const std::size_t self = static_cast<std::size_t>(&draft - m_drafts.data());
    // Related articles: the other translations of its senses, and the articles whose senses hold
    // the Lithuanian words, in that order.
    std::vector<int> related;
    std::vector<std::string> relatedText;
    const auto relate = [&](int a, const std::string& textUtf8) {
        if (a == static_cast<int>(self) || related.size() >= kTranslationArticles)
            return;
        const std::string& headword = m_drafts[static_cast<std::size_t>(a)].headword;
        for (const int r : related)
            if (m_drafts[static_cast<std::size_t>(r)].headword == headword)
                return;
        related.push_back(a);
        relatedText.push_back(textUtf8);
    };
    for (std::size_t n = 0; n < draft.translated.size(); ++n) {
        const STranslatedSense& t = draft.translated[n];
        const SFreeDictEntry& l = *t.source;
        // Each text line stands alone between the tags, so that the reverse view can mark the
        // Lithuanian word.
        body += "<P CLASS=sense>\r\n";
        if (draft.translated.size() > 1)
            body += std::to_string(n + 1) + ". ";
        body += HtmlText(TrimUtf8(l.headword));
        if (!l.pron.empty())
            body += " <SPAN CLASS=pron>[" + HtmlText(l.pron) + "]</SPAN>";
        if (!l.pos.empty())
            body += " <I>" + HtmlText(PartOfSpeech(l.pos)) + "</I>";
        // Appended piece by piece: GCC 12 at -O2 takes `" " + text` for an overlapping copy (a
        // false -Wrestrict).
        if (!t.remark.empty()) {
            body += ' ';
            body += HtmlText(t.remark);
        }
        body += "\r\n</P>\r\n";
        for (const std::string& phrase : t.related)
            if (const std::vector<int>* articles = FindArticles(PlainText(phrase), true))
                relate(articles->front(), phrase);
    }
    for (const STranslatedSense& t : draft.translated) {
        const auto found = m_reverseFromEnglish.find(PlainText(TrimUtf8(t.source->headword)));
        if (found != m_reverseFromEnglish.end())
            for (const int a : found->second)
                relate(a, m_drafts[static_cast<std::size_t>(a)].entry->headword);
    }
    if (!related.empty()) {
        body += "<P CLASS=see>\r\n" + HtmlText("Taip pat žr.:") + " ";
        for (std::size_t n = 0; n < related.size(); ++n) {
            if (n > 0)
                body += ", ";
            body += LinkHtml(m_headwords.Exact(m_drafts[static_cast<std::size_t>(related[n])].headword),
                             relatedText[n]);
        }
        body += "\r\n</P>\r\n";
    }
    return body;
}
