// SPDX-FileCopyrightText: 2026 The pendulum simulator authors
// SPDX-License-Identifier: MIT
// When the windows waiting for a display frame are called: the clock's decisions, on the times
// it is given, so that they can be tested at any times. A window that asks in the middle of a
// frame is called at the first wake-up after the frame (while a simulator runs, its next tick)
// and one frame later at the latest; a window that asks after a whole frame is called at once.
#pragma once

#include <chrono>
#include <optional>

class FramePlan {
public:
    using Time = std::chrono::steady_clock::time_point;
    // A 60 Hz display's frame.
    static constexpr std::chrono::steady_clock::duration kFrame =
        std::chrono::nanoseconds(16'666'667);

    // A window asks at `now` to be called with the next frame.
    void ask(Time now)
    {
        const Time latest = frameOver(now) ? now : *m_started + 2 * kFrame;
        if (!m_deadline || latest < *m_deadline)
            m_deadline = latest;
    }
    // Whether a wake-up at `now` sends the frame to the windows waiting.
    bool frameOver(Time now) const { return !m_started || now - *m_started >= kFrame; }
    // The frame went out at `now`.
    void sent(Time now)
    {
        m_started = now;
        m_deadline.reset();
    }
    // When the clock must wake for the frame at the latest; none while no window waits.
    std::optional<Time> deadline() const { return m_deadline; }

private:
    std::optional<Time> m_started;
    std::optional<Time> m_deadline;
};
