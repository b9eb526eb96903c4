// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "runtime/RuntimeError.h"

#include <QCoreApplication>

RuntimeError::RuntimeError(Kind kind) : m_kind(kind) {}

QString RuntimeError::name() const
{
    return QCoreApplication::translate("RuntimeError", what());
}

const char *RuntimeError::what() const noexcept
{
    switch (m_kind) {
    case Kind::SubscriptOutOfRange:
        return QT_TRANSLATE_NOOP("RuntimeError", "Subscript out of range");
    case Kind::Overflow:
        return QT_TRANSLATE_NOOP("RuntimeError", "Overflow");
    case Kind::TypeMismatch:
        return QT_TRANSLATE_NOOP("RuntimeError", "Type mismatch");
    }
    return QT_TRANSLATE_NOOP("RuntimeError", "Run-time error");
}
