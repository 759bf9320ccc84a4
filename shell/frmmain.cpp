// SPDX-FileCopyrightText: 2026 The pendulum simulator authors
// SPDX-License-Identifier: MIT
// The launcher's layout and its two buttons.
#include "frmmain.h"

#include "accessibleroles.h"
#include "designcontrols.h"
#include "simulators.h"
#include "twips.h"
#include "uifont.h"

frmMain::frmMain(Simulators &simulators_, QWidget *parent)
    : QWidget(parent),
      Command1(makeButton(this, "Command1", "単振り子", twipsRect(600, 120, 1455, 495))),
      Command2(makeButton(this, "Command2", "二重振り子", twipsRect(600, 840, 1455, 495))),
      simulators(simulators_)
{
    setWindowTitle(QStringLiteral("Form1"));
    setFont(uiFont());
    useAccessibleRoles();
    resize(twips(4680), twips(3090));
    Command1->setFocus();
    connect(Command1, &QPushButton::clicked, this, &frmMain::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmMain::Command2_Click);
}

void frmMain::Command1_Click() { simulators.single().Show(); }

void frmMain::Command2_Click() { simulators.twin().Show(); }
