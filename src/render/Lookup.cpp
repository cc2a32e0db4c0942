// SPDX-License-Identifier: GPL-2.0-or-later
#include "render/Lookup.h"

#include "dict/TextUtil.h"

namespace Lookup {

namespace {

// The alternate list of regular and irregular inflections.
constexpr int kInflectionList = 4;

} // namespace

SResult Find(CDictFile& dict, EDirection direction, std::string_view word) {
    SResult r;
    if (direction == EDirection::Reverse) {
        r.text = dict.RenderReverse(word, &r.entry);
        if (r.entry >= 0) {
            const std::string asked(TextUtil::UpToNul(word));
            const std::string headword = dict.GetReverseHeadword(r.entry);
            r.how = CDictFile::CompareByWeight(headword.c_str(), asked.c_str()) == 0 ? EFound::Exact
                                                                                     : EFound::Nearest;
        }
        return r;
    }
    CDictFile::SForwardMatch match;
    dict.FirstForwardMatch(word, &match);
    r.text = dict.RenderForward(word, r.entry);
    if (r.entry == -1) {
        r.text = dict.FindNearestForward(word, r.entry);
        r.bNearest = r.entry != -1;
        r.how = r.bNearest ? EFound::Nearest : EFound::None;
    } else if (!match.bWhole) {
        r.how = EFound::Nearest;
    } else {
        r.how = match.list == kInflectionList ? EFound::Form : EFound::Exact;
    }
    return r;
}

int FindEntry(CDictFile& dict, EDirection direction, std::string_view word) {
    if (direction == EDirection::Reverse)
        return dict.FindNearestReverse(word);
    const int entry = dict.FirstForwardMatch(word);
    return entry != -1 ? entry : dict.NearestForwardEntry(word);
}

} // namespace Lookup
