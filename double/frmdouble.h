// SPDX-FileCopyrightText: 2026 The pendulum simulator authors
// SPDX-License-Identifier: MIT
// The double pendulum window: a canvas on the left; Run, Stop and Resume, ten parameter
// fields, the elapsed time and the trail switch on the right. The model it is given holds the
// parameters and the two-slot state and outlives the window.
#pragma once

#include "canvas.h"
#include "doublependulum.h"
#include "fieldblame.h"
#include "form.h"
#include "numberlabel.h"
#include "steptimer.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class frmDouble : public SimulatorForm {
    Q_OBJECT

public:
    // Builds the window and runs its Form_Load.
    explicit frmDouble(DoublePendulum &state, QWidget *parent = nullptr);

    // Draws the figure of one slot with the canvas's current draw mode.
    void DrawDoublePendulum(const std::int16_t &slot);

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
    QLineEdit *const Text6;
    QLabel *const Label7;
    QPushButton *const Command3;
    QLineEdit *const Text7;
    QLabel *const Label8;
    QLineEdit *const Text8;
    QLabel *const Label9;
    QLabel *const Label10;
    QLineEdit *const Text9;
    NumberLabel *const Label17;
    QLineEdit *const Text10;
    QLabel *const Label6;
    QCheckBox *const Check1;
    StepTimer Timer1;

    std::string fieldOf(const std::string &input) const override;

protected:
    StepTimer &stepTimer() override { return Timer1; }
    Canvas &canvas() override { return *Picture1; }
    // The elapsed time goes to the screen with the canvas.
    void sendToScreen() override;

private:
    // The event procedures, wired to the controls and the timer by handle() (Form_Load run
    // guarded as the window is built). Each may raise a RuntimeError, which the handler guard
    // shows after stopping the timer.
    void Command1_Click(); // Run
    void Command2_Click(); // Stop
    void Command3_Click(); // Resume
    void Form_Load();
    void Timer1_Timer();

    // Where a figure's two bobs go on the canvas; the rods start at the fixed pivot.
    struct Figure {
        float ax, ay; // the upper bob
        float bx, by; // the lower bob
    };
    // The check box's value: 1 ticked, 0 not.
    int Check1Value() const;
    // A canvas coordinate from a world one: ScreenScale times it plus the origin, as a float.
    static float ToCanvas(CheckedDouble world, double origin);
    // The figure of one slot; raises the subscript error for a slot outside 0..2 and the
    // overflow error, naming the rod length, for a figure beyond single precision.
    static Figure FigureOf(const DoublePendulum &pendulum, std::int16_t slot);
    // One tick of the model, for the tick itself and for its replays: the time and the arms
    // step on, the figures of the previous and the new slot are found, whose arithmetic may
    // fail too, and the slots are swapped.
    struct Step {
        Figure previous;
        Figure current;
    };
    static Step StepModel(DoublePendulum &pendulum);
    void DrawFigure(const Figure &figure);
    // The fields an error may follow from, with their values in `start`, in the order of
    // kDoubleParameterIds; and Run and then `ticks` ticks stepped again from `start` with
    // some of them at their design values.
    std::vector<Suspect> suspects(const DoubleParameters &start) const;
    void replaySwing(const DoubleParameters &start, long ticks,
                     const std::vector<std::size_t> &atDesign) const;

    DoublePendulum &state;
    // The elapsed time of the latest tick, until the next frame shows it.
    std::optional<QString> elapsedToShow;
    QTimer announceElapsed;
    // The parameters of the latest Run, and the swing's ticks since.
    DoubleParameters swingStart{};
    long swingTicks = 0;
};
