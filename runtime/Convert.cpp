// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "runtime/Convert.h"

#include "runtime/Int16.h"

#include <cmath>

namespace {

[[noreturn]] void mismatch()
{
    throw RuntimeError(RuntimeError::Kind::TypeMismatch);
}

bool isNumber(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
    case QMetaType::Double:
    case QMetaType::Float:
        return true;
    default:
        return false;
    }
}

// A text reads as a number when, blanks aside, it is one; anything else is a mismatch.
double numberFromText(const QString &text)
{
    bool ok; // toDouble() sets it
    const double number = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(number))
        mismatch();
    return number;
}

} // namespace

namespace Convert {

QString toText(const QVariant &value)
{
    if (!value.isValid())
        return QString();
    if (value.typeId() == QMetaType::Bool)
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    if (!value.canConvert<QString>())
        mismatch();
    return value.toString();
}

bool toBoolean(const QVariant &value)
{
    if (!value.isValid())
        return false;
    if (value.typeId() == QMetaType::Bool)
        return value.toBool();
    if (isNumber(value))
        return value.toDouble() != 0.0;
    if (value.typeId() == QMetaType::QString) {
        const QString text = value.toString().trimmed();
        if (text.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
            return true;
        if (text.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
            return false;
        return numberFromText(text) != 0.0;
    }
    mismatch();
}

qint16 toInteger(const QVariant &value)
{
    if (!value.isValid())
        return 0;
    if (value.typeId() == QMetaType::Bool)
        return value.toBool() ? -1 : 0;
    if (isNumber(value))
        return roundToInteger(value.toDouble());
    if (value.typeId() == QMetaType::QString)
        return roundToInteger(numberFromText(value.toString()));
    mismatch();
}

qint16 roundToInteger(double value)
{
    if (!std::isfinite(value))
        throw RuntimeError(RuntimeError::Kind::Overflow);
    // nearbyint rounds in the current mode, which the program never changes from
    // round-to-nearest-even.
    const double rounded = std::nearbyint(value);
    if (rounded < -32768.0 || rounded > 32767.0)
        throw RuntimeError(RuntimeError::Kind::Overflow);
    return Int16::checked(static_cast<int>(rounded));
}

} // namespace Convert
