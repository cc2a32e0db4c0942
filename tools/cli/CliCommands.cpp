// SPDX-License-Identifier: GPL-2.0-or-later
#include "cli/CliCommands.h"

#include "dict/Cp1257.h"
#include "dict/DictFile.h"
#include "dict/SmallFile.h"
#include "dict/UserText.h"
#include "render/Lookup.h"
#include "render/PageComposer.h"
#include "render/PlainText.h"

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
    "  lookup [--reverse] WORD...        the translation as text (also: lekstar-cli WORD)\n"
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

class CUsageError {};
// A file named on the command line that cannot serve; the message says which and why.
struct SFileError {
    std::string message;
};

std::optional<int> ParseInt(const std::string& s) {
    int v = 0;
    const char* end = s.data() + s.size();
    const auto [p, ec] = std::from_chars(s.data(), end, v);
    if (ec != std::errc() || p != end)
        return std::nullopt;
    return v;
}

int IntArg(const std::vector<std::string>& args, std::size_t i) {
    if (i >= args.size())
        throw CUsageError();
    const std::optional<int> v = ParseInt(args[i]);
    if (!v)
        throw CUsageError();
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

class CCli {
public:
    CCli(const SOptions& options, bool bAnsi, std::ostream& out, std::ostream& err)
        : m_options(options), m_bAnsi(bAnsi && !options.bRaw), m_out(out), m_err(err) {}

    int Run(std::vector<std::string> args) {
        m_dict.SetPath(m_options.dictPath);
        errno = 0;
        const int code = m_dict.Open();
        if (code != CDictFile::kOpenOk) {
            m_err << "lekstar-cli: cannot open the dictionary " << m_options.dictPath << ": "
                  << OpenFailure(code, errno) << "\n";
            return 1;
        }
        const std::string command = args.front();
        args.erase(args.begin());
        Dispatch(command, args);
        if (m_dict.HasVanished()) {
            // What was printed came from a file that changed underneath: it is not to be trusted.
            m_err << "lekstar-cli: the dictionary " << m_options.dictPath
                  << " was cut short or rewritten while it was read\n";
            return 1;
        }
        return 0;
    }

private:
    // Arguments come in as UTF-8 unless raw bytes were asked for.
    std::string In(const std::string& arg) const { return m_options.bRaw ? arg : Cp1257::FromUtf8(arg); }
    void Out(std::string_view bytes) {
        if (m_options.bRaw)
            m_out << bytes;
        else
            m_out << Cp1257::ToUtf8(bytes);
    }
    void Number(int n) { m_out << n << '\n'; }

    static bool TakeFlag(std::vector<std::string>& args, const char* flag) {
        if (!args.empty() && args.front() == flag) {
            args.erase(args.begin());
            return true;
        }
        return false;
    }

    // The words of a lookup, as typed: composed, with plain quotes and dashes. Nothing when a
    // letter the code page lacks remains, which no headword can match.
    std::optional<std::string> LookupWords(const std::vector<std::string>& args) const {
        if (m_options.bRaw)
            return Words(args);
        std::string joined;
        for (std::size_t i = 0; i < args.size(); ++i)
            joined += (i > 0 ? " " : "") + args[i];
        return UserText::LookupWord(joined);
    }

    std::string Words(const std::vector<std::string>& args) const {
        std::string joined;
        for (std::size_t i = 0; i < args.size(); ++i) {
            if (i > 0)
                joined += ' ';
            joined += In(args[i]);
        }
        return joined;
    }

    std::string OneWord(const std::vector<std::string>& args) const {
        if (args.size() != 1)
            throw CUsageError();
        return In(args[0]);
    }

    void Dispatch(const std::string& command, std::vector<std::string>& args) {
        int entry = -1;
        if (command == "counts") {
            if (!args.empty())
                throw CUsageError();
            m_out << "articles " << m_dict.ArticleCount() << "\nreverse " << m_dict.ReverseCount() << "\n";
        } else if (command == "render-forward") {
            const std::string fragment = m_dict.RenderForward(OneWord(args), entry);
            Number(entry);
            Out(fragment);
        } else if (command == "nearest-forward") {
            const std::string text = m_dict.FindNearestForward(OneWord(args), entry);
            Number(entry);
            Out(text);
        } else if (command == "render-link") {
            const std::string fragment = m_dict.RenderLinkTarget(OneWord(args), entry);
            Number(entry);
            Out(fragment);
        } else if (command == "render-reverse") {
            int index = -1;
            const std::string fragment = m_dict.RenderReverse(OneWord(args), &index);
            Number(index);
            Out(fragment);
        } else if (command == "nearest-reverse") {
            Number(m_dict.FindNearestReverse(OneWord(args)));
        } else if (command == "reverse-entry") {
            Out(m_dict.RenderReverseEntry(SingleInt(args)));
        } else if (command == "article") {
            Out(m_dict.GetArticle(SingleInt(args)));
        } else if (command == "reverse-headword") {
            Out(m_dict.GetReverseHeadword(SingleInt(args)));
        } else if (command == "rows") {
            Rows(args);
        } else if (command == "homonym-ordinal") {
            Number(HomonymOrdinal(m_dict, SingleInt(args), m_dict.ArticleCount() - 1));
        } else if (command == "page") {
            const bool reverse = TakeFlag(args, "--reverse");
            const std::string head = ReadHead(m_options.headPath);
            if (reverse)
                Out(PageComposer::TranslateHtmlRev(m_dict, head, OneWord(args)));
            else
                Out(PageComposer::TranslateHtml(m_dict, head, Words(args)));
        } else if (command == "lookup") {
            const bool reverse = TakeFlag(args, "--reverse");
            if (args.empty())
                throw CUsageError();
            Lookup(LookupWords(args), reverse);
        } else {
            // A word that is no command is looked up.
            if (command.rfind("--", 0) == 0)
                throw CUsageError();
            args.insert(args.begin(), command);
            Lookup(LookupWords(args), false);
        }
    }

    int SingleInt(const std::vector<std::string>& args) const {
        if (args.size() != 1)
            throw CUsageError();
        return IntArg(args, 0);
    }

    void Rows(std::vector<std::string>& args) {
        const bool reverse = TakeFlag(args, "--reverse");
        if (args.size() != 2)
            throw CUsageError();
        const int from = IntArg(args, 0);
        const int count = IntArg(args, 1);
        const int last = (reverse ? m_dict.ReverseCount() : m_dict.ArticleCount()) - 1;
        const EDirection direction = reverse ? EDirection::Reverse : EDirection::Forward;
        for (long long i = std::max(from, 0); i < static_cast<long long>(from) + count && i <= last; ++i) {
            int homonym = 0;
            const std::string text = m_dict.GetListHeadword(direction, static_cast<int>(i), homonym);
            m_out << i << '\t' << homonym << '\t';
            Out(text);
            m_out << '\n';
        }
    }

    void Lookup(const std::optional<std::string>& word, bool reverse) {
        if (!word) {
            m_err << "not found\n";
            return;
        }
        PlainText::SOptions options;
        options.bAnsi = m_bAnsi;
        std::string text;
        const ::Lookup::SResult found =
            ::Lookup::Find(m_dict, reverse ? EDirection::Reverse : EDirection::Forward, *word);
        const std::string& fragment = found.text;
        if (reverse) {
            if (found.entry >= 0) {
                const std::string title = "<P><B>" + m_dict.GetReverseHeadword(found.entry) + "</B></P>";
                text = PlainText::FromHtml(title + fragment, options);
            }
        } else {
            if (found.bNearest) {
                // Say so when the article shown is only the nearest headword's.
                int homonym = 0;
                m_err << "nearest headword: "
                      << Cp1257::ToUtf8(m_dict.GetListHeadword(EDirection::Forward, found.entry, homonym))
                      << "\n";
            }
            if (!fragment.empty()) {
                // The title before the TAB is repeated by the body's own heading.
                const std::size_t tab = fragment.find('\t');
                text = PlainText::FromHtml(tab == std::string::npos ? fragment : fragment.substr(tab + 1),
                                           options);
            }
        }
        if (text.empty()) {
            m_err << "not found\n";
            return;
        }
        m_out << (m_options.bRaw ? Cp1257::FromUtf8(text) : text);
    }

    const SOptions& m_options;
    bool m_bAnsi;
    std::ostream& m_out;
    std::ostream& m_err;
    CDictFile m_dict;
};

} // namespace

