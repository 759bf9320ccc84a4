// SPDX-FileCopyrightText: 2026 The pendulum simulator authors
// SPDX-License-Identifier: MIT
// The controls of the windows' fixed layouts, made at their design positions with their design
// names: labels, text fields and push buttons (never a default button).
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

QLabel *makeLabel(QWidget *parent, const char *name, const char *caption, QRect geometry);
QLineEdit *makeField(QWidget *parent, const char *name, const char *text, QRect geometry);
QPushButton *makeButton(QWidget *parent, const char *name, const char *caption, QRect geometry);
