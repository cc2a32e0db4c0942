// SPDX-License-Identifier: GPL-2.0-or-later
#include "MkdicTestUtil.h"
#include "mkdic/FreeDictCompiler.h"

#include "dict/DictFormat.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

namespace {

using Pairs = std::vector<std::pair<std::string, int>>;
using Entries = std::vector<std::int32_t>;

std::vector<SFreeDictEntry> Parse(const std::vector<std::pair<std::string, std::string>>& entries) {
    std::vector<SFreeDictEntry> out;
    for (const auto& [key, text] : entries)
        out.push_back(FreeDict::ParseEntry(key, text));
    return out;
}

Pairs List(const std::vector<SDictHeadword>& list) {
    Pairs out;
    for (const SDictHeadword& h : list)
        out.emplace_back(h.text, h.entry);
    return out;
}

// The articles of a reverse record, or {-1} when there is no record with that text.
Entries Reverse(const SDictContent& content, const std::string& utf8) {
    const std::string text = Cp(utf8);
    for (const SDictReverse& r : content.reverse)
        if (r.text == text)
            return r.entries;
    return {-1};
}

// A small English-Lithuanian dictionary with a case of every rule, and its Lithuanian-English
// partner, whose translations "accountant", "building", "place" and "spot" become articles of
// their own. Article order after compiling:
//   0 abate  1 ABC  2 accountant  3 Achilles' heel  4 at  5 book-keeper  6 box  7 boxes
//   8 building  9 café  10 caviar(e)  11 cyclopedic (sutr.)  12 cyclopedic  13 e.g.  14 home
//   15 house  16 place  17 sake  18 sake  19 spot  20 wanna
class CompilerTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_engLit = Parse({
            {"house", "house /haʊs/ <n>\n1. namas, pastatas\n2. (ap)gyvendinti (at)\n"
                      "   See also: {home}\n\n   See also: {hut}\n\n"},
            {"home", "home /həʊm/\nnamai, namas\n   See also: {bookkeeper}\n"},
            {"at", "at <prep>\nprie, ties\n   See also: {sake}\n"},
            {"bookkeeper", "book-keeper /ˈbʊkˌkiːpə/ <n>\nbuhalteris\n"},
            {"achilles heel", "Achilles' heel\nAchilo kulnas, silpnoji vieta\n"},
            {"cyclopedic", "cyclopedic <adj>\n(sutr. ret.) enciklopedinis\n"},
            {"cyclopedic", "cyclopedic <adj>\nenciklopedinis\n   See also: {encyclopedic}\n"},
            {"sake", "sake\n1. labui\n"},
            {"sake", "sake\nsakė (japonų degtinė)\n"},
            {"abc", "ABC\nabėcėlė\n"},
            {"eg", "e.g.\npavyzdžiui\n"},
            {"wanna", "wanna\n [slang] (sutr.) want to\n"},
            {"abate", "abate <v>\n(su)mažėti\n"},
            {"cafe", "café <n>\nkavinė\n"},
            {"caviare", "caviar(e)\nikrai\n"},
            {"box", "box <n>\ndėžė\n"},
            {"boxes", "boxes\ndėžės\n"},
        });
        m_litEng = Parse({
            {"namas", "namas <n, m>\n1. house, building\n2. home\n"},
            {"namas", "Namas\nHouse (the)\n"},
            {"vieta", "vieta <n, f>\nplace, spot\n"},
            {"buhalteris", "buhalteris\nbook-keeper, accountant\n"},
        });
        m_compiler.Compile(m_engLit, m_litEng);
    }

    const SDictContent& Content() const { return m_compiler.Content(); }

    std::vector<SFreeDictEntry> m_engLit;
    std::vector<SFreeDictEntry> m_litEng;
    CFreeDictCompiler m_compiler;
};

