// SPDX-License-Identifier: GPL-2.0-or-later
#include "cli/CliCommands.h"
#include "support/TestDict.h"

#include <sstream>

#include <sys/stat.h>
#include <unistd.h>

namespace {

struct SResult {
    int status;
    std::string out;
    std::string err;
};

class CliTest : public ::testing::Test {
protected:
    void SetUp() override {
        SDictContent c;
        c.articles = {Article("bank", "<P>1. krantas</P>", 1),
                      Article("bank", "<P>1. bankas</P>", 2),
                      Article("house", "<P CLASS=hw><B>house</B></P>\r\n<P>\r\n1. namas, pastatas\r\n</P>"),
                      {"UN", 999, "UN\t<P>JT</P>"}};
        c.reverse = {{"namas", {2}}, {"\xFEodis", {}}};
        WriteBytes(m_dir.File("LEKSTAR.dic"), CDictWriter::Build(c));
        std::filesystem::create_directory(m_dir.File("HTM"));
        WriteBytes(m_dir.File("HTM/HH.htm"), "<HTML><BODY>");
    }

    SResult Run(std::vector<std::string> args, bool ansi = false) {
        std::ostringstream out, err;
        const int status = RunCli(args, m_dir.File(""), ansi, out, err);
        return {status, out.str(), err.str()};
    }

