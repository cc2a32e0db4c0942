// SPDX-License-Identifier: GPL-2.0-or-later
#include "cli/CliCommands.h"

#include "dict/ArticleText.h"
#include "dict/Cp1257.h"
#include "dict/SmallFile.h"
#include "dict/TextUtil.h"
#include "dict/UserText.h"
#include "dict/WordForms.h"
#include "render/DictFile.h"
#include "render/Lookup.h"
#include "render/PageComposer.h"
#include "render/PlainText.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>

namespace {

constexpr const char* kUsage =
    "Usage: lekstar-cli [--dict FILE] [--head FILE] [--raw] COMMAND ARGS...\n"
    "       lekstar-cli [--dict FILE] WORD...\n"
    "\n"
    "Looks words up in the LEKSTAR English-Lithuanian dictionary.\n"
    "\n"
    "Options:\n"
    "  --dict FILE   the dictionary (default: LEKSTAR.dic beside the program)\n"
    "  --head FILE   the page head for `page` (default: HTM/HH.htm beside the program)\n"
    "  --raw         arguments and output are code page 1257 bytes, not UTF-8\n"
    "  --version     the version of lekstar-cli\n"
    "\n"
    "Commands:\n"
    "  lookup [--reverse] [--json] [--strict] [--no-forms] WORD...\n"
    "                                    the translation as text (also: lekstar-cli WORD); an\n"
    "                                    inflected word shows its dictionary form (\"went\": go);\n"
    "                                    each WORD its own answer, in order: quote a phrase\n"
    "      --json    one JSON object per word (each argument one word): word, found (exact,\n"
    "                form, nearest or none), headword, homonym, abbreviation, text, html, and\n"
    "                rule and suggestions where they apply\n"
    "      --strict  exit status 3 when a word is shown only by its nearest headword or not at all\n"
    "      --no-forms  no word forms: a word no headword is shows its nearest headword\n"
    "      -         read the words from standard input, one per line (also when no word is\n"
    "                given and standard input is no terminal)\n"
    "  words [--reverse] PREFIX          up to 50 headwords beginning with PREFIX (for completion)\n"
    "  page [--reverse] WORD...          the whole HTML page of a translation\n"
    "  render-forward WORD               ENTRY, then the English articles matching WORD\n"
    "  nearest-forward WORD              ENTRY, then the article of the nearest headword\n"
    "  render-link NAME                  ENTRY, then the articles a link names\n"
    "  render-reverse WORD               INDEX, then the English articles of a Lithuanian word\n"
    "  nearest-reverse WORD              INDEX of the nearest Lithuanian headword\n"
    "  reverse-entry INDEX               the English articles of Lithuanian headword INDEX\n"
    "  article ENTRY                     the text of article ENTRY\n"
    "  reverse-headword INDEX            the Lithuanian headword INDEX\n"
    "  rows [--reverse] FROM COUNT       index rows: number, homonym number, text\n"
    "  homonym-ordinal ENTRY             the place of ENTRY among equal neighbouring headwords\n"
    "  counts                            the number of articles and of Lithuanian headwords\n";

struct SOptions {
    std::string dictPath;
    std::string headPath;
    bool bRaw = false;
};

// A command line that cannot be carried out; the message says what was wrong, in one line.
struct SUsageError {
    std::string message;
};
// A file named on the command line that cannot serve; the message says which and why.
struct SFileError {
    std::string message;
};

constexpr int kStatusUsage = 2;
constexpr int kStatusNotExact = 3;

// The commands, for the near-miss check of a first word that is none of them.
constexpr std::array<std::string_view, 14> kCommands = {
    "lookup",           "page",          "render-forward",
    "nearest-forward",  "render-link",   "render-reverse",
    "nearest-reverse",  "reverse-entry", "article",
    "reverse-headword", "rows",          "homonym-ordinal",
    "counts",           "words"};

// Edits (insertions, deletions, substitutions, swaps of neighbours) between a and b.
std::size_t EditDistance(std::string_view a, std::string_view b) {
    std::vector<std::vector<std::size_t>> d(a.size() + 1, std::vector<std::size_t>(b.size() + 1));
    for (std::size_t i = 0; i <= a.size(); ++i)
        d[i][0] = i;
    for (std::size_t j = 0; j <= b.size(); ++j)
        d[0][j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t cost = a[i - 1] == b[j - 1] ? 0 : 1;
            d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + cost});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
                d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
        }
    }
    return d[a.size()][b.size()];
}

