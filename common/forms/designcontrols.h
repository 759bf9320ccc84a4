// SPDX-FileCopyrightText: 2026 The pendulum simulator authors
// SPDX-License-Identifier: MIT
// The controls of the windows' fixed layouts, made at their design positions with their design
// names: labels, text fields and push buttons (never a default button).
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <string>

// Names a label, places it at a fixed size and stacks it beneath the fields.
void placeLabel(QLabel *label, const char *name, QRect geometry);
template <class Label = QLabel>
Label *makeLabel(QWidget *parent, const char *name, const char *caption, QRect geometry)
{
    auto *label = new Label(QString::fromUtf8(caption), parent);
    placeLabel(label, name, geometry);
    return label;
}
QLineEdit *makeField(QWidget *parent, const char *name, const char *text, QRect geometry);
// The text a field was made with, whatever it holds now.
std::string designText(const QLineEdit *field);
QPushButton *makeButton(QWidget *parent, const char *name, const char *caption, QRect geometry);
