// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "lists/RowSource.h"
#include "render/DictFile.h"

// The index rows of an open dictionary, for the word lists.
class CDictRows : public CRowSource {
public:
    explicit CDictRows(const CDictFile& dict) : m_dict(dict) {}

    std::string RowText(EDirection direction, int row, int& homonym) const override {
        return m_dict.GetListHeadword(direction, row, homonym);
    }
    int HomonymOrdinal(int row, int lastRow) const override { return ::HomonymOrdinal(m_dict, row, lastRow); }

private:
    const CDictFile& m_dict;
};
