// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "host/ArpTable.h"

#include "runtime/Int16.h"

#include <utility>

qint16 ArpTable::find(const QString &ip) const
{
    const qint16 n = m_count;
    qint16 found = 0;
    // The scan never stops early, so the last match wins.
    for (int i = 1; i <= n; ++i) {
        if (entry(static_cast<qint16>(i)).IP == ip)
            found = static_cast<qint16>(i);
    }
    return found;
}

void ArpTable::add(const QString &ip, const QString &mac)
{
    qint16 i = find(ip);
    if (i == 0) {
        const qint16 grown = Int16::add(m_count, 1);
        m_count = grown;
        resize(grown);
        i = grown;
    }
    ArpEntry &target = entry(i);
    target.IP = ip;
    target.MAC = mac;
}

void ArpTable::remove(const QString &ip)
{
    const qint16 i = find(ip);
    if (i == 0)
        return;
    const qint16 n = m_count;
    for (int k = i + 1; k <= n; ++k) {
        const ArpEntry &from = entry(static_cast<qint16>(k));
        ArpEntry &to = entry(static_cast<qint16>(k - 1));
        to.IP = from.IP;
        to.MAC = from.MAC;
    }
    m_count = Int16::sub(m_count, 1);
    resize(m_count);
}

QString ArpTable::macOf(const QString &ip) const
{
    const qint16 i = find(ip);
    return i < 1 ? QString() : entry(i).MAC;
}

QString ArpTable::ipAt(qint16 index) const
{
    return index > m_count ? QString() : entry(index).IP;
}

QString ArpTable::macAt(qint16 index) const
{
    return index > m_count ? QString() : entry(index).MAC;
}

void ArpTable::clearToFirst()
{
    m_count = 1;
    resize(1);
}

const ArpEntry &ArpTable::entry(qint16 index) const
{
    if (index < 1 || index > storageSize())
        throw RuntimeError(RuntimeError::Kind::SubscriptOutOfRange);
    return m_entries[static_cast<size_t>(index - 1)];
}

ArpEntry &ArpTable::entry(qint16 index)
{
    return const_cast<ArpEntry &>(std::as_const(*this).entry(index));
}

void ArpTable::resize(qint16 size)
{
    // An empty table has no storage at all; a negative size is no range.
    if (size < 0)
        throw RuntimeError(RuntimeError::Kind::SubscriptOutOfRange);
    m_entries.resize(static_cast<size_t>(size));
}
