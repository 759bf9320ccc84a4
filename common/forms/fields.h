// SPDX-FileCopyrightText: 2026 The pendulum simulator authors
// SPDX-License-Identifier: MIT
// A window's fields: their text as UTF-8, their names, and the table of which field feeds
// which parameter of the window's model.
#pragma once

#include "checkeddouble.h"
#include "conversions.h"
#include "designcontrols.h"
#include "fieldblame.h"

#include <QLineEdit>

#include <cstddef>
#include <stdexcept>
#include <string>
#include <vector>

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

// One row of a window's table of parameters: a parameter of its model (a member pointer) and
// the field that feeds it.
template <typename Window, typename Member> struct ParameterField {
    Member member;
    QLineEdit *const Window::*field;
};

// Whether every parameter the ids name (rows of an id and its parameter) has a row in the
// table: each window asserts it as it is compiled, so that no error can name a parameter whose
// field it cannot find.
template <typename Window, typename Member, std::size_t N, typename Ids>
constexpr bool feedsEveryParameter(const ParameterField<Window, Member> (&table)[N], const Ids &ids)
{
    for (const auto &[id, member] : ids) {
        bool fed = false;
        for (const auto &row : table)
            fed = fed || row.member == member;
        if (!fed)
            return false;
    }
    return true;
}

// The field that feeds a parameter; a parameter the table lacks is a fault of the program's
// (which feedsEveryParameter rules out for the parameters an error names).
template <typename Window, typename Member, std::size_t N>
const QLineEdit *fieldOfParameter(const Window &window,
                                  const ParameterField<Window, Member> (&table)[N], Member member)
{
    for (const auto &[parameter, field] : table)
        if (parameter == member)
            return window.*field;
    throw std::logic_error("no field feeds a parameter");
}

// The name of the field an input named in a run-time error comes from: a parameter's id
// (`ids`, rows of an id and its parameter), or the name of a field the window's own checks
// named; any other input is a fault of the program's.
template <typename Window, typename Member, std::size_t N, typename Ids>
std::string fieldNamedBy(const Window &window, const ParameterField<Window, Member> (&table)[N],
                         const Ids &ids, const std::string &input)
{
    for (const auto &[id, member] : ids)
        if (input == id)
            return fieldName(fieldOfParameter(window, table, member));
    for (const QLineEdit *field : window.template findChildren<QLineEdit *>())
        if (input == fieldName(field))
            return input;
    throw std::logic_error("an error names neither a parameter nor a field: " + input);
}

// A parameter's value as a number, whether the model keeps it checked or plain.
inline double plainValue(double value) { return value; }
inline double plainValue(const CheckedDouble &value) { return value.value(); }

// The parameters of a swing, the suspects of a tick that failed: in the order of the ids, each
// with its field's name, its value at the swing's start and its field's value at design.
template <typename Window, typename Member, std::size_t N, typename Ids, typename Start>
std::vector<Suspect> parametersAsSuspects(const Window &window,
                                          const ParameterField<Window, Member> (&table)[N],
                                          const Ids &ids, const Start &start)
{
    std::vector<Suspect> suspects;
    for (const auto &[id, member] : ids) {
        const QLineEdit *field = fieldOfParameter(window, table, member);
        suspects.push_back({fieldName(field), plainValue(start.*member), Val(designText(field))});
    }
    return suspects;
}

// The swing's start with the parameters of the given indexes into the ids at their fields'
// values at design, for a replay.
template <typename Window, typename Member, std::size_t N, typename Ids, typename Start>
Start withDesignValues(const Window &window, const ParameterField<Window, Member> (&table)[N],
                       const Ids &ids, Start start, const std::vector<std::size_t> &atDesign)
{
    for (const std::size_t i : atDesign) {
        const Member member = ids[i].member;
        start.*member = Val(designText(fieldOfParameter(window, table, member)));
    }
    return start;
}
