// SPDX-FileCopyrightText: 2026 The pendulum simulator authors
// SPDX-License-Identifier: MIT
// Identifiers and user messages of the run-time errors.
#include "runtimeerror.h"

RuntimeError::RuntimeError(ErrorKind kind, std::vector<std::string> fields)
    : std::runtime_error(std::string(errorKindId(kind))), m_kind(kind), m_fields(std::move(fields))
{
}

std::string_view errorKindId(ErrorKind kind)
{
    switch (kind) {
    case ErrorKind::InvalidOperation: return "invalid-operation";
    case ErrorKind::DivisionByZero: return "division-by-zero";
    case ErrorKind::Overflow: return "overflow";
    case ErrorKind::TypeMismatch: return "type-mismatch";
    case ErrorKind::SubscriptOutOfRange: return "subscript-out-of-range";
    case ErrorKind::InvalidPropertyValue: return "invalid-property-value";
    }
    return "unknown";
}

std::string_view errorKindMessage(ErrorKind kind)
{
    switch (kind) {
    case ErrorKind::InvalidOperation: return "無効な演算です。";
    case ErrorKind::DivisionByZero: return "0 で除算しました。";
    case ErrorKind::Overflow: return "オーバーフローしました。";
    case ErrorKind::TypeMismatch: return "型が一致しません。";
    case ErrorKind::SubscriptOutOfRange: return "インデックスが有効範囲にありません。";
    case ErrorKind::InvalidPropertyValue: return "プロパティの値が無効です。";
    }
    return "";
}