// The command a word was probably meant to be: one edit away, two for the longer names.
std::optional<std::string_view> NearCommand(std::string_view word) {
    for (const std::string_view command : kCommands) {
        const std::size_t allowed = command.size() <= 5 ? 1 : 2;
        if (EditDistance(word, command) <= allowed)
            return command;
    }
    return std::nullopt;
}

bool IsUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();)
        if (Cp1257::NextCodePoint(text, i) == Cp1257::kInvalid)
            return false;
    return true;
}

std::optional<int> ParseInt(const std::string& s) {
    int v = 0;
    const char* end = s.data() + s.size();
    const auto [p, ec] = std::from_chars(s.data(), end, v);
    if (ec != std::errc() || p != end)
        return std::nullopt;
    return v;
}

int IntArg(const std::string& command, const std::string& what, const std::vector<std::string>& args,
           std::size_t i) {
    if (i >= args.size())
        throw SUsageError{command + " needs " + what};
    const std::optional<int> v = ParseInt(args[i]);
    if (!v)
        throw SUsageError{command + ": " + what + " must be a whole number, not '" + args[i] + "'"};
    return *v;
}

// The page head: a missing file is an empty head; one that is no regular file of at most a
// megabyte (a folder, a FIFO, /dev/zero, /proc/self/mem) is an error.
std::string ReadHead(const std::string& path) {
    constexpr std::size_t kMaxHead = 1024 * 1024;
    std::string bytes;
    errno = 0;
    switch (SmallFile::Read(path, kMaxHead, bytes)) {
    case SmallFile::EResult::Ok:
        return bytes;
    case SmallFile::EResult::Missing:
        return {};
    case SmallFile::EResult::NotRegular:
        throw SFileError{"the page head " + path + " is not a regular file"};
    case SmallFile::EResult::TooLarge:
        throw SFileError{"the page head " + path + " is larger than 1 MiB"};
    case SmallFile::EResult::ReadFailed:
        break;
    }
    throw SFileError{"the page head " + path + " cannot be read (" + std::strerror(errno) + ")"};
}

std::string OpenFailure(int code, int savedErrno) {
    switch (code) {
    case CDictFile::kOpenNoPath:
        return "no dictionary file was named";
    case CDictFile::kOpenFileFailed:
        return std::string("the file cannot be opened for reading (") + std::strerror(savedErrno) + ")";
    case CDictFile::kOpenMappingFailed:
        return "it is not a regular file";
    case CDictFile::kOpenViewFailed:
        return std::string("it cannot be mapped into memory (") + std::strerror(savedErrno) + ")";
    case CDictFile::kOpenDamaged:
        return "the file is damaged: shorter than its header, or a section runs past its end";
    default:
        return "unknown error " + std::to_string(code);
    }
}

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

class CCli {
public:
    CCli(const SOptions& options, const SCliIo& io) : m_options(options), m_io(io) {}

