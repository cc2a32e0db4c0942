// SPDX-License-Identifier: GPL-2.0-or-later
#include "MkdicTestUtil.h"
#include "mkdic/FreeDictCompiler.h"
#include "support/TestDict.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

namespace {

// A dictd number in base 64, written independently of the reader.
std::string Base64(std::uint64_t v) {
    static const char kDigits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    do {
        out.insert(out.begin(), kDigits[v % 64]);
        v /= 64;
    } while (v != 0);
    return out;
}

// Writes base.index and base.dict.dz for the entries (key, text), in this order.
void WriteDictd(const std::string& base, const std::vector<std::pair<std::string, std::string>>& entries) {
    std::string index;
    std::string data;
    for (const auto& [key, text] : entries) {
        index += key + "\t" + Base64(data.size()) + "\t" + Base64(text.size()) + "\n";
        data += text;
    }
    WriteBytes(base + ".index", index);
    WriteBytes(base + ".dict.dz", GzipBytes(data));
}

std::string ReadAll(const std::string& path) {
    std::string out;
    EXPECT_TRUE(CDictdReader::ReadFile(path, out, nullptr)) << path;
    return out;
}

class EndToEndTest : public ::testing::Test {
protected:
    void SetUp() override {
        WriteDictd(
            m_dir.File("freedict-eng-lit"),
            {{"00databaseinfo", "English-Lithuanian test dictionary\nGPL-2+\n"},
             {"abc", "ABC\nabėcėlė\n"},
             {"house", "house /haʊs/ <n>\n1. namas, pastatas\n2. (ap)gyvendinti\n   See also: {home}\n\n"},
             {"home", "home /həʊm/\n1. namai, namas\n2. (namų) židinys\n"}});
        WriteDictd(m_dir.File("freedict-lit-eng"),
                   {{"00databaseinfo", "Lithuanian-English test dictionary\nGPL-2+\n"},
                    {"namas", "namas <n, m>\nhouse, building\n"},
                    {"namai", "namai\nhome\n"}});
        std::filesystem::create_directories(m_dir.File("doc/dict-freedict-eng-lit"));
        WriteBytes(m_dir.File("doc/dict-freedict-eng-lit/copyright"), "Copyright: test\n");
    }

    int Run(const std::string& output, const std::string& wordnet = {}) {
        m_out.str("");
        m_err.str("");
        CFreeDictCompiler::SRunOptions options;
        options.sourceDir = m_dir.File("");
        options.outputPath = output;
        options.docDir = m_dir.File("doc");
        options.wordnetDir = wordnet;
        options.spellingBase.clear();
        options.lithuanianBase.clear();
        options.bAllowOneSide = m_bAllowOneSide;
        return CFreeDictCompiler::Run(options, m_out, m_err);
    }

