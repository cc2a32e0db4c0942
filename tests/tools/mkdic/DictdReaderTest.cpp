// SPDX-License-Identifier: GPL-2.0-or-later
#include "mkdic/DictdReader.h"
#include "MkdicTestUtil.h"
#include "support/TestDict.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

TEST(DictdNumber, DecodesBase64DigitsMostSignificantFirst) {
    std::uint64_t v = 12345;
    ASSERT_TRUE(CDictdReader::DecodeNumber("A", v));
    EXPECT_EQ(v, 0u);
    ASSERT_TRUE(CDictdReader::DecodeNumber("Z", v));
    EXPECT_EQ(v, 25u);
    ASSERT_TRUE(CDictdReader::DecodeNumber("a", v));
    EXPECT_EQ(v, 26u);
    ASSERT_TRUE(CDictdReader::DecodeNumber("9", v));
    EXPECT_EQ(v, 61u);
    ASSERT_TRUE(CDictdReader::DecodeNumber("+", v));
    EXPECT_EQ(v, 62u);
    ASSERT_TRUE(CDictdReader::DecodeNumber("/", v));
    EXPECT_EQ(v, 63u);
    ASSERT_TRUE(CDictdReader::DecodeNumber("BA", v));
    EXPECT_EQ(v, 64u);
    ASSERT_TRUE(CDictdReader::DecodeNumber("lZ", v)); // 37 * 64 + 25
    EXPECT_EQ(v, 2393u);
    ASSERT_TRUE(CDictdReader::DecodeNumber("CBIN", v)); // ((2 * 64 + 1) * 64 + 8) * 64 + 13
    EXPECT_EQ(v, 528909u);
    // Eleven digits hold 64 bits at most when the first is below 16.
    ASSERT_TRUE(CDictdReader::DecodeNumber("P//////////", v));
    EXPECT_EQ(v, 0xFFFFFFFFFFFFFFFFull);
}

TEST(DictdNumber, RejectsEmptyForeignAndOversizedNumbers) {
    std::uint64_t v = 7;
    EXPECT_FALSE(CDictdReader::DecodeNumber("", v));
    EXPECT_FALSE(CDictdReader::DecodeNumber("A-B", v));
    EXPECT_FALSE(CDictdReader::DecodeNumber("AB=", v));
    EXPECT_FALSE(CDictdReader::DecodeNumber(" A", v));
    EXPECT_FALSE(CDictdReader::DecodeNumber("Q//////////", v)); // 2^64
    EXPECT_EQ(v, 7u);                                           // left alone on failure
}

TEST(DictdIndex, ParsesKeysAndNumbersLineByLine) {
    std::vector<SDictdIndexEntry> entries;
    std::string error;
    ASSERT_TRUE(CDictdReader::ParseIndex("00databaseinfo\tc\tlZ\nachilles heel\tBA\tK\r\n\nlast\tB\tC",
                                         entries, &error))
        << error;
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].key, "00databaseinfo");
    EXPECT_EQ(entries[0].offset, 28u);
    EXPECT_EQ(entries[0].length, 2393u);
    EXPECT_EQ(entries[1].key, "achilles heel"); // keys may hold spaces; CR ends the line too
    EXPECT_EQ(entries[1].offset, 64u);
    EXPECT_EQ(entries[1].length, 10u);
    EXPECT_EQ(entries[2].key, "last"); // a last line without a newline counts
    EXPECT_EQ(entries[2].offset, 1u);
    EXPECT_EQ(entries[2].length, 2u);
}

