// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "record/Story.h"

#include "exchange/Module1.h"
#include "host/Komputer.h"

void Story::starts(const Komputer &origin, const ArpPacket &packet)
{
    if (packet.Operation != 1) {
        m_answerer = origin.Nama();
        m_answererIP = packet.SenderIP;
        return;
    }
    m_requester = origin.Nama();
    m_ip = packet.TargetIP;
    m_answerer.clear();
}

QString Story::sentence(const Komputer &host, const QString &word) const
{
    const QString name = host.Nama();
    const bool reply = !m_answerer.isEmpty();
    if (word == Komputer::Receiving && reply)
        return tr("%1 receives %2's answer.").arg(name, m_answerer);
    if (word == Komputer::Receiving)
        return tr("%1 receives %2's request.").arg(name, m_requester);
    if (word == Komputer::Saved && !reply)
        return tr("%1 saves %2's address.").arg(name, m_requester);
    // In a reply a host first learns the host that answered, if it is new to it.
    if (word == Komputer::Saved && host.Ada(m_answererIP) == 0)
        return tr("%1 saves %2's address.").arg(name, m_answerer);
    if (word == Komputer::Saved)
        return tr("%1 saves the answer for %2.").arg(name, m_ip);
    if (word == Komputer::Found)
        return answers(name, host.IP() != m_ip);
    return QString();
}

QString Story::answers(const QString &host, bool fromTable)
{
    return fromTable ? tr("%1 answers from its ARP table.").arg(host)
                     : tr("%1 has that address and answers.").arg(host);
}
