// SPDX-License-Identifier: GPL-2.0-or-later
#include "DictWriter.h"

#include "DictFormat.h"
#include "DictSearch.h"
#include "LittleEndian.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <numeric>

using namespace DictFormat;

namespace {

using LittleEndian::AppendU32;

void PutScrambled(std::string& out, const std::string& text, std::uint32_t seed) {
    const std::size_t at = out.size();
    out += text;
    CDictRecords::Descramble(out.data() + at, text.size(), seed);
}

// One offset table and its data section, built record by record.
struct SSectionPair {
    std::string table;
    std::string data;

    SSectionPair() { AppendU32(table, 0); }
    // Closes the record that data now ends with.
    void EndRecord() { AppendU32(table, static_cast<std::uint32_t>(data.size())); }
};

SSectionPair HeadwordSection(const std::vector<SDictHeadword>& list) {
    SSectionPair s;
    for (const SDictHeadword& h : list) {
        AppendU32(s.data, static_cast<std::uint32_t>(h.entry));
        PutScrambled(s.data, h.text, static_cast<std::uint32_t>(h.entry));
        s.EndRecord();
    }
    return s;
}

template <typename T, typename Less> std::vector<T> StableSorted(const std::vector<T>& items, Less less) {
    std::vector<T> out = items;
    std::stable_sort(out.begin(), out.end(), less);
    return out;
}

bool ForwardLess(const SDictHeadword& a, const SDictHeadword& b) {
    return CDictRecords::CompareForward(a.text, b.text) < 0;
}

} // namespace

std::string CDictWriter::ArticleText(const std::string& headword, const std::string& body) {
    return headword + '\t' + body;
}

namespace {

// The content in file order: articles by headword (stably) with every reference renumbered to
// follow its article, the alternate and link lists by headword, the reverse list by weights.
SDictContent Sorted(const SDictContent& given) {
    SDictContent content;
    // Articles go in headword order; every reference follows its article to the new place.
    const std::size_t n = given.articles.size();
    std::vector<std::size_t> perm(n);
    std::iota(perm.begin(), perm.end(), 0);
    std::stable_sort(perm.begin(), perm.end(), [&](std::size_t a, std::size_t b) {
        return CDictRecords::CompareForward(given.articles[a].headword, given.articles[b].headword) < 0;
    });
    std::vector<std::int32_t> newIndex(n);
    content.articles.reserve(n);
    for (std::size_t i = 0; i < n; ++i) {
        newIndex[perm[i]] = static_cast<std::int32_t>(i);
        content.articles.push_back(given.articles[perm[i]]);
    }
    const auto renumber = [&](std::int32_t e) {
        return (e >= 0 && static_cast<std::size_t>(e) < n) ? newIndex[static_cast<std::size_t>(e)] : e;
    };
    const auto renumberList = [&](std::vector<SDictHeadword> list) {
        for (SDictHeadword& h : list)
            h.entry = renumber(h.entry);
        return StableSorted(list, ForwardLess);
    };
    for (std::size_t k = 0; k < given.alternates.size(); ++k)
        content.alternates[k] = renumberList(given.alternates[k]);
    content.links = renumberList(given.links);
    const std::size_t nReverse = given.reverse.size();
    std::vector<std::size_t> reversePerm(nReverse);
    std::iota(reversePerm.begin(), reversePerm.end(), 0);
    std::stable_sort(reversePerm.begin(), reversePerm.end(), [&](std::size_t a, std::size_t b) {
        return CDictRecords::CompareByWeight(given.reverse[a].text.c_str(), given.reverse[b].text.c_str()) <
               0;
    });
    std::vector<std::int32_t> newReverse(nReverse);
    for (std::size_t i = 0; i < nReverse; ++i) {
        newReverse[reversePerm[i]] = static_cast<std::int32_t>(i);
        content.reverse.push_back(given.reverse[reversePerm[i]]);
    }
    for (SDictReverse& r : content.reverse)
        for (std::int32_t& e : r.entries)
            e = renumber(e);
    content.lithuanianForms = given.lithuanianForms;
    for (SDictHeadword& f : content.lithuanianForms)
        if (f.entry >= 0 && static_cast<std::size_t>(f.entry) < nReverse)
            f.entry = newReverse[static_cast<std::size_t>(f.entry)];
    content.lithuanianForms =
        StableSorted(content.lithuanianForms, [](const SDictHeadword& a, const SDictHeadword& b) {
            return CDictRecords::CompareByWeight(a.text.c_str(), b.text.c_str()) < 0;
        });
    return content;
}

// The sections of content in file order: the headword lists, the articles, the reverse records.
std::vector<SSectionPair> Sections(const SDictContent& content) {
    std::vector<SSectionPair> sections;
    std::vector<SDictHeadword> mainList;
    mainList.reserve(content.articles.size());
    for (std::size_t i = 0; i < content.articles.size(); ++i)
        mainList.push_back({content.articles[i].headword, static_cast<std::int32_t>(i)});
    sections.push_back(HeadwordSection(mainList));
    for (const auto& alt : content.alternates)
        sections.push_back(HeadwordSection(alt));
    sections.push_back(HeadwordSection(content.links));

    SSectionPair articles;
    for (std::size_t i = 0; i < content.articles.size(); ++i) {
        AppendU32(articles.data, static_cast<std::uint32_t>(content.articles[i].homonym));
        PutScrambled(articles.data, content.articles[i].text, static_cast<std::uint32_t>(i));
        articles.EndRecord();
    }
    sections.push_back(std::move(articles));

    SSectionPair reverse;
    for (const SDictReverse& r : content.reverse) {
        const auto m = static_cast<std::uint32_t>(r.entries.size() + 1);
        AppendU32(reverse.data, m);
        for (std::int32_t e : r.entries)
            AppendU32(reverse.data, static_cast<std::uint32_t>(e));
        // The text's seed is its own offset within the reverse data section.
        PutScrambled(reverse.data, r.text, static_cast<std::uint32_t>(reverse.data.size()));
        reverse.EndRecord();
    }
    sections.push_back(std::move(reverse));
    return sections;
}

// The file image of content exactly as it stands.
std::string Layout(const SDictContent& content) {
    std::vector<SSectionPair> sections = Sections(content);
    std::array<std::uint32_t, kHeaderWords> header{};
    header[0] = kMagic;
    header[1] = kRevision;
    header[kSectionsOffsetWord] = kHeaderSize;
    std::size_t word = kFirstSizeWord;
    for (const SSectionPair& s : sections) {
        header[word++] = static_cast<std::uint32_t>(s.table.size());
        if (word < kFirstSizeWord + kSectionCount - 1)
            header[word++] = static_cast<std::uint32_t>(s.data.size());
    }

    std::size_t total = kHeaderSize;
    for (const SSectionPair& s : sections)
        total += s.table.size() + s.data.size();
    // The Lithuanian inflections follow the reverse data; a file without them is laid out as
    // every reader before them expects.
    SSectionPair forms;
    if (!content.lithuanianForms.empty()) {
        forms = HeadwordSection(content.lithuanianForms);
        header[kFormsOffsetWord] = static_cast<std::uint32_t>(total);
        header[kFormsTableWord] = static_cast<std::uint32_t>(forms.table.size());
        header[kFormsDataWord] = static_cast<std::uint32_t>(forms.data.size());
        total += forms.table.size() + forms.data.size();
        sections.push_back(std::move(forms));
    }

    std::string out;
    out.reserve(total);
    for (std::uint32_t w : header)
        AppendU32(out, w);
    for (const SSectionPair& s : sections) {
        out += s.table;
        out += s.data;
    }
    return out;
}

} // namespace

