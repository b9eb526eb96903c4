// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// What every suite shares: a clean program per test, messages taken instead of shown, and the
// hosts' tables as the window lists them.
#pragma once

#include "exchange/Module1.h"
#include "host/Komputer.h"
#include "host/Runtime.h"
#include "host/RuntimeError.h"
#include "window/MessageBox.h"

#include <QStringList>

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

// Back to the shared state of a fresh start, with every message recorded as
// "caption|text" ("!" in front of an error's).
inline void reset(QStringList *messages = nullptr)
{
    Runtime::reset();
    Module1::reset();
    MessageBox::setRecorder({});
    if (messages) {
        messages->clear();
        MessageBox::setRecorder([messages](MessageBox::Icon icon, const QString &caption,
                                           const QString &text) {
            *messages << (icon == MessageBox::Icon::Critical ? QStringLiteral("!") : QString()) +
                             caption + u'|' + text;
        });
    }
}

} // namespace Support
