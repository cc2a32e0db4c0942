// SPDX-License-Identifier: GPL-2.0-or-later
#include "render/Lookup.h"
#include "dict/WordForms.h"
#include "support/TestDict.h"
#include "support/TestForms.h"

#include <random>
#include <vector>

namespace {

SDictContent SmallContent() {
    SDictContent c;
    c.articles = {Article("cat", "<P>katinas</P>"), Article("catch", "<P>gaudyti</P>"),
                  Article("dog", "<P>\xF0uo</P>"), Article("house", "<P>1. namas</P>")};
    // "mice" only in an alternate list, leading to "cat" for the test's sake.
    c.alternates[3] = {{"mice", 0}, {"houses", 3}};
    c.reverse = {{"namas", {3}}, {"\xF0uo", {2}}};
    return c;
}

TEST(Lookup, ForwardGivesEveryMatchElseTheNearestHeadword) {
    CTestDict dict(SmallContent());
    Lookup::SResult r = Lookup::Find(*dict, EDirection::Forward, "cat");
    EXPECT_EQ(r.entry, 0);
    EXPECT_EQ(r.how, Lookup::EFound::Exact);
    int entry = -1;
    EXPECT_EQ(r.text, dict->RenderForward("cat", entry));

    // Found through an alternate list only: still a match, not a nearest headword.
    r = Lookup::Find(*dict, EDirection::Forward, "mice");
    EXPECT_EQ(r.entry, 0);
    EXPECT_EQ(r.how, Lookup::EFound::Form);
    // The beginning of an inflection is no form of anything: the headword only begins like it.
    EXPECT_EQ(Lookup::Find(*dict, EDirection::Forward, "mic").how, Lookup::EFound::Nearest);
    EXPECT_EQ(Lookup::Find(*dict, EDirection::Forward, "CAT ").how, Lookup::EFound::Exact);

    r = Lookup::Find(*dict, EDirection::Forward, "hou");
    EXPECT_EQ(r.entry, 3);
    EXPECT_EQ(r.how, Lookup::EFound::Nearest);

    r = Lookup::Find(*dict, EDirection::Forward, "dogma");
    EXPECT_EQ(r.entry, 2);
    EXPECT_EQ(r.how, Lookup::EFound::Nearest);
    EXPECT_EQ(r.text, "dog\t<P>\xF0uo</P>");

    // Not even the first byte: nothing, and no nearest headword either.
    r = Lookup::Find(*dict, EDirection::Forward, "zebra");
    EXPECT_EQ(r.entry, -1);
    EXPECT_EQ(r.how, Lookup::EFound::None);
    EXPECT_EQ(r.text, "");
}

TEST(Lookup, ReverseGivesTheNearestRecordsFragment) {
    CTestDict dict(SmallContent());
    const Lookup::SResult r = Lookup::Find(*dict, EDirection::Reverse, "namai");
    int index = -2;
    EXPECT_EQ(r.text, dict->RenderReverse("namai", &index));
    EXPECT_EQ(r.entry, index);
    EXPECT_EQ(r.entry, 0);
    EXPECT_EQ(r.how, Lookup::EFound::Nearest);
    EXPECT_EQ(Lookup::Find(*dict, EDirection::Reverse, "NAMAS").how, Lookup::EFound::Exact);
    EXPECT_EQ(Lookup::Find(*dict, EDirection::Reverse, "nama").how, Lookup::EFound::Nearest);
    EXPECT_EQ(Lookup::Find(*dict, EDirection::Reverse, "").entry, -1);
    EXPECT_EQ(Lookup::Find(*dict, EDirection::Reverse, "").how, Lookup::EFound::None);
}

// Content for the word forms: "ca" is an inflection record although "cat" begins with it;
// "langai" stands where "languose" lands without forms.
SDictContent FormsContent() {
    SDictContent c = SmallContent();
    c.alternates[3].push_back({"ca", 3});
    c.alternates[3].push_back({"dog", 0});
    c.alternates[0].push_back({"dog", 3}); // a spelling: its own
    c.alternates[1].push_back({"dog", 1}); // a phrase holding it: shown after its forms
    c.reverse.push_back({"langai", {1}});
    return c;
}

class LookupForms : public ::testing::Test {
protected:
    void SetUp() override { WriteTestForms(m_dir); }
    CTempDir m_dir;
    CWordForms m_english{m_dir.File("en")};
    CWordForms m_lithuanian{m_dir.File("lt")};
};

TEST_F(LookupForms, ForwardTakesTheInflectionRecordThenTheStem) {
    CTestDict dict(FormsContent());
    int entry = -1;
    // A stem that is a headword as a whole.
    Lookup::SResult r = Lookup::Find(*dict, EDirection::Forward, "cats", &m_english);
    EXPECT_EQ(r.how, Lookup::EFound::Form);
    EXPECT_EQ(r.entry, 0);
    EXPECT_EQ(r.text, dict->RenderForward("cat", entry));
    EXPECT_EQ(Lookup::FindEntry(*dict, EDirection::Forward, "cats", &m_english), 0);
    // Without forms: the nearest headword, as always.
    r = Lookup::Find(*dict, EDirection::Forward, "cats");
    EXPECT_EQ(r.how, Lookup::EFound::Nearest);
    EXPECT_EQ(r.entry, 0);

    // An inflection record that is the word goes before the headword that only begins with it.
    r = Lookup::Find(*dict, EDirection::Forward, "ca", &m_english);
    EXPECT_EQ(r.how, Lookup::EFound::Form);
    EXPECT_EQ(r.entry, 3);
    EXPECT_EQ(r.text, "house\t<A NAME=\"R1\"></A><P>1. namas</P>");
    EXPECT_EQ(Lookup::FindEntry(*dict, EDirection::Forward, "ca", &m_english), 3);
    EXPECT_EQ(Lookup::Find(*dict, EDirection::Forward, "ca").entry, 0);
    EXPECT_EQ(Lookup::FindEntry(*dict, EDirection::Forward, "ca"), 0);

    // A headword that is an inflection record too: its own articles first, then the other,
    // then the phrase that holds it.
    r = Lookup::Find(*dict, EDirection::Forward, "dog", &m_english);
    EXPECT_EQ(r.how, Lookup::EFound::Exact);
    EXPECT_EQ(r.entry, 2);
    EXPECT_EQ(r.text, dict->RenderArticles({2, 3, 0, 1}, entry));
    EXPECT_EQ(Lookup::FindEntry(*dict, EDirection::Forward, "dog", &m_english), 2);
    EXPECT_EQ(Lookup::Find(*dict, EDirection::Forward, "dog").text, dict->RenderForward("dog", entry));
    // Whole words stay as they were; a stem that is no headword leaves the nearest one.
    EXPECT_EQ(Lookup::Find(*dict, EDirection::Forward, "cat", &m_english).how, Lookup::EFound::Exact);
    EXPECT_EQ(Lookup::Find(*dict, EDirection::Forward, "cat", &m_english).text,
              dict->RenderForward("cat", entry));
    EXPECT_EQ(Lookup::Find(*dict, EDirection::Forward, "houses", &m_english).how, Lookup::EFound::Form);
    r = Lookup::Find(*dict, EDirection::Forward, "dogs", &m_english);
    EXPECT_EQ(r.how, Lookup::EFound::Nearest);
    EXPECT_EQ(r.entry, 2);
    EXPECT_EQ(Lookup::Find(*dict, EDirection::Forward, "zebras", &m_english).how, Lookup::EFound::None);
    // A stem without the word's prefix is another word: "redog" is no form of dog.
    EXPECT_EQ(m_english.Stems("redog"), std::vector<std::string>{"dog"});
    EXPECT_EQ(Lookup::Find(*dict, EDirection::Forward, "redog", &m_english).how, Lookup::EFound::None);
    EXPECT_EQ(Lookup::FindEntry(*dict, EDirection::Forward, "redog", &m_english), -1);
    // The other language's stems do not help: "namuose" is no English word.
    EXPECT_EQ(Lookup::Find(*dict, EDirection::Forward, "namuose", &m_english).how, Lookup::EFound::None);
}

TEST_F(LookupForms, ReverseTakesTheFirstStemThatIsARecord) {
    CTestDict dict(FormsContent());
    int index = -1;
    Lookup::SResult r = Lookup::Find(*dict, EDirection::Reverse, "namuose", &m_lithuanian);
    EXPECT_EQ(r.how, Lookup::EFound::Form);
    EXPECT_EQ(dict->GetReverseHeadword(r.entry), "namas");
    EXPECT_EQ(r.text, dict->RenderReverse("namas", &index));
    EXPECT_EQ(r.entry, index);
    EXPECT_EQ(Lookup::FindEntry(*dict, EDirection::Reverse, "namuose", &m_lithuanian), index);
    EXPECT_EQ(Lookup::Find(*dict, EDirection::Reverse, "  namuose ", &m_lithuanian).how,
              Lookup::EFound::Form);
    // šuns -> šuo, through ISO 8859-13.
    r = Lookup::Find(*dict, EDirection::Reverse, "\xF0uns", &m_lithuanian);
    EXPECT_EQ(r.how, Lookup::EFound::Form);
    EXPECT_EQ(dict->GetReverseHeadword(r.entry), "\xF0uo");

    // Without forms, and for a stem that is no record: the nearest record.
    r = Lookup::Find(*dict, EDirection::Reverse, "namuose");
    EXPECT_EQ(r.how, Lookup::EFound::Nearest);
    EXPECT_EQ(Lookup::FindEntry(*dict, EDirection::Reverse, "namuose"), r.entry);
    r = Lookup::Find(*dict, EDirection::Reverse, "languose", &m_lithuanian);
    EXPECT_EQ(r.how, Lookup::EFound::Nearest);
    EXPECT_EQ(dict->GetReverseHeadword(r.entry), "langai");
    EXPECT_EQ(Lookup::FindEntry(*dict, EDirection::Reverse, "languose", &m_lithuanian), r.entry);
    // A record that is the word keeps it.
    r = Lookup::Find(*dict, EDirection::Reverse, "namas", &m_lithuanian);
    EXPECT_EQ(r.how, Lookup::EFound::Exact);
}

// The rules that keep a word's meaning, one row per word: what the page shows first and how.
TEST_F(LookupForms, FormsKeepTheWordsMeaning) {
    SDictContent c = SmallContent();
    c.articles.push_back(Article("verse", "<P>eil\xEBra\xF0tis</P>")); // 4
    c.articles.push_back(Article("flick", "<P>sprigtel\xEBti</P>"));   // 5
    c.articles.push_back(Article("stop", "<P>sustoti</P>"));           // 6
    c.articles.push_back(Article("possible", "<P>galimas</P>"));       // 7
    c.articles.push_back(Article("impossible", "<P>negalimas</P>"));   // 8
    c.articles.push_back(Article("go", "<P>eiti</P>"));                // 9
    c.articles.push_back(Article("league", "<P>lyga</P>"));            // 10
    c.articles.push_back(Article("word", "<P>\xFEodis</P>"));          // 11
    c.articles.push_back(Article("go over", "<P>pereiti</P>"));        // 12
    c.reverse = {{"galimas", {7}},  {"negalimas", {8}}, {"eiti", {9}},      {"liga", {3}},
                 {"lyga", {10}},    {"Lyga", {3}},      {"\xFEodis", {11}}, {"zoologija", {0}},
                 {"pereiti", {12}}, {"langas", {0}}};
    // Forms of the file's own list: "eina" of eiti, "pereina" of pereiti; "galimuosė" only to be
    // told from "galimuose", which is spelled otherwise.
    c.lithuanianForms = {{"eina", 2}, {"pereina", 8}, {"galimuos\xEB", 2}};
    CTestDict dict(c);
    struct SCase {
        EDirection direction;
        const char* word;
        const char* shown; // the first headword of the page, or "" for nothing
        Lookup::EFound how;
        Lookup::ERule rule;
    };
    using F = Lookup::EFound;
    using R = Lookup::ERule;
    const EDirection en = EDirection::Forward, lt = EDirection::Reverse;
    const SCase cases[] = {
        // English: only inflectional endings come off; -ion and an own word's -er do not.
        {en, "stopped", "stop", F::Form, R::Stem},
        {en, "version", "verse", F::Nearest, R::None},
        {en, "flicker", "flick", F::Nearest, R::None},
        // Lithuanian: the prefix hunspell strips is put back; the bare stem when none is a record.
        {lt, "negalimuose", "negalimas", F::Form, R::Stem},
        {lt, "galimuose", "galimas", F::Form, R::Stem},
        // The file's inflections, alone and under a prefix hunspell strips (per + eina + -me).
        {lt, "eina", "eiti", F::Form, R::Inflection},
        {lt, "pereiname", "pereiti", F::Form, R::Stem},
        {lt, "einame", "eiti", F::Form, R::Stem},
        // A list form spelled as typed, else hunspell's stem, before one equal but for diacritics.
        {lt, "galimuos\xEB", "eiti", F::Form, R::Inflection},
        {lt, "galimuose", "galimas", F::Form, R::Stem},
        // A case of a record that hunspell does not know, by the ending; never a list form so.
        {lt, "zoologijos", "zoologija", F::Form, R::Stem},
        {lt, "zoologijoje", "zoologija", F::Form, R::Stem},
        {lt, "zoo", "zoologija", F::Nearest, R::None}, // no stem of three letters
        // A marked letter typed is kept: "gąlimas" is no spelling of galimas.
        {lt, "g\xE0limas", "galimas", F::Nearest, R::None},
        {lt, "GALIMAS", "galimas", F::Exact, R::None},
        // A stem without the word's negation is its opposite: only the nearest.
        {lt, "nelanguose", "langas", F::Nearest, R::Negation},
        {lt, "languose", "langas", F::Form, R::Stem},
        // Texts the letter weights make equal: the one spelled as typed.
        {lt, "lyga", "lyga", F::Exact, R::None},
        {lt, "liga", "liga", F::Exact, R::None},
        {lt, "Lyga", "Lyga", F::Exact, R::None},
        {lt, "LYGA", "lyga", F::Exact, R::None},
        // Without diacritics, when no record begins with the word; typed with them, as typed.
        {lt, "zodis", "\xFEodis", F::Form, R::Diacritics},
        {lt, "ZODIS", "\xFEodis", F::Form, R::Diacritics},
        {lt, "zodi", "\xFEodis", F::Nearest, R::Diacritics},
        {lt, "zo", "zoologija", F::Nearest, R::None},
        {lt, "\xFEodi", "\xFEodis", F::Nearest, R::None},
    };
    for (const SCase& k : cases) {
        CWordForms* forms = k.direction == en ? &m_english : &m_lithuanian;
        const Lookup::SResult r = Lookup::Find(*dict, k.direction, k.word, forms);
        int homonym = 0;
        EXPECT_EQ(dict->GetListHeadword(k.direction, r.entry, homonym), k.shown) << k.word;
        EXPECT_EQ(r.how, k.how) << k.word;
        EXPECT_EQ(r.rule, k.rule) << k.word;
        EXPECT_EQ(Lookup::FindEntry(*dict, k.direction, k.word, forms), r.entry) << k.word;
    }
    // Without forms the raw rule holds: the first of the equal records, no folding.
    EXPECT_EQ(dict->GetReverseHeadword(Lookup::Find(*dict, lt, "lyga").entry), "liga");
    EXPECT_EQ(dict->GetReverseHeadword(Lookup::Find(*dict, lt, "zodis").entry), "zoologija");
}

// hunspell's data is read only for a word that may be a form of another (bMay: an English word
// whose inflectional ending leaves a headword, or one with letters beyond ASCII; a Lithuanian word
// of more than one letter) and whose stems hunspell's word list cannot tell (one with a capital).
// The window reads the data beside its loop at the first word that may need it.
TEST_F(LookupForms, OnlyAWordThatMayBeAFormReadsTheData) {
    CTestDict dict(FormsContent());
    const EDirection en = EDirection::Forward, lt = EDirection::Reverse;
    const struct {
        EDirection direction;
        const char* word;
        bool bMay;
        bool bReads;
    } cases[] = {
        {en, "z", false, false},
        {en, "zebra", false, false},
        {en, "s", false, false},
        {en, "ss", true, false},
        {en, "zebras", true, false},
        {en, "cats", true, false},
        {en, "CATS", true, true},
        {en, "cat's", true, false},
        {en, "catted", true, false},
        {en, "housing", true, false},
        {en, "catcher", true, false},
        {en, "houses", true, false},
        {en,
         "z\xE9"
         "bras",
         true, false},
        {lt, "z", false, false},
        {lt, "\xFE", false, false},
        {lt, "zo", true, false},
        {lt, "\xFEo", true, false},
        {lt, "Zo", true, true},
    };
    for (const auto& k : cases) {
        EXPECT_EQ(Lookup::MayAskForms(k.direction, k.word), k.bMay) << k.word;
        CWordForms forms(m_dir.File(k.direction == en ? "en" : "lt"));
        Lookup::FindEntry(*dict, k.direction, k.word, &forms);
        Lookup::Find(*dict, k.direction, k.word, &forms);
        EXPECT_EQ(forms.IsLoaded(), k.bReads) << k.word;
    }
    // Two stems of the list that reach entries equally good: hunspell's order decides, so the data
    // is read.
    const struct {
        EDirection direction;
        const char* aff;
        const char* dic;
        const char* word;
    } ties[] = {
        {en, "SET UTF-8\nSFX S Y 1\nSFX S 0 s .\nSFX E Y 1\nSFX E 0 es .\n", "2\naxe/S\nax/E\n", "axes"},
        {lt, "SET ISO8859-13\nSFX A Y 1\nSFX A as uose as\nSFX I Y 1\nSFX I is uose is\n",
         "2\nnamas/A\nnamis/I\n", "namuose"},
    };
    SDictContent c = SmallContent();
    c.articles.push_back(Article("ax", "<P>kirvis</P>"));
    c.articles.push_back(Article("axe", "<P>kirvis</P>"));
    c.reverse.push_back({"namis", {0}});
    CTestDict two(c);
    for (const auto& t : ties) {
        WriteFormsFile(m_dir.File("two.aff"), t.aff);
        WriteFormsFile(m_dir.File("two.dic"), t.dic);
        CWordForms forms(m_dir.File("two"));
        const int entry = Lookup::Find(*two, t.direction, t.word, &forms).entry;
        EXPECT_TRUE(forms.IsLoaded()) << t.word;
        int homonym = 0;
        EXPECT_EQ(two->GetListHeadword(t.direction, entry, homonym), forms.Stems(t.word).front()) << t.word;
    }
}

TEST(LithuanianForms, TheFileListIsSearchedByWeightsAndCheckedAgainstTheFile) {
    SDictContent c = SmallContent(); // reverse: namas 0, šuo 1
    c.lithuanianForms = {{"namai", 0}, {"NAMAI", 0}, {"\xF0unys", 1}, {"namai", 1}, {"xx", 7}, {"namo", -1}};
    CTestDict dict(c);
    EXPECT_EQ(dict->LithuanianFormRecords("namai"), (std::vector<int>{0, 1}));
    EXPECT_EQ(dict->LithuanianFormRecords("\xF0unys"), std::vector<int>{1});
    // Spelled as typed but for capitals, or equal by the letter weights alone.
    EXPECT_EQ(dict->LithuanianFormRecords("nam\xE0i"), (std::vector<int>{0, 1}));
    EXPECT_EQ(dict->LithuanianFormRecords("nam\xE0i", true), std::vector<int>{});
    EXPECT_EQ(dict->LithuanianFormRecords("Namai", true), (std::vector<int>{0, 1}));
    // A record number outside the reverse list is none; so is a word the list lacks.
    EXPECT_EQ(dict->LithuanianFormRecords("xx"), std::vector<int>{});
    EXPECT_EQ(dict->LithuanianFormRecords("namo"), std::vector<int>{});
    EXPECT_EQ(dict->LithuanianFormRecords("nama"), std::vector<int>{});
    EXPECT_EQ(dict->LithuanianFormRecords(""), std::vector<int>{});
    // A file without the list is laid out as before it: header words 18..20 stay zero.
    SDictContent without = SmallContent();
    const std::string image = CDictWriter::Build(without);
    for (std::size_t w = DictFormat::kFormsOffsetWord; w <= DictFormat::kFormsDataWord; ++w)
        EXPECT_EQ(WordAt(image, 4 * w), 0u);
    // A list placed outside the file is no list, and the file still opens.
    std::string damaged = CDictWriter::Build(c);
    SetWordAt(damaged, 4 * DictFormat::kFormsDataWord, 1u << 30);
    CTestDict bad(damaged);
    EXPECT_EQ(bad.OpenResult(), CDictFile::kOpenOk);
    EXPECT_EQ(bad->LithuanianFormRecords("namai"), std::vector<int>{});
}

TEST(WholeListMatches, GivesEveryArticleOfTheWholeRecordsSortedOrNot) {
    SDictContent c = SmallContent();
    // "ca" twice to one article, once to another; "cab" and "c" are no whole "ca".
    c.alternates[3] = {{"cab", 1}, {"ca", 3}, {"c", 2}, {"CA", 0}, {"ca", 3}, {"ca", 99}};
    for (const CDictWriter::EOrder order : {CDictWriter::EOrder::Sort, CDictWriter::EOrder::AsGiven}) {
        CTestDict dict(c, order);
        for (const bool bIndexes : {true, false}) {
            dict->SetSearchIndexes(bIndexes);
            const std::vector<int> found = dict->WholeListMatches(DictFormat::kInflections, " ca ");
            // An entry past the articles is no match; equal texts keep their given order, and
            // an article comes once.
            EXPECT_EQ(found, (std::vector<int>{3, 0})) << bIndexes;
            EXPECT_EQ(dict->WholeListMatches(DictFormat::kInflections, "cab"), std::vector<int>{1});
            EXPECT_EQ(dict->WholeListMatches(DictFormat::kInflections, "cabs"), std::vector<int>{});
            EXPECT_EQ(dict->WholeListMatches(DictFormat::kMainList, "cat"), std::vector<int>{0});
            EXPECT_EQ(dict->WholeListMatches(DictFormat::kInflections, ""), std::vector<int>{});
            // The link list is no headword list.
            EXPECT_EQ(dict->WholeListMatches(DictFormat::kLinkList, "ca"), std::vector<int>{});
        }
        int entry = -1;
        EXPECT_EQ(dict->RenderArticles({3, 99, 0}, entry),
                  "house\t<A HREF=\"#R1\">house\t</A>&nbsp;&nbsp;&nbsp;<A "
                  "HREF=\"#R2\">cat</A>&nbsp;&nbsp;&nbsp;\r\n"
                  "<HR>\r\n<A NAME=\"R1\"></A><P>1. namas</P><HR>\r\n<A NAME=\"R2\"></A><P>katinas</P>");
        EXPECT_EQ(entry, 3);
        EXPECT_EQ(dict->RenderArticles({}, entry), "");
        EXPECT_EQ(entry, -1);
    }
}

// The entry-only search must land where the full one does, on every kind of word: exact, prefix,
// nearest, alternate-only, blank, empty, and words past every headword.
TEST(Lookup, FindEntryAgreesWithFindOnRandomWords) {
    CTempDir formsDir;
    WriteTestForms(formsDir);
    CWordForms english(formsDir.File("en"));
    CWordForms lithuanian(formsDir.File("lt"));
    std::mt19937 random(20261209);
    const std::string letters = "abcdeh \t";
    for (int round = 0; round < 20; ++round) {
        SDictContent c;
        const int n = 1 + static_cast<int>(random() % 40);
        const auto word = [&](int maxLength) {
            std::string w;
            const int length = static_cast<int>(random() % static_cast<unsigned>(maxLength + 1));
            for (int k = 0; k < length; ++k)
                w += letters[random() % letters.size()];
            return w;
        };
        for (int i = 0; i < n; ++i)
            c.articles.push_back(Article(word(5), "<P>x</P>"));
        for (auto& list : c.alternates)
            for (int i = 0; i < 5; ++i)
                list.push_back({word(6), static_cast<std::int32_t>(random() % static_cast<unsigned>(n))});
        for (int i = 0; i < 10; ++i)
            c.reverse.push_back({word(5), {static_cast<std::int32_t>(random() % static_cast<unsigned>(n))}});
        CTestDict dict(c);
        ASSERT_EQ(dict.OpenResult(), CDictFile::kOpenOk);
        for (int q = 0; q < 200; ++q) {
            const std::string w = word(7);
            for (const EDirection d : {EDirection::Forward, EDirection::Reverse}) {
                const int full = Lookup::Find(*dict, d, w).entry;
                EXPECT_EQ(Lookup::FindEntry(*dict, d, w), full) << "'" << w << "' " << static_cast<int>(d);
                CWordForms* forms = d == EDirection::Forward ? &english : &lithuanian;
                EXPECT_EQ(Lookup::FindEntry(*dict, d, w, forms), Lookup::Find(*dict, d, w, forms).entry)
                    << "'" << w << "' with forms " << static_cast<int>(d);
            }
            int entry = -1;
            dict->RenderForward(w, entry);
            EXPECT_EQ(dict->FirstForwardMatch(w), entry) << w;
            entry = -1;
            dict->FindNearestForward(w, entry);
            EXPECT_EQ(dict->NearestForwardEntry(w), entry) << w;
        }
    }
}

} // namespace
