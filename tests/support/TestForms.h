// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

// Two small hunspell dictionaries for tests that need stems without the installed data: a
// Lithuanian one in ISO 8859-13 (namas -> namuose, langas -> languose, šuo -> šuns, kėdė ->
// kėdės) and an English one in UTF-8 (cat -> cats, house -> houses, kėdė -> kėdės, dog -> redog).

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
                                       "SFX C Y 1\nSFX C 0 s \xEB\n");
    WriteFormsFile(dir.File("lt.dic"), "4\nnamas/A\nlangas/A\n\xF0uo/B\nk\xEB"
                                       "d\xEB/C\n");
    WriteFormsFile(dir.File("en.aff"), "SET UTF-8\nSFX S Y 1\nSFX S 0 s .\nPFX P Y 1\nPFX P 0 re .\n");
    WriteFormsFile(dir.File("en.dic"), "4\ncat/S\nhouse/S\nk\xC4\x97"
                                       "d\xC4\x97/S\ndog/P\n");
}
