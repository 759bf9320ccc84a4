// SPDX-FileCopyrightText: 2026 The pendulum simulator authors
// SPDX-License-Identifier: MIT
// The lasting instance of a simulator window. It holds the window-level values for the whole
// run of the program; the window and its controls are built afresh at each opening and are
// destroyed when the user closes the window, while the values live on unchanged.
#pragma once

#include "handlerguard.h"

#include <QPointer>
#include <QScreen>
#include <QWidget>

#include <algorithm>

template <typename State, typename Window> class SimulatorInstance {
public:
    SimulatorInstance() = default;
    SimulatorInstance(const SimulatorInstance &) = delete;
    SimulatorInstance &operator=(const SimulatorInstance &) = delete;
    ~SimulatorInstance() { delete m_window; }

    // Modeless, with no owner. A window that is not open is built from its design (its
    // constructor runs its load handler, if it has one); an open one only becomes active,
    // restored if it was minimised, brought onto its screen if it lay partly off it, and with
    // its error dialog in front if one is open.
    void Show()
    {
        if (m_window && m_window->isVisible()) {
            m_window->setWindowState(m_window->windowState() & ~Qt::WindowMinimized);
            bringOntoScreen(m_window);
            m_window->raise();
            m_window->activateWindow();
            if (QWidget *dialog = openRuntimeError(m_window)) {
                dialog->raise();
                dialog->activateWindow();
            }
            return;
        }
        m_window = new Window(m_state);
        m_window->setAttribute(Qt::WA_DeleteOnClose);
        m_window->show();
    }

    State &state() { return m_state; }
    // The open window, or null.
    Window *window() const { return m_window && m_window->isVisible() ? m_window.data() : nullptr; }

private:
    // Moves the window as little as it must to lie wholly on its screen's free area; one larger
    // than the area shows its top left.
    static void bringOntoScreen(QWidget *window)
    {
        const QRect area = window->screen()->availableGeometry();
        const QRect frame = window->frameGeometry();
        const QPoint to(
            std::max(area.left(), std::min(frame.left(), area.right() + 1 - frame.width())),
            std::max(area.top(), std::min(frame.top(), area.bottom() + 1 - frame.height())));
        if (to != frame.topLeft())
            window->move(to);
    }

    State m_state{};
    QPointer<Window> m_window;
};