TEST(DictdIndex, NamesTheFirstMalformedLine) {
    std::vector<SDictdIndexEntry> entries;
    std::string error;
    EXPECT_FALSE(CDictdReader::ParseIndex("a\tB\tC\nb\tB\n", entries, &error));
    EXPECT_EQ(error, "malformed index line 2");
    EXPECT_TRUE(entries.empty());
    EXPECT_FALSE(CDictdReader::ParseIndex("\tB\n", entries, &error)); // no offset
    EXPECT_EQ(error, "malformed index line 1");
    ASSERT_TRUE(CDictdReader::ParseIndex("\tB\tC\n", entries, &error)); // an empty key is a key
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].key, "");
    EXPECT_EQ(entries[0].length, 2u);
    EXPECT_FALSE(CDictdReader::ParseIndex("a\tB\t\n", entries, &error)); // no length
    EXPECT_FALSE(CDictdReader::ParseIndex("a\tB!\tC\n", entries, &error));
    EXPECT_TRUE(CDictdReader::ParseIndex("", entries, &error));
    EXPECT_TRUE(entries.empty());
}

TEST(DictdGzip, InflatesWhatZlibWrote) {
    const std::string text = "abandon /\xC9\x99'b\xC3\xA6nd\xC9\x99n/\n1. palikti\n";
    std::string out;
    std::string error;
    ASSERT_TRUE(CDictdReader::Gunzip(GzipBytes(text), out, &error)) << error;
    EXPECT_EQ(out, text);
    // Members written back to back read as one text.
    ASSERT_TRUE(CDictdReader::Gunzip(GzipBytes("first ") + GzipBytes("second"), out, &error)) << error;
    EXPECT_EQ(out, "first second");
    // A text larger than the inflation buffer.
    std::string big;
    for (int i = 0; i < 20000; ++i)
        big += std::to_string(i) + "\n";
    ASSERT_TRUE(CDictdReader::Gunzip(GzipBytes(big), out, &error)) << error;
    EXPECT_EQ(out, big);
}

TEST(DictdGzip, RefusesPlainTruncatedAndDamagedStreams) {
    std::string out = "stale";
    std::string error;
    EXPECT_FALSE(CDictdReader::Gunzip("plain text", out, &error));
    EXPECT_EQ(error, "not a gzip stream");
    EXPECT_TRUE(out.empty());
    const std::string gz = GzipBytes("some text that is long enough to matter");
    EXPECT_FALSE(CDictdReader::Gunzip(gz.substr(0, gz.size() - 6), out, &error));
    EXPECT_EQ(error, "gzip stream ends early");
    std::string damaged = gz;
    damaged[damaged.size() - 5] ^= 0x55; // the checksum in the trailer
    EXPECT_FALSE(CDictdReader::Gunzip(damaged, out, &error));
    EXPECT_EQ(error.rfind("damaged gzip stream", 0), 0u) << error;
    EXPECT_TRUE(out.empty());
}

TEST(DictdLoad, CutsEntriesFromTheInflatedData) {
    CTempDir dir;
    const std::string data = "00-database-info\nGPL\nhouse /haus/\nnamas\n";
    WriteBytes(dir.File("d.index"), "00databaseinfo\tA\tV\nhouse\tV\tT\n");
    WriteBytes(dir.File("d.dict.dz"), GzipBytes(data));
    CDictdReader reader;
    std::string error;
    ASSERT_TRUE(reader.LoadBase(dir.File("d"), &error)) << error;
    ASSERT_EQ(reader.Entries().size(), 2u);
    EXPECT_EQ(reader.Entries()[0].text, "00-database-info\nGPL\n");
    EXPECT_EQ(reader.Entries()[1].key, "house");
    EXPECT_EQ(reader.Entries()[1].offset, 21u);
    EXPECT_EQ(reader.Entries()[1].text, "house /haus/\nnamas\n");
    EXPECT_EQ(reader.EntryText("00databaseinfo"), "00-database-info\nGPL\n");
    EXPECT_EQ(reader.EntryText("missing"), "");
    EXPECT_EQ(reader.RepeatedEntries(), 0u);
    // Lines naming a text named before are dropped and counted, whatever their key.
    WriteBytes(dir.File("d.index"),
               "00databaseinfo\tA\tV\nhouse\tV\tT\nhouse\tV\tT\nhome\tV\tT\nhouse\tV\tS\n");
    ASSERT_TRUE(reader.LoadBase(dir.File("d"), &error)) << error;
    ASSERT_EQ(reader.Entries().size(), 3u);
    EXPECT_EQ(reader.Entries()[2].text, "house /haus/\nnamas");
    EXPECT_EQ(reader.RepeatedEntries(), 2u);
    EXPECT_TRUE(CDictdReader::IsMetadataKey("00databaseshort"));
    EXPECT_FALSE(CDictdReader::IsMetadataKey("house"));
}

