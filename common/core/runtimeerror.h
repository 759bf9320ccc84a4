// SPDX-FileCopyrightText: 2026 The pendulum simulator authors
// SPDX-License-Identifier: MIT
// The run-time errors of the program: each names one kind of fault and, where the fault came
// from input fields, those fields' names, so the user can be told what to fix.
#pragma once

#include <initializer_list>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

enum class ErrorKind {
    InvalidOperation,
    DivisionByZero,
    Overflow,
    TypeMismatch,
    SubscriptOutOfRange,
    InvalidPropertyValue,
};

class RuntimeError : public std::runtime_error {
public:
    explicit RuntimeError(ErrorKind kind, std::vector<std::string> fields = {});

    ErrorKind kind() const { return m_kind; }
    // What the faulty value came from: the names of input fields or, inside a model, of its
    // parameters, which the window then names by their fields. Empty when no input is to
    // blame, as for a swing that overflows after many steps.
    const std::vector<std::string> &fields() const { return m_fields; }

private:
    ErrorKind m_kind;
    std::vector<std::string> m_fields;
};

// Runs a computation whose faults can only come from the named inputs: a run-time error it
// raises that names nothing yet is raised again naming them. The names are only copied when
// an error is raised, so the computation costs no allocation.
template <typename Computation>
auto blame(std::initializer_list<std::string_view> inputs, Computation &&computation)
    -> decltype(computation())
{
    try {
        return computation();
    } catch (const RuntimeError &error) {
        if (!error.fields().empty())
            throw;
        throw RuntimeError(error.kind(), std::vector<std::string>(inputs.begin(), inputs.end()));
    }
}

// Runs a conversion of one field's text, naming that field in the errors it raises.
template <typename Conversion>
auto convertField(const std::string &fieldName, Conversion &&conversion) -> decltype(conversion())
{
    return blame({fieldName}, conversion);
}

// A stable lower-case identifier for each kind ("division-by-zero"), for tools and logs.
std::string_view errorKindId(ErrorKind kind);

// The message shown to the user, in Japanese, UTF-8.
std::string_view errorKindMessage(ErrorKind kind);