TEST_F(CompilerTest, ArticlesComeInHeadwordOrderWithTheirHomonymNumbers) {
    std::vector<std::pair<std::string, std::int32_t>> got;
    for (const SDictArticle& a : Content().articles)
        got.emplace_back(a.headword, a.homonym);
    const std::vector<std::pair<std::string, std::int32_t>> expected = {
        {"abate", 0},       {"ABC", 999},        {"accountant", 0}, {"Achilles' heel", 0}, {"at", 0},
        {"book-keeper", 0}, {"box", 0},          {"boxes", 0},      {"building", 0},       {"caf\xE9", 0},
        {"caviar(e)", 0},   {"cyclopedic", 999}, {"cyclopedic", 0}, {"e.g.", 999},         {"home", 0},
        {"house", 0},       {"place", 0},        {"sake", 1},       {"sake", 2},           {"spot", 0},
        {"wanna", 999}};
    EXPECT_EQ(got, expected);
    EXPECT_EQ(m_compiler.Stats().articles, 21);
    EXPECT_EQ(m_compiler.Stats().translated, 4);
    // "cyclopedic" beside its abbreviation is a single word: no homonym number.
    EXPECT_EQ(m_compiler.Stats().homonyms, 2);
    EXPECT_EQ(m_compiler.Stats().abbreviations, 4);
    EXPECT_TRUE(m_compiler.Warnings().empty());
    for (const SDictArticle& a : Content().articles)
        EXPECT_EQ(a.text.substr(0, a.headword.size() + 2), a.headword + "\t<") << a.headword;
}

TEST_F(CompilerTest, ArticleHtmlByteForByte) {
    EXPECT_EQ(Content().articles[15].text,
              "house\t<P CLASS=hw><B>house</B> <SPAN CLASS=pron>[ha&#650;s]</SPAN> <I>dkt.</I></P>\r\n"
              "<P CLASS=sense>\r\n1. namas, pastatas\r\n</P>\r\n"
              "<P CLASS=sense>\r\n2. (ap)gyvendinti (<A HREF=\"at\">at</A>)\r\n</P>\r\n"
              "<P CLASS=see>\r\nTaip pat \xFEr.: <A HREF=\"home\">home</A>, hut\r\n</P>\r\n");
    // A see-also target found by its dictd key; a label converted; no pronunciation or part of
    // speech.
    EXPECT_EQ(Content().articles[14].text,
              "home\t<P CLASS=hw><B>home</B> <SPAN CLASS=pron>[h&#601;&#650;m]</SPAN></P>\r\n"
              "<P CLASS=sense>\r\nnamai, namas\r\n</P>\r\n"
              "<P CLASS=see>\r\nTaip pat \xFEr.: <A HREF=\"book-keeper\">bookkeeper</A>\r\n</P>\r\n");
    EXPECT_EQ(Content().articles[20].text, "wanna\t<P CLASS=hw><B>wanna</B></P>\r\n<P CLASS=sense>\r\n(\xFE"
                                           "arg.) (sutr.) want to\r\n</P>\r\n");
    EXPECT_EQ(Content().articles[9].text, Cp("café\t<P CLASS=hw><B>café</B> <I>dkt.</I></P>\r\n"
                                             "<P CLASS=sense>\r\nkavinė\r\n</P>\r\n"));
}

TEST_F(CompilerTest, SpellingVariantsGoToListOne) {
    EXPECT_EQ(List(Content().alternates[0]), (Pairs{{"achilles heel", 3},
                                                    {"bookkeeper", 5},
                                                    {"cafe", 9},
                                                    {"caviare", 10},
                                                    {"caviar", 10},
                                                    {"eg", 13}}));
}

TEST_F(CompilerTest, WordsOfPhrasesGoToListTwo) {
    EXPECT_EQ(List(Content().alternates[1]), (Pairs{{"achilles", 3}, {"heel", 3}}));
}

