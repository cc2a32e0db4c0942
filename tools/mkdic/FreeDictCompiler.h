// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "DictdReader.h"
#include "HeadwordIndex.h"
#include "LithuanianVerbs.h"
#include "Pivots.h"
#include "dict/DictWriter.h"
#include "dict/WordForms.h"

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <iosfwd>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

// Turns the FreeDict English-Lithuanian and Lithuanian-English dictionaries (dictd format) into
// the content of LEKSTAR.dic.
//
// The English-Lithuanian entries become the articles (one per entry, HTML in code page 1257),
// their spellings and inflections the alternate headword lists, their cross-references the link
// list, and their Lithuanian translations the reverse list. Every English translation of the
// Lithuanian-English entries that is no English headword becomes an article of its own, its
// senses the Lithuanian words it translates; every Lithuanian-English headword becomes a reverse
// record leading to the articles of its translations, in the order of its senses. Records that
// the search's letter weights make equal are one record.
//
// Alternate lists:
//   1  spelling variants: the dictd key, the plain-ASCII form, the forms with and without an
//      optional part in parentheses ("caviar(e)")
//   2  the words of multi-word headwords
//   3  empty: the English translations of the Lithuanian-English data that are no headwords,
//      which it once held, are articles of their own now
//   4  inflections: regular ones (plural; third person, past and -ing forms) and the irregular
//      forms of WordNet's exception lists ("went" -> go, "children" -> child)
//
// Parsing works on UTF-8; everything that goes into the file is converted to code page 1257.

// A cross-reference line of an entry: "See also: {x}", "Antonym: {x}" or "der: {x}".
enum class ECrossRef { SeeAlso, Antonym, Derived };

struct SCrossRef {
    ECrossRef kind = ECrossRef::SeeAlso;
    std::string target; // UTF-8, trimmed
    int sense = -1;     // index of the sense the line follows; -1 before any sense
};

struct SFreeDictSense {
    std::string number; // "3." for a numbered sense, empty otherwise
    std::string text;   // UTF-8, trimmed; may hold domain labels such as "[med]"
};

// One parsed dictd entry. All text UTF-8.
struct SFreeDictEntry {
    std::string key;      // the dictd index key
    std::string headword; // the real spelling from the entry's first line
    std::string pron;     // between the slashes, without them; may be empty
    std::string pos;      // between the angle brackets, e.g. "n, f, pl"; may be empty
    std::vector<SFreeDictSense> senses;
    std::vector<SCrossRef> refs;
};

// Whether a word is spelt right (a hunspell check); empty when there is no check.
using FWordCheck = std::function<bool(const std::string&)>;

// An irregular English form and the words it is a form of: a line of WordNet's exception lists.
struct SIrregularForm {
    std::string form;
    std::vector<std::string> bases;
};

// What the compiler knows of English beyond the two dictionaries: WordNet's irregular forms and
// the nouns and verbs of its indexes (for entries without a part of speech), and a spelling
// check for the regular forms.
struct SEnglishData {
    std::vector<SIrregularForm> irregular;
    std::set<std::string> nouns;
    std::set<std::string> verbs;
    FWordCheck isWord;
};