    int Run(std::vector<std::string> args) {
        m_dict.SetPath(m_options.dictPath);
        errno = 0;
        const int code = m_dict.Open();
        if (code != CDictFile::kOpenOk) {
            m_io.err << "lekstar-cli: cannot open the dictionary " << m_options.dictPath << ": "
                     << OpenFailure(code, errno) << "\n";
            return 1;
        }
        const std::string command = args.front();
        args.erase(args.begin());
        Dispatch(command, args);
        if (m_dict.HasVanished()) {
            // What was printed came from a file that changed underneath: it is not to be trusted.
            m_io.err << "lekstar-cli: the dictionary " << m_options.dictPath
                     << " was cut short or rewritten while it was read\n";
            return 1;
        }
        return m_status;
    }

private:
    // Arguments come in as UTF-8 unless raw bytes were asked for.
    std::string In(const std::string& arg) const { return m_options.bRaw ? arg : Cp1257::FromUtf8(arg); }
    void Out(std::string_view bytes) {
        if (m_options.bRaw)
            m_io.out << bytes;
        else
            m_io.out << Cp1257::ToUtf8(bytes);
    }
    // Text made as UTF-8 (plain text, JSON), in the output's encoding.
    void OutUtf8(std::string_view utf8) {
        if (m_options.bRaw)
            m_io.out << Cp1257::FromUtf8(utf8);
        else
            m_io.out << utf8;
    }
    void Number(int n) { m_io.out << n << '\n'; }

    static bool TakeFlag(std::vector<std::string>& args, const char* flag) {
        if (!args.empty() && args.front() == flag) {
            args.erase(args.begin());
            return true;
        }
        return false;
    }

    // The words of a lookup, as typed: composed, with plain quotes and dashes. Nothing when a
    // letter the code page lacks remains, which no headword can match.
    std::optional<std::string> LookupWord(const std::string& typed) const {
        if (m_options.bRaw)
            return typed;
        return UserText::LookupWord(typed);
    }

    static std::string Joined(const std::vector<std::string>& args) {
        std::string joined;
        for (std::size_t i = 0; i < args.size(); ++i) {
            if (i > 0)
                joined += ' ';
            joined += args[i];
        }
        return joined;
    }

    std::string Words(const std::vector<std::string>& args) const { return In(Joined(args)); }

    std::string OneWord(const std::string& command, const std::vector<std::string>& args) const {
        if (args.size() != 1)
            throw SUsageError{command + (args.empty() ? " needs a word" : " takes one word; quote a phrase")};
        return In(args[0]);
    }

    int SingleInt(const std::string& command, const std::string& what,
                  const std::vector<std::string>& args) const {
        if (args.size() > 1)
            throw SUsageError{command + " takes only " + what};
        return IntArg(command, what, args, 0);
    }

    void Dispatch(const std::string& command, std::vector<std::string>& args) {
        int entry = -1;
        if (command == "counts") {
            if (!args.empty())
                throw SUsageError{"counts takes no arguments"};
            m_io.out << "articles " << m_dict.ArticleCount() << "\nreverse " << m_dict.ReverseCount() << "\n";
        } else if (command == "render-forward") {
            const std::string fragment = m_dict.RenderForward(OneWord(command, args), entry);
            Number(entry);
            Out(fragment);
        } else if (command == "nearest-forward") {
            const std::string text = m_dict.FindNearestForward(OneWord(command, args), entry);
            Number(entry);
            Out(text);
        } else if (command == "render-link") {
            const std::string fragment = m_dict.RenderLinkTarget(OneWord(command, args), entry);
            Number(entry);
            Out(fragment);
        } else if (command == "render-reverse") {
            int index = -1;
            const std::string fragment = m_dict.RenderReverse(OneWord(command, args), &index);
            Number(index);
            Out(fragment);
        } else if (command == "nearest-reverse") {
            Number(m_dict.FindNearestReverse(OneWord(command, args)));
        } else if (command == "reverse-entry") {
            Out(m_dict.RenderReverseEntry(SingleInt(command, "INDEX", args)));
        } else if (command == "article") {
            Out(m_dict.GetArticle(SingleInt(command, "ENTRY", args)));
        } else if (command == "reverse-headword") {
            Out(m_dict.GetReverseHeadword(SingleInt(command, "INDEX", args)));
        } else if (command == "rows") {
            Rows(args);
        } else if (command == "homonym-ordinal") {
            Number(HomonymOrdinal(m_dict, SingleInt(command, "ENTRY", args), m_dict.ArticleCount() - 1));
        } else if (command == "words") {
            WordsBeginning(args);
        } else if (command == "page") {
            const bool reverse = TakeFlag(args, "--reverse");
            const std::string head = ReadHead(m_options.headPath);
            if (reverse)
                Out(PageComposer::TranslateHtmlRev(m_dict, head, OneWord(command, args)));
            else
                Out(PageComposer::TranslateHtml(m_dict, head, Words(args)));
        } else if (command == "lookup") {
            LookupCommand(args);
        } else {
            if (command.rfind('-', 0) == 0)
                throw SUsageError{"unknown option '" + command + "'"};
            // A word that is no command is looked up, unless it is a command mistyped and no
            // headword or form of one.
            if (const std::optional<std::string_view> near = NearCommand(command)) {
                const std::optional<std::string> word = LookupWord(command);
                const Lookup::EFound how =
                    word ? ::Lookup::Find(m_dict, EDirection::Forward, *word, &m_english).how
                         : Lookup::EFound::None;
                if (how != Lookup::EFound::Exact && how != Lookup::EFound::Form)
                    throw SUsageError{"unknown command '" + command + "'; did you mean '" +
                                      std::string(*near) + "'?"};
            }
            args.insert(args.begin(), command);
            ShowEach(args, SLookupFlags());
        }
    }

