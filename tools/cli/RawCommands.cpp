// SPDX-License-Identifier: GPL-2.0-or-later
// The raw commands: what the core gives for a word or a number, printed as it comes (ENTRY or
// INDEX first where the core reports one). Scripts and the tests of the core read them byte for
// byte.

#include "cli/CliSession.h"
#include "render/PageComposer.h"

#include <algorithm>

namespace CliCommands {

void Counts(CCliSession& s, const std::string& command, std::vector<std::string>& args) {
    if (!args.empty())
        throw SUsageError{command + " takes no arguments"};
    s.Io().out << "articles " << s.Dict().ArticleCount() << "\nreverse " << s.Dict().ReverseCount() << "\n";
}

void RenderForward(CCliSession& s, const std::string& command, std::vector<std::string>& args) {
    int entry = -1;
    const std::string fragment = s.Dict().RenderForward(s.OneWord(command, args), entry);
    s.Number(entry);
    s.Out(fragment);
}

void NearestForward(CCliSession& s, const std::string& command, std::vector<std::string>& args) {
    int entry = -1;
    const std::string text = s.Dict().FindNearestForward(s.OneWord(command, args), entry);
    s.Number(entry);
    s.Out(text);
}

void RenderLink(CCliSession& s, const std::string& command, std::vector<std::string>& args) {
    int entry = -1;
    const std::string fragment = s.Dict().RenderLinkTarget(s.OneWord(command, args), entry);
    s.Number(entry);
    s.Out(fragment);
}

void RenderReverse(CCliSession& s, const std::string& command, std::vector<std::string>& args) {
    int index = -1;
    const std::string fragment = s.Dict().RenderReverse(s.OneWord(command, args), &index);
    s.Number(index);
    s.Out(fragment);
}

void NearestReverse(CCliSession& s, const std::string& command, std::vector<std::string>& args) {
    s.Number(s.Dict().FindNearestReverse(s.OneWord(command, args)));
}

void ReverseEntry(CCliSession& s, const std::string& command, std::vector<std::string>& args) {
    s.Out(s.Dict().RenderReverseEntry(s.SingleInt(command, "INDEX", args)));
}

void Article(CCliSession& s, const std::string& command, std::vector<std::string>& args) {
    s.Out(s.Dict().GetArticle(s.SingleInt(command, "ENTRY", args)));
}

void ReverseHeadword(CCliSession& s, const std::string& command, std::vector<std::string>& args) {
    s.Out(s.Dict().GetReverseHeadword(s.SingleInt(command, "INDEX", args)));
}

void HomonymOrdinal(CCliSession& s, const std::string& command, std::vector<std::string>& args) {
    CDictFile& dict = s.Dict();
    s.Number(::HomonymOrdinal(dict, s.SingleInt(command, "ENTRY", args), dict.ArticleCount() - 1));
}

void Page(CCliSession& s, const std::string& command, std::vector<std::string>& args) {
    const bool reverse = CliArgs::TakeFlag(args, "--reverse");
    const std::string head = CliArgs::ReadHead(s.Options().headPath);
    if (reverse)
        s.Out(PageComposer::TranslateHtmlRev(s.Dict(), head, s.OneWord(command, args)));
    else
        s.Out(PageComposer::TranslateHtml(s.Dict(), head, s.In(CliArgs::Joined(args))));
}

void Rows(CCliSession& s, const std::string& command, std::vector<std::string>& args) {
    CDictFile& dict = s.Dict();
    const bool reverse = CliArgs::TakeFlag(args, "--reverse");
    if (args.size() > 2)
        throw SUsageError{command + " takes FROM and COUNT"};
    const int from = CliArgs::IntArg(command, "FROM", args, 0);
    const int count = CliArgs::IntArg(command, "COUNT", args, 1);
    const int last = (reverse ? dict.ReverseCount() : dict.ArticleCount()) - 1;
    const EDirection direction = reverse ? EDirection::Reverse : EDirection::Forward;
    for (long long i = std::max(from, 0); i < static_cast<long long>(from) + count && i <= last; ++i) {
        int homonym = 0;
        const std::string text = dict.GetListHeadword(direction, static_cast<int>(i), homonym);
        s.Io().out << i << '\t' << homonym << '\t';
        s.Out(text);
        s.Io().out << '\n';
    }
}

// The headwords a completion offers: distinct texts from the first that begins with the
// prefix, in index order.
void Words(CCliSession& s, const std::string& command, std::vector<std::string>& args) {
    constexpr int kMaxWords = 50;
    CDictFile& dict = s.Dict();
    const bool reverse = CliArgs::TakeFlag(args, "--reverse");
    CliArgs::TakeFlag(args, "--");
    if (args.size() > 1)
        throw SUsageError{command + " takes one PREFIX; quote a phrase"};
    const std::string prefix = args.empty() ? std::string() : s.In(args[0]);
    const EDirection direction = reverse ? EDirection::Reverse : EDirection::Forward;
    int i = -1;
    if (reverse) {
        i = prefix.empty() ? (dict.ReverseCount() > 0 ? 0 : -1) : dict.FindReversePrefix(prefix, -1);
    } else {
        i = prefix.empty() ? (dict.ArticleCount() > 0 ? 0 : -1) : -1;
        if (!prefix.empty())
            dict.FindForwardPrefix(prefix, i);
    }
    if (i < 0)
        return;
    const int last = (reverse ? dict.ReverseCount() : dict.ArticleCount()) - 1;
    std::string previous;
    int shown = 0;
    for (; i <= last && shown < kMaxWords; ++i) {
        int homonym = 0;
        const std::string text = dict.GetListHeadword(direction, i, homonym);
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
        s.Out(text);
        s.Io().out << '\n';
        ++shown;
    }
}

} // namespace CliCommands
