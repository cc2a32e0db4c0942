// SPDX-License-Identifier: GPL-2.0-or-later
#include "cli/CliCommands.h"
#include "dict/WordForms.h"
#include "support/TestDict.h"

#include <filesystem>
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
        // A spelling variant that is also a near-miss of a command, and an inflection.
        c.alternates[0] = {{"word", 2}};
        c.alternates[3] = {{"houses", 2}, {"ban", 2}};
        WriteBytes(m_dir.File("LEKSTAR.dic"), CDictWriter::Build(c));
        std::filesystem::create_directory(m_dir.File("HTM"));
        WriteBytes(m_dir.File("HTM/HH.htm"), "<HTML><BODY>");
    }

    SResult Run(std::vector<std::string> args, bool ansi = false) {
        return RunWithInput(std::move(args), nullptr, ansi);
    }

    // stdinText: what a pipe gives on standard input; nullptr for a terminal.
    SResult RunWithInput(std::vector<std::string> args, const char* stdinText, bool ansi = false) {
        std::istringstream in(stdinText != nullptr ? stdinText : "");
        std::ostringstream out, err;
        SCliIo io{in, out, err};
        io.bInIsTerminal = stdinText == nullptr;
        io.bAnsi = ansi;
        const int status = RunCli(args, m_dir.File(""), io);
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
    const SResult nearest = Run({"housz"});
    EXPECT_EQ(nearest.out, "house\n1. namas, pastatas\n");
    // hunspell's correction that reaches a headword is offered (when its English data is here).
    EXPECT_EQ(nearest.err, std::filesystem::exists(std::string(CWordForms::kEnglish) + ".dic")
                               ? "nearest headword: house\ndid you mean: house\n"
                               : "nearest headword: house\n");
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

TEST_F(CliTest, UsageErrorsSayWhatWasWrongInOneLine) {
    const auto error = [&](std::vector<std::string> args) {
        const SResult r = Run(std::move(args));
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.out, "");
        return r.err;
    };
    const std::string see = "; see lekstar-cli --help\n";
    EXPECT_EQ(error({}), "lekstar-cli: no command or word given" + see);
    EXPECT_EQ(error({"--bogus"}), "lekstar-cli: unknown option '--bogus'" + see);
    EXPECT_EQ(error({"--dict"}), "lekstar-cli: --dict needs a FILE" + see);
    EXPECT_EQ(error({"article"}), "lekstar-cli: article needs ENTRY" + see);
    EXPECT_EQ(error({"article", "1", "2"}), "lekstar-cli: article takes only ENTRY" + see);
    EXPECT_EQ(error({"rows", "x", "1"}), "lekstar-cli: rows: FROM must be a whole number, not 'x'" + see);
    EXPECT_EQ(error({"rows", "1"}), "lekstar-cli: rows needs COUNT" + see);
    EXPECT_EQ(error({"counts", "1"}), "lekstar-cli: counts takes no arguments" + see);
    EXPECT_EQ(error({"render-forward"}), "lekstar-cli: render-forward needs a word" + see);
    EXPECT_EQ(error({"render-forward", "a", "b"}),
              "lekstar-cli: render-forward takes one word; quote a phrase" + see);
    EXPECT_EQ(error({"lookup"}),
              "lekstar-cli: lookup needs a word (or - to read words from standard input)" + see);
    EXPECT_EQ(error({"lookup", "--jsn", "house"}), "lekstar-cli: lookup: unknown option '--jsn'" + see);
    // Not UTF-8 (the ISO 8859-13 / code page 1257 byte of "ž"): refused unless raw bytes were asked for.
    EXPECT_EQ(error({"nearest-reverse", "\xFEod"}),
              "lekstar-cli: an argument is not valid UTF-8 (--raw takes code page 1257 bytes)" + see);
    EXPECT_EQ(error({"lookup", "--reverse", "nam\xE0s"}),
              "lekstar-cli: an argument is not valid UTF-8 (--raw takes code page 1257 bytes)" + see);
    EXPECT_EQ(Run({"--raw", "lookup", "--reverse", "\xFEodis"}).status, 0);
    // "--" ends the options: what follows is a word even when it begins with a dash.
    EXPECT_EQ(Run({"lookup", "--", "--house"}).err, "not found\n");
}

