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

Story::Act Story::act(const Komputer &host, const QString &word) const
{
    if (word == Komputer::Receiving)
        return Act::Receives;
    if (word == Komputer::Found)
        return host.IP() != m_ip ? Act::AnswersFromTable : Act::Answers;
    if (word != Komputer::Saved)
        return Act::None;
    if (!reply())
        return Act::SavesRequester;
    // In a reply a host first learns the host that answered, if it is new to it.
    return host.Ada(m_answererIP) == 0 ? Act::SavesAnswerer : Act::StoresAnswer;
}

QString Story::sentence(const Komputer &host, const QString &word) const
{
    const QString name = host.Nama();
    switch (act(host, word)) {
    case Act::Receives:
        return reply() ? tr("%1 receives %2's answer.").arg(name, m_answerer)
                       : tr("%1 receives %2's request.").arg(name, m_requester);
    case Act::SavesRequester:
        return tr("%1 saves %2's address.").arg(name, m_requester);
    case Act::SavesAnswerer:
        return tr("%1 saves %2's address.").arg(name, m_answerer);
    case Act::StoresAnswer:
        return tr("%1 saves the answer for %2.").arg(name, m_ip);
    case Act::Answers:
    case Act::AnswersFromTable:
        return answers(name, act(host, word) == Act::AnswersFromTable);
    case Act::None:
        break;
    }
    return QString();
}

QString Story::answers(const QString &host, bool fromTable)
{
    return fromTable ? tr("%1 answers from its ARP table.").arg(host)
                     : tr("%1 has that address and answers.").arg(host);
}

QString Story::list(QStringList names)
{
    if (names.size() < 2)
        return names.value(0);
    const QString last = names.takeLast();
    return tr("%1 and %2").arg(names.join(tr(", ")), last);
}
