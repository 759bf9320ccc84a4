// SPDX-FileCopyrightText: 2026 The pendulum simulator authors
// SPDX-License-Identifier: MIT
// The step timer: a single-shot precise QTimer re-armed towards an absolute deadline.
#include "steptimer.h"

#include "runtimeerror.h"

#include <QList>
#include <QPointer>

#include <algorithm>

namespace {

// Every step timer of the program.
QList<StepTimer *> &stepTimers()
{
    static QList<StepTimer *> timers;
    return timers;
}

} // namespace

StepTimer::Clock::time_point StepTimer::onGrid(Clock::time_point point, int interval)
{
    if (interval > kGridMaxMs)
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

StepTimer::StepTimer(QObject *parent) : QObject(parent)
{
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &StepTimer::fire);
    stepTimers().append(this);
}

StepTimer::~StepTimer() { stepTimers().removeOne(this); }

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
    ++m_generation;
    m_timer.stop();
    if (!m_enabled || m_interval == 0)
        return;
    m_deadline = onGrid(Clock::now() + std::chrono::milliseconds(m_interval), m_interval);
    scheduleNext();
}

void StepTimer::scheduleNext()
{
    const auto remaining = m_deadline - Clock::now();
    // Rounded up, so a tick never comes before its deadline; the deadlines themselves keep
    // the average pace exact.
    const auto wait = std::chrono::ceil<std::chrono::milliseconds>(remaining);
    m_timer.start(std::max(std::chrono::milliseconds(0), wait));
}

void StepTimer::fire()
{
    const auto now = Clock::now();
    if (now < m_deadline) { // woken early: wait for the rest
        scheduleNext();
        return;
    }
    tick();
    // The system wakes each timer up to a millisecond after its deadline, each at its own
    // moment: timers due by now tick in this wake-up rather than in one of their own a moment
    // later. Their handlers, like this one's, may close windows and so delete timers.
    QList<QPointer<StepTimer>> others;
    for (StepTimer *timer : stepTimers())
        if (timer != this)
            others << timer;
    for (const QPointer<StepTimer> &other : others) {
        if (other && other->m_timer.isActive() && other->m_deadline <= Clock::now())
            other->tick();
    }
}

void StepTimer::tick()
{
    const unsigned generation = m_generation;
    emit Timer();
    if (generation != m_generation)
        return;
    m_deadline = nextDeadline(m_deadline, Clock::now(), m_interval);
    scheduleNext();
}
