// SPDX-FileCopyrightText: 2026 The pendulum simulator authors
// SPDX-License-Identifier: MIT
// The simple pendulum window: a canvas on the left; Run, Stop and Resume and six parameter
// fields on the right. The window reads the fields and draws; the model it is given holds the
// six numbers and outlives the window.
#pragma once

#include "canvas.h"
#include "fieldblame.h"
#include "form.h"
#include "singlependulum.h"
#include "steptimer.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

#include <string>
#include <vector>

class frmSingle : public SimulatorForm {
    Q_OBJECT

public:
    explicit frmSingle(SinglePendulum &state, QWidget *parent = nullptr);

    // The controls, in tab order.
    Canvas *const Picture1;
    QPushButton *const Command1;
    QLineEdit *const Text1;
    QLabel *const Label1;
    QLabel *const Label2;
    QLineEdit *const Text2;
    QLabel *const Label3;
    QLineEdit *const Text3;
    QLabel *const Label4;
    QLineEdit *const Text4;
    QLabel *const Label5;
    QLineEdit *const Text5;
    QPushButton *const Command2;
    QLabel *const Label6;
    QLineEdit *const Text6;
    QLabel *const Label7;
    QPushButton *const Command3;
    StepTimer Timer1;

    std::string fieldOf(const std::string &input) const override;

protected:
    StepTimer &stepTimer() override { return Timer1; }
    Canvas &canvas() override { return *Picture1; }

private:
    // The event procedures, wired to the controls and the timer by handle(). Each may raise a
    // RuntimeError, which the handler guard shows after stopping the timer.
    void Command1_Click(); // Run
    void Command2_Click(); // Stop
    void Command3_Click(); // Resume
    void Picture1_MouseDown(short button, short shift, float x, float y);
    void Timer1_Timer();

    // The centre of the bob on the canvas, where the rod from the pivot ends.
    struct Figure {
        float x;
        float y;
    };
    // Raises the overflow error, naming the rod length, when the figure is beyond single
    // precision.
    static Figure FigureOf(const SinglePendulum &pendulum);
    // One tick of the model, for the tick itself and for its replays: the pendulum steps on
    // and its figure is found, whose arithmetic may fail too.
    static Figure StepModel(SinglePendulum &pendulum);
    void DrawPendulum(const Figure &bob);
    // The fields a tick's error may follow from, with their values at the swing's start, in
    // the order of kSingleParameterIds; and `ticks` ticks stepped again from the swing's start
    // with some of them at their design values.
    std::vector<Suspect> suspects() const;
    void replaySwing(long ticks, const std::vector<std::size_t> &atDesign) const;

    SinglePendulum &state;
    // The swing's start, at Run or at a click, and its ticks since.
    SinglePendulum swingStart;
    long swingTicks = 0;
};
