// SPDX-FileCopyrightText: 2026 The pendulum simulator authors
// SPDX-License-Identifier: MIT
// The step timer of a simulator window: an interval of 0 to 65535 ms and an enabled switch,
// where an interval of 0 never ticks. Ticks keep the asked pace without drift: each is
// scheduled from the previous deadline, not from when the last handler ended. After a long
// hold-up the timer resynchronises instead of delivering the missed ticks in a burst.
// The program's clock (programclock.h) wakes for the deadlines and ticks every timer that is due.
#pragma once

#include <QObject>

#include <chrono>

class StepTimer : public QObject {
    Q_OBJECT

public:
    explicit StepTimer(QObject *parent = nullptr);
    ~StepTimer() override;

    int Interval() const { return m_interval; }
    // Outside 0..65535 raises the invalid-property-value error. Restarts the countdown (see
    // onGrid).
    void setInterval(int milliseconds);
    // The interval unchanged when the timer takes it; else raises as setInterval would.
    static int checkedInterval(int milliseconds);

    bool Enabled() const { return m_enabled; }
    // Enabling a disabled timer starts a full interval; enabling an enabled one changes nothing.
    void setEnabled(bool enabled);

    using Clock = std::chrono::steady_clock;

    // The deadline after a tick that was due at deadline and comes now: one interval on, so
    // that the pace does not drift; or one interval from now, when the timer has fallen so far
    // behind (held up by more than three intervals, at least 30 ms) that catching up would
    // deliver a burst of ticks.
    static Clock::time_point nextDeadline(Clock::time_point deadline, Clock::time_point now,
                                          int interval);

    // Short intervals keep their deadlines on a grid of whole intervals shared by every timer:
    // two windows at the same interval then tick in one wake-up of the program instead of two.
    // The first tick after a restart comes one to two intervals later.
    static constexpr int kGridMaxMs = 20;
    // The first grid point of the interval at or after the point; the point itself for longer
    // intervals.
    static Clock::time_point onGrid(Clock::time_point point, int interval);

    // Whether the timer ticks: enabled, with an interval other than 0.
    bool running() const { return m_enabled && m_interval != 0; }
    // When the next tick is due, while running.
    Clock::time_point deadline() const { return m_deadline; }
    // Delivers a tick now: the next deadline is set (while running), then Timer is emitted and
    // the window's handler runs through its guard. The program's clock calls it when the deadline
    // has come; the trace tool, the benchmarks and the tests tick a window the same way.
    void tick();

signals:
    void Timer();

private:
    void restart();

    int m_interval = 0;
    bool m_enabled = true;
    // The next tick's, while running.
    Clock::time_point m_deadline;
};
