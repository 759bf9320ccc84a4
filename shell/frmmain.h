// SPDX-FileCopyrightText: 2026 The pendulum simulator authors
// SPDX-License-Identifier: MIT
// The launcher: two buttons that show the simple and the double pendulum window.
#pragma once

#include "form.h"

#include <QPushButton>
#include <QWidget>

class Simulators;

class frmMain : public Form {
    Q_OBJECT

public:
    explicit frmMain(Simulators &simulators, QWidget *parent = nullptr);

    void Command1_Click();
    void Command2_Click();

    QPushButton *const Command1;
    QPushButton *const Command2;

private:
    Simulators &simulators;
};