    CTempDir m_dir;
    bool m_bAllowOneSide = false;
    std::ostringstream m_out;
    std::ostringstream m_err;
};

const std::string kHomeBody = "<P CLASS=hw><B>home</B> <SPAN CLASS=pron>[h&#601;&#650;m]</SPAN></P>\r\n"
                              "<P CLASS=sense>\r\n1. namai, namas\r\n</P>\r\n"
                              "<P CLASS=sense>\r\n2. (nam\xF8) \xFEidinys\r\n</P>\r\n";

TEST_F(EndToEndTest, BuildsAFileThatTheReaderSearchesInBothDirections) {
    const std::string output = m_dir.File("LEKSTAR.dic");
    ASSERT_EQ(Run(output), 0) << m_err.str();
    EXPECT_EQ(m_err.str(), "");

    CDictFile dict;
    dict.SetPath(output);
    ASSERT_EQ(dict.Open(), CDictFile::kOpenOk);
    EXPECT_EQ(dict.ArticleCount(), 4); // ABC, building (a translation of namas), home, house

    int entry = -1;
    EXPECT_EQ(dict.RenderForward("house", entry),
              "house\t<A NAME=\"R1\"></A><P CLASS=hw><B>house</B> <SPAN CLASS=pron>[ha&#650;s]</SPAN> "
              "<I>dkt.</I></P>\r\n"
              "<P CLASS=sense>\r\n1. namas, pastatas\r\n</P>\r\n"
              "<P CLASS=sense>\r\n2. (ap)gyvendinti\r\n</P>\r\n"
              "<P CLASS=see>\r\nTaip pat \xFEr.: <A HREF=\"home\">home</A>\r\n</P>\r\n");
    EXPECT_EQ(entry, 3);
    // The plural through list 4, the link through the link list.
    EXPECT_EQ(dict.RenderForward("houses", entry).substr(0, 25), "house\t<A NAME=\"R1\"></A><P");
    EXPECT_EQ(entry, 3);
    EXPECT_EQ(dict.RenderLinkTarget("home", entry), "home\t<A NAME=\"R1\"></A>" + kHomeBody);
    EXPECT_EQ(entry, 2);
    int homonym = -1;
    EXPECT_EQ(dict.GetListHeadword(EDirection::Forward, 0, homonym), "ABC");
    EXPECT_EQ(homonym, 999);

    // One article: its body alone, the word marked.
    int index = -1;
    EXPECT_EQ(dict.RenderReverse(Cp("abėcėlė"), &index),
              Cp("<A NAME=\"R0\"></A><P CLASS=hw><B>ABC</B></P>\r\n"
                 "<P CLASS=sense>\r\n<SPAN CLASS=SELECTED>abėcėlė</SPAN>\r\n</P>\r\n"));
    EXPECT_EQ(dict.GetReverseHeadword(index), Cp("abėcėlė"));

    // Three articles: the link row in the order of the Lithuanian-English senses (house,
    // building), then the one holding the word; each with the word marked, not inside "namai".
    const std::string namas = dict.RenderReverse("namas", &index);
    EXPECT_EQ(dict.GetReverseHeadword(index), "namas");
    EXPECT_EQ(
        namas,
        "<A NAME=\"Rbeg\"></A>\r\n<A HREF=\"#R3\">house</A>&nbsp;&nbsp;&nbsp; "
        "<A HREF=\"#R1\">building</A>&nbsp;&nbsp;&nbsp; <A HREF=\"#R2\">home</A>&nbsp;&nbsp;&nbsp; "
        "<HR>\r\n\r\n"
        "<A NAME=\"R3\"></A><P CLASS=hw><B>house</B> <SPAN CLASS=pron>[ha&#650;s]</SPAN> "
        "<I>dkt.</I></P>\r\n"
        "<P CLASS=sense>\r\n1. <SPAN CLASS=SELECTED>namas</SPAN>, pastatas\r\n</P>\r\n"
        "<P CLASS=sense>\r\n2. (ap)gyvendinti\r\n</P>\r\n"
        "<P CLASS=see>\r\nTaip pat \xFEr.: <A HREF=\"home\">home</A>\r\n</P>\r\n"
        "</P><A CLASS=aback HREF=\"#Rbeg\">\xC1 vir\xF0\xF8</A>\r\n<HR>\r\n\r\n"
        "<A NAME=\"R1\"></A><P CLASS=hw><B>building</B></P>\r\n"
        "<P CLASS=sense>\r\n<SPAN CLASS=SELECTED>namas</SPAN> <I>dkt., vyr. g.</I>\r\n</P>\r\n"
        "<P CLASS=see>\r\nTaip pat \xFEr.: <A HREF=\"house\">house</A>, <A HREF=\"home\">home</A>\r\n</P>\r\n"
        "</P><A CLASS=aback HREF=\"#Rbeg\">\xC1 vir\xF0\xF8</A>\r\n<HR>\r\n\r\n"
        "<A NAME=\"R2\"></A><P CLASS=hw><B>home</B> <SPAN CLASS=pron>[h&#601;&#650;m]</SPAN></P>\r\n"
        "<P CLASS=sense>\r\n1. namai, <SPAN CLASS=SELECTED>namas</SPAN>\r\n</P>\r\n"
        "<P CLASS=sense>\r\n2. (nam\xF8) \xFEidinys\r\n</P>\r\n"
        "</P><A CLASS=aback HREF=\"#Rbeg\">\xC1 vir\xF0\xF8</A>\r\n");
    // "namai" comes from the English-Lithuanian senses and the Lithuanian-English entry alike.
    EXPECT_EQ(dict.RenderReverse("namai", &index),
              "<A NAME=\"R2\"></A>" + std::string(kHomeBody).replace(kHomeBody.find("namai,"), 6,
                                                                     "<SPAN CLASS=SELECTED>namai</SPAN>,"));
    // "building" is an article of its own.
    EXPECT_EQ(dict.RenderForward("building", entry).substr(0, 10), "building\t<");
    EXPECT_EQ(entry, 1);
}

TEST_F(EndToEndTest, ReportsTheCountsAndWritesTheLicenceTexts) {
    const std::string output = m_dir.File("LEKSTAR.dic");
    ASSERT_EQ(Run(output), 0) << m_err.str();
    const std::string image = ReadAll(output);
    EXPECT_EQ(
        m_out.str(),
        output + ": " + std::to_string(image.size()) +
            " bytes\n"
            "  articles:                  4 (0 homonyms, 1 abbreviations, 0 entries skipped)\n"
            "    English-Lithuanian:      3 of 3 entries\n"
            "    translations:            1 English words of the Lithuanian-English data\n"
            "  alternate 1 (spellings):   0 (0 American spellings)\n"
            "  alternate 2 (phrase words): 0\n"
            "  alternate 3 (translations): 0\n"
            "  alternate 4 (inflections): 1 (0 irregular forms)\n"
            "  links:                     2 records, 3 links in articles\n"
            "  reverse records:           7 (0 equal spellings merged)\n"
            "    Lithuanian-English:      2 of 2 headwords (0 without an English translation)\n"
            "  Lithuanian verb forms:     0\n"
            "  repeated index lines:      0 dropped\n"
            "  source slips mended:       0 (0 parentheses, 0 alternatives, 0 tags, 0 Lithuanian words as "
            "English, 0 shortened headwords, 0 notes)\n"
            "  licence:                   " +
            output + ".COPYING\n" +
            "  derived through pivots:    none: no pivot dictionaries (freedict-eng-fra, " +
            "-fra-eng, -fra-lit ...) in " + m_dir.File("") + "\n");
    EXPECT_EQ(ReadAll(output + ".COPYING"),
              "LEKSTAR.dic is built from the FreeDict English-Lithuanian and Lithuanian-English\n"
              "dictionaries. It is distributed under their licence; their notices follow.\n"
              "\n======== English-Lithuanian dictionary (freedict-eng-lit): database information ========\n\n"
              "English-Lithuanian test dictionary\nGPL-2+\n"
              "\n======== Lithuanian-English dictionary (freedict-lit-eng): database information ========\n\n"
              "Lithuanian-English test dictionary\nGPL-2+\n"
              "\n======== " +
                  m_dir.File("doc/dict-freedict-eng-lit/copyright") +
                  " ========\n\n"
                  "Copyright: test\n");

    // The same input gives the same bytes.
    ASSERT_EQ(Run(m_dir.File("again.dic")), 0);
    EXPECT_EQ(ReadAll(m_dir.File("again.dic")), image);
}

TEST_F(EndToEndTest, IrregularFormsLeadToTheArticlesOfTheirWords) {
    const std::string wordnet = m_dir.File("wordnet");
    std::filesystem::create_directories(wordnet);
    // Two bases, one of them twice; a form the regular rule gives already; a base with no
    // article; a line without a base; a phrase written with "_".
    WriteBytes(wordnet + "/noun.exc", "houses house\nhousen house home house\nlonely\n");
    WriteBytes(wordnet + "/verb.exc", "went go\r\nhomed_in home\n");
    // "home" has no part of speech in the data; WordNet's noun index knows it.
    WriteBytes(wordnet + "/index.noun", "  1 licence text home\nhome n 9 7 @ ~ 09 0 1\nzebra n 1 0\n");
    std::filesystem::create_directories(m_dir.File("doc/wordnet-base"));
    WriteBytes(m_dir.File("doc/wordnet-base/copyright"), "WordNet test notice\n");
    const std::string output = m_dir.File("LEKSTAR.dic");
    ASSERT_EQ(Run(output, wordnet), 0) << m_err.str();
    EXPECT_EQ(m_err.str(), "");
    EXPECT_NE(m_out.str().find("  alternate 4 (inflections): 5 (3 irregular forms)\n"), std::string::npos)
        << m_out.str();

    CDictFile dict;
    dict.SetPath(output);
    ASSERT_EQ(dict.Open(), CDictFile::kOpenOk);
    int entry = -1;
    const std::string housen = dict.RenderForward("housen", entry);
    EXPECT_EQ(entry, 3);
    EXPECT_NE(housen.find("<B>house</B>"), std::string::npos);
    EXPECT_NE(housen.find("<B>home</B>"), std::string::npos);
    EXPECT_EQ(dict.RenderForward("homed in", entry).substr(0, 5), "home\t");
    EXPECT_EQ(entry, 2);
    EXPECT_EQ(dict.RenderForward("homes", entry).substr(0, 5), "home\t");
    EXPECT_EQ(entry, 2);
    EXPECT_EQ(dict.RenderForward("went", entry), "");
    EXPECT_EQ(entry, -1);
    EXPECT_EQ(dict.RenderForward("lonely", entry), "");

    const std::string copying = ReadAll(output + ".COPYING");
    const std::string tail = "\n======== Irregular English forms: WordNet's exception lists (" +
                             m_dir.File("doc/wordnet-base/copyright") + ") ========\n\nWordNet test notice\n";
    ASSERT_GE(copying.size(), tail.size());
    EXPECT_EQ(copying.substr(copying.size() - tail.size()), tail);

    // A folder without the lists: said once, and the dictionary is built without them.
    const std::string empty = m_dir.File("empty");
    std::filesystem::create_directories(empty);
    ASSERT_EQ(Run(m_dir.File("plain.dic"), empty), 0);
    EXPECT_EQ(m_err.str(), "lekstar-mkdic: warning: no WordNet exception lists (noun.exc, verb.exc, adj.exc, "
                           "adv.exc) in " +
                               empty + "; irregular English forms are left out\n");
    EXPECT_NE(m_out.str().find("  alternate 4 (inflections): 1 (0 irregular forms)\n"), std::string::npos);
    EXPECT_EQ(ReadAll(m_dir.File("plain.dic.COPYING")).find("WordNet"), std::string::npos);
}

TEST(ExceptionList, ReadsFormsAndBasesInFileOrder) {
    const std::vector<SIrregularForm> forms = FreeDict::ParseExceptionList(
        "better good well\nmice mouse\r\n\nalone\n  aides-de-camp  aide-de-camp\n"
        "went_over go_over go_over\nlast base");
    ASSERT_EQ(forms.size(), 5u);
    EXPECT_EQ(forms[0].form, "better");
    EXPECT_EQ(forms[0].bases, (std::vector<std::string>{"good", "well"}));
    EXPECT_EQ(forms[1].form, "mice");
    EXPECT_EQ(forms[1].bases, (std::vector<std::string>{"mouse"}));
    EXPECT_EQ(forms[2].form, "aides-de-camp");
    EXPECT_EQ(forms[2].bases, (std::vector<std::string>{"aide-de-camp"}));
    EXPECT_EQ(forms[3].form, "went over");
    EXPECT_EQ(forms[3].bases, (std::vector<std::string>{"go over"}));
    EXPECT_EQ(forms[4].form, "last");
    EXPECT_EQ(forms[4].bases, (std::vector<std::string>{"base"}));
}

TEST_F(EndToEndTest, FailuresNameTheFileAndExitNonZero) {
    const std::string output = m_dir.File("out.dic");

    WriteBytes(m_dir.File("freedict-lit-eng.dict.dz"), "not compressed\n");
    EXPECT_EQ(Run(output), 1);
    EXPECT_EQ(m_err.str(),
              "lekstar-mkdic: " + m_dir.File("freedict-lit-eng.dict.dz") + ": not a gzip stream\n");
    EXPECT_FALSE(std::filesystem::exists(output));

    std::filesystem::remove(m_dir.File("freedict-eng-lit.index"));
    EXPECT_EQ(Run(output), 1);
    EXPECT_EQ(m_err.str(), "lekstar-mkdic: cannot open " + m_dir.File("freedict-eng-lit.index") +
                               ": No such file or directory\n");
    EXPECT_EQ(m_out.str(), "");
}

TEST_F(EndToEndTest, ASourceWithOneDirectionOnlyIsRefusedUnlessAllowed) {
    const std::string output = m_dir.File("out.dic");
    // Only the metadata left: no word of that direction.
    WriteDictd(m_dir.File("freedict-lit-eng"), {{"00databaseinfo", "Lithuanian-English test dictionary\n"}});
    EXPECT_EQ(Run(output), 1);
    EXPECT_EQ(m_err.str(), "lekstar-mkdic: " + m_dir.File("") +
                               "/freedict-lit-eng.index: no entries to build from (--allow-one-side builds "
                               "from the other alone)\n");
    EXPECT_FALSE(std::filesystem::exists(output));
    m_bAllowOneSide = true;
    EXPECT_EQ(Run(output), 0) << m_err.str();
    EXPECT_TRUE(std::filesystem::exists(output));
    // Neither direction is nothing to build from, allowed or not.
    WriteDictd(m_dir.File("freedict-eng-lit"), {});
    EXPECT_EQ(Run(output + "2"), 1);
    EXPECT_FALSE(std::filesystem::exists(output + "2"));
}

TEST_F(EndToEndTest, AnUnwritableOutputIsAFailure) {
    const std::string output = m_dir.File("missing/LEKSTAR.dic");
    EXPECT_EQ(Run(output), 1);
    EXPECT_EQ(m_err.str(), "lekstar-mkdic: cannot create " + output + ".part: No such file or directory\n");
    EXPECT_EQ(m_out.str(), "");
}

} // namespace
