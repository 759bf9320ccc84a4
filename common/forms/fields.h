// SPDX-FileCopyrightText: 2026 The pendulum simulator authors
// SPDX-License-Identifier: MIT
// Reading and writing the text of a window's fields as UTF-8.
#pragma once

#include <QLineEdit>

#include <string>

inline std::string fieldText(const QLineEdit *field) { return field->text().toStdString(); }

inline void setFieldText(QLineEdit *field, const std::string &text)
{
    field->setText(QString::fromStdString(text));
}

// The name an error message gives a field: its accessible name.
inline std::string fieldName(const QLineEdit *field)
{
    return field->accessibleName().toStdString();
}
