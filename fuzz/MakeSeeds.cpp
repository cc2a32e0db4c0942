// SPDX-License-Identifier: GPL-2.0-or-later
// Writes the seed corpora of the fuzz targets into a folder (fuzz/corpus when committed):
// dictionaries of the project's own writer, FreeDict entries as Debian's dictd files hold them,
// arguments and words. Run after a change of the file format:
//   build-fuzz/fuzz/fuzz_seeds fuzz/corpus [FREEDICT_DIR]

#include "DictdReader.h"
#include "dict/DictWriter.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

namespace {

void Write(const std::filesystem::path& path, const std::string& bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

SDictArticle Article(const std::string& headword, const std::string& body, std::int32_t homonym = 0) {
    return {headword, homonym, CDictWriter::ArticleText(headword, body)};
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::cerr << "usage: fuzz_seeds FOLDER [FREEDICT_DIR]\n";
        return 2;
    }
    const std::filesystem::path out = argv[1];
    const std::string freedict = argc > 2 ? argv[2] : "/usr/share/dictd";

    SDictContent full;
    full.articles = {Article("bank", "<P>1. krantas</P>", 1),
                     Article("bank", "<P>1. bankas</P>", 2),
                     Article("cat", "<P>katinas, kat\xEB <A HREF=\"dog\">dog</A></P>"),
                     Article("dog", "<P>\xF0uo</P>"),
                     Article("house", "<P>namas</P>"),
                     {"UN", 999, "UN\t<P>JT</P>"}};
    full.alternates[0] = {{"banks", 0}, {"cats", 2}};
    full.alternates[3] = {{"houses", 4}};
    full.links = {{"bank", 0}, {"bank", 1}, {"dog", 3}};
    full.reverse = {{"bankas", {0}}, {"kat\xEB", {2}}, {"katinas", {2}}, {"namas", {4, 4}}, {"\xF0uo", {3}}};
    Write(out / "fuzz_dictionary" / "full.dic", CDictWriter::Build(full) + "\ncat\nnam\nban");
    SDictContent one;
    one.articles = {Article("a", "<P>x</P>")};
    Write(out / "fuzz_dictionary" / "one.dic", CDictWriter::Build(one));
    Write(out / "fuzz_dictionary" / "unsorted.dic",
          CDictWriter::Build(full, CDictWriter::EOrder::AsGiven) + "\nhou");

    Write(out / "fuzz_pages" / "words", "cat|bank|house");
    Write(out / "fuzz_pages" / "spaces", "cat bank  zq|");
    Write(out / "fuzz_pages" / "long", std::string(300, 'z') + "|\xF0uo");

    Write(out / "fuzz_text" / "baltic", "\xE0\xE8\xE6\xEB\xE1\xF0\xF8\xFB\xFE ąčęėįšųūž");
    Write(out / "fuzz_text" / "marks", "z\xCC\x8Codis don\xE2\x80\x99t \xC2\xA0 привет");
    Write(out / "fuzz_text" / "broken", "\xC0\xAF\xE0\x80\xAF\xED\xA0\x80\xF0\x9F\x98");

    // An affix file, a word list and a word, split at 0x01.
    Write(out / "fuzz_wordlist" / "affixes",
          "SET UTF-8\nNEEDAFFIX x\nFORBIDDENWORD !\nSFX S Y 2\nSFX S y ies [^aeiou]y\nSFX S 0 s [^y]\n"
          "PFX P Y 1\nPFX P 0 re .\n\x01"
          "4\ncat/SP\nfly/SP\nhalf/xS\nhouse/S\tpo:noun\n\x01reflies");
    Write(out / "fuzz_wordlist" / "iso",
          "SET ISO8859-13\nSFX A Y 1\nSFX A as uose as\nPFX N Y 1\nPFX N 0 ne .\n\x01"
          "2\nnamas/AN\nk\xEB"
          "d\xEB\n\x01nenamuose");

    CDictdReader reader;
    std::string error;
    if (reader.LoadBase(freedict + "/freedict-eng-lit", &error)) {
        const std::vector<SDictdEntry>& entries = reader.Entries();
        for (std::size_t i = 0; i < entries.size() && i < 4000; i += 997)
            Write(out / "fuzz_freedict" / ("eng-lit-" + std::to_string(i)),
                  entries[i].key + "\n" + entries[i].text);
    } else {
        std::cerr << "no FreeDict entries: " << error << "\n";
    }
    if (reader.LoadBase(freedict + "/freedict-lit-eng", &error)) {
        const std::vector<SDictdEntry>& entries = reader.Entries();
        for (std::size_t i = 0; i < entries.size() && i < 3000; i += 1499)
            Write(out / "fuzz_freedict" / ("lit-eng-" + std::to_string(i)),
                  entries[i].key + "\n" + entries[i].text);
    }
    Write(out / "fuzz_freedict" / "index", "00databaseinfo\tA\tB\nhouse\tBA\tq\n");
    return 0;
}