TEST_F(CompilerTest, TranslationsThatAreNoHeadwordsBecomeArticles) {
    // "building" translates "namas" beside "house"; its article links back to both translations
    // of namas that hold it and to the articles whose senses hold "namas". "House (the)" is the
    // headword "house" already, "book-keeper" by its key. List 3 is left with nothing.
    EXPECT_EQ(Content().articles[8].text, "building\t<P CLASS=hw><B>building</B></P>\r\n"
                                          "<P CLASS=sense>\r\nnamas <I>dkt., vyr. g.</I>\r\n</P>\r\n"
                                          "<P CLASS=see>\r\nTaip pat \xFEr.: <A HREF=\"house\">house</A>, <A "
                                          "HREF=\"home\">home</A>\r\n</P>\r\n");
    EXPECT_EQ(
        Content().articles[16].text,
        "place\t<P CLASS=hw><B>place</B></P>\r\n<P CLASS=sense>\r\nvieta <I>dkt., mot. g.</I>\r\n</P>\r\n"
        "<P CLASS=see>\r\nTaip pat \xFEr.: <A HREF=\"spot\">spot</A>\r\n</P>\r\n");
    EXPECT_EQ(Content().articles[2].text,
              "accountant\t<P CLASS=hw><B>accountant</B></P>\r\n<P CLASS=sense>\r\nbuhalteris\r\n</P>\r\n"
              "<P CLASS=see>\r\nTaip pat \xFEr.: <A HREF=\"book-keeper\">book-keeper</A>\r\n</P>\r\n");
    EXPECT_TRUE(Content().alternates[2].empty());
}

TEST_F(CompilerTest, RegularInflectionsGoToListFour) {
    // "boxes" is a headword itself; "café" is no plain lower-case word.
    EXPECT_EQ(List(Content().alternates[3]),
              (Pairs{{"abates", 0}, {"abated", 0}, {"abating", 0}, {"book-keepers", 5}, {"houses", 15}}));
    EXPECT_EQ(m_compiler.Stats().alternates, (std::array<int, 4>{6, 2, 0, 5}));
}

TEST_F(CompilerTest, LinkListNamesEveryArticleOfEveryLinkedHeadword) {
    // "sake" has two homonyms: one record each. The translated articles link house, home, place,
    // spot and book-keeper.
    EXPECT_EQ(List(Content().links), (Pairs{{"at", 4},
                                            {"book-keeper", 5},
                                            {"home", 14},
                                            {"house", 15},
                                            {"place", 16},
                                            {"sake", 17},
                                            {"sake", 18},
                                            {"spot", 19}}));
    EXPECT_EQ(m_compiler.Stats().links, 8);
    EXPECT_EQ(m_compiler.Stats().linksInArticles, 9);
    EXPECT_NE(Content().articles[4].text.find("<A HREF=\"sake\">sake</A>"), std::string::npos);
    // A see-also target that is no headword stays text.
    EXPECT_NE(Content().articles[12].text.find("Taip pat \xFEr.: encyclopedic\r\n"), std::string::npos);
}

