// SPDX-License-Identifier: GPL-2.0-or-later
#include "FreeDictCompiler.h"
#include "mkdic/TextTools.h"

#include "dict/Cp1257.h"
#include "dict/DictFormat.h"
#include "dict/DictRecords.h"
#include "dict/WordForms.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <ostream>

using namespace MkdicText;

namespace {

bool WriteText(const std::string& path, const std::string& text, std::string& error) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) {
        error = "cannot create " + path + ": " + std::strerror(errno);
        return false;
    }
    const bool written = std::fwrite(text.data(), 1, text.size(), f) == text.size();
    if (std::fclose(f) != 0 || !written) {
        error = "cannot write " + path + ": " + std::strerror(errno);
        std::remove(path.c_str());
        return false;
    }
    return true;
}

// Whether every word of a pivot key (at most three) is one the hunspell lists know; with bLemma,
// a single word must also be no form of another word ("kelis", knee, is also a form of "keli"):
// a derived record for it would take that word's forms away from the record they belong to.
bool IsRealPhrase(const std::string& key, CWordForms& words, bool bLemma) {
    const std::string text = FreeDict::PlainText(key);
    if (text.empty() || text.find('?') != std::string::npos)
        return false;
    int count = 0;
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = text.find(' ', start);
        if (end == std::string::npos)
            end = text.size();
        if (++count > 3 || !words.IsWord(text.substr(start, end - start)))
            return false;
        start = end + 1;
    }
    if (bLemma && count == 1) {
        const std::vector<std::string> stems = words.Stems(text);
        return std::all_of(stems.begin(), stems.end(), [&](const std::string& stem) {
            return Cp1257::ToLower(stem) == Cp1257::ToLower(text);
        });
    }
    return true;
}

} // namespace

using namespace FreeDict;

std::vector<SFreeDictEntry> CFreeDictCompiler::ParseEntries(const CDictdReader& reader) {
    std::vector<const SDictdEntry*> words;
    for (const SDictdEntry& e : reader.Entries())
        if (!CDictdReader::IsMetadataKey(e.key))
            words.push_back(&e);
    std::stable_sort(words.begin(), words.end(),
                     [](const SDictdEntry* a, const SDictdEntry* b) { return a->offset < b->offset; });
    std::vector<SFreeDictEntry> entries;
    entries.reserve(words.size());
    for (const SDictdEntry* e : words)
        entries.push_back(ParseEntry(e->key, e->text));
    return entries;
}

bool CFreeDictCompiler::ReadWordNet(const std::string& dir, SEnglishData& out, std::string* error) {
    namespace fs = std::filesystem;
    bool bAny = false;
    for (const char* name : {"noun.exc", "verb.exc", "adj.exc", "adv.exc"}) {
        std::string text;
        if (!CDictdReader::ReadFile((fs::path(dir) / name).string(), text, nullptr))
            continue;
        bAny = true;
        for (SIrregularForm& f : ParseExceptionList(text))
            out.irregular.push_back(std::move(f));
    }
    if (!bAny && error != nullptr)
        *error = "no WordNet exception lists (noun.exc, verb.exc, adj.exc, adv.exc) in " + dir +
                 "; irregular English forms are left out";
    // The indexes: a lemma first on every line but the licence's, which begin with spaces.
    for (const auto& [name, lemmas] :
         {std::pair{"index.noun", &out.nouns}, std::pair{"index.verb", &out.verbs}}) {
        std::string text;
        if (!CDictdReader::ReadFile((fs::path(dir) / name).string(), text, nullptr))
            continue;
        std::size_t start = 0;
        while (start < text.size()) {
            std::size_t end = text.find('\n', start);
            if (end == std::string::npos)
                end = text.size();
            const std::string_view line(text.data() + start, end - start);
            start = end + 1;
            if (line.empty() || line.front() == ' ')
                continue;
            std::string lemma(line.substr(0, line.find(' ')));
            std::replace(lemma.begin(), lemma.end(), '_', ' ');
            lemmas->insert(std::move(lemma));
        }
    }
    return bAny;
}

