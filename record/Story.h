// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QCoreApplication>
#include <QString>

struct ArpPacket;
class Komputer;

// The one short sentence that tells a word a host shows ("Bilrun saves Tesu's address."),
// built from what the exchange and its hosts say they do: the narration speaks it and the
// timeline lists it. It follows an exchange from the packets that set out.
class Story
{
    Q_DECLARE_TR_FUNCTIONS(Story)

public:
    void starts(const Komputer &origin, const ArpPacket &packet);
    QString sentence(const Komputer &host, const QString &word) const;
    // A host that answers: for its own address, or from its ARP table.
    static QString answers(const QString &host, bool fromTable);

private:
    QString m_requester;
    QString m_ip;
    // While the reply travels: the host that sent it.
    QString m_answerer;
    QString m_answererIP;
};
