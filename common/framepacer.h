// SPDX-FileCopyrightText: 2026 The pendulum simulator authors
// SPDX-License-Identifier: MIT
// Hands a window's picture to the display at most once per display frame. Qt paints and sends
// a window's changed parts whenever it is asked to; a simulator asks on every tick (the canvas
// and the elapsed time), up to a thousand times a second, while no display shows more than its
// refresh rate. The pacer holds the requests made during an event handler back to the end of
// the handler, and all requests back to the next frame, so that everything changed in between
// goes out together, once. A frame due when a tick ends goes out in the tick's own wake-up.
// The windows share their frames: each window sends at most once in a frame, and windows that
// tick in one wake-up send in it together, so the display server wakes once for all of them.
#pragma once

#include <QObject>
#include <QTimer>

class QWidget;

class FramePacer : public QObject {
    Q_OBJECT

public:
    // A 60 Hz display's frame, and the same in whole milliseconds, rounded up.
    static constexpr qint64 kFrameNs = 16'666'667;
    static constexpr int kFrameMs = 17;

    explicit FramePacer(QWidget *window);

    // Around each event handler of the window.
    void handlerStarted() { m_inHandler = true; }
    void handlerDone();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool due() const;
    // Joins the current frame, first starting a new one if the current one is over.
    void takeFrame();
    void deliver();

    QWidget *const m_window;
    // Makes sure a held-back frame goes out when no handler comes to send it.
    QTimer m_fallback;
    // The last frame this window sent in; 0 for none.
    quint64 m_frame = 0;
    bool m_pending = false;
    bool m_inHandler = false;
    bool m_delivering = false;
};
