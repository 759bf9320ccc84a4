// SPDX-FileCopyrightText: 2026 The pendulum simulator authors
// SPDX-License-Identifier: MIT
// What every form does at its start, and what every simulator form does at its close.
#include "form.h"

#include "accessibleroles.h"
#include "programclock.h"
#include "twips.h"
#include "uifont.h"

#include <QCloseEvent>

Form::Form(int widthTwips, int heightTwips, QWidget *parent) : QWidget(parent)
{
    setWindowTitle(QStringLiteral("Form1"));
    setFont(uiFont());
    useAccessibleRoles();
    resize(twips(widthTwips), twips(heightTwips));
}

SimulatorForm::SimulatorForm(int widthTwips, int heightTwips, QWidget *parent)
    : Form(widthTwips, heightTwips, parent)
{
}

void SimulatorForm::sendWithNextFrame()
{
    ProgramClock::sendWithNextFrame(this, [this] { sendToScreen(); });
}

void SimulatorForm::sendToScreen() { canvas().refreshScreen(); }

void SimulatorForm::closeEvent(QCloseEvent *event)
{
    // The window is destroyed only when the event loop comes round again: no tick may run
    // in between.
    stepTimer().setEnabled(false);
    QWidget::closeEvent(event);
}
