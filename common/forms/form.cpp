// SPDX-FileCopyrightText: 2026 The pendulum simulator authors
// SPDX-License-Identifier: MIT
// What every form does at its start, and what every simulator form does at its close.
#include "form.h"

#include "accessibleroles.h"
#include "pace.h"
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
    // The canvas and the elapsed time change at every tick; the screen gets them once a frame.
    Pace::paceWindow(this);
}

void SimulatorForm::closeEvent(QCloseEvent *event)
{
    // The window is destroyed only when the event loop comes round again: no tick may run
    // in between.
    stepTimer().setEnabled(false);
    QWidget::closeEvent(event);
}
