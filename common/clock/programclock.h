// SPDX-FileCopyrightText: 2026 The pendulum simulator authors
// SPDX-License-Identifier: MIT
// The pace of the program: one clock wakes it for every simulator window, both for the step
// timers' ticks and for sending what the ticks changed to the screen.
//
// A simulator changes its picture at every tick, up to a thousand times a second, while no
// display shows more than its refresh rate. So a window does not ask Qt to update its screen
// after each tick: it asks the clock to call it with the next display frame
// (sendWithNextFrame), and only then tells Qt what changed. One wake-up of the clock does, in
// this order:
//  1. tick every step timer whose deadline has come, as many times as its ticks have come due
//     since the last wake-up (within the timer's resync rule): a wake-up later than asked, as a
//     browser's at short intervals, loses no ticks. Timers of up to 20 ms keep their deadlines
//     on a shared grid (StepTimer::onGrid), so windows at the same interval are due together
//     and tick in this one wake-up;
//  2. once a frame has passed since the last one went out, call every window waiting for a
//     frame, together: each frame shows the latest tick, and the display server wakes once for
//     all of them.
// Then it sleeps until the earliest timer's deadline, or a waiting window's. A window that asks
// in the middle of a frame waits for the first wake-up after the frame (while a simulator runs,
// its next tick) or at most one frame more, so the clock rarely wakes for the frame alone.
// A window that asks after a whole frame (a click, a key, Run) is called as soon as the handler
// that asked has returned.
#pragma once

#include "frameplan.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <chrono>
#include <functional>
#include <optional>

class StepTimer;

class ProgramClock : public QObject {
    Q_OBJECT

public:
    using Clock = std::chrono::steady_clock;

    // Calls send with the next display frame, to tell Qt what changed on screen. An owner that
    // is already waiting is not added again: its one call sends all that changed in between.
    // An owner that goes is forgotten.
    static void sendWithNextFrame(QObject *owner, std::function<void()> send);
    // Calls every waiting owner now, as a frame would: for the trace tool and the tests, which
    // tick windows by hand and then read what they show.
    static void sendFrameNow();
    // Whether the owner waits for the next frame: for the tests of how the windows wire their
    // handlers.
    static bool waiting(const QObject *owner);

    // For StepTimer: a timer joins and leaves the clock, and tells it when its deadline or its
    // running changed.
    static void addTimer(StepTimer *timer);
    static void removeTimer(StepTimer *timer);
    static void timersChanged();

private:
    explicit ProgramClock(QObject *parent);
    // The program's clock, made with the application object and gone with it; null once gone.
    static ProgramClock *clock();

    void wake();
    // Sleeps until the earliest deadline.
    void arm();
    void sendFrame();
    bool isWaiting(const QObject *owner) const;

    struct Waiting {
        QPointer<QObject> owner;
        std::function<void()> send;
    };

    QTimer m_wake;
    // Every step timer of the program, in the order they were made.
    QList<StepTimer *> m_timers;
    QList<Waiting> m_waiting;
    // When the waiting owners are called.
    FramePlan m_frames;
};
