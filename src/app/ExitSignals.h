// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QObject>

#include <functional>

class QSocketNotifier;

// The signals by which a desktop session, a service manager or a terminal ends a program
// (SIGTERM, SIGHUP, SIGINT), delivered on the event loop instead of killing the process, so that
// the program can end as if its window were closed. Only one object may exist at a time; the
// default actions come back when it goes.
class CExitSignals : public QObject {
public:
    explicit CExitSignals(std::function<void(int signal)> onSignal, QObject* parent = nullptr);
    ~CExitSignals() override;
    CExitSignals(const CExitSignals&) = delete;
    CExitSignals& operator=(const CExitSignals&) = delete;

private:
    void Drain();

    std::function<void(int)> m_fnOnSignal;
    QSocketNotifier* m_pNotifier = nullptr;
};
