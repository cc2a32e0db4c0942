// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QObject>

#include <functional>
#include <map>

// The main window's timers, keyed by their ids (2568 splash, 2569 clipboard, 2570 link page), so
// that the window and its tests can ask which run and at what period. A timer repeats until it
// is killed, as window timers do; setting a running timer again restarts it with the new period.
class CTimerSet : public QObject {
    Q_OBJECT
public:
    explicit CTimerSet(std::function<void(int id)> onTimer, QObject* parent = nullptr);

    void SetTimer(int id, int milliseconds);
    void KillTimer(int id);
    bool IsRunning(int id) const;
    // The period of a running timer, or 0.
    int Interval(int id) const;

protected:
    void timerEvent(QTimerEvent* event) override;

private:
    struct STimer {
        int nQtId;
        int nInterval;
    };
    std::function<void(int id)> m_fnOnTimer;
    std::map<int, STimer> m_timers;
};
