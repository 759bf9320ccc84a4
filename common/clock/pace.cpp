// SPDX-FileCopyrightText: 2026 The pendulum simulator authors
// SPDX-License-Identifier: MIT
// The program's clock: one precise timer, armed for the earliest thing due.
#include "pace.h"

#include "steptimer.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

#include <algorithm>
#include <utility>

namespace {

// Every step timer of the program, in the order they were made.
QList<StepTimer *> &stepTimers()
{
    static QList<StepTimer *> timers;
    return timers;
}

} // namespace

Pace::Pace(QObject *parent) : QObject(parent)
{
    m_wake.setSingleShot(true);
    m_wake.setTimerType(Qt::PreciseTimer);
    connect(&m_wake, &QTimer::timeout, this, &Pace::wake);
}

Pace &Pace::clock()
{
    static QPointer<Pace> pace;
    if (!pace)
        pace = new Pace(QCoreApplication::instance());
    return *pace;
}

void Pace::paceWindow(QWidget *window) { window->installEventFilter(&clock()); }

void Pace::addTimer(StepTimer *timer) { stepTimers().append(timer); }

// A timer that goes leaves at most a wake-up that finds nothing to do.
void Pace::removeTimer(StepTimer *timer) { stepTimers().removeOne(timer); }

void Pace::timersChanged() { clock().arm(); }

void Pace::wake()
{
    // The handlers may close windows, and so delete timers, and start or stop any timer.
    const QList<QPointer<StepTimer>> timers(stepTimers().begin(), stepTimers().end());
    for (const QPointer<StepTimer> &timer : timers)
        if (timer && timer->running() && timer->deadline() <= Clock::now())
            timer->tick();
    // What the ticks changed with update() is posted: held now, to go out in this wake-up.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
    if (!m_held.isEmpty() && frameOver(Clock::now()))
        sendFrame();
    arm();
}

void Pace::arm()
{
    std::optional<Clock::time_point> next = m_heldDeadline;
    for (const StepTimer *timer : stepTimers())
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

bool Pace::frameOver(Clock::time_point now) const
{
    return !m_frameStarted || now - *m_frameStarted >= kFrame;
}

bool Pace::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::UpdateRequest || m_sending || !watched->isWidgetType())
        return false;
    hold(static_cast<QWidget *>(watched));
    return true;
}

void Pace::hold(QWidget *window)
{
    if (!m_held.contains(window))
        m_held.append(window);
    const auto now = Clock::now();
    const auto latest = frameOver(now) ? now : *m_frameStarted + 2 * kFrame;
    if (m_heldDeadline && *m_heldDeadline <= latest)
        return;
    m_heldDeadline = latest;
    arm();
}

void Pace::sendFrame()
{
    m_frameStarted = Clock::now();
    m_heldDeadline.reset();
    const QList<QPointer<QWidget>> windows = std::exchange(m_held, {});
    m_sending = true;
    for (const QPointer<QWidget> &window : windows) {
        if (!window)
            continue;
        QEvent request(QEvent::UpdateRequest);
        QCoreApplication::sendEvent(window, &request);
    }
    m_sending = false;
}
