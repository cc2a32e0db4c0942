// SPDX-License-Identifier: GPL-2.0-or-later
#include "MkdicTestUtil.h"
#include "mkdic/FreeDictCompiler.h"

#include <gtest/gtest.h>

#include <set>

namespace {

using namespace FreeDict;

std::string Refs(const SFreeDictEntry& e) {
    std::string out;
    for (const SCrossRef& r : e.refs)
        out +=
            std::to_string(static_cast<int>(r.kind)) + ":" + r.target + "@" + std::to_string(r.sense) + ";";
    return out;
}

std::string Senses(const SFreeDictEntry& e) {
    std::string out;
    for (const SFreeDictSense& s : e.senses)
        out += "[" + s.number + "|" + s.text + "]";
    return out;
}

TEST(ParseEntry, SplitsTheHeadLineIntoHeadwordPronunciationAndPartOfSpeech) {
    SFreeDictEntry e = ParseEntry("abandoned", "abandoned /ə'bændnd/ <adj>\n1. paliktas, pamestas\n"
                                               "2. nevaržomas, beatodairiškas\n");
    EXPECT_EQ(e.key, "abandoned");
    EXPECT_EQ(e.headword, "abandoned");
    EXPECT_EQ(e.pron, "ə'bændnd");
    EXPECT_EQ(e.pos, "adj");
    EXPECT_EQ(Senses(e), "[1.|paliktas, pamestas][2.|nevaržomas, beatodairiškas]");
    EXPECT_TRUE(e.refs.empty());

    e = ParseEntry("achilles heel", "Achilles' heel /əˌkɪliːz ˈhiːl/ <n, f, pl>\nAchilo kulnas\n");
    EXPECT_EQ(e.headword, "Achilles' heel");
    EXPECT_EQ(e.pron, "əˌkɪliːz ˈhiːl");
    EXPECT_EQ(e.pos, "n, f, pl");
    EXPECT_EQ(Senses(e), "[|Achilo kulnas]");

    e = ParseEntry("abc", "ABC\nabc, alfabetas\n"); // neither pronunciation nor part of speech
    EXPECT_EQ(e.headword, "ABC");
    EXPECT_EQ(e.pron, "");
    EXPECT_EQ(e.pos, "");

    e = ParseEntry("andor", "and/or <conj>\nir (arba)\n"); // a slash inside the headword
    EXPECT_EQ(e.headword, "and/or");
    EXPECT_EQ(e.pron, "");
    EXPECT_EQ(e.pos, "conj");
}

TEST(ParseEntry, KeepsCrossReferencesWithTheSenseTheyFollow) {
    const SFreeDictEntry e = ParseEntry("about", "about /əbaut/\n"
                                                 "1. apie, maždaug\n"
                                                 "   See also: {approximately}\n"
                                                 "\n"
                                                 "   See also: {close to }\n"
                                                 "\n"
                                                 "2. aplink\n"
                                                 "   Antonym: {deny}\n"
                                                 " der: {buy}\n");
    EXPECT_EQ(Senses(e), "[1.|apie, maždaug][2.|aplink]");
    EXPECT_EQ(Refs(e), "0:approximately@0;0:close to@0;1:deny@1;2:buy@1;");

    const SFreeDictEntry only =
        ParseEntry("meanwhile", "meanwhile /miːnwaıl/ <adv>\n\n   See also: {meantime}\n\n");
    EXPECT_TRUE(only.senses.empty());
    EXPECT_EQ(Refs(only), "0:meantime@-1;");
}

TEST(ParseEntry, HandlesTheIrregularLinesOfTheData) {
    // A label line, a sense continued on the next line inside an open remark, unnumbered lines
    // after numbered ones, and a "3.  " with two spaces.
    SFreeDictEntry e = ParseEntry("consume", "consume <v>\n"
                                             "1. (su)valgyti\n"
                                             "3. (pra)leisti (laiką), (iš)eikvoti (energiją ir\n"
                                             "pan.)\n"
                                             "(kalbant apie asmenį)\n"
                                             "4.  [gram] afiksas\n"
                                             " [med] vėžio\n");
    EXPECT_EQ(Senses(e), "[1.|(su)valgyti][3.|(pra)leisti (laiką), (iš)eikvoti (energiją ir pan.)]"
                         "[|(kalbant apie asmenį)][4.|[gram] afiksas][|[med] vėžio]");

    // A remark before the headword moves to the senses.
    e = ParseEntry("komp batch program", "(komp.) batch program /kˈɒmp/\npaketinė programa\n");
    EXPECT_EQ(e.headword, "batch program");
    EXPECT_EQ(Senses(e), "[|(komp.) paketinė programa]");

    // Typographic hyphens become '-'; CR LF line ends are accepted.
    e = ParseEntry("teapot", "tea\u2010pot /ˈtiːpɒt/\r\narbat\u2011inukas\r\n");
    EXPECT_EQ(e.headword, "tea-pot");
    EXPECT_EQ(Senses(e), "[|arbat-inukas]");

    // Control bytes become spaces: a TAB must not reach a headword.
    e = ParseEntry("ab", "a\tb\nc\x01"
                         "d\n");
    EXPECT_EQ(e.headword, "a b");
    EXPECT_EQ(Senses(e), "[|c d]");

    e = ParseEntry("x", "");
    EXPECT_EQ(e.headword, "");
    EXPECT_TRUE(e.senses.empty());
}

TEST(TextConversion, HtmlTextEscapesAndWritesNumericReferences) {
    EXPECT_EQ(HtmlText("ha\xCA\x8As"), "ha&#650;s");                       // ʊ
    EXPECT_EQ(HtmlText("\xC9\x99\xCA\x83\xCB\x88"), "&#601;&#643;&#712;"); // ə ʃ ˈ
    EXPECT_EQ(HtmlText("a < b & c > d"), "a &lt; b &amp; c &gt; d");
    EXPECT_EQ(HtmlText("žodis – ąžuolas"), "\xFEodis \x96 \xE0\xFEuolas"); // the code page holds these
    EXPECT_EQ(HtmlText("\xE2\x89\x88"), "&#8776;");                        // ≈
    EXPECT_EQ(HtmlText("\xF0\x9F\x98\x80"), "&#128512;");                  // beyond the BMP
    EXPECT_EQ(HtmlText("a\xFF"), "a&#65533;");                             // not UTF-8
}

TEST(TextConversion, PlainTextAndAsciiFoldFindTheNearestLetters) {
    EXPECT_EQ(PlainText("žodis"), "\xFEodis");
    EXPECT_EQ(PlainText("café"), "caf\xE9"); // é is in the code page
    EXPECT_EQ(PlainText("crème"), "creme");  // è is not
    EXPECT_EQ(PlainText("tea\u2010pot"), "tea-pot");
    EXPECT_EQ(PlainText("\xC9\x99"), "?"); // ə has no letter to fall back on
    EXPECT_EQ(AsciiFold("café Ærø straße"), "cafe AEro strasse");
    EXPECT_EQ(AsciiFold("Łódź"), "Lodz");
    EXPECT_EQ(AsciiFold("plain"), "plain");
    EXPECT_EQ(AsciiFold("\xC9\x99"), ""); // no ASCII form
}

TEST(TextConversion, PartOfSpeechAndDomainLabelsInLithuanian) {
    EXPECT_EQ(PartOfSpeech("n"), "dkt.");
    EXPECT_EQ(PartOfSpeech("n, f, pl"), "dkt., mot. g., dgs.");
    EXPECT_EQ(PartOfSpeech("adj, m"), "bdv., vyr. g.");
    EXPECT_EQ(PartOfSpeech("v,adv ,pron, prep, conj, num, sg"), "vksm., prv., įv., prl., jng., sktv., vns.");
    EXPECT_EQ(PartOfSpeech("n, xyz"), "dkt., xyz");
    EXPECT_EQ(PartOfSpeech(""), "");
    EXPECT_EQ(ConvertDomainLabels("[med] vėžio, [geo] sąsmauka"), "(med.) vėžio, (geogr.) sąsmauka");
    EXPECT_EQ(ConvertDomainLabels("[slang] am not"), "(žarg.) am not");
    EXPECT_EQ(ConvertDomainLabels("[xyz] a [b c] [1]"), "[xyz] a [b c] [1]");
}

} // namespace