std::string CFreeDictCompiler::CopyingText(const std::string& engLitInfo, const std::string& litEngInfo,
                                           const std::string& engLitCopyrightPath,
                                           const std::string& litEngCopyrightPath,
                                           const std::string& wordnetCopyrightPath,
                                           const std::vector<std::pair<std::string, std::string>>& pivots,
                                           const std::string& docDir) {
    std::string out = "LEKSTAR.dic is built from the FreeDict English-Lithuanian and Lithuanian-English\n"
                      "dictionaries. It is distributed under their licence; their notices follow.\n";
    const auto section = [&](const std::string& title, const std::string& text) {
        out += "\n======== " + title + " ========\n\n" + text;
        if (!text.empty() && text.back() != '\n')
            out += '\n';
    };
    section("English-Lithuanian dictionary (freedict-eng-lit): database information", engLitInfo);
    section("Lithuanian-English dictionary (freedict-lit-eng): database information", litEngInfo);
    for (const std::string& path : {engLitCopyrightPath, litEngCopyrightPath}) {
        std::string text;
        if (!path.empty() && CDictdReader::ReadFile(path, text, nullptr))
            section(path, text);
    }
    if (!pivots.empty())
        out += "\nSome articles are derived through FreeDict's dictionaries of other languages; their\n"
               "notices follow.\n";
    for (const auto& [name, info] : pivots) {
        section("freedict-" + name + ": database information", info);
        std::string text;
        const std::string path =
            (std::filesystem::path(docDir) / ("dict-freedict-" + name) / "copyright").string();
        if (!docDir.empty() && CDictdReader::ReadFile(path, text, nullptr))
            section(path, text);
    }
    if (!wordnetCopyrightPath.empty()) {
        std::string text;
        if (!CDictdReader::ReadFile(wordnetCopyrightPath, text, nullptr))
            text = "WordNet 3.0 Copyright 2006 by Princeton University. All rights reserved.\n"
                   "(The notice " +
                   wordnetCopyrightPath + " was not found where the dictionary was built.)\n";
        section("Irregular English forms: WordNet's exception lists (" + wordnetCopyrightPath + ")", text);
    }
    return out;
}

void CFreeDictCompiler::SetPivotChecks(CTriangulation& pivots, CWordForms& english, CWordForms& lithuanian) {
    const auto check = [](CWordForms& words, bool bLemma) {
        if (!words.Load())
            return FPivotWordCheck();
        auto checked = std::make_shared<std::map<std::string, bool>>();
        return FPivotWordCheck([&words, checked, bLemma](const std::string& key) {
            const auto [at, added] = checked->try_emplace(key, false);
            if (added)
                at->second = IsRealPhrase(key, words, bLemma);
            return at->second;
        });
    };
    pivots.SetChecks(check(english, false), check(lithuanian, true));
}

void CFreeDictCompiler::AddLithuanianForms(const CLithuanianVerbs& verbs) {
    m_content.lithuanianForms = verbs.FormsOf(m_content.reverse);
    m_stats.lithuanianForms = static_cast<int>(m_content.lithuanianForms.size());
}

