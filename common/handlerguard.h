// The boundary of every event handler of a simulator window: a run-time error raised inside
// stops the window's own timer at once and is shown in the window's error dialog. Nothing
// propagates into Qt's event loop, and other windows keep running.
#pragma once

#include "runtimeerror.h"
#include "steptimer.h"

#include <QWidget>

// Shows the error window-modally over the window, titled "実行時エラー"; returns at once.
void showRuntimeError(QWidget *window, const RuntimeError &error);

template <typename Handler> void runHandler(QWidget *window, StepTimer &timer, Handler &&handler)
{
    try {
        handler();
    } catch (const RuntimeError &error) {
        timer.setEnabled(false);
        showRuntimeError(window, error);
    }
}
