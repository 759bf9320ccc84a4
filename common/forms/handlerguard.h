// SPDX-FileCopyrightText: 2026 The pendulum simulator authors
// SPDX-License-Identifier: MIT
// The boundary of every event handler of a simulator window: a run-time error raised inside
// stops the window's own timer at once and is shown in the window's error dialog. Nothing
// propagates into Qt's event loop, and other windows keep running.
#pragma once

#include "runtimeerror.h"
#include "steptimer.h"
#include "vectorstate.h"

#include <QWidget>

#include <functional>
#include <optional>

// Names an input that a run-time error blames by the field the user types it into.
using FieldNamer = std::function<std::string(const std::string &input)>;

// Shows the error over the window, titled "実行時エラー", naming the fields to check; returns
// at once. While it is open the window's controls take no input, but the window itself can
// still be moved and closed, and the dialog goes with it.
void showRuntimeError(QWidget *window, const RuntimeError &error, const FieldNamer &fieldOf);

// The window's open error dialog, or null.
QWidget *openRuntimeError(const QWidget *window);

// The error of the window's open error dialog, for tools that drive a window with no one to
// read the dialog (the trace tool); nothing while no dialog is open.
std::optional<RuntimeError> shownRuntimeError(const QWidget *window);

// Runs one event handler of a simulator window: a run-time error it raises stops the window's
// timer and is shown.
template <typename Handler>
void runHandler(QWidget *window, StepTimer &timer, const FieldNamer &fieldOf, Handler &&handler)
{
    clearUpperVectorState();
    try {
        handler();
    } catch (const RuntimeError &error) {
        timer.setEnabled(false);
        showRuntimeError(window, error, fieldOf);
    }
}
