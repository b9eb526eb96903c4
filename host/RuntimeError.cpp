// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "host/RuntimeError.h"

RuntimeError::RuntimeError(Kind kind) : m_kind(kind) {}

QString RuntimeError::name() const
{
    return QString::fromLatin1(what());
}

const char *RuntimeError::what() const noexcept
{
    switch (m_kind) {
    case Kind::SubscriptOutOfRange:
        return "Subscript out of range";
    case Kind::Overflow:
        return "Overflow";
    case Kind::TypeMismatch:
        return "Type mismatch";
    }
    return "Run-time error";
}