namespace {

// What a run reads before it compiles: the two dictionaries and their entries, WordNet's lists
// and hunspell's checks, the pivots.
struct SRunSources {
    CDictdReader engLit;
    CDictdReader litEng;
    std::vector<SFreeDictEntry> engLitEntries;
    std::vector<SFreeDictEntry> litEngEntries;
    SEnglishData english;
    bool bWordNet = false;
    std::unique_ptr<CWordForms> spelling;
    std::unique_ptr<CWordForms> lithuanianWords;
    CTriangulation pivots;
    std::vector<std::string> missingPivots;
    std::vector<std::pair<std::string, std::string>> pivotSources;
};

// The two dictionaries; false after saying why on err.
bool ReadDictionaries(const CFreeDictCompiler::SRunOptions& options, SRunSources& in, std::ostream& err) {
    namespace fs = std::filesystem;
    std::string error;
    if (!in.engLit.LoadBase((fs::path(options.sourceDir) / "freedict-eng-lit").string(), &error) ||
        !in.litEng.LoadBase((fs::path(options.sourceDir) / "freedict-lit-eng").string(), &error)) {
        err << "lekstar-mkdic: " << error << "\n";
        return false;
    }
    in.engLitEntries = CFreeDictCompiler::ParseEntries(in.engLit);
    in.litEngEntries = CFreeDictCompiler::ParseEntries(in.litEng);
    // A source that lost one of its halves would give a dictionary that silently lacks it.
    if ((in.engLitEntries.empty() || in.litEngEntries.empty()) && !options.bAllowOneSide) {
        err << "lekstar-mkdic: " << options.sourceDir << "/freedict-"
            << (in.engLitEntries.empty() ? "eng-lit" : "lit-eng")
            << ".index: no entries to build from (--allow-one-side builds from the other alone)\n";
        return false;
    }
    return true;
}

// WordNet's lists, hunspell's checks and the pivots, each a warning when it is missing.
void ReadHelpers(const CFreeDictCompiler::SRunOptions& options, SRunSources& in, std::ostream& err) {
    std::string error;
    if (!options.wordnetDir.empty()) {
        in.bWordNet = CFreeDictCompiler::ReadWordNet(options.wordnetDir, in.english, &error);
        if (!in.bWordNet)
            err << "lekstar-mkdic: warning: " << error << "\n";
    }
    in.spelling = std::make_unique<CWordForms>(options.spellingBase);
    if (!options.spellingBase.empty()) {
        if (in.spelling->Load())
            in.english.isWord = [spelling = in.spelling.get()](const std::string& word) {
                return spelling->IsWord(word);
            };
        else
            err << "lekstar-mkdic: warning: no hunspell data " << options.spellingBase
                << ".aff/.dic; regular English forms are not checked\n";
    }
    // The pivots, each word checked by hunspell's lists of its language where they are installed.
    in.lithuanianWords = std::make_unique<CWordForms>(options.lithuanianBase);
    if (options.bPivots) {
        CFreeDictCompiler::ReadPivots(options.sourceDir, in.pivots, in.missingPivots, in.pivotSources);
        CFreeDictCompiler::SetPivotChecks(in.pivots, *in.spelling, *in.lithuanianWords);
    }
}

// Says the warnings and losses of a compilation; false when it must not be written.
bool CheckCompiled(const CFreeDictCompiler& compiler, const std::string& sourceDir, std::ostream& err) {
    for (const std::string& w : compiler.Warnings())
        err << "lekstar-mkdic: warning: " << w << "\n";
    if (!compiler.Losses().empty()) {
        for (const std::string& loss : compiler.Losses())
            err << "lekstar-mkdic: lost: " << loss << "\n";
        err << "lekstar-mkdic: " << compiler.Losses().size()
            << " source entries would be lost; nothing written\n";
        return false;
    }
    if (compiler.Content().articles.empty()) {
        err << "lekstar-mkdic: " << sourceDir << "/freedict-eng-lit.index: no entries to build from\n";
        return false;
    }
    return true;
}

// The dictionary and its licence text beside it; false after saying why on err.
bool WriteOutputs(const CFreeDictCompiler::SRunOptions& options, const CFreeDictCompiler& compiler,
                  const SRunSources& in, std::ostream& err) {
    namespace fs = std::filesystem;
    const std::string& docDir = options.docDir;
    std::string error;
    if (!CDictWriter::WriteFile(options.outputPath, compiler.Content(), CDictWriter::EOrder::Sort, &error)) {
        err << "lekstar-mkdic: " << error << "\n";
        return false;
    }
    const std::string copying = CFreeDictCompiler::CopyingText(
        in.engLit.EntryText("00databaseinfo"), in.litEng.EntryText("00databaseinfo"),
        docDir.empty() ? std::string() : (fs::path(docDir) / "dict-freedict-eng-lit" / "copyright").string(),
        docDir.empty() ? std::string() : (fs::path(docDir) / "dict-freedict-lit-eng" / "copyright").string(),
        !in.bWordNet ? std::string() : (fs::path(docDir) / "wordnet-base" / "copyright").string(),
        compiler.Stats().derived > 0 ? in.pivotSources : std::vector<std::pair<std::string, std::string>>(),
        docDir);
    if (!WriteText(options.outputPath + ".COPYING", copying, error)) {
        err << "lekstar-mkdic: " << error << "\n";
        return false;
    }
    return true;
}

void PrintSummary(const std::string& outputPath, const SCompileStats& s, const SRunSources& in,
                  std::ostream& out) {
    std::error_code ec;
    const auto size = std::filesystem::file_size(outputPath, ec);
    out << outputPath << ": " << (ec ? 0 : size) << " bytes\n"
        << "  articles:                  " << s.articles << " (" << s.homonyms << " homonyms, "
        << s.abbreviations << " abbreviations, " << s.skipped << " entries skipped)\n"
        << "    English-Lithuanian:      " << s.articles - s.translated << " of " << s.engLitIn
        << " entries\n"
        << "    translations:            " << s.translated
        << " English words of the Lithuanian-English data\n"
        << "  alternate 1 (spellings):   " << s.alternates[0] << " (" << s.american
        << " American spellings)\n"
        << "  alternate 2 (phrase words): " << s.alternates[1] << "\n"
        << "  alternate 3 (translations): " << s.alternates[2] << "\n"
        << "  alternate 4 (inflections): " << s.alternates[3] << " (" << s.irregular << " irregular forms)\n"
        << "  links:                     " << s.links << " records, " << s.linksInArticles
        << " links in articles\n"
        << "  reverse records:           " << s.reverse << " (" << s.merged << " equal spellings merged)\n"
        << "    Lithuanian-English:      " << s.litEngReached << " of " << s.litEngIn << " headwords ("
        << s.untranslated << " without an English translation)\n"
        << "  Lithuanian verb forms:     " << s.lithuanianForms << "\n"
        << "  repeated index lines:      " << in.engLit.RepeatedEntries() + in.litEng.RepeatedEntries()
        << " dropped\n"
        << "  source slips mended:       " << s.mends.Total() << " (" << s.mends.parentheses
        << " parentheses, " << s.mends.slashes << " alternatives, " << s.mends.tags << " tags, "
        << s.mends.lithuanian << " Lithuanian words as English, " << s.mends.abbreviations
        << " shortened headwords, " << s.mends.notes << " notes)\n"
        << "  licence:                   " << outputPath << ".COPYING\n";
}

std::string RuleSummary(const SPivotMeasure& m) {
    if (!m.KeepsAny())
        return "none derived, no rule reaches 90 %";
    char buf[64];
    std::snprintf(buf, sizeof buf, " languages agree, %.1f %% right on held-out words",
                  100.0 * static_cast<double>(m.kept.right) / static_cast<double>(m.kept.derived));
    return m.RuleText() + buf;
}

void PrintPivotSummary(const CFreeDictCompiler::SRunOptions& options, const CFreeDictCompiler& compiler,
                       const SRunSources& in, std::ostream& out) {
    const SCompileStats& s = compiler.Stats();
    if (s.pivotLanguages == 0) {
        out << "  derived through pivots:    none: no pivot dictionaries (freedict-eng-fra, -fra-eng, "
               "-fra-lit ...) in "
            << options.sourceDir << "\n";
        return;
    }
    out << "  derived through pivots:    " << s.derived << " articles, " << s.derivedSenses << " senses, "
        << s.derivedWords << " Lithuanian words only they hold (" << s.pivotLanguages << " languages";
    for (const std::string& code : in.missingPivots)
        out << "; " << code << " not installed, skipped";
    out << ")\n";
    out << "    English words:           " << RuleSummary(compiler.EnglishMeasure()) << "\n"
        << "    Lithuanian words:        " << RuleSummary(compiler.LithuanianMeasure()) << "\n";
    if (options.bPivotReport)
        out << "\n" << PivotReport(compiler.EnglishMeasure(), compiler.LithuanianMeasure());
}

} // namespace

int CFreeDictCompiler::Run(const SRunOptions& options, std::ostream& out, std::ostream& err) {
    SRunSources in;
    if (!ReadDictionaries(options, in, err))
        return 1;
    ReadHelpers(options, in, err);
    CFreeDictCompiler compiler;
    if (options.bPivots)
        compiler.SetPivots(&in.pivots);
    compiler.Compile(in.engLitEntries, in.litEngEntries, in.english);
    if (!options.lithuanianBase.empty()) {
        CLithuanianVerbs verbs;
        std::string error;
        if (verbs.Load(options.lithuanianBase, &error))
            compiler.AddLithuanianForms(verbs);
        else
            err << "lekstar-mkdic: warning: " << error << "; no Lithuanian verb forms\n";
    }
    if (!CheckCompiled(compiler, options.sourceDir, err) || !WriteOutputs(options, compiler, in, err))
        return 1;
    PrintSummary(options.outputPath, compiler.Stats(), in, out);
    if (options.bPivots)
        PrintPivotSummary(options, compiler, in, out);
    return 0;
}