TEST_F(CliTest, AMistypedCommandIsSaidUnlessItIsAWord) {
    const SResult typo = Run({"lookpu", "house"});
    EXPECT_EQ(typo.status, 2);
    EXPECT_EQ(typo.out, "");
    EXPECT_EQ(typo.err,
              "lekstar-cli: unknown command 'lookpu'; did you mean 'lookup'?; see lekstar-cli --help\n");
    // Two edits from a long name, one from a short one.
    EXPECT_EQ(Run({"cuonts"}).err,
              "lekstar-cli: unknown command 'cuonts'; did you mean 'counts'?; see lekstar-cli --help\n");
    EXPECT_EQ(Run({"rendr-forwrd", "x"}).status, 2);
    EXPECT_EQ(Run({"rendr-frwrd", "x"}).status, 0);
    EXPECT_EQ(Run({"pag"}).status, 2);
    EXPECT_EQ(Run({"pa"}).status, 0);
    EXPECT_EQ(Run({"cuontz"}).status, 2);
    EXPECT_EQ(Run({"wodrz"}).status, 0) << "two edits from a five-letter name";
    // A near-miss that is a word of the dictionary (a spelling variant, a form) is looked up.
    const SResult word = Run({"word"});
    EXPECT_EQ(word.status, 0);
    EXPECT_EQ(word.out, "house\n1. namas, pastatas\n");
    EXPECT_EQ(Run({"wordy"}).status, 2);
    // Far from every command: looked up as before.
    EXPECT_EQ(Run({"zzzq"}).status, 0);
    EXPECT_EQ(Run({"zzzq"}).err, "not found\n");
}

TEST_F(CliTest, LookupSaysHowTheArticleWasFound) {
    const SResult form = Run({"lookup", "houses"});
    EXPECT_EQ(form.out, "house\n1. namas, pastatas\n");
    EXPECT_EQ(form.err, "form of: house\n");
    // A headword that only begins with the word is a nearest headword too.
    EXPECT_EQ(Run({"lookup", "hou"}).err, "nearest headword: house\n");
    EXPECT_EQ(Run({"lookup", "--reverse", "--no-forms", "nam"}).err, "nearest headword: namas\n");
    EXPECT_EQ(Run({"lookup", "house"}).err, "");
    // Each argument is one word with its own answer, in order; "not found" names its word.
    using Args = std::vector<std::string>;
    for (const Args& args : {Args{"lookup", "houses", "zzzq", "house"}, Args{"houses", "zzzq", "house"}}) {
        const SResult each = Run(args);
        EXPECT_EQ(each.out, "house\n1. namas, pastatas\nhouse\n1. namas, pastatas\n");
        EXPECT_EQ(each.err, "form of: house\nnot found: zzzq\n");
    }
    EXPECT_EQ(Run({"lookup", "--strict", "house", "zzzq", "house"}).status, 3);
    EXPECT_EQ(Run({"lookup", "word"}).err, "");

    // --strict: 3 for a nearest headword or nothing, 0 for the word or a form of it.
    EXPECT_EQ(Run({"lookup", "--strict", "house"}).status, 0);
    EXPECT_EQ(Run({"lookup", "--strict", "houses"}).status, 0);
    EXPECT_EQ(Run({"lookup", "--strict", "housz"}).status, 3);
    EXPECT_EQ(Run({"lookup", "--strict", "zzzq"}).status, 3);
    EXPECT_EQ(Run({"lookup", "--strict", "--reverse", "namas"}).status, 0);
    EXPECT_EQ(Run({"lookup", "--strict", "--reverse", "nam"}).status, 3);
    EXPECT_EQ(Run({"lookup", "--strict", "--json", "house", "zzzq", "house"}).status, 3);
    EXPECT_EQ(Run({"lookup", "housz"}).status, 0);
}

// An inflection record that is the word goes before a headword that only begins with it.
TEST_F(CliTest, AnInflectionRecordBeatsALongerHeadword) {
    const SResult ban = Run({"lookup", "ban"});
    EXPECT_EQ(ban.out, "house\n1. namas, pastatas\n");
    EXPECT_EQ(ban.err, "form of: house\n");
    EXPECT_EQ(Run({"lookup", "--no-forms", "ban"}).err, "nearest headword: bank\n");
    // The raw command keeps its own answer: the first headword beginning with the word.
    EXPECT_EQ(Run({"render-forward", "ban"}).out.rfind("0\n", 0), 0u);
}

