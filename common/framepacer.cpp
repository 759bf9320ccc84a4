// SPDX-FileCopyrightText: 2026 The pendulum simulator authors
// SPDX-License-Identifier: MIT
// The frame pacer: a window's update requests, held back and delivered once a frame.
#include "framepacer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QWidget>

#include <algorithm>

namespace {

// The frames of every window of the program: the current one's number and its start.
struct SharedFrame {
    quint64 number = 0;
    QElapsedTimer started;

    bool over() const
    {
        return !started.isValid() || started.nsecsElapsed() >= FramePacer::kFrameNs;
    }
    qint64 msUntilOver() const
    {
        const qint64 ns = started.isValid() ? FramePacer::kFrameNs - started.nsecsElapsed() : 0;
        return std::max<qint64>(0, (ns + 999'999) / 1'000'000);
    }
};

SharedFrame frame;

} // namespace

FramePacer::FramePacer(QWidget *window) : QObject(window), m_window(window)
{
    m_fallback.setSingleShot(true);
    m_fallback.setTimerType(Qt::PreciseTimer);
    connect(&m_fallback, &QTimer::timeout, this, [this] {
        if (m_pending)
            deliver();
    });
    window->installEventFilter(this);
}

bool FramePacer::due() const { return frame.over() || m_frame != frame.number; }

void FramePacer::takeFrame()
{
    if (frame.over()) {
        ++frame.number;
        frame.started.start();
    }
    m_frame = frame.number;
}

bool FramePacer::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_window || event->type() != QEvent::UpdateRequest || m_delivering)
        return false;
    if (!m_inHandler && due()) { // a click or a key between ticks: at once
        m_fallback.stop();
        m_pending = false;
        takeFrame();
        return false;
    }
    // Asked in the middle of a handler (a label's immediate repaint) or too soon after the last
    // frame. While the simulator runs, the end of a later tick sends it; the fallback waits a
    // frame longer than the next frame is due, so that it rarely wakes the program by itself.
    m_pending = true;
    if (!m_fallback.isActive())
        m_fallback.start(int(frame.msUntilOver() + kFrameMs));
    return true;
}

void FramePacer::handlerDone()
{
    m_inHandler = false;
    if (m_pending && due())
        deliver();
}

void FramePacer::deliver()
{
    m_fallback.stop();
    m_pending = false;
    takeFrame();
    m_delivering = true;
    QEvent request(QEvent::UpdateRequest);
    QCoreApplication::sendEvent(m_window, &request);
    m_delivering = false;
}
