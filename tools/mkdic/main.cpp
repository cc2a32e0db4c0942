// SPDX-License-Identifier: GPL-2.0-or-later
// lekstar-mkdic: builds LEKSTAR.dic from the FreeDict English-Lithuanian and Lithuanian-English
// dictionaries in dictd format.
#include "mkdic/FreeDictCompiler.h"

#include <iostream>
#include <string>
#include <string_view>

namespace {

int Usage(std::ostream& out, int code) {
    out << "usage: lekstar-mkdic [--source DIR] [--doc DIR] [--wordnet DIR] [--spelling BASE]\n"
           "                     [--lithuanian BASE] [--allow-one-side] [--no-pivots] [--pivot-report]\n"
           "                     --output FILE\n"
           "  --source DIR   folder with freedict-eng-lit and freedict-lit-eng .index and .dict.dz\n"
           "                 (default /usr/share/dictd)\n"
           "  --doc DIR      folder with the dict-freedict-*/copyright and wordnet-base/copyright files\n"
           "                 (default /usr/share/doc)\n"
           "  --wordnet DIR  folder with WordNet's exception lists noun.exc, verb.exc, adj.exc, adv.exc\n"
           "                 and its noun and verb indexes, for the English forms (default\n"
           "                 /usr/share/wordnet; \"\" for none)\n"
           "  --spelling BASE  hunspell data BASE.aff and BASE.dic that checks the regular English\n"
           "                 forms and gives British headwords their American spellings (default\n"
           "                 /usr/share/hunspell/en_US; \"\" for none)\n"
           "  --lithuanian BASE  hunspell data BASE.aff and BASE.dic whose word list gives the finite\n"
           "                 forms of the Lithuanian verbs (default /usr/share/hunspell/lt_LT; \"\" for "
           "none)\n"
           "  --allow-one-side  build from one direction when the other has no entries (refused\n"
           "                 otherwise)\n"
           "  --no-pivots    derive no articles through the other languages' FreeDict dictionaries\n"
           "                 (freedict-eng-X, X-eng and X-lit of the source folder, X one of fra, nld,\n"
           "                 ita, fin, ell)\n"
           "  --pivot-report print how often derived translations are right on the known pairs\n"
           "  --output FILE  the dictionary to write; FILE.COPYING receives the licence texts\n";
    return code;
}

} // namespace

int main(int argc, char** argv) {
    CFreeDictCompiler::SRunOptions options;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h")
            return Usage(std::cout, 0);
        if (arg == "--version") {
            std::cout << "lekstar-mkdic " LEKSTAR_VERSION "\n";
            return 0;
        }
        if (arg == "--allow-one-side" || arg == "--no-pivots" || arg == "--pivot-report") {
            (arg == "--allow-one-side" ? options.bAllowOneSide
             : arg == "--no-pivots"    ? options.bPivots
                                       : options.bPivotReport) = arg != "--no-pivots";
            continue;
        }
        if ((arg == "--source" || arg == "--output" || arg == "--doc" || arg == "--wordnet" ||
             arg == "--spelling" || arg == "--lithuanian") &&
            i + 1 < argc) {
            std::string& target = arg == "--source"     ? options.sourceDir
                                  : arg == "--output"   ? options.outputPath
                                  : arg == "--doc"      ? options.docDir
                                  : arg == "--wordnet"  ? options.wordnetDir
                                  : arg == "--spelling" ? options.spellingBase
                                                        : options.lithuanianBase;
            target = argv[++i];
            continue;
        }
        std::cerr << "lekstar-mkdic: unknown or incomplete option " << arg << "\n";
        return Usage(std::cerr, 2);
    }
    if (options.outputPath.empty()) {
        std::cerr << "lekstar-mkdic: --output FILE is required\n";
        return Usage(std::cerr, 2);
    }
    return CFreeDictCompiler::Run(options, std::cout, std::cerr);
}
