// SPDX-License-Identifier: GPL-2.0-or-later
#include "cli/CliCommands.h"

#include "cli/CliSession.h"
#include "render/Lookup.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <optional>

namespace {

constexpr std::string_view kUsageHead =
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
    "  --commands    the command names, one per line (for completion)\n"
    "\n"
    "Commands:\n";

// A command: its name, its lines of the usage text, and what carries it out. The usage text,
// the completion's names (--commands), the dispatch and the near-miss check all read this table.
struct SCommand {
    std::string_view name;
    std::string_view usage;
    FCliCommand run;
};

constexpr std::array<SCommand, 14> kTable = {{
    {"lookup",
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
     "                given and standard input is no terminal)\n",
     CliCommands::Lookup},
    {"words",
     "  words [--reverse] PREFIX          up to 50 headwords beginning with PREFIX (for completion)\n",
     CliCommands::Words},
    {"page", "  page [--reverse] WORD...          the whole HTML page of a translation\n", CliCommands::Page},
    {"render-forward", "  render-forward WORD               ENTRY, then the English articles matching WORD\n",
     CliCommands::RenderForward},
    {"nearest-forward",
     "  nearest-forward WORD              ENTRY, then the article of the nearest headword\n",
     CliCommands::NearestForward},
    {"render-link", "  render-link NAME                  ENTRY, then the articles a link names\n",
     CliCommands::RenderLink},
    {"render-reverse",
     "  render-reverse WORD               INDEX, then the English articles of a Lithuanian word\n",
     CliCommands::RenderReverse},
    {"nearest-reverse", "  nearest-reverse WORD              INDEX of the nearest Lithuanian headword\n",
     CliCommands::NearestReverse},
    {"reverse-entry",
     "  reverse-entry INDEX               the English articles of Lithuanian headword INDEX\n",
     CliCommands::ReverseEntry},
    {"article", "  article ENTRY                     the text of article ENTRY\n", CliCommands::Article},
    {"reverse-headword", "  reverse-headword INDEX            the Lithuanian headword INDEX\n",
     CliCommands::ReverseHeadword},
    {"rows", "  rows [--reverse] FROM COUNT       index rows: number, homonym number, text\n",
     CliCommands::Rows},
    {"homonym-ordinal",
     "  homonym-ordinal ENTRY             the place of ENTRY among equal neighbouring headwords\n",
     CliCommands::HomonymOrdinal},
    {"counts", "  counts                            the number of articles and of Lithuanian headwords\n",
     CliCommands::Counts},
}};

std::string Usage() {
    std::string usage(kUsageHead);
    for (const SCommand& command : kTable)
        usage += command.usage;
    return usage;
}

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

// The command a word was probably meant to be: the nearest within one edit, two for the longer
// names.
std::optional<std::string_view> NearCommand(std::string_view word) {
    std::optional<std::string_view> best;
    std::size_t bestDistance = 0;
    for (const SCommand& command : kTable) {
        const std::size_t allowed = command.name.size() <= 5 ? 1 : 2;
        const std::size_t distance = EditDistance(word, command.name);
        if (distance <= allowed && (!best || distance < bestDistance)) {
            best = command.name;
            bestDistance = distance;
        }
    }
    return best;
}

// A first word that is no command is looked up, unless it is an option or a command mistyped and
// no headword or form of one.
void LookupFirstWord(CCliSession& s, const std::string& first, std::vector<std::string>& args) {
    if (first.rfind('-', 0) == 0)
        throw SUsageError{"unknown option '" + first + "'"};
    if (const std::optional<std::string_view> near = NearCommand(first)) {
        const std::optional<std::string> word = s.LookupWord(first);
        const Lookup::EFound how =
            word ? Lookup::Find(s.Dict(), EDirection::Forward, *word, &s.Forms(EDirection::Forward)).how
                 : Lookup::EFound::None;
        if (how != Lookup::EFound::Exact && how != Lookup::EFound::Form)
            throw SUsageError{"unknown command '" + first + "'; did you mean '" + std::string(*near) + "'?"};
    }
    args.insert(args.begin(), first);
    CliCommands::LookupEach(s, args);
}

int Run(const SCliOptions& options, const SCliIo& io, std::vector<std::string> args) {
    CCliSession s(options, io);
    s.Dict().SetPath(options.dictPath);
    errno = 0;
    const int code = s.Dict().Open();
    if (code != CDictFile::kOpenOk) {
        io.err << "lekstar-cli: cannot open the dictionary " << options.dictPath << ": "
               << CliArgs::OpenFailure(code, errno) << "\n";
        return 1;
    }
    const std::string first = args.front();
    args.erase(args.begin());
    const auto command =
        std::find_if(kTable.begin(), kTable.end(), [&](const SCommand& c) { return c.name == first; });
    if (command != kTable.end())
        command->run(s, first, args);
    else
        LookupFirstWord(s, first, args);
    if (s.Dict().HasVanished()) {
        // What was printed came from a file that changed underneath: it is not to be trusted.
        io.err << "lekstar-cli: the dictionary " << options.dictPath
               << " was cut short or rewritten while it was read\n";
        return 1;
    }
    return s.Status();
}

} // namespace

int RunCli(const std::vector<std::string>& argsIn, const std::string& programDir, const SCliIo& io) {
    SCliOptions options;
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
            io.out << Usage();
            return 0;
        } else if (a == "--commands") {
            // For the shell's completion: the names it offers, from the same table.
            for (const SCommand& command : kTable)
                io.out << command.name << '\n';
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
        CliArgs::CheckUtf8(args, options);
        return Run(options, io, args);
    } catch (const SUsageError& e) {
        return usage(e.message);
    } catch (const SFileError& e) {
        io.err << "lekstar-cli: " << e.message << "\n";
        return 1;
    }
}
