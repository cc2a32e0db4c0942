// SPDX-License-Identifier: GPL-2.0-or-later
#include "render/Lookup.h"

namespace Lookup {

SResult Find(CDictFile& dict, EDirection direction, std::string_view word) {
    SResult r;
    if (direction == EDirection::Reverse) {
        r.text = dict.RenderReverse(word, &r.entry);
        return r;
    }
    r.text = dict.RenderForward(word, r.entry);
    if (r.entry == -1) {
        r.text = dict.FindNearestForward(word, r.entry);
        r.bNearest = r.entry != -1;
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