TEST_F(CompilerTest, ReverseRecordsCarryTheArticlesOfTheirTranslations) {
    // "namas" and "Namas" weigh the same: one record, the spelling without a capital, leading
    // first to its own translations in the order of its senses (house, building; home).
    EXPECT_EQ(Reverse(Content(), "namas"), (Entries{15, 8, 14}));
    EXPECT_EQ(Reverse(Content(), "Namas"), (Entries{-1}));
    EXPECT_EQ(m_compiler.Stats().merged, 1);
    EXPECT_EQ(Reverse(Content(), "pastatas"), (Entries{15}));
    EXPECT_EQ(Reverse(Content(), "gyvendinti"), (Entries{15}));
    EXPECT_EQ(Reverse(Content(), "apgyvendinti"), (Entries{15}));
    EXPECT_EQ(Reverse(Content(), "mažėti"), (Entries{0}));
    EXPECT_EQ(Reverse(Content(), "sumažėti"), (Entries{0}));
    EXPECT_EQ(Reverse(Content(), "enciklopedinis"), (Entries{11, 12}));
    EXPECT_EQ(Reverse(Content(), "sakė"), (Entries{18}));
    EXPECT_EQ(Reverse(Content(), "want to"), (Entries{20}));
    EXPECT_EQ(Reverse(Content(), "buhalteris"), (Entries{5, 2}));
    EXPECT_EQ(Reverse(Content(), "silpnoji vieta"), (Entries{3}));
    // "vieta" translates no English headword: it leads to the articles of its translations.
    EXPECT_EQ(Reverse(Content(), "vieta"), (Entries{16, 19}));
    EXPECT_EQ(Reverse(Content(), "(sutr. ret.) enciklopedinis"), (Entries{-1}));
    // Every Lithuanian-English headword has its record.
    EXPECT_EQ(m_compiler.Stats().litEngIn, 4);
    EXPECT_EQ(m_compiler.Stats().litEngReached, 4);
    EXPECT_TRUE(m_compiler.Losses().empty());
    EXPECT_EQ(Content().reverse.size(), 23u);
    EXPECT_EQ(m_compiler.Stats().reverse, 23);
}

TEST(CompilerRefs, StandUnderTheirSenseUnlessAllSensesShareThem) {
    CFreeDictCompiler compiler;
    const auto eng = Parse({
        {"about",
         "about\n1. apie\n   See also: {around}\n2. aplink\n   See also: {around}\n   Antonym: {far}\n"
         "3. netoli\n"},
        {"abnormity",
         "abnormity\n1. nenormalumas\n   See also: {around}\n2. anomalija\n   See also: {around}\n"},
        {"abrasive", "abrasive\n1. kandus\n2. abrazyvinis\n   See also: {around}\n3. abrazyvai\n"},
        {"around", "around\naplink\n"},
        {"far", "far\ntoli\n"},
    });
    compiler.Compile(eng, {});
    ASSERT_EQ(compiler.Content().articles.size(), 5u); // abnormity, about, abrasive, around, far
    // Only one sense of several has them: they stay under it, not after the last sense.
    EXPECT_EQ(compiler.Content().articles[2].text,
              "abrasive\t<P CLASS=hw><B>abrasive</B></P>\r\n"
              "<P CLASS=sense>\r\n1. kandus\r\n</P>\r\n"
              "<P CLASS=sense>\r\n2. abrazyvinis\r\n</P>\r\n"
              "<P CLASS=see>\r\nTaip pat \xFEr.: <A HREF=\"around\">around</A>\r\n</P>\r\n"
              "<P CLASS=sense>\r\n3. abrazyvai\r\n</P>\r\n");
    EXPECT_EQ(compiler.Content().articles[1].text,
              "about\t<P CLASS=hw><B>about</B></P>\r\n"
              "<P CLASS=sense>\r\n1. apie\r\n</P>\r\n"
              "<P CLASS=see>\r\nTaip pat \xFEr.: <A HREF=\"around\">around</A>\r\n</P>\r\n"
              "<P CLASS=sense>\r\n2. aplink\r\n</P>\r\n"
              "<P CLASS=see>\r\nTaip pat \xFEr.: <A HREF=\"around\">around</A>\r\n</P>\r\n"
              "<P CLASS=see>\r\nAntonimas: <A HREF=\"far\">far</A>\r\n</P>\r\n"
              "<P CLASS=sense>\r\n3. netoli\r\n</P>\r\n");
    EXPECT_EQ(compiler.Content().articles[0].text,
              "abnormity\t<P CLASS=hw><B>abnormity</B></P>\r\n"
              "<P CLASS=sense>\r\n1. nenormalumas\r\n</P>\r\n"
              "<P CLASS=sense>\r\n2. anomalija\r\n</P>\r\n"
              "<P CLASS=see>\r\nTaip pat \xFEr.: <A HREF=\"around\">around</A>\r\n</P>\r\n");
}

