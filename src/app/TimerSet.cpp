// SPDX-License-Identifier: GPL-2.0-or-later
#include "TimerSet.h"

#include <QTimerEvent>

CTimerSet::CTimerSet(std::function<void(int id)> onTimer, QObject* parent)
    : QObject(parent), m_fnOnTimer(std::move(onTimer)) {}

void CTimerSet::SetTimer(int id, int milliseconds) {
    KillTimer(id);
    const int qtId = startTimer(milliseconds, Qt::PreciseTimer);
    if (qtId != 0)
        m_timers[id] = {qtId, milliseconds};
}

void CTimerSet::KillTimer(int id) {
    const auto it = m_timers.find(id);
    if (it == m_timers.end())
        return;
    killTimer(it->second.nQtId);
    m_timers.erase(it);
}

bool CTimerSet::IsRunning(int id) const {
    return m_timers.count(id) != 0;
}

int CTimerSet::Interval(int id) const {
    const auto it = m_timers.find(id);
    return it == m_timers.end() ? 0 : it->second.nInterval;
}

void CTimerSet::timerEvent(QTimerEvent* event) {
    for (const auto& [id, timer] : m_timers) {
        if (timer.nQtId == event->timerId()) {
            // The handler may kill or restart timers, so the map is not touched after the call.
            const int ownId = id;
            m_fnOnTimer(ownId);
            return;
        }
    }
}
