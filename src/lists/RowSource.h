// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "dict/DictRecords.h"

#include <string>

// Where the rows of a word list come from: the list holds no words and asks for the rows it shows
// at every paint, so that a list of any length costs nothing to fill or to switch.
class CRowSource {
public:
    virtual ~CRowSource() = default;
    // The text index row `row` shows in the direction (at most DictFormat::kMaxRowBytes, cut at
    // its first TAB) and, for forward rows, its homonym number (0 when it has none).
    virtual std::string RowText(EDirection direction, int row, int& homonym) const = 0;
    // The place of forward row `row` in a run of equal neighbouring headwords: 1 for the first, 2
    // for the second and so on, 0 for a headword equal to neither neighbour; lastRow is the
    // list's last row.
    virtual int HomonymOrdinal(int row, int lastRow) const = 0;
};