TEST(CompilerRefs, EnglishWordsInRemarksLinkButLithuanianOnesDoNot) {
    CFreeDictCompiler compiler;
    const auto eng = Parse({
        {"addict",
         "addict <n>\nnarkomanas (t.p. drug addict), mėgėjas (to – su), (bet koks pailgas) gabalas, "
         "(ir pan.) x, (per vieną) y, degalai (sutr. iš gasoline), (the Abbey) z (t.p. X-ray picture)\n"},
        {"drug", "drug\nvaistas\n"},
        {"to", "to\ni\n"},
        {"bet", "bet\nlažybos\n"},
        {"pan", "pan\nkeptuvė\n"},
        {"per", "per\nper\n"},
        {"the", "the\ntas\n"},
        {"abbey", "abbey\nabatija\n"},
        {"gasoline", "gasoline\nbenzinas\n"},
        {"xray", "X-ray\nrentgenas\n"},
        {"ray", "ray\nspindulys\n"},
        {"picture", "picture\npaveikslas\n"},
    });
    compiler.Compile(eng, {});
    // abbey, addict, bet, drug, gasoline, pan, per, picture, ray, the, to, X-ray
    EXPECT_EQ(
        compiler.Content().articles[1].text,
        "addict\t<P CLASS=hw><B>addict</B> <I>dkt.</I></P>\r\n<P CLASS=sense>\r\n"
        "narkomanas (t.p. <A HREF=\"drug\">drug</A> addict), m\xEBg\xEBjas (<A HREF=\"to\">to</A> \x96 su), "
        "(bet koks pailgas) gabalas, (ir pan.) x, (per vien\xE0) y, degalai (sutr. i\xF0 "
        "<A HREF=\"gasoline\">gasoline</A>), (the <A HREF=\"abbey\">Abbey</A>) z "
        "(t.p. <A HREF=\"x-ray\">X-ray</A> <A HREF=\"picture\">picture</A>)\r\n</P>\r\n");
    EXPECT_EQ(List(compiler.Content().links),
              (Pairs{{"abbey", 0}, {"drug", 3}, {"gasoline", 4}, {"picture", 7}, {"to", 10}, {"x-ray", 11}}));
}

TEST(CompilerLimits, LongHeadwordsAreSkippedWithAWarning) {
    CFreeDictCompiler compiler;
    const std::string h59(59, 'a');
    const std::string h60(60, 'b');
    compiler.Compile(Parse({{h59, h59 + "\nilgas\n"}, {h60, h60 + "\nper ilgas\n"}, {"empty", "\n\n"}}), {});
    ASSERT_EQ(compiler.Content().articles.size(), 1u);
    EXPECT_EQ(compiler.Content().articles[0].headword, h59);
    EXPECT_EQ(compiler.Content().articles[0].text.substr(0, 61), h59 + "\t<");
    ASSERT_EQ(compiler.Warnings().size(), 2u);
    EXPECT_EQ(compiler.Warnings()[0],
              "headword \"" + h60 + "\" has 60 bytes, more than a headword record holds; skipped");
    EXPECT_EQ(compiler.Warnings()[1], "entry \"empty\" has no headword or no sense; skipped");
    EXPECT_EQ(compiler.Stats().skipped, 2);
    // Its Lithuanian words lead nowhere: no reverse record names the skipped article.
    EXPECT_EQ(Reverse(compiler.Content(), "per ilgas"), (Entries{-1}));
}

