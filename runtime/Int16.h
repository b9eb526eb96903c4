// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "runtime/RuntimeError.h"

#include <QtGlobal>

#include <limits>

// Counts, indices and cursors are signed 16-bit values whose arithmetic is checked:
// stepping outside the range is an overflow error, never a silent wrap.
namespace Int16 {

inline qint16 checked(int value)
{
    if (value < std::numeric_limits<qint16>::min() || value > std::numeric_limits<qint16>::max())
        throw RuntimeError(RuntimeError::Kind::Overflow);
    return static_cast<qint16>(value);
}

inline qint16 add(qint16 a, qint16 b)
{
    return checked(int(a) + int(b));
}

inline qint16 sub(qint16 a, qint16 b)
{
    return checked(int(a) - int(b));
}

} // namespace Int16