// Stems from the hunspell data installed with the program.
TEST_F(CliTest, LookupShowsTheDictionaryFormOfAnInflectedWord) {
    CWordForms english(CWordForms::kEnglish);
    CWordForms lithuanian(CWordForms::kLithuanian);
    if (!english.Load() || !lithuanian.Load())
        GTEST_SKIP() << "hunspell-en-us or hunspell-lt is not installed (scripts/setup-deps installs them)";
    const SResult housing = Run({"lookup", "housing"});
    EXPECT_EQ(housing.out, "house\n1. namas, pastatas\n");
    EXPECT_EQ(housing.err, "form of: house\n");
    EXPECT_EQ(Run({"lookup", "--no-forms", "housing"}).err, "nearest headword: house\n");
    EXPECT_EQ(Run({"lookup", "--json", "housing"}).out.rfind("{\"word\":\"housing\",\"found\":\"form\",", 0),
              0u);

    const SResult namuose = Run({"lookup", "--reverse", "namuose"});
    EXPECT_EQ(namuose.out, "namas\nhouse\n1. namas, pastatas\n");
    EXPECT_EQ(namuose.err, "form of: namas\n");
    EXPECT_EQ(Run({"lookup", "--strict", "--reverse", "namuose"}).status, 0);
    EXPECT_EQ(Run({"lookup", "--strict", "--reverse", "--no-forms", "namuose"}).status, 3);
    EXPECT_EQ(Run({"lookup", "--json", "--reverse", "--no-forms", "namuose"})
                  .out.rfind("{\"word\":\"namuose\",\"found\":\"nearest\",\"headword\":\"namas\"", 0),
              0u);
    // A stem that is no headword: the nearest record as without forms ("žodžiai" -> žodis is
    // one, "namelis" has none here).
    EXPECT_EQ(Run({"lookup", "--json", "--reverse", "žodžiuose"})
                  .out.rfind("{\"word\":\"žodžiuose\",\"found\":\"form\",\"headword\":\"žodis\"", 0),
              0u);
    EXPECT_EQ(Run({"lookup", "--json", "--reverse", "nameliuose"})
                  .out.rfind("{\"word\":\"nameliuose\",\"found\":\"nearest\",\"headword\":\"namas\"", 0),
              0u);
    // The raw commands answer as before.
    EXPECT_EQ(Run({"nearest-reverse", "namuose"}).out, Run({"nearest-reverse", "nam"}).out);
}

