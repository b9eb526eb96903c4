// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// What the suites share about a host: its table as the window lists it, and the error a call
// raises.
#pragma once

#include "exchange/Module1.h"
#include "host/Komputer.h"
#include "runtime/RuntimeError.h"

#include <QTest>

namespace Support {

// Entries 1 to Jumlah as "IP MAC".
inline QStringList tableOf(const Komputer &host)
{
    QStringList entries;
    for (qint16 n = 1; n <= host.Jumlah(); ++n)
        entries << host.AmbilIP(n).toString() + u' ' + host.AmbilMAC(n).toString();
    return entries;
}

// The name of the run-time error the call raises, or the empty text.
template <typename Call> QString errorOf(Call &&call)
{
    try {
        call();
    } catch (const RuntimeError &error) {
        return error.name();
    }
    return QString();
}

} // namespace Support