// Text helpers, exposed for the tests.
namespace FreeDict {

// The lines "form base..." of a WordNet exception list ("better good well"), in file order; "_"
// stands for a space ("aides-de-camp", "went_over go_over"). Lines without a base are left out.
std::vector<SIrregularForm> ParseExceptionList(std::string_view text);

// Parses an entry's text: first line "headword [/pron/] [<pos>]", then numbered or unnumbered
// sense lines, cross-reference lines, domain-label lines (" [geo] Serbia"). A line that
// continues a sense whose parenthesis is still open joins that sense. A headword that begins
// with a remark in parentheses ("(komp.) batch program") loses it to its senses.
SFreeDictEntry ParseEntry(std::string_view key, std::string_view text);

// UTF-8 to code page 1257 HTML text: & < > escaped, characters the code page lacks as numeric
// character references ("&#601;").
std::string HtmlText(std::string_view utf8);
// UTF-8 to plain code page 1257 for headwords and list texts: characters the code page lacks
// become their nearest ASCII letters or hyphen where there is one, else "?".
std::string PlainText(std::string_view utf8);
// The plain-ASCII spelling of a UTF-8 text: letters lose their marks ("é" -> "e", "ß" -> "ss").
std::string AsciiFold(std::string_view utf8);

// Part-of-speech labels ("n, f, pl") in Lithuanian abbreviations ("dkt., mot. g., dgs."),
// UTF-8; unknown labels stay as given.
std::string PartOfSpeech(std::string_view labels);
// Domain labels ("[med]") turned into the Lithuanian remarks the data uses elsewhere ("(med.)").
std::string ConvertDomainLabels(std::string_view utf8);

// The Lithuanian words and phrases of a sense, as a user types them: split at commas and
// semicolons outside parentheses (a decimal comma, "2,5 cm", splits nothing), remarks in
// parentheses and domain labels dropped wherever they stand, optional parts such as "(pa)" and
// "a/b" alternatives expanded into every form, a trailing "ir pan.", "!" or "?" dropped,
// trimmed. UTF-8.
std::vector<std::string> LithuanianItems(std::string_view sense);
// The English translation phrases of a sense, by the same rules.
std::vector<std::string> EnglishPhrases(std::string_view sense);

// Regular inflected forms of a single lower-case word by its part-of-speech labels: nouns their
// plural, verbs their third person, past and -ing forms. Empty for anything else. With a
// spelling check (isWord), a form it rejects is left out and it decides whether a final
// consonant doubles ("preferred", "visited").
std::vector<std::string> Inflections(std::string_view word, std::string_view pos,
                                     const FWordCheck* isWord = nullptr);

// The American spellings of a single lower-case word spelt the British way ("labour": labor,
// "defence": defense, "analyse": analyze, "centre": center, "travelled": traveled): by its ending,
// each one the spelling check (isWord) accepts while it rejects the word itself. Empty for a word
// it accepts ("four", "fence"), without a check, or for anything but small letters.
std::vector<std::string> AmericanSpellings(std::string_view word, const FWordCheck& isWord);

// Whether a code page 1257 headword is written as an abbreviation: an acronym ("ABC", "3D") or
// letters with periods ("e.g.", "etc.").
bool IsAbbreviationHeadword(std::string_view headword);

// The name that links use for a code page 1257 headword: lower case, without / \ # ? % ".
std::string LinkName(std::string_view headword);

} // namespace FreeDict

// Slips of the sources the compiler mends, by kind.
struct SMendCounts {
    int parentheses = 0;   // senses with a '(' or ')' that had no partner
    int slashes = 0;       // "a/ b" and "a(s)/b" alternatives
    int tags = 0;          // part-of-speech tags inside a sense
    int lithuanian = 0;    // Lithuanian words given as English translations
    int abbreviations = 0; // "dantų s." for the headword
    int notes = 0;         // "= 2,5 cm" lines joined to the sense before
    int Total() const { return parentheses + slashes + tags + lithuanian + abbreviations + notes; }
};

namespace FreeDict {
// The English senses of a Lithuanian-English entry; isEnglish (may be empty) tells English words
// from the Lithuanian words of remarks.
void MendEnglishSenses(SFreeDictEntry& entry, const FWordCheck& isEnglish, SMendCounts& counts);
// Either direction: a "= 2,5 cm" line is a note of the sense before it.
void MendNotes(SFreeDictEntry& entry, SMendCounts& counts);
} // namespace FreeDict

