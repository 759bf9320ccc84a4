// The run-time errors of the program: each names one kind of fault and, where the fault came
// from one input field, that field's name, so the user can be told what to fix.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

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
    explicit RuntimeError(ErrorKind kind, std::string field = {});

    ErrorKind kind() const { return m_kind; }
    // The name of the input field the faulty value came from; empty when none.
    const std::string &field() const { return m_field; }

private:
    ErrorKind m_kind;
    std::string m_field;
};

// Runs a conversion of one field's text; a run-time error it raises that names no field yet
// is raised again naming this one.
template <typename Conversion>
auto convertField(const std::string &fieldName, Conversion &&conversion) -> decltype(conversion())
{
    try {
        return conversion();
    } catch (const RuntimeError &error) {
        if (!error.field().empty())
            throw;
        throw RuntimeError(error.kind(), fieldName);
    }
}

// A stable lower-case identifier for each kind ("division-by-zero"), for tools and logs.
std::string_view errorKindId(ErrorKind kind);

// The message shown to the user, in Japanese, UTF-8.
std::string_view errorKindMessage(ErrorKind kind);