    void LookupCommand(std::vector<std::string>& args) {
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
                throw SUsageError{"lookup: unknown option '" + flag + "'"};
        }
        if ((args.size() == 1 && args.front() == "-") || (args.empty() && !m_io.bInIsTerminal)) {
            flags.bNamed = true;
            ReadWords(flags);
        } else if (args.empty()) {
            throw SUsageError{"lookup needs a word (or - to read words from standard input)"};
        } else {
            ShowEach(args, flags);
        }
    }

    // One answer per argument, in their order; a phrase is one quoted argument.
    void ShowEach(const std::vector<std::string>& words, SLookupFlags flags) {
        flags.bNamed = words.size() > 1;
        for (const std::string& word : words)
            Show(word, flags);
    }

    // One word per line; a line that is no valid UTF-8 is said and skipped, and the run ends as
    // a usage error.
    void ReadWords(const SLookupFlags& flags) {
        std::string line;
        long long number = 0;
        while (std::getline(m_io.in, line)) {
            ++number;
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            if (TextUtil::Trim(line).empty())
                continue;
            if (!m_options.bRaw && !IsUtf8(line)) {
                m_io.err << "lekstar-cli: line " << number
                         << " of the standard input is not valid UTF-8 (--raw reads code page 1257)\n";
                m_status = std::max(m_status, kStatusUsage);
                continue;
            }
            Show(line, flags);
            // A dictionary cut short under the run answers nothing more; the run ends with its
            // message rather than waiting for an input that may never end.
            if (m_dict.HasVanished())
                return;
        }
    }

    void Rows(std::vector<std::string>& args) {
        const bool reverse = TakeFlag(args, "--reverse");
        if (args.size() > 2)
            throw SUsageError{"rows takes FROM and COUNT"};
        const int from = IntArg("rows", "FROM", args, 0);
        const int count = IntArg("rows", "COUNT", args, 1);
        const int last = (reverse ? m_dict.ReverseCount() : m_dict.ArticleCount()) - 1;
        const EDirection direction = reverse ? EDirection::Reverse : EDirection::Forward;
        for (long long i = std::max(from, 0); i < static_cast<long long>(from) + count && i <= last; ++i) {
            int homonym = 0;
            const std::string text = m_dict.GetListHeadword(direction, static_cast<int>(i), homonym);
            m_io.out << i << '\t' << homonym << '\t';
            Out(text);
            m_io.out << '\n';
        }
    }

    // The headwords a completion offers: distinct texts from the first that begins with the
    // prefix, in index order.
    void WordsBeginning(std::vector<std::string>& args) {
        constexpr int kMaxWords = 50;
        const bool reverse = TakeFlag(args, "--reverse");
        TakeFlag(args, "--");
        if (args.size() > 1)
            throw SUsageError{"words takes one PREFIX; quote a phrase"};
        const std::string prefix = args.empty() ? std::string() : In(args[0]);
        const EDirection direction = reverse ? EDirection::Reverse : EDirection::Forward;
        int i = -1;
        if (reverse) {
            i = prefix.empty() ? (m_dict.ReverseCount() > 0 ? 0 : -1) : m_dict.FindReversePrefix(prefix, -1);
        } else {
            i = prefix.empty() ? (m_dict.ArticleCount() > 0 ? 0 : -1) : -1;
            if (!prefix.empty())
                m_dict.FindForwardPrefix(prefix, i);
        }
        if (i < 0)
            return;
        const int last = (reverse ? m_dict.ReverseCount() : m_dict.ArticleCount()) - 1;
        std::string previous;
        int shown = 0;
        for (; i <= last && shown < kMaxWords; ++i) {
            int homonym = 0;
            const std::string text = m_dict.GetListHeadword(direction, i, homonym);
            if (text.empty())
                continue;
            const std::string cut = text.substr(0, std::min(text.size(), prefix.size()));
            const bool begins = reverse ? CDictFile::CompareByWeight(cut.c_str(), prefix.c_str()) == 0
                                        : CDictFile::CompareForward(cut, prefix) == 0;
            if (!begins)
                break;
            if (text == previous)
                continue;
            previous = text;
            Out(text);
            m_io.out << '\n';
            ++shown;
        }
    }

    // One lookup as a person or a script reads it. typed is as given (UTF-8 unless raw).
    void Show(const std::string& typed, const SLookupFlags& flags) {
        const std::optional<std::string> word = LookupWord(typed);
        ::Lookup::SResult found;
        CWordForms* forms = !flags.bForms ? nullptr : flags.bReverse ? &m_lithuanian : &m_english;
        if (word)
            found = ::Lookup::Find(m_dict, flags.bReverse ? EDirection::Reverse : EDirection::Forward, *word,
                                   forms);
        if (flags.bStrict && found.how != Lookup::EFound::Exact && found.how != Lookup::EFound::Form)
            m_status = std::max(m_status, kStatusNotExact);

        // A word that reached no headword of its own: what it may have been meant as.
        std::vector<std::string> suggestions;
        if (forms != nullptr && word &&
            (found.how == Lookup::EFound::Nearest || found.how == Lookup::EFound::None))
            suggestions = ::Lookup::Suggestions(
                m_dict, flags.bReverse ? EDirection::Reverse : EDirection::Forward, *word, *forms);
        // What a vanished file gave is not an answer.
        if (m_dict.HasVanished())
            return;
        std::string headword;
        std::string html;
        int homonym = 0;
        if (found.entry >= 0) {
            if (flags.bReverse) {
                headword = m_dict.GetReverseHeadword(found.entry);
                html = found.text;
            } else {
                headword = m_dict.GetListHeadword(EDirection::Forward, found.entry, homonym);
                // The title before the TAB is repeated by the body's own heading.
                html = SArticleText::Split(found.text).body;
            }
        }
        if (flags.bJson) {
            ShowJson(typed, found, headword, homonym, html, suggestions);
            return;
        }
        PlainText::SOptions options;
        options.bAnsi = m_io.bAnsi && !m_options.bRaw;
        std::string text;
        if (!html.empty())
            text =
                PlainText::FromHtml(flags.bReverse ? "<P><B>" + headword + "</B></P>" + html : html, options);
        std::string meant;
        for (const std::string& s : suggestions)
            meant += (meant.empty() ? "did you mean: " : ", ") + Cp1257::ToUtf8(s);
        if (!meant.empty())
            meant += "\n";
        if (text.empty()) {
            m_io.err << (flags.bNamed ? "not found: " + (m_options.bRaw ? Cp1257::ToUtf8(typed) : typed)
                                      : "not found")
                     << "\n"
                     << meant;
            return;
        }
        // Say so when the article shown is not the word's own.
        if (found.how == Lookup::EFound::Nearest)
            m_io.err << "nearest headword: " << Cp1257::ToUtf8(headword) << "\n";
        else if (found.how == Lookup::EFound::Form)
            m_io.err << "form of: " << Cp1257::ToUtf8(headword) << "\n";
        m_io.err << meant;
        OutUtf8(text);
    }

    void ShowJson(const std::string& typed, const ::Lookup::SResult& found, const std::string& headword,
                  int homonym, const std::string& html, const std::vector<std::string>& suggestions) {
        using DictFormat::kAbbreviation;
        std::string json = "{\"word\":" + JsonString(m_options.bRaw ? Cp1257::ToUtf8(typed) : typed);
        json += ",\"found\":\"" + std::string(FoundName(found.how)) + "\"";

        if (found.entry < 0) {
            json += ",\"headword\":null,\"homonym\":null,\"abbreviation\":false,\"text\":\"\",\"html\":\"\"";
        } else {
            json += ",\"headword\":" + JsonString(Cp1257::ToUtf8(headword));
            json += ",\"homonym\":" + std::to_string(homonym == kAbbreviation ? 0 : homonym);
            json += std::string(",\"abbreviation\":") + (homonym == kAbbreviation ? "true" : "false");
            json += ",\"text\":" + JsonString(PlainText::FromHtml(html));
            json += ",\"html\":" + JsonString(Cp1257::ToUtf8(html));
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
        OutUtf8(json);
    }

    const SOptions& m_options;
    const SCliIo& m_io;
    CDictFile m_dict;
    // Read only when a word needs its stems.
    CWordForms m_english{CWordForms::kEnglish};
    CWordForms m_lithuanian{CWordForms::kLithuanian};
    int m_status = 0;
};