// Counts reported after a compilation.
struct SCompileStats {
    int articles = 0;
    int homonyms = 0;      // articles with a homonym number other than 0 and 999
    int abbreviations = 0; // articles with homonym number 999
    std::array<int, 4> alternates{};
    int links = 0; // link list records
    int linksInArticles = 0;
    int reverse = 0;
    int skipped = 0;         // entries that could not be stored
    int irregular = 0;       // alternate list 4 records from irregular forms
    int american = 0;        // alternate list 1 records of American spellings
    int translated = 0;      // articles made from English translations of the Lithuanian-English data
    int engLitIn = 0;        // English-Lithuanian entries read
    int litEngIn = 0;        // Lithuanian-English entries read
    int litEngReached = 0;   // of them, those whose headword is a reverse record
    int untranslated = 0;    // of them, those whose only translation was the word itself
    int merged = 0;          // reverse texts merged into a record of equal letter weights
    int lithuanianForms = 0; // finite verb forms leading to their infinitive's record
    int pivotLanguages = 0;  // pivot languages read
    int derived = 0;         // articles derived through the pivots
    int derivedSenses = 0;   // their senses: one Lithuanian word each
    int derivedWords = 0;    // Lithuanian words that only derived articles hold
    SMendCounts mends;
};

class CFreeDictCompiler {
public:
    // Derives articles through these pivots at Compile (it must outlive Compile): for every
    // English word without an article and every Lithuanian word without a record, by the rule
    // the held-out measure chooses.
    void SetPivots(const CTriangulation* pivots) { m_pivots = pivots; }
    // How the derivations fared on the known pairs, after Compile with pivots.
    const SPivotMeasure& EnglishMeasure() const { return m_englishMeasure; }
    const SPivotMeasure& LithuanianMeasure() const { return m_lithuanianMeasure; }

    // Compiles the parsed entries (English-Lithuanian, Lithuanian-English, each in data order,
    // without the metadata entries) and the irregular English forms. May be called once per object.
    void Compile(const std::vector<SFreeDictEntry>& engLit, const std::vector<SFreeDictEntry>& litEng,
                 const SEnglishData& english = {});

    // The result, with entry numbers already in the order the writer keeps (articles sorted by
    // headword), so that the writer's sorting does not move any article.
    const SDictContent& Content() const { return m_content; }
    // Adds the finite forms of the reverse records that are verbs ("eina" -> eiti), after Compile.
    void AddLithuanianForms(const CLithuanianVerbs& verbs);
    const SCompileStats& Stats() const { return m_stats; }
    // The entries as compiled: the given ones with the slips of the sources mended.
    const std::vector<SFreeDictEntry>& EnglishLithuanian() const { return m_engLit; }
    const std::vector<SFreeDictEntry>& LithuanianEnglish() const { return m_litEng; }
    // Entries skipped or shortened, one message each.
    const std::vector<std::string>& Warnings() const { return m_warnings; }
    // Source entries lost on the way (a Lithuanian-English headword without a record): the
    // build must fail.
    const std::vector<std::string>& Losses() const { return m_losses; }

    // Parses every word entry of a loaded dictionary, in data order (by offset).
    static std::vector<SFreeDictEntry> ParseEntries(const CDictdReader& reader);

    // WordNet's exception lists of dir ({noun,verb,adj,adv}.exc, in this order) and the lemmas
    // of its noun and verb indexes; false with a message when dir holds no exception list.
    static bool ReadWordNet(const std::string& dir, SEnglishData& out, std::string* error);

    // The licence and copyright text that goes beside the built file: both dictionaries'
    // database information and, when given and present, their Debian copyright files; then,
    // when the irregular forms were used, WordNet's notice (its copyright file).
    // The pivot dictionaries used (name such as "eng-fra", database information) follow the two,
    // each with docDir/dict-freedict-NAME/copyright when docDir is given.
    static std::string CopyingText(const std::string& engLitInfo, const std::string& litEngInfo,
                                   const std::string& engLitCopyrightPath,
                                   const std::string& litEngCopyrightPath,
                                   const std::string& wordnetCopyrightPath = {},
                                   const std::vector<std::pair<std::string, std::string>>& pivots = {},
                                   const std::string& docDir = {});

