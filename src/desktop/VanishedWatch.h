// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QObject>

#include <functional>

// Calls onNotice on the event loop as soon as a mapped file is cut short or rewritten under the
// program, whatever read found it (CMappedFile::VanishedFd), so that the window can say so at
// once. Nothing happens where the notice cannot be given.
class CVanishedWatch : public QObject {
public:
    CVanishedWatch(std::function<void()> onNotice, QObject* parent);
};