namespace {

// English for the mends: the words of the cases below that en_US knows.
bool IsEnglishWord(const std::string& w) {
    static const std::set<std::string> words = {
        "sell",     "by",    "wholesale", "be",     "a",         "nomad's", "lead",
        "life",     "deny",  "negate",    "refute", "make",      "up",      "paint",
        "prop",     "pier",  "anxious",   "uneasy", "worried",   "about",   "raw",
        "material", "stuff", "sweater",   "jumper", "toothache", "erotic",  "inch"};
    return words.count(w) != 0;
}

TEST(MendEnglishSenses, ClosesRemarksJoinsAlternativesAndDropsWhatIsNoTranslation) {
    struct SCase {
        std::string headword;
        std::string sense;
        std::string mended; // empty: the sense goes
    } cases[] = {
        {"pardavin\xC4\x97ti", "(p. didmenomis sell (by) wholesale", "(p. didmenomis) sell (by) wholesale"},
        {"klajoti", "be a nomad, (lead a nomad's life", "be a nomad, lead a nomad's life"},
        {"paneigti", "deny, negate, nuomon\xC4\x99, teigin\xC4\xAF t. p.) refute",
         "deny, negate, (nuomon\xC4\x99, teigin\xC4\xAF t. p.) refute"},
        {"da\xC5\xBEytis", "vaid\xC4\x85, l\xC5\xABpas) make up, paint",
         "(vaid\xC4\x85, l\xC5\xABpas) make up, paint"},
        {"atrama", "prop) pier", "prop pier"}, // nothing of a remark before the ')'
        {"nerimauti", "be anxious/ uneasy /worried (about)", "be anxious/uneasy/worried (about)"},
        {"\xC5\xBE"
         "aliava",
         "raw material(s)/stuff", "raw material/materials/stuff"},
        {"megztinis", "(apdaras) sweater <n>, jumper <adj, m>", "(apdaras) sweater, jumper"},
        {"skausmas", "dant\xC5\xB3 s. toothache", "(dant\xC5\xB3 skausmas) toothache"},
        {"galva", "dant\xC5\xB3 s. toothache", "dant\xC5\xB3 s. toothache"}, // not this headword's letter
        {"skausmas", "sell s. toothache", "sell s. toothache"}, // an English word defines nothing
        {"eroti\xC5\xA1kas", "erotic, eroti\xC5\xA1kas", "erotic"},
        {"s\xC4\x85saja", "s\xC4\x85saja", ""},
        {"colis", "1/2 inch, a <B>", "1/2 inch, a <B>"},
    };
    for (const SCase& c : cases) {
        SFreeDictEntry e;
        e.headword = c.headword;
        e.senses = {{"1.", c.sense}, {"2.", "inch"}};
        e.refs = {{ECrossRef::SeeAlso, "x", 1}};
        SMendCounts counts;
        MendEnglishSenses(e, IsEnglishWord, counts);
        EXPECT_EQ(Senses(e), c.mended.empty() ? "[2.|inch]" : "[1.|" + c.mended + "][2.|inch]") << c.sense;
        // A cross-reference stays on the sense it follows.
        EXPECT_EQ(e.refs.front().sense, c.mended.empty() ? 0 : 1) << c.sense;
        EXPECT_EQ(counts.Total() > 0, c.mended != c.sense) << c.sense;
    }
}

TEST(MendNotes, AnEqualsLineIsANoteOfTheSenseBefore) {
    SFreeDictEntry e = ParseEntry("inch", "inch /intʃ/\n1. colis\n= 2,5 cm\n2. judėti pamažu\n= lėtai\n"
                                          "See also: {foot}\n");
    SMendCounts counts;
    MendNotes(e, counts);
    EXPECT_EQ(Senses(e), "[1.|colis (= 2,5 cm)][2.|judėti pamažu (= lėtai)]");
    EXPECT_EQ(Refs(e), "0:foot@1;");
    EXPECT_EQ(counts.notes, 2);
    // A first line has no sense before it to belong to.
    e = ParseEntry("x", "x\n= y\n");
    MendNotes(e, counts);
    EXPECT_EQ(Senses(e), "[|= y]");
}

} // namespace