TEST(CompilerLimits, ListsStayWithinWhatTheFileHolds) {
    // 300 articles translate "tas pats"; a Lithuanian-English entry gives it an English word that
    // is no headword and one that is 60 bytes long.
    std::vector<std::pair<std::string, std::string>> eng;
    for (int i = 0; i < 300; ++i) {
        char word[16];
        std::snprintf(word, sizeof word, "w%03d", i);
        eng.emplace_back(word, std::string(word) + "\ntas pats, " + std::string(256, 'x') + "\n");
    }
    eng.emplace_back("zz", "zz\n" + std::string(255, 'y') + "\n");
    const std::string longWord(60, 'e');
    CFreeDictCompiler compiler;
    compiler.Compile(Parse(eng), Parse({{"tas pats", "tas pats\nsame, " + longWord + "\n"}}));
    // "same" becomes article 0: the record leads to it first, then to the first 254 of the 300.
    const Entries entries = Reverse(compiler.Content(), "tas pats");
    ASSERT_EQ(entries.size(), 255u);
    EXPECT_EQ(entries.front(), 0);
    EXPECT_EQ(entries[1], 1);
    EXPECT_EQ(entries.back(), 254);
    EXPECT_EQ(compiler.Content().articles[0].headword, "same");
    EXPECT_EQ(Reverse(compiler.Content(), std::string(256, 'x')), (Entries{-1}));
    EXPECT_EQ(Reverse(compiler.Content(), std::string(255, 'y')), (Entries{301}));
    // Nothing of 60 bytes becomes an article; the new one links at most eight related ones.
    EXPECT_EQ(compiler.Content().articles.size(), 302u);
    const std::string& same = compiler.Content().articles[0].text;
    EXPECT_NE(same.find("<A HREF=\"w007\">w007</A>\r\n</P>"), std::string::npos) << same;
    EXPECT_EQ(same.find("w008"), std::string::npos);
    EXPECT_TRUE(compiler.Content().alternates[2].empty());
}

} // namespace