    CTempDir m_dir;
};

TEST_F(CliTest, CountsRowsAndOrdinals) {
    EXPECT_EQ(Run({"counts"}).out, "articles 4\nreverse 2\n");
    EXPECT_EQ(Run({"rows", "0", "10"}).out, "0\t1\tbank\n1\t2\tbank\n2\t0\thouse\n3\t999\tUN\n");
    EXPECT_EQ(Run({"rows", "2", "1"}).out, "2\t0\thouse\n");
    EXPECT_EQ(Run({"rows", "--reverse", "0", "5"}).out, "0\t0\tnamas\n1\t0\tžodis\n");
    EXPECT_EQ(Run({"--raw", "rows", "--reverse", "1", "1"}).out, "1\t0\t\xFEodis\n");
    EXPECT_EQ(Run({"rows", "9", "3"}).out, "");
    EXPECT_EQ(Run({"homonym-ordinal", "1"}).out, "2\n");
    EXPECT_EQ(Run({"homonym-ordinal", "2"}).out, "0\n");
}

TEST_F(CliTest, LookupsPrintTheEntryThenTheFragment) {
    EXPECT_EQ(
        Run({"render-forward", "house"}).out,
        "2\nhouse\t<A NAME=\"R1\"></A><P CLASS=hw><B>house</B></P>\r\n<P>\r\n1. namas, pastatas\r\n</P>");
    EXPECT_EQ(Run({"render-forward", "zzz"}).out, "-1\n");
    EXPECT_EQ(Run({"nearest-forward", "housing"}).out,
              "2\n" + std::string("house\t<P CLASS=hw>") +
                  "<B>house</B></P>\r\n<P>\r\n1. namas, pastatas\r\n</P>");
    EXPECT_EQ(Run({"nearest-reverse", "nam"}).out, "0\n");
    EXPECT_EQ(Run({"nearest-reverse", "žod"}).out, "1\n");
    EXPECT_EQ(Run({"--raw", "nearest-reverse", "\xFEod"}).out, "1\n");
    // Without --raw the argument is UTF-8: the raw bytes of "ž" are no valid UTF-8.
    EXPECT_EQ(Run({"nearest-reverse", "\xFEod"}).out, "-1\n");
    EXPECT_EQ(Run({"reverse-headword", "1"}).out, "žodis");
    EXPECT_EQ(Run({"--raw", "reverse-headword", "1"}).out, "\xFEodis");
    EXPECT_EQ(Run({"article", "3"}).out, "UN\t<P>JT</P>");
    EXPECT_EQ(
        Run({"render-reverse", "namas"}).out,
        "0\n<A NAME=\"R2\"></A><P CLASS=hw><B>house</B></P>\r\n<P>\r\n1. <SPAN CLASS=SELECTED>namas</SPAN>, "
        "pastatas\r\n</P>");
    EXPECT_EQ(Run({"reverse-entry", "1"}).out, "<A NAME=\"Rbeg\"></A>\r\n<HR>\r\n\r\n");
}

TEST_F(CliTest, PagesUseTheHeadBesideTheProgramOrTheOneGiven) {
    EXPECT_EQ(Run({"page", "--reverse", "xyz"}).out, "<HTML><BODY>\r\n</BODY>\r\n</HTML>\r\n");
    WriteBytes(m_dir.File("other.htm"), "H:");
    EXPECT_EQ(Run({"--head", m_dir.File("other.htm"), "page", "UN"}).out,
              "H:<A NAME=\"#StartPoint\"></A>\r\n<A NAME=\"R1\"></A><P>JT</P>"
              "<BR><A HREF=\"#StartPoint\">Į pradžią</a>\r\n\r\n</BODY>\r\n</HTML>\r\n");
    // A missing head is an empty head; several words are one argument text.
    const SResult two = Run({"--head", m_dir.File("none.htm"), "page", "UN", "house"});
    EXPECT_EQ(two.out.rfind(
                  "<A NAME=\"#StartPoint\"></A>\r\n<A HREF=\"#Q0\">UN</A>&nbsp;<A HREF=\"#Q1\">house</A>", 0),
              0u);
}

TEST_F(CliTest, LookupIsReadableText) {
    EXPECT_EQ(Run({"lookup", "house"}).out, "house\n1. namas, pastatas\n");
    EXPECT_EQ(Run({"house"}).out, "house\n1. namas, pastatas\n");
    const SResult nearest = Run({"housing"});
    EXPECT_EQ(nearest.out, "house\n1. namas, pastatas\n");
    EXPECT_EQ(nearest.err, "nearest headword: house\n");
    EXPECT_EQ(Run({"lookup", "bank"}).out, "bank¹   bank²\n" + std::string(40, '-') + "\n1. krantas\n" +
                                               std::string(40, '-') + "\n1. bankas\n");
    EXPECT_EQ(Run({"lookup", "--reverse", "namas"}).out, "namas\nhouse\n1. namas, pastatas\n");
    EXPECT_EQ(Run({"lookup", "--reverse", "namas"}, true).out,
              "\x1b[1mnamas\x1b[0m\n\x1b[1mhouse\x1b[0m\n1. \x1b[1mnamas\x1b[0m, pastatas\n");
    const SResult missing = Run({"lookup", "--reverse", "qqq"});
    EXPECT_EQ(missing.status, 0);
    EXPECT_EQ(missing.out, "");
    EXPECT_EQ(missing.err, "not found\n");
}

TEST_F(CliTest, LookupTakesWordsAsPeopleWriteThem) {
    // A decomposed ž and a curly quote are the dictionary's own spelling.
    EXPECT_EQ(Run({"lookup", "--reverse", "z\xCC\x8Codis"}).out, Run({"lookup", "--reverse", "žodis"}).out);
    EXPECT_EQ(Run({"lookup", "--reverse", "z\xCC\x8Codis"}).out.rfind("žodis\n", 0), 0u);
    // A letter the code page lacks matches nothing, not the "?" headwords of weight 0.
    const SResult cyrillic = Run({"lookup", "--reverse", "привет"});
    EXPECT_EQ(cyrillic.out, "");
    EXPECT_EQ(cyrillic.err, "not found\n");
    EXPECT_EQ(Run({"привет"}).err, "not found\n");
    EXPECT_EQ(Run({"привет"}).out, "");
    // The raw commands keep converting as they always did.
    EXPECT_EQ(Run({"nearest-reverse", "z\xCC\x8Codis"}).out, Run({"nearest-reverse", "z?odis"}).out);
}

TEST_F(CliTest, FilesThatAreNoDictionaryOrNoHeadEndWithAMessage) {
    const std::string fifo = m_dir.File("fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    // None of these may block or run without end.
    for (const std::string& dict : {fifo, m_dir.File(""), std::string("/dev/zero")}) {
        const SResult r = Run({"--dict", dict, "counts"});
        EXPECT_EQ(r.status, 1) << dict;
        EXPECT_EQ(r.err, "lekstar-cli: cannot open the dictionary " + dict + ": it is not a regular file\n");
    }
    // A sparse file of 4 GB: refused from its header, at once.
    const std::string sparse = m_dir.File("sparse.dic");
    WriteBytes(sparse, "");
    ASSERT_EQ(::truncate(sparse.c_str(), 4'000'000'000LL), 0);
    EXPECT_EQ(Run({"--dict", sparse, "counts"}).status, 1);
    for (const std::string& head : {fifo, m_dir.File(""), std::string("/dev/zero")}) {
        const SResult r = Run({"--head", head, "page", "house"});
        EXPECT_EQ(r.status, 1) << head;
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, "lekstar-cli: the page head " + head + " is not a regular file\n");
    }
    // A head of a megabyte is read; one byte more is refused.
    const std::string big = m_dir.File("big.htm");
    WriteBytes(big, std::string(1024 * 1024, 'h'));
    const SResult fits = Run({"--head", big, "page", "house"});
    EXPECT_EQ(fits.status, 0);
    EXPECT_EQ(fits.out.rfind(std::string(1024 * 1024, 'h'), 0), 0u);
    WriteBytes(big, std::string(1024 * 1024 + 1, 'h'));
    const SResult over = Run({"--head", big, "page", "house"});
    EXPECT_EQ(over.status, 1);
    EXPECT_EQ(over.err, "lekstar-cli: the page head " + big + " is larger than 1 MiB\n");
}

TEST_F(CliTest, ExitStatusesForUsageAndMissingFiles) {
    EXPECT_EQ(Run({}).status, 2);
    EXPECT_EQ(Run({"rows", "x", "1"}).status, 2);
    EXPECT_EQ(Run({"article"}).status, 2);
    EXPECT_EQ(Run({"--bogus"}).status, 2);
    const SResult help = Run({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("Usage: lekstar-cli"), std::string::npos);
    const SResult version = Run({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "lekstar-cli " LEKSTAR_VERSION "\n");
    EXPECT_EQ(version.err, "");
    const SResult missing = Run({"--dict", m_dir.File("nothing.dic"), "counts"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find(m_dir.File("nothing.dic")), std::string::npos);
    EXPECT_NE(missing.err.find("No such file"), std::string::npos);
    WriteBytes(m_dir.File("short.dic"), "LEKS");
    const SResult damaged = Run({"--dict", m_dir.File("short.dic"), "counts"});
    EXPECT_EQ(damaged.status, 1);
    EXPECT_NE(damaged.err.find("damaged"), std::string::npos);
    // Found or not, an opened dictionary means success.
    EXPECT_EQ(Run({"render-forward", "qqq"}).status, 0);
}

} // namespace