    // The whole tool. Reads sourceDir/freedict-eng-lit.* and sourceDir/freedict-lit-eng.* and,
    // unless wordnetDir is empty, WordNet's lists of wordnetDir (a warning when they are missing)
    // and, unless spellingBase is empty, the hunspell data spellingBase.aff/.dic that checks the
    // regular forms (a warning when it is missing); writes outputPath and outputPath + ".COPYING" (taking the
    // copyright files from docDir/dict-freedict-*/copyright and docDir/wordnet-base/copyright), prints the
    // summary to out and warnings and failures to err. Returns 0 on success, 1 on any failure.
    // A source whose index gives one direction only (or none) is refused unless bAllowOneSide.
    struct SRunOptions {
        std::string sourceDir = "/usr/share/dictd";
        std::string outputPath;
        std::string docDir = "/usr/share/doc";
        std::string wordnetDir = "/usr/share/wordnet";
        std::string spellingBase = "/usr/share/hunspell/en_US";
        std::string lithuanianBase = "/usr/share/hunspell/lt_LT";
        bool bAllowOneSide = false;
        // Derive articles through the other FreeDict dictionaries found in sourceDir.
        bool bPivots = true;
        // Print the held-out measure of the derivations as a table.
        bool bPivotReport = false;
    };
    // The pivot languages: code and Lithuanian name (genitive plural).
    struct SPivotSource {
        const char* code;
        const char* lithuanian;
    };
    static constexpr SPivotSource kPivotSources[] = {
        {"fra", "prancūzų"}, {"nld", "olandų"}, {"ita", "italų"}, {"fin", "suomių"}, {"ell", "graikų"}};
    // Makes pivots accept only words whose every word (at most three) hunspell's lists of that
    // language know, and Lithuanian single words only where they are no form of another word; a
    // language whose lists are not installed is not checked. The lists must outlive pivots.
    static void SetPivotChecks(CTriangulation& pivots, CWordForms& english, CWordForms& lithuanian);
    // Reads the pivot dictionaries of sourceDir (freedict-eng-X, X-eng and X-lit); a language
    // with one of the three missing is left out and named in missing. used receives each
    // dictionary read ("eng-fra") with its database information, for the licence text.
    static void ReadPivots(const std::string& sourceDir, CTriangulation& pivots,
                           std::vector<std::string>& missing,
                           std::vector<std::pair<std::string, std::string>>& used);
    static int Run(const SRunOptions& options, std::ostream& out, std::ostream& err);

private:
    // A sense of an article made from the Lithuanian-English data: the Lithuanian entry whose
    // translation the headword is, with that translation's remarks.
    struct STranslatedSense {
        const SFreeDictEntry* source = nullptr;
        std::string remark;               // UTF-8, such as "(apie laivą)"; may be empty
        std::size_t sense = 0;            // the sense of the Lithuanian entry: 0 the first
        std::size_t place = 0;            // the translation's place in that sense: 0 the first
        std::vector<std::string> related; // UTF-8: the other translations of that sense
    };
    struct SArticleDraft {
        const SFreeDictEntry* entry = nullptr;
        std::string headword;                     // code page 1257
        std::vector<STranslatedSense> translated; // only for an article made from a translation
        unsigned derived = 0; // for an article derived through the pivots: the languages that agreed
    };

