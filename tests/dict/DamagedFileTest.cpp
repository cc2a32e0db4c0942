// SPDX-License-Identifier: GPL-2.0-or-later
// Damaged dictionary files: every operation must stay inside the mapping (the sanitizer build
// proves it) and treat a record that does not fit as absent.

#include "render/PageComposer.h"
#include "support/TestDict.h"

#include <cstdio>
#include <random>

#include <unistd.h>

namespace {

SDictContent Sample() {
    SDictContent c;
    c.articles = {Article("bank", "<P>bankas, krantas</P>", 1),
                  Article("bank", "<P>s\xE0siuvinis</P>", 2),
                  Article("cat", "<P>katinas, kat\xEB</P>"),
                  Article("dog", "<P>\xF0uo</P>"),
                  Article("house", "<P>namas</P>"),
                  {"UN", 999, "UN\t<P>JT</P>"}};
    c.alternates[0] = {{"banks", 0}, {"cats", 2}};
    c.alternates[3] = {{"houses", 4}};
    c.links = {{"bank", 0}, {"bank", 1}, {"house", 4}};
    c.reverse = {{"bankas", {0}},   {"kat\xEB", {2}}, {"katinas", {2}}, {"krantas", {0}},
                 {"namas", {4, 4}}, {"\xF0uo", {3}},  {"\xFEodis", {}}};
    return c;
}

// Runs every lookup over every index near the valid range and a set of words; the results of
// a damaged file are not checked, only that nothing reads outside the mapping or crashes.
void ExerciseEverything(CDictFile& dict) {
    const char* words[] = {"",        " ",     "b",        "bank", "BANKS",   "cat",    "cats",
                           "dog",     "house", "houses",   "un",   "zz",      "\xF0uo", "kat",
                           "katinas", "namas", "\xFEodis", "a-b",  "\xFF\xFF"};
    for (const char* w : words) {
        int entry = -1;
        dict.RenderForward(w, entry);
        dict.RenderLinkTarget(w, entry);
        entry = -1;
        dict.FindNearestForward(w, entry);
        int index = -1;
        dict.RenderReverse(w, &index);
        dict.FindNearestReverse(w);
        PageComposer::TranslateHtml(dict, "<HTML>", std::string(w) + " " + w);
    }
    const int articles = dict.ArticleCount();
    const int reverse = dict.ReverseCount();
    for (int i = -2; i < std::max(articles, reverse) + 3; ++i) {
        int homonym = 0;
        dict.GetArticle(i);
        dict.GetListHeadword(EDirection::Forward, i, homonym);
        dict.GetListHeadword(EDirection::Reverse, i, homonym);
        dict.GetReverseHeadword(i);
        dict.RenderReverseEntry(i);
        HomonymOrdinal(dict, i, articles - 1);
    }
}

TEST(DamagedFile, EveryTruncationIsRefusedOrReadSafely) {
    const std::string image = CDictWriter::Build(Sample());
    const std::size_t reverseData = SectionStart(image, 15);
    for (std::size_t length = 0; length < image.size(); ++length) {
        CTestDict dict(image.substr(0, length));
        // The seven reverse records need at least a byte each.
        if (length < reverseData + 7) {
            // The header, or a section before the last, runs past the end, or the reverse
            // table claims more records than the data left could hold.
            EXPECT_EQ(dict.OpenResult(), CDictFile::kOpenDamaged) << length;
            EXPECT_FALSE(dict->IsOpen());
        } else {
            // Only the reverse data is cut short: the records it no longer holds are absent.
            ASSERT_EQ(dict.OpenResult(), CDictFile::kOpenOk) << length;
            ExerciseEverything(*dict);
        }
    }
    // Cutting the last record short drops it and nothing else.
    CTestDict cut(image.substr(0, image.size() - 1));
    ASSERT_EQ(cut.OpenResult(), 0);
    EXPECT_EQ(cut->GetReverseHeadword(6), "");
    EXPECT_EQ(cut->RenderReverseEntry(6), "");
    EXPECT_EQ(cut->GetReverseHeadword(5), "\xF0uo");
}

TEST(DamagedFile, HeaderSizesBeyondTheFileAreRefused) {
    const std::string image = CDictWriter::Build(Sample());
    for (std::size_t word = 2; word <= 17; ++word) {
        for (std::uint32_t value : {0xFFFFFFFFu, 0x80000000u, static_cast<std::uint32_t>(image.size())}) {
            std::string damaged = image;
            SetWordAt(damaged, 4 * word, value);
            CTestDict dict(damaged);
            EXPECT_EQ(dict.OpenResult(), CDictFile::kOpenDamaged) << word << " " << value;
        }
    }
}

TEST(DamagedFile, ATableThatClaimsMoreRecordsThanItsDataHoldsIsRefused) {
    // A sparse file of 4 GB whose header claims a billion reverse records: refused at once.
    CTempDir dir;
    std::string image = CDictWriter::Build(Sample());
    const std::size_t reverseTable = SectionStart(image, 14);
    SetWordAt(image, 4 * 17, 0xFFFFFFF0u);
    image.resize(reverseTable);
    const std::string path = dir.File("sparse.dic");
    WriteBytes(path, image);
    ASSERT_EQ(::truncate(path.c_str(), static_cast<off_t>(reverseTable + 0xFFFFFFF0ull + 1000)), 0);
    CDictFile dict;
    dict.SetPath(path);
    EXPECT_EQ(dict.Open(), CDictFile::kOpenDamaged);
    EXPECT_FALSE(dict.IsOpen());
    // The smallest real file, one short article, still opens.
    SDictContent one;
    one.articles = {Article("a", "")};
    const std::string small = CDictWriter::Build(one);
    CTestDict fits(small);
    ASSERT_EQ(fits.OpenResult(), CDictFile::kOpenOk);
    EXPECT_EQ(fits->ArticleCount(), 1);
}

TEST(DamagedFile, EmptySectionsHoldNoRecords) {
    std::string image = CDictWriter::Build(SDictContent{});
    for (std::size_t word = 3; word <= 17; ++word)
        SetWordAt(image, 4 * word, 0);
    CTestDict dict(image.substr(0, 188));
    ASSERT_EQ(dict.OpenResult(), 0);
    EXPECT_EQ(dict->ArticleCount(), 0);
    EXPECT_EQ(dict->ReverseCount(), 0);
    ExerciseEverything(*dict);
    int entry = -1;
    EXPECT_EQ(dict->RenderForward("cat", entry), "");
    EXPECT_EQ(entry, -1);
}

// Sets offset k of the table that starts section n of image.
void SetOffset(std::string& image, std::size_t section, std::size_t k, std::uint32_t value) {
    SetWordAt(image, SectionStart(image, section) + 4 * k, value);
}

TEST(DamagedFile, AnArticleWhoseOffsetsRunOutsideIsAbsent) {
    const std::string image = CDictWriter::Build(Sample());
    const std::uint32_t articleDataSize = WordAt(image, 12 + 4 * 13);
    for (std::uint32_t bad : {articleDataSize + 1, 0xFFFFFFFFu, 2u /* before its start */}) {
        std::string damaged = image;
        SetOffset(damaged, 12, 3, bad); // the end of article 2 ("cat")
        CTestDict dict(damaged);
        ASSERT_EQ(dict.OpenResult(), 0);
        EXPECT_EQ(dict->GetArticle(2), "") << bad;
        int homonym = 7;
        EXPECT_EQ(dict->GetListHeadword(EDirection::Forward, 2, homonym), "");
        EXPECT_EQ(homonym, 0);
        // The search passes the headword whose article is gone and finds the next one.
        int entry = -1;
        EXPECT_EQ(dict->RenderForward("cat", entry), "");
        EXPECT_EQ(entry, -1);
        entry = -1;
        EXPECT_EQ(dict->FindNearestForward("cat", entry), "");
        // The reverse record naming only it shows nothing.
        int index = -1;
        EXPECT_EQ(dict->RenderReverse("katinas", &index), "");
        EXPECT_EQ(index, 2);
        ExerciseEverything(*dict);
    }
}

TEST(DamagedFile, AHeadwordWhoseOffsetsDecreaseIsSkipped) {
    std::string image = CDictWriter::Build(Sample());
    // Main-list record 2 ("cat") ends before it starts.
    SetOffset(image, 0, 3, WordAt(image, SectionStart(image, 0) + 4 * 2) - 1);
    CTestDict dict(image);
    ASSERT_EQ(dict.OpenResult(), 0);
    int entry = -1;
    // "cats" of alternate list 1 still leads to the article itself.
    EXPECT_EQ(dict->RenderForward("cats", entry), "cat\t<A NAME=\"R1\"></A><P>katinas, kat\xEB</P>");
    EXPECT_EQ(entry, 2);
    EXPECT_EQ(dict->GetArticle(2), "");
    ExerciseEverything(*dict);
}

TEST(DamagedFile, ReverseRecordsWithImpossibleWordCounts) {
    const std::string image = CDictWriter::Build(Sample());
    const std::size_t data = SectionStart(image, 15);
    const std::size_t table = SectionStart(image, 14);
    const std::size_t namas = data + WordAt(image, table + 4 * 4);
    for (std::uint32_t m : {0u, 5u, 300u, 0x40000001u, 0xFFFFFFFFu}) {
        std::string damaged = image;
        SetWordAt(damaged, namas, m);
        CTestDict dict(damaged);
        ASSERT_EQ(dict.OpenResult(), 0);
        EXPECT_EQ(dict->GetReverseHeadword(4), "") << m;
        EXPECT_EQ(dict->RenderReverseEntry(4), "") << m;
        // The search passes the absent record.
        EXPECT_EQ(dict->FindNearestReverse("namas"), -1) << m;
        EXPECT_EQ(dict->FindNearestReverse("\xF0uo"), 5) << m;
        ExerciseEverything(*dict);
    }
}

TEST(DamagedFile, MoreThan256WordsAreCutToTheEntryList) {
    SDictContent c;
    c.articles = {Article("a", "<P>x</P>")};
    c.reverse = {{"x", std::vector<std::int32_t>(299, 0)}}; // m = 300
    CTestDict dict(c);
    ASSERT_EQ(dict.OpenResult(), 0);
    const std::string fragment = dict->RenderReverseEntry(0);
    std::size_t links = 0;
    for (std::size_t p = fragment.find("<A HREF=\"#R0\">"); p != std::string::npos;
         p = fragment.find("<A HREF=\"#R0\">", p + 1))
        ++links;
    EXPECT_EQ(links, 255u);
    EXPECT_EQ(dict->EntryList(0)[0], 300);
}

TEST(DamagedFile, AnArticleOf65535BytesOrMoreGivesNoText) {
    SDictContent c;
    c.articles = {Article("big", std::string(65531 - 4, 'x')), Article("bigger", std::string(65532 - 7, 'y')),
                  Article("cat", "<P>katinas</P>")};
    // Spans: 4 + 65531 = 65535 and 4 + 65532 = 65536.
    CTestDict dict(c, CDictWriter::EOrder::AsGiven);
    ASSERT_EQ(dict.OpenResult(), 0);
    // A stale article from an earlier fetch must not come back either.
    EXPECT_EQ(dict->GetArticle(2), "cat\t<P>katinas</P>");
    EXPECT_EQ(dict->GetArticle(0), "");
    EXPECT_EQ(dict->GetArticle(1), "");
    int entry = -1;
    EXPECT_EQ(dict->RenderForward("big", entry), "");
    EXPECT_EQ(entry, -1);
}

TEST(DamagedFile, RandomCorruptionNeverReadsOutside) {
    const std::string image = CDictWriter::Build(Sample());
    std::mt19937 random(1257);
    const std::size_t tablesEnd = SectionStart(image, 15) + 64;
    for (int round = 0; round < 400; ++round) {
        std::string damaged = image;
        const int flips = 1 + static_cast<int>(random() % 4);
        for (int f = 0; f < flips; ++f) {
            // Mostly the header and the tables, where a wrong byte sends the reader furthest.
            const std::size_t at =
                random() % 2 ? random() % tablesEnd % damaged.size() : random() % damaged.size();
            damaged[at] = static_cast<char>(random() % 3 == 0 ? 0xFF : random());
        }
        if (random() % 5 == 0)
            damaged.resize(random() % damaged.size());
        CTestDict dict(damaged);
        if (dict.OpenResult() == CDictFile::kOpenOk)
            ExerciseEverything(*dict);
    }
}

// A dictionary of many pages, so that cutting it short takes whole pages from a mapping.
SDictContent ManyPages() {
    SDictContent c = Sample();
    for (int i = 0; i < 3000; ++i)
        c.articles.push_back(
            Article("w" + std::to_string(100000 + i), "<P>" + std::string(40, 'x') + "</P>"));
    return c;
}

TEST(ChangingFile, AFileCutShortWhileOpenReadsAsZerosAndSaysSo) {
    CTempDir dir;
    const std::string path = dir.File("LEKSTAR.dic");
    const std::string image = CDictWriter::Build(ManyPages());
    ASSERT_GT(image.size(), 50000u);
    WriteBytes(path, image);
    CDictFile dict;
    dict.SetPath(path);
    ASSERT_EQ(dict.Open(), CDictFile::kOpenOk);
    ASSERT_EQ(dict.GetReverseHeadword(5), "\xF0uo");
    EXPECT_FALSE(dict.HasVanished());
    const int fd = CMappedFile::VanishedFd();
    ASSERT_GE(fd, 0);
    char byte = 0;
    while (::read(fd, &byte, 1) == 1) {
    }

    // What other tools do: cut the file short in place, or truncate and write another one.
    ASSERT_EQ(::truncate(path.c_str(), 1000), 0);
    ExerciseEverything(dict);
    EXPECT_TRUE(dict.HasVanished());
    EXPECT_EQ(dict.GetReverseHeadword(5), "");
    EXPECT_EQ(dict.GetArticle(2000), "");
    EXPECT_EQ(::read(fd, &byte, 1), 1);
    // Opened again, the short file is what it is now: damaged.
    EXPECT_EQ(dict.Open(), CDictFile::kOpenDamaged);
    EXPECT_FALSE(dict.HasVanished());
}

TEST(ChangingFile, AFileReplacedByRenameKeepsServingTheOldOne) {
    CTempDir dir;
    const std::string path = dir.File("LEKSTAR.dic");
    WriteBytes(path, CDictWriter::Build(ManyPages()));
    CDictFile dict;
    dict.SetPath(path);
    ASSERT_EQ(dict.Open(), CDictFile::kOpenOk);
    SDictContent other;
    other.articles = {Article("zebra", "<P>zebras</P>")};
    WriteBytes(dir.File("new.dic"), CDictWriter::Build(other));
    ASSERT_EQ(std::rename(dir.File("new.dic").c_str(), path.c_str()), 0);
    EXPECT_EQ(dict.GetReverseHeadword(5), "\xF0uo");
    EXPECT_EQ(dict.GetArticle(2000).substr(0, 7), "w101994");
    ExerciseEverything(dict);
    EXPECT_FALSE(dict.HasVanished());
}

} // namespace
