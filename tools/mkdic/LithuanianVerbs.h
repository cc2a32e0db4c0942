// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "dict/DictWriter.h"

#include <map>
#include <string>
#include <string_view>
#include <vector>

// The finite forms of Lithuanian verbs that lead to their infinitive ("daro", "darė" -> daryti;
// "eina", "ėjo" -> eiti), from hunspell-lt's word list. That list keeps an infinitive, its
// present and its past third person as roots of their own (daryti, daro, darė), each with the
// flags of the prefixes it takes, and every other person follows from those roots by suffix
// rules; so the third persons lead there from any person through hunspell's stems.
//
// A form is made from the infinitive by its conjugation class (-yti: -o, -ė; -inti: -ina, -ino;
// -uoti: -uoja, -avo; -ėti: -i or -ėja, -ėjo; ...; a primary verb -ti: -a, -ia, -sta, -o, -ė,
// with d, t, dž, č before -sti) and kept only when the list has it as a root of the same kind
// (present roots carry the suffix flag E, past ones do not) that takes the same prefixes as the
// infinitive; where no candidate takes exactly the same prefixes, a single one that takes more
// or fewer is kept. The irregular verbs (būti, eiti, duoti, imti, ...) come from a table, each
// form still required to be a root. All text is code page 1257.
class CLithuanianVerbs {
public:
    // Reads BASE.dic (ISO 8859-13 or UTF-8, as BASE.aff says); false with a message when it
    // cannot be read.
    bool Load(const std::string& base, std::string* error);
    // A root of the list with its flags, as a line "word/flags" gives it.
    void AddRoot(const std::string& word, const std::string& flags);
    bool IsEmpty() const { return m_roots.empty(); }

    // The present and past third persons of an infinitive (a reflexive one's with -si: mokosi,
    // mokėsi); none for a word that is no infinitive of the list.
    std::vector<std::string> FiniteForms(std::string_view infinitive) const;
    // The finite forms of every record text that is an infinitive, bare or after a prefix
    // ("nepavykti": nepavyksta, nepavyko), each leading to its record (an index into records);
    // forms that are records themselves are left out.
    std::vector<SDictHeadword> FormsOf(const std::vector<SDictReverse>& records) const;

private:
    // The lower-case (prefix) flags of a root, or nullptr when it is none.
    const std::string* Flags(const std::string& word) const;
    std::vector<std::string> Parts(const std::string& infinitive, bool bPresent) const;

    std::map<std::string, std::string> m_roots; // word -> every flag it has
};
