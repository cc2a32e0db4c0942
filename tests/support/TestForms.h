// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

// Two small hunspell dictionaries for tests that need stems without the installed data: a
// Lithuanian one in ISO 8859-13 (namas -> namuose, langas -> languose, šuo -> šuns, kėdė ->
// kėdės, galimas -> galimuose, negalimuose, eina -> einame, pereiname) and an English one in
// UTF-8 (cat -> cats, house -> houses, kėdė -> kėdės, dog -> redog, verse -> version, flick ->
// flicker, a word of its own too, stop -> stopped).

#include "support/TestDict.h"

#include <fstream>
#include <string>

inline void WriteFormsFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// Writes dir/lt.aff, dir/lt.dic, dir/en.aff, dir/en.dic; the bases are dir/lt and dir/en.
inline void WriteTestForms(const CTempDir& dir) {
    WriteFormsFile(dir.File("lt.aff"), "SET ISO8859-13\n"
                                       "SFX A Y 1\nSFX A as uose as\n"
                                       "SFX B Y 1\nSFX B uo uns uo\n"
                                       "SFX C Y 1\nSFX C 0 s \xEB\n"
                                       "SFX E Y 1\nSFX E a ame a\n"
                                       "PFX N Y 1\nPFX N 0 ne .\n"
                                       "PFX P Y 1\nPFX P 0 per .\n");
    WriteFormsFile(dir.File("lt.dic"), "7\nnamas/A\nlangas/AN\n\xF0uo/B\nk\xEB"
                                       "d\xEB/C\ngalimas/AN\neina/EP\n");
    WriteFormsFile(dir.File("en.aff"), "SET UTF-8\nSFX S Y 1\nSFX S 0 s .\nPFX P Y 1\nPFX P 0 re .\n"
                                       "SFX I Y 1\nSFX I e ion e\nSFX R Y 1\nSFX R 0 er .\n"
                                       "SFX D Y 1\nSFX D 0 ped p\n");
    WriteFormsFile(dir.File("en.dic"), "8\ncat/S\nhouse/S\nk\xC4\x97"
                                       "d\xC4\x97/S\ndog/P\nverse/I\nflick/R\nflicker\nstop/D\n");
}