TEST(DictdLoad, FailuresNameTheFileAndLeaveTheReaderEmpty) {
    CTempDir dir;
    CDictdReader reader;
    std::string error;
    WriteBytes(dir.File("ok.index"), "house\tA\tF\n");
    WriteBytes(dir.File("ok.dict.dz"), GzipBytes("house\n"));
    ASSERT_TRUE(reader.LoadBase(dir.File("ok"), &error));

    EXPECT_FALSE(reader.LoadBase(dir.File("none"), &error));
    EXPECT_EQ(error, "cannot open " + dir.File("none.index") + ": No such file or directory");
    EXPECT_TRUE(reader.Entries().empty());

    WriteBytes(dir.File("nodata.index"), "house\tA\tF\n");
    EXPECT_FALSE(reader.LoadBase(dir.File("nodata"), &error));
    EXPECT_EQ(error, "cannot open " + dir.File("nodata.dict.dz") + ": No such file or directory");

    WriteBytes(dir.File("bad.index"), "house\tA\tF\n");
    WriteBytes(dir.File("bad.dict.dz"), "house\n");
    EXPECT_FALSE(reader.LoadBase(dir.File("bad"), &error));
    EXPECT_EQ(error, dir.File("bad.dict.dz") + ": not a gzip stream");

    WriteBytes(dir.File("short.index"), "house\tA\tF\nroom\tE\tD\n"); // 4 + 3 > 6 bytes
    WriteBytes(dir.File("short.dict.dz"), GzipBytes("house\n"));
    EXPECT_FALSE(reader.LoadBase(dir.File("short"), &error));
    EXPECT_EQ(error,
              dir.File("short.index") + ": the entry \"room\" lies outside " + dir.File("short.dict.dz"));
    EXPECT_TRUE(reader.Entries().empty());

    WriteBytes(dir.File("broken.index"), "house A F\n");
    WriteBytes(dir.File("broken.dict.dz"), GzipBytes("house\n"));
    EXPECT_FALSE(reader.LoadBase(dir.File("broken"), &error));
    EXPECT_EQ(error, dir.File("broken.index") + ": malformed index line 1");

    // A FIFO is refused without waiting for a writer, a folder too.
    ASSERT_EQ(::mkfifo(dir.File("fifo.index").c_str(), 0600), 0);
    WriteBytes(dir.File("fifo.dict.dz"), GzipBytes("house\n"));
    EXPECT_FALSE(reader.LoadBase(dir.File("fifo"), &error));
    EXPECT_EQ(error, "cannot read " + dir.File("fifo.index") + ": not a regular file");
    std::filesystem::create_directory(dir.File("folder.index"));
    EXPECT_FALSE(reader.LoadBase(dir.File("folder"), &error));
    EXPECT_EQ(error, "cannot read " + dir.File("folder.index") + ": not a regular file");
}

TEST(DictdGzip, AStreamThatInflatesBeyondTheLimitIsRefused) {
    std::string out;
    std::string error;
    ASSERT_TRUE(CDictdReader::Gunzip(GzipBytes(std::string(CDictdReader::kMaxInflated, '\0')), out, &error));
    EXPECT_EQ(out.size(), CDictdReader::kMaxInflated);
    EXPECT_FALSE(
        CDictdReader::Gunzip(GzipBytes(std::string(CDictdReader::kMaxInflated + 1, '\0')), out, &error));
    EXPECT_EQ(error, "the data inflates to more than 256 MiB");
    EXPECT_TRUE(out.empty());
    // Refused before the text grew past the limit (its capacity shows how far it grew).
    EXPECT_LE(out.capacity(), CDictdReader::kMaxInflated);
}

} // namespace