int RunCli(const std::vector<std::string>& argsIn, const std::string& programDir, bool bAnsi,
           std::ostream& out, std::ostream& err) {
    SOptions options;
    options.dictPath = programDir + "/LEKSTAR.dic";
    options.headPath = programDir + "/HTM/HH.htm";
    std::vector<std::string> args = argsIn;
    std::size_t i = 0;
    for (; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--raw") {
            options.bRaw = true;
        } else if ((a == "--dict" || a == "--head") && i + 1 < args.size()) {
            (a == "--dict" ? options.dictPath : options.headPath) = args[++i];
        } else if (a == "--help" || a == "-h") {
            out << kUsage;
            return 0;
        } else if (a == "--version") {
            out << "lekstar-cli " LEKSTAR_VERSION "\n";
            return 0;
        } else {
            break;
        }
    }
    args.erase(args.begin(), args.begin() + static_cast<std::ptrdiff_t>(i));
    if (args.empty()) {
        err << kUsage;
        return 2;
    }
    try {
        CCli cli(options, bAnsi, out, err);
        return cli.Run(args);
    } catch (const CUsageError&) {
        err << kUsage;
        return 2;
    } catch (const SFileError& e) {
        err << "lekstar-cli: " << e.message << "\n";
        return 1;
    }
}
