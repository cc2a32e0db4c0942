// SPDX-License-Identifier: GPL-2.0-or-later
#include "mkdic/LithuanianVerbs.h"

#include "dict/Cp1257.h"
#include "dict/DictRecords.h"
#include "dict/LithuanianPrefixes.h"
#include "dict/WordForms.h"
#include "mkdic/DictdReader.h"

#include <algorithm>
#include <set>

namespace {

bool EndsWith(std::string_view s, std::string_view end) {
    return s.size() > end.size() && s.substr(s.size() - end.size()) == end;
}

// The irregular verbs: infinitive, present, past (code page 1257).
struct SIrregular {
    const char* infinitive;
    std::vector<const char*> present;
    std::vector<const char*> past;
};
const std::vector<SIrregular>& Irregular() {
    static const std::vector<SIrregular> table = {
        {"b\xFBti", {"yra", "b\xFBna", "esti"}, {"buvo"}},
        {"eiti", {"eina"}, {"\xEBjo"}},
        {"duoti", {"duoda"}, {"dav\xEB"}},
        {"imti", {"ima"}, {"\xEBm\xEB"}},
        {"d\xEBti", {"deda"}, {"d\xEBjo"}},
        {"rinkti", {"renka"}, {"rinko"}},
        {"kristi", {"krinta"}, {"krito"}},
        {"mirti", {"mir\xF0ta"}, {"mir\xEB"}},
        {"gimti", {"gimsta"}, {"gim\xEB"}},
        {"virti", {"verda"}, {"vir\xEB"}},
        {"pulti", {"puola"}, {"puol\xEB"}},
        {"kilti", {"kyla"}, {"kilo"}},
        {"likti", {"lieka"}, {"liko"}},
        {"tekti", {"tenka"}, {"teko"}},
        {"l\xE1sti", {"lenda"}, {"lindo"}},
        {"kirsti", {"kerta"}, {"kirto"}},
        {"gauti", {"gauna"}, {"gavo"}},
        {"\xFEinoti", {"\xFEino"}, {"\xFEinojo"}},
        {"s\xEBsti",
         {"s\xEB"
          "da"},
         {"s\xEB"
          "do"}},
        {"gulti", {"gula"}, {"gul\xEB"}},
        {"stoti", {"stoja"}, {"stojo"}},
        {"vyti", {"veja"}, {"vijo"}},
        {"si\xF8sti", {"siun\xE8ia"}, {"siunt\xEB"}},
        {"gerti", {"geria"}, {"g\xEBr\xEB"}},
        {"kelti", {"kelia"}, {"k\xEBl\xEB"}},
        {"vilkti", {"velka"}, {"vilko"}},
        {"minti", {"mena", "mina"}, {"min\xEBjo", "myn\xEB"}},
        {"skinti", {"skina"}, {"skyn\xEB"}},
        {"pinti", {"pina"}, {"pyn\xEB"}},
        {"trinti", {"trina"}, {"tryn\xEB"}},
        {"ginti", {"gina"}, {"gyn\xEB"}},
    };
    return table;
}

// Conjugation classes by the infinitive's ending: the endings of the present and the past third
// person that replace it.
struct SClass {
    const char* ending;
    std::vector<const char*> present;
    std::vector<const char*> past;
};
const std::vector<SClass>& Classes() {
    static const std::vector<SClass> classes = {
        {"yti", {"o", "ija"}, {"\xEB", "ijo"}},
        {"inti", {"ina"}, {"ino"}},
        {"uoti", {"uoja"}, {"avo"}},
        {"auti", {"auja"}, {"avo"}},
        {"\xEBti", {"i", "\xEBja", "a", "ia"}, {"\xEBjo", "\xEB", "jo"}},
        {"oti", {"o", "oja"}, {"ojo", "\xEB"}},
        {"enti", {"ena"}, {"eno"}},
    };
    return classes;
}

// A primary verb's stem before -ti with the consonants an -sti infinitive hides (vesti: ved-,
// mesti: met-), and their softened forms before -ia and -ė (leidžia, metė).
std::vector<std::string> PrimaryStems(const std::string& stem) {
    std::vector<std::string> stems = {stem};
    if (EndsWith(stem, "s"))
        for (const char* c : {"d", "t", "z"})
            stems.push_back(stem.substr(0, stem.size() - 1) + c);
    return stems;
}

} // namespace

bool CLithuanianVerbs::Load(const std::string& base, std::string* error) {
    std::string aff, dic;
    if (!CDictdReader::ReadFile(base + ".aff", aff, error) ||
        !CDictdReader::ReadFile(base + ".dic", dic, error))
        return false;
    const bool bUtf8 = aff.find("SET UTF-8") != std::string::npos;
    std::size_t at = dic.find('\n'); // the first line is the count
    while (at != std::string::npos && at < dic.size()) {
        const std::size_t end = dic.find('\n', at + 1);
        std::string line = dic.substr(at + 1, end == std::string::npos ? std::string::npos : end - at - 1);
        at = end;
        line = line.substr(0, line.find_first_of(" \t\r"));
        const std::size_t slash = line.find('/');
        const std::string word = line.substr(0, slash);
        const std::string flags = slash == std::string::npos ? std::string() : line.substr(slash + 1);
        std::optional<std::string> cp =
            bUtf8 ? std::optional<std::string>(Cp1257::FromUtf8(word)) : Iso885913::ToCp1257(word);
        if (cp && !cp->empty())
            AddRoot(*cp, flags);
    }
    return true;
}

