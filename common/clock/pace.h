// SPDX-FileCopyrightText: 2026 The pendulum simulator authors
// SPDX-License-Identifier: MIT
// The pace of the program: one clock wakes it for every simulator window, both for the step
// timers' ticks and for sending the windows' pictures to the display.
//
// A simulator changes its picture at every tick, up to a thousand times a second, while no
// display shows more than its refresh rate. So the requests of a paced window to send its
// changed parts to the screen are held back, and go out at most once per display frame. One
// wake-up of the clock does, in this order:
//  1. tick every step timer whose deadline has come. Timers of up to 20 ms keep their deadlines
//     on a shared grid (StepTimer::onGrid), so windows at the same interval are due together
//     and tick in this one wake-up;
//  2. once a frame has passed since the last one went out, send the held picture of every
//     window together: each frame shows the latest tick, and the display server wakes once for
//     all of them.
// Then it sleeps until the earliest timer's deadline, or a held picture's. A picture held in
// the middle of a frame waits for the first wake-up after the frame (while a simulator runs,
// its next tick) or at most one frame more, so the clock rarely wakes for the picture alone.
// A picture held after a whole frame (a click, a key, Run) goes out as soon as the handler
// that asked for it has returned.
#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <chrono>
#include <optional>

class QWidget;
class StepTimer;

class Pace : public QObject {
    Q_OBJECT

public:
    using Clock = std::chrono::steady_clock;
    // A 60 Hz display's frame.
    static constexpr Clock::duration kFrame = std::chrono::nanoseconds(16'666'667);

    // Holds back the window's updates to send them with the frames.
    static void paceWindow(QWidget *window);

    // For StepTimer: a timer joins and leaves the clock, and tells it when its deadline or its
    // running changed.
    static void addTimer(StepTimer *timer);
    static void removeTimer(StepTimer *timer);
    static void timersChanged();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit Pace(QObject *parent);
    // The program's clock, made with the application object and gone with it.
    static Pace &clock();

    void wake();
    // Sleeps until the earliest deadline.
    void arm();
    bool frameOver(Clock::time_point now) const;
    void hold(QWidget *window);
    void sendFrame();

    QTimer m_wake;
    QList<QPointer<QWidget>> m_held;
    // When the held pictures go out at the latest; set while any is held.
    std::optional<Clock::time_point> m_heldDeadline;
    // When the last frame went out.
    std::optional<Clock::time_point> m_frameStarted;
    bool m_sending = false;
};
