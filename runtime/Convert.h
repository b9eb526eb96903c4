// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QVariant>

// The ordinary conversions of stored and computed values. Each fails with a run-time
// error where the value does not fit: a type mismatch, or an overflow of the 16-bit range.
namespace Convert {

QString toText(const QVariant &value);
bool toBoolean(const QVariant &value);
qint16 toInteger(const QVariant &value);

// Rounds to the nearest whole number, a value halfway between two going to the even one
// (2.5 gives 2, 3.5 gives 4), and checks the result against the 16-bit range.
qint16 roundToInteger(double value);

} // namespace Convert