TEST_F(CliTest, JsonGivesOneObjectPerWord) {
    const SResult r = Run({"lookup", "--json", "house", "houses", "housz", "zzzq", "UN"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    const std::string house = ",\"headword\":\"house\",\"homonym\":0,\"abbreviation\":false,"
                              "\"text\":\"house\\n1. namas, pastatas\\n\",\"html\":\"<A NAME=\\\"R1\\\"></A>"
                              "<P CLASS=hw><B>house</B></P>\\r\\n<P>\\r\\n1. namas, pastatas\\r\\n</P>\"";
    // The rule of a form and the suggestions for a word without a headword come last (hunspell's
    // English data suggests "house" for "housz" where it is installed).
    const bool bEnglishData = std::filesystem::exists(std::string(CWordForms::kEnglish) + ".dic");
    const std::string suggested = bEnglishData ? ",\"suggestions\":[\"house\"]" : "";
    EXPECT_EQ(
        r.out,
        "{\"word\":\"house\",\"found\":\"exact\"" + house + "}\n" +
            "{\"word\":\"houses\",\"found\":\"form\"" + house + ",\"rule\":\"inflection\"}\n" +
            "{\"word\":\"housz\",\"found\":\"nearest\",\"headword\":\"house\",\"homonym\":0,"
            "\"abbreviation\":false,\"text\":\"house\\n1. namas, pastatas\\n\",\"html\":"
            "\"<P CLASS=hw><B>house</B></P>\\r\\n<P>\\r\\n1. namas, pastatas\\r\\n</P>\"" +
            suggested +
            "}\n"
            "{\"word\":\"zzzq\",\"found\":\"none\",\"headword\":null,\"homonym\":null,"
            "\"abbreviation\":false,\"text\":\"\",\"html\":\"\"}\n"
            "{\"word\":\"UN\",\"found\":\"exact\",\"headword\":\"UN\",\"homonym\":0,"
            "\"abbreviation\":true,\"text\":\"JT\\n\",\"html\":\"<A NAME=\\\"R1\\\"></A><P>JT</P>\"}\n");
    EXPECT_EQ(
        Run({"lookup", "--json", "bank"})
            .out.rfind(
                "{\"word\":\"bank\",\"found\":\"exact\",\"headword\":\"bank\",\"homonym\":1,"
                "\"abbreviation\":false,\"text\":\"bank¹   bank²\\n----------------------------------------"
                "\\n1. krantas\\n----------------------------------------\\n1. bankas\\n\",\"html\":\"",
                0),
        0u);
    // Lithuanian: the record's text is the headword; letters stay UTF-8, quotes and controls escaped.
    const SResult lt = Run({"lookup", "--json", "--reverse", "žod\"\t"});
    EXPECT_EQ(lt.out.rfind(
                  "{\"word\":\"žod\\\"\\t\",\"found\":\"nearest\",\"headword\":\"žodis\",\"homonym\":0,", 0),
              0u);
    EXPECT_EQ(Run({"lookup", "--reverse", "--json", "namas"})
                  .out.rfind("{\"word\":\"namas\",\"found\":\"exact\",\"headword\":\"namas\",", 0),
              0u);
}

TEST_F(CliTest, LookupReadsWordsFromStandardInput) {
    const SResult r = RunWithInput({"lookup", "-"}, "house\n\n  \nhouses\r\nzzzq\n");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "house\n1. namas, pastatas\nhouse\n1. namas, pastatas\n");
    EXPECT_EQ(r.err, "form of: house\nnot found: zzzq\n");
    // No word and a pipe: the same. A last line without its newline still counts.
    EXPECT_EQ(
        RunWithInput({"lookup", "--json"}, "zzzq").out.rfind("{\"word\":\"zzzq\",\"found\":\"none\"", 0), 0u);
    EXPECT_EQ(RunWithInput({"lookup", "--reverse"}, "namas").out, "namas\nhouse\n1. namas, pastatas\n");
    // A line that is no UTF-8 is said and skipped; the others are still looked up.
    const SResult mixed = RunWithInput({"lookup", "--reverse", "-"}, "\xFEodis\nnamas\n");
    EXPECT_EQ(mixed.status, 2);
    EXPECT_EQ(mixed.err,
              "lekstar-cli: line 1 of the standard input is not valid UTF-8 (--raw reads code page 1257)\n");
    EXPECT_EQ(mixed.out, "namas\nhouse\n1. namas, pastatas\n");
    EXPECT_EQ(RunWithInput({"--raw", "lookup", "--reverse", "-"}, "\xFEodis\n").out.rfind("\xFEodis\n", 0),
              0u);
}

// Standard input whose first line comes before the dictionary is cut short, then words without end.
class CCuttingInput : public std::streambuf {
public:
    explicit CCuttingInput(std::string path) : m_path(std::move(path)) { Serve("house\n"); }
    // Lines given after the first.
    int Served() const { return m_served; }

protected:
    int_type underflow() override {
        if (!m_bCut) {
            m_bCut = true;
            // Nothing left: even a dictionary within one page is gone from the mapping.
            std::filesystem::resize_file(m_path, 0);
        }
        if (++m_served > 1000)
            return traits_type::eof();
        Serve("house\n");
        return traits_type::to_int_type(*gptr());
    }

private:
    void Serve(const char* line) {
        m_line = line;
        setg(m_line.data(), m_line.data(), m_line.data() + m_line.size());
    }
    std::string m_path;
    std::string m_line;
    bool m_bCut = false;
    int m_served = 0;
};

TEST_F(CliTest, ReadingStopsAtTheFirstWordAfterTheDictionaryVanished) {
    CCuttingInput input(m_dir.File("LEKSTAR.dic"));
    std::istream in(&input);
    std::ostringstream out, err;
    SCliIo io{in, out, err};
    io.bInIsTerminal = false;
    EXPECT_EQ(RunCli({"lookup", "-"}, m_dir.File(""), io), 1);
    // The first word after the cut ends the run: no more input is read.
    EXPECT_EQ(input.Served(), 1);
    ASSERT_LT(out.str().size(), 100u);
    EXPECT_EQ(out.str(), "house\n1. namas, pastatas\n");
    EXPECT_EQ(err.str(), "lekstar-cli: the dictionary " + m_dir.File("") +
                             "/LEKSTAR.dic was cut short or rewritten "
                             "while it was read\n");
}

TEST_F(CliTest, WordsListsHeadwordsForCompletion) {
    EXPECT_EQ(Run({"words", "ba"}).out, "bank\n");
    EXPECT_EQ(Run({"words", "h"}).out, "house\n");
    EXPECT_EQ(Run({"words"}).out, "bank\nhouse\nUN\n");
    EXPECT_EQ(Run({"words", "q"}).out, "");
    EXPECT_EQ(Run({"words", "--reverse", "ž"}).out, "žodis\n");
    EXPECT_EQ(Run({"words", "--reverse", "z"}).out, "") << "ž is a letter of its own";
    EXPECT_EQ(Run({"words", "--reverse", "NAM"}).out, "namas\n");
    EXPECT_EQ(Run({"words", "--reverse"}).out, "namas\nžodis\n");
}

TEST_F(CliTest, WordsStopsAtFifty) {
    SDictContent c;
    for (int i = 0; i < 60; ++i)
        c.articles.push_back(Article("w" + std::string(1, static_cast<char>('a' + i / 26)) +
                                         std::string(1, static_cast<char>('a' + i % 26)),
                                     "<P>x</P>"));
    WriteBytes(m_dir.File("LEKSTAR.dic"), CDictWriter::Build(c));
    const std::string out = Run({"words", "w"}).out;
    EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 50);
    EXPECT_EQ(out.substr(out.size() - 4), "wbx\n");
}

} // namespace