namespace {

TEST(CompilerTranslations, SensesComeClosestFirstWithTheirRemarks) {
    CFreeDictCompiler compiler;
    const auto eng = Parse({{"perish", "perish\nžūti\n"}});
    const auto lit = Parse({
        {"gaišti", "gaišti /ɡˈaiɕtʲi/ <v>\n1. (delsti) loiter\n2. (dvėsti, stipti) die\n"},
        {"kristi", "kristi <v>\n1. fall\n2. (apie gyvulius) perish, die\n"},
        {"mirti", "mirti <v>\ndie, pass away, (už ką) die (for)\n"},
    });
    compiler.Compile(eng, lit);
    // die, fall, loiter, pass away, perish
    ASSERT_EQ(compiler.Content().articles.size(), 5u);
    EXPECT_EQ(
        compiler.Content().articles[0].text,
        Cp("die\t<P CLASS=hw><B>die</B></P>\r\n"
           "<P CLASS=sense>\r\n1. mirti <I>vksm.</I>\r\n</P>\r\n"
           "<P CLASS=sense>\r\n2. gaišti <SPAN CLASS=pron>[&#609;&#712;ai&#597;t&#690;i]</SPAN> <I>vksm.</I> "
           "(dvėsti, stipti)\r\n</P>\r\n"
           "<P CLASS=sense>\r\n3. kristi <I>vksm.</I>\r\n</P>\r\n"
           "<P CLASS=see>\r\nTaip pat žr.: <A HREF=\"pass away\">pass away</A>, <A "
           "HREF=\"perish\">perish</A>, "
           "<A HREF=\"loiter\">loiter</A>, <A HREF=\"fall\">fall</A>\r\n</P>\r\n"));
    EXPECT_EQ(compiler.Stats().translated, 4);
    // "perish" is a headword: kristi's record leads to it, after "fall" and "die".
    EXPECT_EQ(Reverse(compiler.Content(), "kristi"), (Entries{1, 4, 0}));
}

// Texts the letter weights make equal are one word when one's articles hold the other's
// (namas, Namas above) and different words otherwise (lyga, liga): these keep a record each,
// the Lithuanian-English headword first.
TEST(CompilerReverse, EqualTextsOfDifferentWordsKeepTheirRecords) {
    CFreeDictCompiler compiler;
    const auto eng = Parse({{"league", "league\nlyga, sąjunga\n"},
                            {"illness", "illness\nliga\n"},
                            {"disease", "disease\nliga, Liga\n"}});
    const auto lit = Parse({{"liga", "liga <n, f>\nillness, disease\n"}});
    compiler.Compile(eng, lit);
    // disease 0, illness 1, league 2
    std::vector<std::pair<std::string, Entries>> records;
    for (const SDictReverse& r : compiler.Content().reverse)
        records.emplace_back(r.text, r.entries);
    EXPECT_EQ(records, (std::vector<std::pair<std::string, Entries>>{
                           {"liga", {1, 0}}, {"lyga", {2}}, {Cp("sąjunga"), {2}}}));
    EXPECT_EQ(compiler.Stats().merged, 1);
}

// The verbs' finite forms from a word list in the shape of hunspell-lt's: roots with the suffix
// flag E for the present and the prefix flags (lower case) they share with their infinitive.
TEST(LithuanianVerbs, FormsComeFromTheClassAndAreCheckedAgainstTheList) {
    CLithuanianVerbs verbs;
    for (const auto& [word, flags] : std::vector<std::pair<const char*, const char*>>{
             {"daryti", "NTab"},
             {"daro", "ENab"},
             {"darė", "NOab"},
             {"dari", "ENa"}, // dari: other
                              // prefixes
             {"vykti", "NTbc"},
             {"vyksta", "ENbc"},
             {"vyko", "NPbc"},
             {"vyka", "NPbc"}, // vyka: no E
             {"būti", "NTab"},
             {"buvo", "NOxyz"},
             {"yra", "E"},
             {"eiti", "NTa"}, // irregular
             {"leisti", "NTa"},
             {"leidžia", "ENa"},
             {"leido", "NOa"},
             {"mokyti", "NTa"},
             {"moko", "ENa"},
             {"mokė", "NOa"},
             {"žinoti", "NTa"},
             {"žinojo", "NOab"}, // one other
         })
        verbs.AddRoot(Cp(word), flags);
    const auto forms = [&](const char* infinitive) {
        std::vector<std::string> out;
        for (const std::string& f : verbs.FiniteForms(Cp(infinitive)))
            out.push_back(f);
        return out;
    };
    using V = std::vector<std::string>;
    EXPECT_EQ(forms("daryti"), (V{"daro", Cp("darė")}));
    EXPECT_EQ(forms("vykti"), (V{"vyksta", "vyko"}));
    EXPECT_EQ(forms("būti"), (V{"yra", "buvo"})); // būna, esti: not in the list
    EXPECT_EQ(forms("eiti"), V{});                // eina, ėjo: not in the list
    EXPECT_EQ(forms("leisti"), (V{Cp("leidžia"), "leido"}));
    EXPECT_EQ(forms("mokytis"), (V{"mokosi", Cp("mokėsi")}));
    EXPECT_EQ(forms("žinoti"), (V{Cp("žinojo")}));
    EXPECT_EQ(forms("daro"), V{});
    EXPECT_EQ(forms("nedaryti"), V{});

    // Records that are verbs, bare or after a prefix; a form that is a record is no form of it.
    const std::vector<SDictReverse> records = {
        {Cp("daryti"), {}}, {Cp("nepavykti"), {}}, {Cp("pasimokyti"), {}}, {"vyko", {}}, {"namas", {}}};
    std::vector<std::pair<std::string, int>> got;
    for (const SDictHeadword& h : verbs.FormsOf(records))
        got.emplace_back(h.text, h.entry);
    EXPECT_EQ(got, (std::vector<std::pair<std::string, int>>{{"daro", 0},
                                                             {Cp("darė"), 0},
                                                             {"nepavyksta", 1},
                                                             {"nepavyko", 1},
                                                             {"pasimoko", 2},
                                                             {Cp("pasimokė"), 2}}));
}

} // namespace