    // Direct articles by headword, folded headword or key (CHeadwordIndex::Find).
    const std::vector<int>* FindArticles(const std::string& text, bool byKey) const {
        return m_headwords.Find(text, byKey);
    }
    std::string SenseHtml(const SArticleDraft& draft, const std::string& sense);
    // An English word of a remark that links to its articles: its place in the sense.
    struct SRemarkLink {
        std::size_t start;
        std::size_t end;
        const std::vector<int>* articles;
    };
    // The links of the remark between s[open] "(" and s[close] ")".
    void RemarkLinks(const SArticleDraft& draft, const std::u32string& s, std::size_t open, std::size_t close,
                     std::vector<SRemarkLink>& links) const;
    std::string RefsHtml(const std::vector<const SCrossRef*>& refs);
    // A link to the articles of canonical headword, registering it in the link list.
    std::string LinkHtml(const std::vector<int>& articles, const std::string& textUtf8);
    std::string ArticleBody(const SArticleDraft& draft);
    std::string TranslatedBody(const SArticleDraft& draft);
    std::string DerivedBody(const SArticleDraft& draft) const;
    // Adds the articles derived through the pivots, after measuring them on the known pairs.
    void MakeDerivedDrafts();
    // A Lithuanian word of a derived article and the pivot languages that agreed on it.
    struct SDerivedSense {
        std::string lithuanian; // key
        unsigned languages;
    };
    // The senses the measured rules keep, by English key, best first: for every English word
    // without an article and every Lithuanian word without a record (records: their keys).
    std::map<std::string, std::vector<SDerivedSense>>
    DerivedSenses(const std::set<std::string>& records) const;
    // Sorts the drafts into the writer's order and indexes their headwords.
    void IndexDrafts();
    // A draft for every English-Lithuanian entry that can be stored.
    void AddDirectDrafts();
    // The articles of the drafts, numbered as homonyms or marked as abbreviations.
    void MakeArticles();
    std::int32_t HomonymNumber(std::size_t i, const std::vector<char>& abbreviation) const;
    // Adds an article for every English translation of litEng that is no headword.
    void MakeTranslatedDrafts(const std::vector<SFreeDictEntry>& litEng);
    void AddAlternate(std::size_t list, const std::string& textCp1257, int entry);
    void BuildAlternates(const SEnglishData& english);
    void AddSpellings(const SFreeDictEntry& e, int entry, const std::vector<std::string>& american);
    void AddRegularForms(const SFreeDictEntry& e, int entry, const SEnglishData& english,
                         const std::vector<std::string>& american);
    void AddIrregularForms(const SEnglishData& english);
    // The reverse list, in phases: the Lithuanian-English headwords leading to their translations'
    // articles; the Lithuanian words of the articles' senses; entries that only point to another
    // word; texts of equal letter weights merged; every headword checked for its record.
    void BuildReverse(const std::vector<SFreeDictEntry>& litEng);
    void ReverseFromHeadwords(const std::vector<SFreeDictEntry>& litEng,
                              std::map<std::string, std::vector<int>>& records,
                              std::set<std::string>& headwords);
    void FollowReverseRefs(const std::vector<SFreeDictEntry>& litEng,
                           std::map<std::string, std::vector<int>>& records) const;
    void MergeEqualTexts(std::map<std::string, std::vector<int>>& records,
                         const std::set<std::string>& headwords);
    void AddReverseRecord(const std::string& text, std::vector<int>& entries);
    void CheckReverseReached(const std::vector<SFreeDictEntry>& litEng);

    SDictContent m_content;
    SCompileStats m_stats;
    std::vector<std::string> m_warnings;
    std::vector<std::string> m_losses;
    std::vector<SArticleDraft> m_drafts;
    // The entries as compiled, source slips mended; the drafts point into them.
    std::vector<SFreeDictEntry> m_engLit;
    std::vector<SFreeDictEntry> m_litEng;
    std::deque<SFreeDictEntry> m_madeEntries; // the entries of the translated and the derived articles
    CHeadwordIndex m_headwords;
    std::map<std::string, std::vector<int>> m_linkTargets;          // link name -> articles
    std::array<std::set<std::pair<std::string, int>>, 4> m_altSeen; // per list: (text, entry) added
    // Lithuanian item (code page 1257) -> articles, from the English-Lithuanian senses only.
    std::map<std::string, std::vector<int>> m_reverseFromEnglish;
    // The same for the derived articles, whose words follow the direct ones in every record.
    std::map<std::string, std::vector<int>> m_reverseFromDerived;
    const CTriangulation* m_pivots = nullptr;
    SPivotMeasure m_englishMeasure;
    SPivotMeasure m_lithuanianMeasure;
};
