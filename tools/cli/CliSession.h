// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "cli/CliCommands.h"
#include "cli/CliOptions.h"
#include "dict/Cp1257.h"
#include "dict/UserText.h"
#include "dict/WordForms.h"
#include "render/DictFile.h"

#include <optional>
#include <string>
#include <vector>

// One run of lekstar-cli after its options: the open dictionary, where the output goes, and the
// exit status so far. The commands are functions over it (RawCommands.cpp, LookupOutput.cpp).
class CCliSession {
public:
    CCliSession(const SCliOptions& options, const SCliIo& io) : m_options(options), m_io(io) {}

    const SCliOptions& Options() const { return m_options; }
    const SCliIo& Io() const { return m_io; }
    CDictFile& Dict() { return m_dict; }
    CWordForms& Forms(EDirection direction) {
        return direction == EDirection::Reverse ? m_lithuanian : m_english;
    }
    int Status() const { return m_status; }
    // Raises the exit status to at least status.
    void Fail(int status) { m_status = std::max(m_status, status); }

    // Arguments come in as UTF-8 unless raw bytes were asked for.
    std::string In(const std::string& arg) const { return m_options.bRaw ? arg : Cp1257::FromUtf8(arg); }
    // Code page 1257 bytes, in the output's encoding.
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

    // The words of a lookup, as typed: composed, with plain quotes and dashes. Nothing when a
    // letter the code page lacks remains, which no headword can match.
    std::optional<std::string> LookupWord(const std::string& typed) const {
        if (m_options.bRaw)
            return typed;
        return UserText::LookupWord(typed);
    }
    // The one word a command takes, converted; a usage error for none or several.
    std::string OneWord(const std::string& command, const std::vector<std::string>& args) const {
        if (args.size() != 1)
            throw SUsageError{command + (args.empty() ? " needs a word" : " takes one word; quote a phrase")};
        return In(args[0]);
    }
    // The one number a command takes.
    int SingleInt(const std::string& command, const std::string& what,
                  const std::vector<std::string>& args) const {
        if (args.size() > 1)
            throw SUsageError{command + " takes only " + what};
        return CliArgs::IntArg(command, what, args, 0);
    }

private:
    const SCliOptions& m_options;
    const SCliIo& m_io;
    CDictFile m_dict;
    // Read only when a word needs its stems.
    CWordForms m_english{CWordForms::kEnglish};
    CWordForms m_lithuanian{CWordForms::kLithuanian};
    int m_status = 0;
};

// A command: the words after its name, and the session to answer in.
using FCliCommand = void (*)(CCliSession& session, const std::string& command,
                             std::vector<std::string>& args);

namespace CliCommands {

// The raw commands: records and renderers as the core gives them.
void Counts(CCliSession& s, const std::string& command, std::vector<std::string>& args);
void RenderForward(CCliSession& s, const std::string& command, std::vector<std::string>& args);
void NearestForward(CCliSession& s, const std::string& command, std::vector<std::string>& args);
void RenderLink(CCliSession& s, const std::string& command, std::vector<std::string>& args);
void RenderReverse(CCliSession& s, const std::string& command, std::vector<std::string>& args);
void NearestReverse(CCliSession& s, const std::string& command, std::vector<std::string>& args);
void ReverseEntry(CCliSession& s, const std::string& command, std::vector<std::string>& args);
void Article(CCliSession& s, const std::string& command, std::vector<std::string>& args);
void ReverseHeadword(CCliSession& s, const std::string& command, std::vector<std::string>& args);
void Rows(CCliSession& s, const std::string& command, std::vector<std::string>& args);
void HomonymOrdinal(CCliSession& s, const std::string& command, std::vector<std::string>& args);
void Words(CCliSession& s, const std::string& command, std::vector<std::string>& args);
void Page(CCliSession& s, const std::string& command, std::vector<std::string>& args);

// Lookups as a person or a script reads them: `lookup`, and a bare word.
void Lookup(CCliSession& s, const std::string& command, std::vector<std::string>& args);
// Each word its own answer, as `lookup` with no flags gives it.
void LookupEach(CCliSession& s, const std::vector<std::string>& words);

} // namespace CliCommands
