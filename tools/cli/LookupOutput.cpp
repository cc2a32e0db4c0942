// SPDX-License-Identifier: GPL-2.0-or-later
// `lookup` and the bare word: the answer to a word as a person reads it (plain text, with what
// the headword shown is to the word on standard error) or as a script reads it (one JSON object).

#include "cli/CliSession.h"
#include "dict/ArticleText.h"
#include "dict/TextUtil.h"
#include "render/Lookup.h"
#include "render/PlainText.h"

#include <algorithm>

namespace {

// A UTF-8 text as a JSON string.
std::string JsonString(std::string_view utf8) {
    std::string out = "\"";
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\t') {
            out += "\\t";
        } else if (byte < 0x20 || byte == 0x7F) {
            constexpr const char* kHex = "0123456789abcdef";
            out += "\\u00";
            out += kHex[byte >> 4];
            out += kHex[byte & 15];
        } else {
            out += c;
        }
    }
    return out + '"';
}

const char* FoundName(Lookup::EFound how) {
    switch (how) {
    case Lookup::EFound::Exact:
        return "exact";
    case Lookup::EFound::Form:
        return "form";
    case Lookup::EFound::Nearest:
        return "nearest";
    case Lookup::EFound::None:
        break;
    }
    return "none";
}

// How a word that is no headword as typed reached the one shown.
const char* RuleName(Lookup::ERule rule) {
    switch (rule) {
    case Lookup::ERule::Inflection:
        return "inflection";
    case Lookup::ERule::Stem:
        return "stem";
    case Lookup::ERule::Diacritics:
        return "diacritics";
    case Lookup::ERule::Phrase:
        return "phrase";
    case Lookup::ERule::Negation:
        return "negation";
    case Lookup::ERule::None:
        break;
    }
    return "none";
}

struct SLookupFlags {
    bool bReverse = false;
    bool bJson = false;
    bool bStrict = false;
    bool bNamed = false; // several words: "not found" names the word it is about
    bool bForms = true;
};

// What the lookup of one word found, as both outputs need it.
struct SAnswer {
    ::Lookup::SResult found;
    std::vector<std::string> suggestions; // what a word that reached no headword may be meant as
    std::string headword;
    std::string html; // the article's body (forward) or the reverse fragment
    int homonym = 0;
};

SAnswer Answer(CCliSession& s, const std::optional<std::string>& word, const SLookupFlags& flags) {
    SAnswer a;
    const EDirection direction = flags.bReverse ? EDirection::Reverse : EDirection::Forward;
    CWordForms* forms = flags.bForms ? &s.Forms(direction) : nullptr;
    if (word)
        a.found = ::Lookup::Find(s.Dict(), direction, *word, forms);
    const Lookup::EFound how = a.found.how;
    if (forms != nullptr && word && (how == Lookup::EFound::Nearest || how == Lookup::EFound::None))
        a.suggestions = ::Lookup::Suggestions(s.Dict(), direction, *word, *forms);
    if (a.found.entry < 0)
        return a;
    if (flags.bReverse) {
        a.headword = s.Dict().GetReverseHeadword(a.found.entry);
        a.html = a.found.text;
    } else {
        a.headword = s.Dict().GetListHeadword(EDirection::Forward, a.found.entry, a.homonym);
        // The title before the TAB is repeated by the body's own heading.
        a.html = SArticleText::Split(a.found.text).body;
    }
    return a;
}

void ShowJson(CCliSession& s, const std::string& typed, const SAnswer& a) {
    const ::Lookup::SResult& found = a.found;
    const std::vector<std::string>& suggestions = a.suggestions;
    using DictFormat::kAbbreviation;
    std::string json = "{\"word\":" + JsonString(s.Options().bRaw ? Cp1257::ToUtf8(typed) : typed);
    json += ",\"found\":\"" + std::string(FoundName(found.how)) + "\"";

    if (found.entry < 0) {
        json += ",\"headword\":null,\"homonym\":null,\"abbreviation\":false,\"text\":\"\",\"html\":\"\"";
    } else {
        json += ",\"headword\":" + JsonString(Cp1257::ToUtf8(a.headword));
        json += ",\"homonym\":" + std::to_string(a.homonym == kAbbreviation ? 0 : a.homonym);
        json += std::string(",\"abbreviation\":") + (a.homonym == kAbbreviation ? "true" : "false");
        json += ",\"text\":" + JsonString(PlainText::FromHtml(a.html));
        json += ",\"html\":" + JsonString(Cp1257::ToUtf8(a.html));
    }
    // Added after the fields scripts already read: by which rule a form was reached, and
    // what a word that reached no headword of its own may have been meant as.
    if (found.rule != Lookup::ERule::None) {
        json += ",\"rule\":\"";
        json += RuleName(found.rule);
        json += '"';
    }
    if (!suggestions.empty()) {
        json += ",\"suggestions\":[";
        for (std::size_t i = 0; i < suggestions.size(); ++i) {
            // Appended piece by piece: GCC 12 at -O2 takes `"," + text` for an overlapping
            // copy (a false -Wrestrict).
            if (i > 0)
                json += ',';
            json += JsonString(Cp1257::ToUtf8(suggestions[i]));
        }
        json += "]";
    }
    json += "}\n";
    s.OutUtf8(json);
}

