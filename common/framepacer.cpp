// SPDX-FileCopyrightText: 2026 The pendulum simulator authors
// SPDX-License-Identifier: MIT
// The frame pacer: a window's update requests, held back and delivered once a frame.
#include "framepacer.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

#include <algorithm>

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

bool FramePacer::due() const
{
    return !m_sinceFrame.isValid() || m_sinceFrame.elapsed() >= kFrameMs;
}

bool FramePacer::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_window || event->type() != QEvent::UpdateRequest || m_delivering)
        return false;
    if (!m_inHandler && due()) { // a click or a key between ticks: at once
        m_fallback.stop();
        m_pending = false;
        m_sinceFrame.start();
        return false;
    }
    // Asked in the middle of a handler (a label's immediate repaint) or too soon after the last
    // frame. While the simulator runs, the end of a later tick sends it; the fallback waits a
    // frame longer than the frame is due, so that it rarely wakes the program by itself.
    m_pending = true;
    if (!m_fallback.isActive()) {
        const qint64 since = m_sinceFrame.isValid() ? m_sinceFrame.elapsed() : kFrameMs;
        m_fallback.start(int(std::max<qint64>(0, kFrameMs - since) + kFrameMs));
    }
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
    m_sinceFrame.start();
    m_delivering = true;
    QEvent request(QEvent::UpdateRequest);
    QCoreApplication::sendEvent(m_window, &request);
    m_delivering = false;
}
