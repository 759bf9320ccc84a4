// SPDX-FileCopyrightText: 2026 The pendulum simulator authors
// SPDX-License-Identifier: MIT
// The program's forms. A Form is a top-level window titled and sized as designed (in twips), in
// the windows' font, and told to assistive technology as a window. A SimulatorForm is a Form
// with a canvas and a step timer: its handlers run through the handler guard, what they change
// goes to the screen with the next display frame (programclock.h), and closing it stops its timer.
#pragma once

#include "canvas.h"
#include "handlerguard.h"
#include "steptimer.h"

#include <QWidget>

#include <string>

class Form : public QWidget {
    Q_OBJECT

public:
    Form(int widthTwips, int heightTwips, QWidget *parent = nullptr);
};

class SimulatorForm : public Form {
    Q_OBJECT

public:
    // The name of the field a parameter named in a run-time error comes from (the window's own
    // checks name the field itself); any other name is a fault of the program's
    // (std::logic_error).
    virtual std::string fieldOf(const std::string &input) const = 0;

protected:
    SimulatorForm(int widthTwips, int heightTwips, QWidget *parent = nullptr);
    // The form's step timer and canvas, for the guard, the frames and closing.
    virtual StepTimer &stepTimer() = 0;
    virtual Canvas &canvas() = 0;

    // Wires a signal of one of the form's controls, or of its step timer, to one of its event
    // procedures, run guarded: the one way the windows wire their handlers, so that none runs
    // unguarded or leaves what it changed off the screen.
    template <typename Sender, typename Signal, typename Window, typename... Args>
    void handle(const Sender *sender, Signal signal, void (Window::*procedure)(Args...))
    {
        Window *const window = static_cast<Window *>(this);
        connect(sender, signal, this, [this, window, procedure](Args... args) {
            guarded([=] { (window->*procedure)(args...); });
        });
    }

    // Runs an event procedure through the handler guard (runHandler), then asks the clock to
    // send what it changed with the next display frame.
    template <typename Procedure> void guarded(Procedure procedure)
    {
        runHandler(
            this, stepTimer(), [this](const std::string &input) { return fieldOf(input); },
            procedure);
        sendWithNextFrame();
    }

    // Tells Qt what the handlers changed on screen since the last frame: the canvas's picture,
    // and whatever else a form shows at every tick.
    virtual void sendToScreen();

    void closeEvent(QCloseEvent *event) override;

private:
    void sendWithNextFrame();
};