void ShowText(CCliSession& s, const std::string& typed, const SLookupFlags& flags, const SAnswer& a) {
    PlainText::SOptions options;
    options.bAnsi = s.Io().bAnsi && !s.Options().bRaw;
    std::string text;
    if (!a.html.empty())
        text = PlainText::FromHtml(flags.bReverse ? "<P><B>" + a.headword + "</B></P>" + a.html : a.html,
                                   options);
    std::string meant;
    for (const std::string& suggestion : a.suggestions)
        meant += (meant.empty() ? "did you mean: " : ", ") + Cp1257::ToUtf8(suggestion);
    if (!meant.empty())
        meant += "\n";
    std::ostream& err = s.Io().err;
    if (text.empty()) {
        err << (flags.bNamed ? "not found: " + (s.Options().bRaw ? Cp1257::ToUtf8(typed) : typed)
                             : "not found")
            << "\n"
            << meant;
        return;
    }
    // Say so when the article shown is not the word's own.
    if (a.found.how == Lookup::EFound::Nearest)
        err << "nearest headword: " << Cp1257::ToUtf8(a.headword) << "\n";
    else if (a.found.how == Lookup::EFound::Form)
        err << "form of: " << Cp1257::ToUtf8(a.headword) << "\n";
    err << meant;
    s.OutUtf8(text);
}

// One lookup as a person or a script reads it. typed is as given (UTF-8 unless raw).
void Show(CCliSession& s, const std::string& typed, const SLookupFlags& flags) {
    const SAnswer a = Answer(s, s.LookupWord(typed), flags);
    if (flags.bStrict && a.found.how != Lookup::EFound::Exact && a.found.how != Lookup::EFound::Form)
        s.Fail(kStatusNotExact);
    // What a vanished file gave is not an answer.
    if (s.Dict().HasVanished())
        return;
    if (flags.bJson)
        ShowJson(s, typed, a);
    else
        ShowText(s, typed, flags, a);
}

// One answer per argument, in their order; a phrase is one quoted argument.
void ShowEach(CCliSession& s, const std::vector<std::string>& words, SLookupFlags flags) {
    flags.bNamed = words.size() > 1;
    for (const std::string& word : words)
        Show(s, word, flags);
}

// One word per line; a line that is no valid UTF-8 is said and skipped, and the run ends as
// a usage error.
void ReadWords(CCliSession& s, const SLookupFlags& flags) {
    std::string line;
    long long number = 0;
    while (std::getline(s.Io().in, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (TextUtil::Trim(line).empty())
            continue;
        if (!s.Options().bRaw && !CliArgs::IsUtf8(line)) {
            s.Io().err << "lekstar-cli: line " << number
                       << " of the standard input is not valid UTF-8 (--raw reads code page 1257)\n";
            s.Fail(kStatusUsage);
            continue;
        }
        Show(s, line, flags);
        // A dictionary cut short under the run answers nothing more; the run ends with its
        // message rather than waiting for an input that may never end.
        if (s.Dict().HasVanished())
            return;
    }
}

} // namespace

namespace CliCommands {

void Lookup(CCliSession& s, const std::string& command, std::vector<std::string>& args) {
    SLookupFlags flags;
    while (!args.empty() && args.front().size() > 1 && args.front()[0] == '-') {
        const std::string flag = args.front();
        args.erase(args.begin());
        if (flag == "--")
            break;
        if (flag == "--reverse")
            flags.bReverse = true;
        else if (flag == "--json")
            flags.bJson = true;
        else if (flag == "--strict")
            flags.bStrict = true;
        else if (flag == "--no-forms")
            flags.bForms = false;
        else
            throw SUsageError{command + ": unknown option '" + flag + "'"};
    }
    if ((args.size() == 1 && args.front() == "-") || (args.empty() && !s.Io().bInIsTerminal)) {
        flags.bNamed = true;
        ReadWords(s, flags);
    } else if (args.empty()) {
        throw SUsageError{command + " needs a word (or - to read words from standard input)"};
    } else {
        ShowEach(s, args, flags);
    }
}

void LookupEach(CCliSession& s, const std::vector<std::string>& words) {
    ShowEach(s, words, SLookupFlags());
}

} // namespace CliCommands