void CLithuanianVerbs::AddRoot(const std::string& word, const std::string& flags) {
    m_roots[word] += flags;
}

const std::string* CLithuanianVerbs::Flags(const std::string& word) const {
    const auto it = m_roots.find(word);
    return it == m_roots.end() ? nullptr : &it->second;
}

namespace {

std::set<char> PrefixFlags(const std::string& flags) {
    std::set<char> out;
    for (const char c : flags)
        if (c >= 'a' && c <= 'z')
            out.insert(c);
    return out;
}

} // namespace

std::vector<std::string> CLithuanianVerbs::Parts(const std::string& infinitive, bool bPresent) const {
    const std::string* own = Flags(infinitive);
    if (own == nullptr)
        return {};
    std::vector<std::string> candidates;
    for (const SClass& c : Classes())
        if (EndsWith(infinitive, c.ending)) {
            const std::string stem =
                infinitive.substr(0, infinitive.size() - std::string_view(c.ending).size());
            for (const char* e : bPresent ? c.present : c.past)
                candidates.push_back(stem + e);
        }
    if (EndsWith(infinitive, "ti"))
        for (const std::string& stem : PrimaryStems(infinitive.substr(0, infinitive.size() - 2))) {
            for (const char* e : bPresent ? std::vector<const char*>{"a", "ia", "sta", "na", "ja", "o"}
                                          : std::vector<const char*>{"o", "\xEB", "\xEBjo", "jo"})
                candidates.push_back(stem + e);
            const char last = stem.back();
            if (last == 't' || last == 'd') {
                const std::string soft = stem.substr(0, stem.size() - 1) + (last == 't' ? "\xE8" : "d\xFE");
                candidates.push_back(soft + (bPresent ? "ia" : "\xEB"));
            }
        }
    const std::set<char> want = PrefixFlags(*own);
    std::vector<std::string> same, other;
    for (const std::string& c : candidates) {
        const std::string* flags = Flags(c);
        if (flags == nullptr || c == infinitive || (flags->find('E') != std::string::npos) != bPresent)
            continue;
        std::vector<std::string>& to = PrefixFlags(*flags) == want ? same : other;
        if (std::find(to.begin(), to.end(), c) == to.end())
            to.push_back(c);
    }
    if (!same.empty())
        return same;
    return other.size() == 1 ? other : std::vector<std::string>{};
}

std::vector<std::string> CLithuanianVerbs::FiniteForms(std::string_view infinitive) const {
    const std::string word(infinitive);
    if (EndsWith(word, "tis")) {
        // Reflexive: the forms of the plain verb with -si (mokytis: mokosi, mokėsi).
        std::vector<std::string> out;
        for (const std::string& f : FiniteForms(word.substr(0, word.size() - 1)))
            out.push_back(f + "si");
        return out;
    }
    std::vector<std::string> out;
    for (const SIrregular& v : Irregular())
        if (word == v.infinitive) {
            for (const auto* list : {&v.present, &v.past})
                for (const char* f : *list)
                    if (Flags(f) != nullptr)
                        out.emplace_back(f);
            return out;
        }
    if (!EndsWith(word, "ti"))
        return out;
    for (const bool bPresent : {true, false})
        for (const std::string& f : Parts(word, bPresent))
            out.push_back(f);
    return out;
}

std::vector<SDictHeadword> CLithuanianVerbs::FormsOf(const std::vector<SDictReverse>& records) const {
    std::vector<SDictHeadword> out;
    std::set<std::string> texts;
    for (const SDictReverse& r : records)
        texts.insert(r.text);
    for (std::size_t i = 0; i < records.size(); ++i) {
        const std::string& text = records[i].text;
        if (text.find(' ') != std::string::npos || !(EndsWith(text, "ti") || EndsWith(text, "tis")))
            continue;
        // The bare verb, else the one after the longest prefix that leaves a verb of the list.
        std::vector<std::string> forms = FiniteForms(text);
        std::string prefix;
        for (const std::string& p : LithuanianPrefixes()) {
            if (!forms.empty())
                break;
            if (text.size() > p.size() + 2 && text.compare(0, p.size(), p) == 0) {
                forms = FiniteForms(std::string_view(text).substr(p.size()));
                prefix = p;
            }
        }
        for (const std::string& f : forms)
            if (texts.count(prefix + f) == 0)
                out.push_back({prefix + f, static_cast<std::int32_t>(i)});
    }
    return out;
}
