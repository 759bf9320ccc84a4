// SPDX-FileCopyrightText: 2026 The pendulum simulator authors
// SPDX-License-Identifier: MIT
// The launcher's layout and its two buttons.
#include "frmmain.h"

#include "designcontrols.h"
#include "simulators.h"
#include "twips.h"

frmMain::frmMain(Simulators &simulators_, QWidget *parent)
    : Form(4680, 3090, parent),
      Command1(makeButton(this, "Command1", "単振り子", twipsRect(600, 120, 1455, 495))),
      Command2(makeButton(this, "Command2", "二重振り子", twipsRect(600, 840, 1455, 495))),
      simulators(simulators_)
{
    Command1->setFocus();
    connect(Command1, &QPushButton::clicked, this, &frmMain::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmMain::Command2_Click);
}

void frmMain::Command1_Click() { simulators.singlePendulum().Show(); }

void frmMain::Command2_Click() { simulators.doublePendulum().Show(); }
