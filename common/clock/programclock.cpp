// SPDX-FileCopyrightText: 2026 The pendulum simulator authors
// SPDX-License-Identifier: MIT
// The program's clock: one precise timer, armed for the earliest thing due.
#include "programclock.h"

#include "steptimer.h"

#include <QCoreApplication>

#include <algorithm>
#include <utility>

ProgramClock::ProgramClock(QObject *parent) : QObject(parent)
{
    m_wake.setSingleShot(true);
    m_wake.setTimerType(Qt::PreciseTimer);
    connect(&m_wake, &QTimer::timeout, this, &ProgramClock::wake);
}

ProgramClock *ProgramClock::clock()
{
    static QPointer<ProgramClock> programClock;
    if (!programClock && QCoreApplication::instance())
        programClock = new ProgramClock(QCoreApplication::instance());
    return programClock;
}

void ProgramClock::sendWithNextFrame(QObject *owner, std::function<void()> send)
{
    ProgramClock *programClock = clock();
    if (!programClock)
        return;
    if (!programClock->isWaiting(owner))
        programClock->m_waiting.append({owner, std::move(send)});
    const auto before = programClock->m_frames.deadline();
    programClock->m_frames.ask(Clock::now());
    if (programClock->m_frames.deadline() != before)
        programClock->arm();
}

void ProgramClock::sendFrameNow()
{
    if (ProgramClock *programClock = clock())
        programClock->sendFrame();
}

bool ProgramClock::waiting(const QObject *owner)
{
    const ProgramClock *programClock = clock();
    return programClock && programClock->isWaiting(owner);
}

bool ProgramClock::isWaiting(const QObject *owner) const
{
    return std::any_of(m_waiting.begin(), m_waiting.end(),
                       [owner](const Waiting &w) { return w.owner == owner; });
}

void ProgramClock::addTimer(StepTimer *timer)
{
    ProgramClock *programClock = clock();
    // Without the application object no event loop wakes the clock: the timer would never
    // tick, and nothing would say why.
    if (!programClock)
        qFatal("A step timer was made before the application object: it would never tick");
    programClock->m_timers.append(timer);
}

// A timer that goes leaves at most a wake-up that finds nothing to do.
void ProgramClock::removeTimer(StepTimer *timer)
{
    if (ProgramClock *programClock = clock())
        programClock->m_timers.removeOne(timer);
}

void ProgramClock::timersChanged()
{
    if (ProgramClock *programClock = clock())
        programClock->arm();
}

void ProgramClock::wake()
{
    // The handlers may close windows, and so delete timers, and start or stop any timer.
    // A timer gets every tick that has come due since the last wake-up: a browser wakes a
    // repeated timer every 4 ms at best, which at 1 ms would drop three ticks of four. Each
    // tick moves the deadline on by one interval, and past the resync limit to one interval
    // from now, so the loop ends however slow the handler.
    const QList<QPointer<StepTimer>> timers(m_timers.begin(), m_timers.end());
    for (const QPointer<StepTimer> &timer : timers)
        while (timer && timer->running() && timer->deadline() <= Clock::now())
            timer->tick();
    if (!m_waiting.isEmpty() && m_frames.frameOver(Clock::now()))
        sendFrame();
    arm();
}

void ProgramClock::arm()
{
    std::optional<Clock::time_point> next = m_frames.deadline();
    for (const StepTimer *timer : std::as_const(m_timers))
        if (timer->running())
            next = std::min(next.value_or(timer->deadline()), timer->deadline());
    if (!next) {
        m_wake.stop();
        return;
    }
    // Rounded up, so nothing is woken before it is due; the deadlines themselves keep the
    // average pace exact.
    const auto wait = std::chrono::ceil<std::chrono::milliseconds>(*next - Clock::now());
    m_wake.start(std::max(std::chrono::milliseconds(0), wait));
}

void ProgramClock::sendFrame()
{
    m_frames.sent(Clock::now());
    // What the owners tell Qt is posted to their windows, and reaches the screen when the event
    // loop comes round: all windows of the frame together.
    for (const Waiting &waiting : std::exchange(m_waiting, {}))
        if (waiting.owner)
            waiting.send();
}