std::string CDictWriter::Build(const SDictContent& given, EOrder order) {
    return Layout(order == EOrder::AsGiven ? given : Sorted(given));
}

bool CDictWriter::RecordOrderedViews(const std::string& path) {
    // The reader's own check, made once here, so that no reader makes it at its first search.
    std::uint32_t mask = 0;
    {
        CDictRecords records;
        if (records.Open(path) != CDictRecords::kOpenOk)
            return true; // nothing a reader could trust either
        mask = CDictSearch(records).OrderedViewsMask();
    }
    std::FILE* f = std::fopen(path.c_str(), "r+b");
    if (f == nullptr)
        return false;
    std::string words;
    AppendU32(words, DictFormat::kViewsTag);
    AppendU32(words, mask);
    const bool written = std::fseek(f, static_cast<long>(4 * DictFormat::kViewsTagWord), SEEK_SET) == 0 &&
                         std::fwrite(words.data(), 1, words.size(), f) == words.size();
    return std::fclose(f) == 0 && written;
}

bool CDictWriter::WriteFile(const std::string& path, const SDictContent& content, EOrder order,
                            std::string* error) {
    const std::string image = Build(content, order);
    const std::string temp = path + ".part";
    const auto fail = [&](const char* what) {
        if (error != nullptr)
            *error = std::string(what) + " " + temp + ": " + std::strerror(errno);
        std::remove(temp.c_str());
        return false;
    };
    std::FILE* f = std::fopen(temp.c_str(), "wb");
    if (f == nullptr)
        return fail("cannot create");
    const bool written = std::fwrite(image.data(), 1, image.size(), f) == image.size();
    if (std::fclose(f) != 0 || !written)
        return fail("cannot write");
    if (!RecordOrderedViews(temp))
        return fail("cannot write");
    if (std::rename(temp.c_str(), path.c_str()) != 0)
        return fail("cannot rename");
    return true;
}