// Every argument of the command must be UTF-8 unless raw bytes were asked for: a word from a
// terminal in another encoding would otherwise be looked up as garbage.
void CheckUtf8(const std::vector<std::string>& args, const SOptions& options) {
    if (options.bRaw)
        return;
    for (const std::string& a : args)
        if (!IsUtf8(a))
            throw SUsageError{"an argument is not valid UTF-8 (--raw takes code page 1257 bytes)"};
}

} // namespace

int RunCli(const std::vector<std::string>& argsIn, const std::string& programDir, const SCliIo& io) {
    SOptions options;
    options.dictPath = programDir + "/LEKSTAR.dic";
    options.headPath = programDir + "/HTM/HH.htm";
    std::vector<std::string> args = argsIn;
    const auto usage = [&](const std::string& message) {
        io.err << "lekstar-cli: " << message << "; see lekstar-cli --help\n";
        return kStatusUsage;
    };
    std::size_t i = 0;
    for (; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--raw") {
            options.bRaw = true;
        } else if (a == "--dict" || a == "--head") {
            if (i + 1 >= args.size())
                return usage(a + " needs a FILE");
            (a == "--dict" ? options.dictPath : options.headPath) = args[++i];
        } else if (a == "--help" || a == "-h") {
            io.out << kUsage;
            return 0;
        } else if (a == "--version") {
            io.out << "lekstar-cli " LEKSTAR_VERSION "\n";
            return 0;
        } else {
            break;
        }
    }
    args.erase(args.begin(), args.begin() + static_cast<std::ptrdiff_t>(i));
    if (args.empty())
        return usage("no command or word given");
    try {
        CheckUtf8(args, options);
        CCli cli(options, io);
        return cli.Run(args);
    } catch (const SUsageError& e) {
        return usage(e.message);
    } catch (const SFileError& e) {
        io.err << "lekstar-cli: " << e.message << "\n";
        return 1;
    }
}
