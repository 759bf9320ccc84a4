// SPDX-FileCopyrightText: 2026 The pendulum simulator authors
// SPDX-License-Identifier: MIT
// The step timer: its properties, and its deadlines for the program's clock.
#include "steptimer.h"

#include "programclock.h"
#include "runtimeerror.h"

#include <algorithm>

StepTimer::Clock::time_point StepTimer::onGrid(Clock::time_point point, int interval)
{
    if (interval <= 0 || interval > kGridMaxMs)
        return point;
    const Clock::duration step = std::chrono::milliseconds(interval);
    const Clock::duration rest = point.time_since_epoch() % step;
    return rest == Clock::duration::zero() ? point : point + (step - rest);
}

StepTimer::Clock::time_point StepTimer::nextDeadline(Clock::time_point deadline,
                                                     Clock::time_point now, int interval)
{
    const std::chrono::milliseconds step(interval);
    const auto next = deadline + step;
    const auto resyncLimit = std::max(std::chrono::milliseconds(30), 3 * step);
    return now - next > resyncLimit ? onGrid(now + step, interval) : next;
}

StepTimer::StepTimer(QObject *parent) : QObject(parent) { ProgramClock::addTimer(this); }

StepTimer::~StepTimer() { ProgramClock::removeTimer(this); }

int StepTimer::checkedInterval(int milliseconds)
{
    if (milliseconds < 0 || milliseconds > 65535)
        throw RuntimeError(ErrorKind::InvalidPropertyValue);
    return milliseconds;
}

void StepTimer::setInterval(int milliseconds)
{
    m_interval = checkedInterval(milliseconds);
    restart();
}

void StepTimer::setEnabled(bool enabled)
{
    if (enabled == m_enabled)
        return;
    m_enabled = enabled;
    restart();
}

void StepTimer::restart()
{
    if (running())
        m_deadline = onGrid(Clock::now() + std::chrono::milliseconds(m_interval), m_interval);
    ProgramClock::timersChanged();
}

void StepTimer::tick()
{
    // The next deadline is set before the handler runs, so that a handler which restarts or
    // stops the timer has the last word. A timer that does not run (disabled, or at an interval
    // of 0) has no deadline to move: a tick delivered to it by hand changes none.
    if (running())
        m_deadline = nextDeadline(m_deadline, Clock::now(), m_interval);
    emit Timer();
}
