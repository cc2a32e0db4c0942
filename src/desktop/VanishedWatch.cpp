// SPDX-License-Identifier: GPL-2.0-or-later
#include "desktop/VanishedWatch.h"

#include "dict/MappedFile.h"

#include <QSocketNotifier>

#include <unistd.h>

CVanishedWatch::CVanishedWatch(std::function<void()> onNotice, QObject* parent) : QObject(parent) {
    const int fd = CMappedFile::VanishedFd();
    if (fd < 0)
        return;
    auto* notifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, [fd, onNotice = std::move(onNotice)] {
        char byte = 0;
        while (::read(fd, &byte, 1) == 1) {
        }
        onNotice();
    });
}
