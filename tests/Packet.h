// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A packet written on one line, as the tables of the suites give it.
#pragma once

#include "exchange/Module1.h"

#include <QStringList>

// "Operation|SenderIP|SenderMAC|TargetIP|TargetMAC|DestIP|DestMAC", the last two may be left out.
inline ArpPacket packet(const QString &fields)
{
    const QStringList f = fields.split(u'|');
    return {static_cast<quint8>(f[0].toUInt()), f.value(5), f.value(6), f[1], f[2], f[3], f[4]};
}

inline QString fields(const ArpPacket &p)
{
    return QString::number(p.Operation) + u'|' +
           QStringList{p.SenderIP, p.SenderMAC, p.TargetIP, p.TargetMAC, p.DestIP, p.DestMAC}.join(
               u'|');
}
