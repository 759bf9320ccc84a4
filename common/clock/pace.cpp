// SPDX-FileCopyrightText: 2026 The pendulum simulator authors
// SPDX-License-Identifier: MIT
// The program's clock: one precise timer, armed for the earliest thing due.
#include "pace.h"

#include "steptimer.h"

#include <QCoreApplication>

#include <algorithm>
#include <utility>

Pace::Pace(QObject *parent) : QObject(parent)
{
    m_wake.setSingleShot(true);
    m_wake.setTimerType(Qt::PreciseTimer);
    connect(&m_wake, &QTimer::timeout, this, &Pace::wake);
}

Pace *Pace::clock()
{
    static QPointer<Pace> pace;
    if (!pace && QCoreApplication::instance())
        pace = new Pace(QCoreApplication::instance());
    return pace;
}

void Pace::sendWithNextFrame(QObject *owner, std::function<void()> send)
{
    Pace *pace = clock();
    if (!pace)
        return;
    if (!pace->isWaiting(owner))
        pace->m_waiting.append({owner, std::move(send)});
    const auto before = pace->m_frames.deadline();
    pace->m_frames.ask(Clock::now());
    if (pace->m_frames.deadline() != before)
        pace->arm();
}

void Pace::sendFrameNow()
{
    if (Pace *pace = clock())
        pace->sendFrame();
}

bool Pace::waiting(const QObject *owner)
{
    const Pace *pace = clock();
    return pace && pace->isWaiting(owner);
}

bool Pace::isWaiting(const QObject *owner) const
{
    return std::any_of(m_waiting.begin(), m_waiting.end(),
                       [owner](const Waiting &w) { return w.owner == owner; });
}

void Pace::addTimer(StepTimer *timer)
{
    Pace *pace = clock();
    // Without the application object no event loop wakes the clock: the timer would never
    // tick, and nothing would say why.
    if (!pace)
        qFatal("A step timer was made before the application object: it would never tick");
    pace->m_timers.append(timer);
}

// A timer that goes leaves at most a wake-up that finds nothing to do.
void Pace::removeTimer(StepTimer *timer)
{
    if (Pace *pace = clock())
        pace->m_timers.removeOne(timer);
}

void Pace::timersChanged()
{
    if (Pace *pace = clock())
        pace->arm();
}

void Pace::wake()
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

void Pace::arm()
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

void Pace::sendFrame()
{
    m_frames.sent(Clock::now());
    // What the owners tell Qt is posted to their windows, and reaches the screen when the event
    // loop comes round: all windows of the frame together.
    for (const Waiting &waiting : std::exchange(m_waiting, {}))
        if (waiting.owner)
            waiting.send();
}
