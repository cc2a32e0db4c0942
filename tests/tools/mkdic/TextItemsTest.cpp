// SPDX-License-Identifier: GPL-2.0-or-later
#include "MkdicTestUtil.h"
#include "mkdic/FreeDictCompiler.h"

#include <gtest/gtest.h>

#include <set>

namespace {

using namespace FreeDict;
using Items = std::vector<std::string>;

TEST(LithuanianItems, SplitAtCommasAndSemicolonsOutsideParentheses) {
    EXPECT_EQ(LithuanianItems("namas, pastatas; trobesys"), (Items{"namas", "pastatas", "trobesys"}));
    EXPECT_EQ(LithuanianItems("palikimas (šeimos, vaikų), atsisakymas"), (Items{"palikimas", "atsisakymas"}));
    EXPECT_EQ(LithuanianItems("  gyvenamasis   namas ,, "), (Items{"gyvenamasis namas"}));
    EXPECT_EQ(LithuanianItems("namas, namas"), (Items{"namas"})); // each item once
    EXPECT_EQ(LithuanianItems(""), Items{});
}

TEST(LithuanianItems, DropRemarksAtTheStartAndTheEnd) {
    EXPECT_EQ(LithuanianItems("(med. t.p.) ligos pradžia"), (Items{"ligos pradžia"}));
    EXPECT_EQ(LithuanianItems("pamesti (šeimą, laivą ir pan.)"), (Items{"pamesti"}));
    EXPECT_EQ(LithuanianItems("(the Abbey) (šnek.) Vestminsterio vienuolynas"),
              (Items{"Vestminsterio vienuolynas"}));
    // A remark in the middle leaves the text too (it stays in the article); a remark alone is no
    // item.
    EXPECT_EQ(LithuanianItems("nustoti (ką) daryti, (kalbant apie asmenį)"), (Items{"nustoti daryti"}));
    // Domain labels go wherever they stand.
    EXPECT_EQ(LithuanianItems("[med] depresinis, [bot] uosis"), (Items{"depresinis", "uosis"}));
}

TEST(LithuanianItems, ExpandOptionalParts) {
    EXPECT_EQ(LithuanianItems("(pa)žeminti"), (Items{"žeminti", "pažeminti"}));
    EXPECT_EQ(LithuanianItems("girti(s)"), (Items{"girti", "girtis"}));
    EXPECT_EQ(LithuanianItems("pa(si)rinkti (iš daugelio)"), (Items{"parinkti", "pasirinkti"}));
    EXPECT_EQ(LithuanianItems("(vėjo ir pan.) (nu)rimimas"), (Items{"rimimas", "nurimimas"}));
    EXPECT_EQ(LithuanianItems("(už)(si)daryti"), (Items{"daryti", "sidaryti", "uždaryti", "užsidaryti"}));
}

TEST(LithuanianItems, RepairWhatTheDataBrokeAndDropJunk) {
    // A '(' the data lost: the rest of the remark goes.
    EXPECT_EQ(LithuanianItems("paslaptį) let out, reveal"), (Items{"let out", "reveal"}));
    // A ')' the data lost: the unfinished remark goes.
    EXPECT_EQ(LithuanianItems("apiberti (malonėmis, dovanomis"), (Items{"apiberti"}));
    // Punctuation at the edges, items without letters.
    EXPECT_EQ(LithuanianItems("išskyrus, nekalbant apie..."), (Items{"išskyrus", "nekalbant apie"}));
    // A decimal comma splits nothing; a comma between words does.
    EXPECT_EQ(LithuanianItems("= 2,5 cm"), (Items{"2,5 cm"}));
    EXPECT_EQ(LithuanianItems("2,a, 5 cm,3 kg, 1 ,5 l"), (Items{"a", "5 cm", "3 kg", "5 l"}));
    EXPECT_EQ(LithuanianItems("taigi,..."), (Items{"taigi"}));
    EXPECT_EQ(LithuanianItems("mielasis, - oji, -si"), (Items{"mielasis", "oji", "-si"}));
    EXPECT_EQ(LithuanianItems("pliaukšti, ≈ liežuviu malti"), (Items{"pliaukšti", "liežuviu malti"}));
}

TEST(LithuanianItems, AreTextsAUserTypes) {
    EXPECT_EQ(LithuanianItems("ačiū dievui!"), (Items{"ačiū dievui"}));
    EXPECT_EQ(LithuanianItems("kas?, abrakadabra!?"), (Items{"kas", "abrakadabra"}));
    EXPECT_EQ(LithuanianItems("stalai, kėdės ir pan."), (Items{"stalai", "kėdės"}));
    EXPECT_EQ(LithuanianItems("irpan"), (Items{"irpan"}));
    // "a/b" alternatives: every choice, eight at most.
    EXPECT_EQ(LithuanianItems("miltais/cukrumi apibarstyti"),
              (Items{"miltais apibarstyti", "cukrumi apibarstyti"}));
    EXPECT_EQ(
        EnglishPhrases("covered/sprinkled with meal/flour"),
        (Items{"covered with meal", "covered with flour", "sprinkled with meal", "sprinkled with flour"}));
    EXPECT_EQ(EnglishPhrases("a/b c/d e/f"),
              (Items{"a c e", "a c f", "a d e", "a d f", "b c e", "b c f", "b d e", "b d f"}));
    EXPECT_EQ(EnglishPhrases("a/b c/d e/f/g"), (Items{"a/b c/d e/f/g"}));
    // Not between letters: no alternatives.
    EXPECT_EQ(LithuanianItems("1/2 litro, /x, y/"), (Items{"1/2 litro", "x", "y"}));
}

TEST(EnglishPhrases, DropEveryRemark) {
    EXPECT_EQ(EnglishPhrases("sell (by) wholesale, retail"), (Items{"sell wholesale", "retail"}));
    EXPECT_EQ(EnglishPhrases("(apie troškimą) ardent, fervent (for)"), (Items{"ardent", "fervent"}));
    EXPECT_EQ(EnglishPhrases(" [chem] argon"), (Items{"argon"}));
    EXPECT_EQ(EnglishPhrases("give (smb smth), make a present (to)"), (Items{"give", "make a present"}));
    EXPECT_EQ(EnglishPhrases("putting in(to)"), (Items{"putting in", "putting into"}));
    // Two remarks side by side are no optional parts.
    EXPECT_EQ(EnglishPhrases("ribbon, (skrybėlės)(hat) band"), (Items{"ribbon", "band"}));
}

TEST(Inflections, FollowTheRegularRules) {
    EXPECT_EQ(Inflections("house", "n"), (Items{"houses"}));
    EXPECT_EQ(Inflections("box", "n"), (Items{"boxes"}));
    EXPECT_EQ(Inflections("church", "n"), (Items{"churches"}));
    EXPECT_EQ(Inflections("bush", "n"), (Items{"bushes"}));
    EXPECT_EQ(Inflections("bus", "n"), (Items{"buses"}));
    EXPECT_EQ(Inflections("quiz", "n"), (Items{"quizes"}));
    EXPECT_EQ(Inflections("city", "n"), (Items{"cities"}));
    EXPECT_EQ(Inflections("day", "n"), (Items{"days"}));
    EXPECT_EQ(Inflections("book-keeper", "n"), (Items{"book-keepers"}));
    EXPECT_EQ(Inflections("walk", "v"), (Items{"walks", "walked", "walking"}));
    EXPECT_EQ(Inflections("abate", "v"), (Items{"abates", "abated", "abating"}));
    EXPECT_EQ(Inflections("carry", "v"), (Items{"carries", "carried", "carrying"}));
    EXPECT_EQ(Inflections("play", "v"), (Items{"plays", "played", "playing"}));
    EXPECT_EQ(Inflections("agree", "v"), (Items{"agrees", "agreed", "agreeing"}));
    EXPECT_EQ(Inflections("dye", "v"), (Items{"dyes", "dyed", "dyeing"}));
    EXPECT_EQ(Inflections("hoe", "v"), (Items{"hoes", "hoed", "hoeing"}));
    EXPECT_EQ(Inflections("tie", "v"), (Items{"ties", "tied", "tying"}));
    EXPECT_EQ(Inflections("abolish", "v"), (Items{"abolishes", "abolished", "abolishing"}));
}

TEST(Inflections, DoubleAFinalConsonantWhereEnglishDoes) {
    // Without a spelling check a word of one syllable doubles.
    EXPECT_EQ(Inflections("stop", "v"), (Items{"stops", "stopped", "stopping"}));
    EXPECT_EQ(Inflections("plan", "v"), (Items{"plans", "planned", "planning"}));
    EXPECT_EQ(Inflections("visit", "v"), (Items{"visits", "visited", "visiting"}));
    EXPECT_EQ(Inflections("rain", "v"), (Items{"rains", "rained", "raining"}));
    EXPECT_EQ(Inflections("fix", "v"), (Items{"fixes", "fixed", "fixing"}));
    EXPECT_EQ(Inflections("stay", "v"), (Items{"stays", "stayed", "staying"}));
    EXPECT_EQ(Inflections("row", "v"), (Items{"rows", "rowed", "rowing"}));
    // With one, the spelling it knows decides.
    const std::set<std::string> known = {"prefers",  "preferred", "preferring", "visits",   "visited",
                                         "visiting", "brings",    "bringing",   "analyses", "axes"};
    const FWordCheck check = [&](const std::string& w) { return known.count(w) != 0; };
    EXPECT_EQ(Inflections("prefer", "v", &check), (Items{"prefers", "preferred", "preferring"}));
    EXPECT_EQ(Inflections("visit", "v", &check), (Items{"visits", "visited", "visiting"}));
    // A form it does not know is left out: no "bringed".
    EXPECT_EQ(Inflections("bring", "v", &check), (Items{"brings", "bringing"}));
    EXPECT_EQ(Inflections("prefer", "v"), (Items{"prefers", "prefered", "prefering"}));
    const FWordCheck none;
    EXPECT_EQ(Inflections("bring", "v", &none), (Items{"brings", "bringed", "bringing"}));
}

// A British spelling gets the American ones the check knows; a word the check knows gets none.
TEST(AmericanSpellings, FollowTheEndingWhereTheCheckAgrees) {
    const std::set<std::string> known = {
        "labor",        "labors", "favorite", "defense", "analyze",  "organize",
        "organization", "center", "fiber",    "catalog", "traveled", "traveling",
        "traveler",     "four",   "for",      "fence",   "or"};
    const FWordCheck check = [&](const std::string& w) { return known.count(w) != 0; };
    const struct {
        const char* word;
        Items spellings;
    } cases[] = {
        {"labour", {"labor"}},
        {"labours", {"labors"}},
        {"favourite", {"favorite"}},
        {"defence", {"defense"}},
        {"analyse", {"analyze"}},
        {"organise", {"organize"}},
        {"organisation", {"organization"}},
        {"centre", {"center"}},
        {"fibre", {"fiber"}},
        {"catalogue", {"catalog"}},
        {"travelled", {"traveled"}},
        {"travelling", {"traveling"}},
        {"traveller", {"traveler"}},
        {"four", {}},    // known as it is
        {"fence", {}},   // known as it is
        {"flavour", {}}, // "flavor" unknown to the check
        {"our", {}},     // no stem before the ending
        {"xour", {}},    // one letter is none either
        {"Labour", {}},  // small letters only
    };
    for (const auto& c : cases)
        EXPECT_EQ(AmericanSpellings(c.word, check), c.spellings) << c.word;
    EXPECT_EQ(AmericanSpellings("labour", FWordCheck{}), Items{});
}

TEST(Inflections, NounsInSisTakeSes) {
    EXPECT_EQ(Inflections("analysis", "n"), (Items{"analyses"}));
    EXPECT_EQ(Inflections("axis", "n"), (Items{"axes"}));
    EXPECT_EQ(Inflections("sis", "n"), (Items{"sises"}));
    EXPECT_EQ(Inflections("iris", "n"), (Items{"irises"}));
}

TEST(Inflections, OnlyForSingleLowerCaseNounsAndVerbs) {
    EXPECT_EQ(Inflections("scissors", "n, pl"), Items{});
    EXPECT_EQ(Inflections("house", "n, f"), (Items{"houses"}));
    EXPECT_EQ(Inflections("abandoned", "adj"), Items{});
    EXPECT_EQ(Inflections("abandon", ""), Items{});
    EXPECT_EQ(Inflections("Africa", "n"), Items{});
    EXPECT_EQ(Inflections("take care", "v"), Items{});
    EXPECT_EQ(Inflections("ain't", "v"), Items{});
    EXPECT_EQ(Inflections("-ing", "n"), Items{});
    EXPECT_EQ(Inflections("", "n"), Items{});
}

TEST(Abbreviations, AcronymsAndWordsWithPeriods) {
    EXPECT_TRUE(IsAbbreviationHeadword("ABC"));
    EXPECT_TRUE(IsAbbreviationHeadword("3D"));
    EXPECT_TRUE(IsAbbreviationHeadword(Cp("ŠAV")));
    EXPECT_TRUE(IsAbbreviationHeadword("e.g."));
    EXPECT_TRUE(IsAbbreviationHeadword("etc."));
    EXPECT_TRUE(IsAbbreviationHeadword("U.S.A"));
    EXPECT_FALSE(IsAbbreviationHeadword("A"));    // one letter
    EXPECT_FALSE(IsAbbreviationHeadword("1990")); // no letter
    EXPECT_FALSE(IsAbbreviationHeadword("Abc"));
    EXPECT_FALSE(IsAbbreviationHeadword("ABC DEF")); // a space
    EXPECT_FALSE(IsAbbreviationHeadword(".net"));    // a leading period only
    EXPECT_FALSE(IsAbbreviationHeadword("as ... as"));
    EXPECT_FALSE(IsAbbreviationHeadword("house"));
}

TEST(LinkNames, LowerCaseWithoutUrlCharacters) {
    EXPECT_EQ(LinkName("Rest"), "rest");
    EXPECT_EQ(LinkName("and/or"), "andor");
    EXPECT_EQ(LinkName("a\\b#c?d%e\"f"), "abcdef");
    EXPECT_EQ(LinkName(Cp("Šuo bėga")), Cp("šuo bėga"));
    EXPECT_EQ(LinkName("Achilles' heel"), "achilles' heel");
}

} // namespace
