// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QCoreApplication>
#include <QString>

struct ArpPacket;
class Komputer;

// What a word a host shows means, and the one short sentence that tells it ("Bilrun saves
// Tesu's address."), read from what the exchange and its hosts say they do: the narration
// speaks it, the timeline lists it and the questions of the predict pace are judged by it. It
// follows an exchange from the packets that set out.
class Story
{
    Q_DECLARE_TR_FUNCTIONS(Story)

public:
    // In the order a host acts; a word outside an exchange is None.
    enum class Act
    {
        Receives,
        SavesRequester,
        Answers,          // for its own address
        AnswersFromTable, // from its ARP table
        SavesAnswerer,
        StoresAnswer,
        None
    };

    void starts(const Komputer &origin, const ArpPacket &packet);
    // Read as the word shows, before the host acts on it.
    Act act(const Komputer &host, const QString &word) const;
    QString sentence(const Komputer &host, const QString &word) const;
    bool reply() const { return !m_answerer.isEmpty(); }
    QString requester() const { return m_requester; }
    QString answerer() const { return m_answerer; }
    QString ip() const { return m_ip; }
    // A host that answers: for its own address, or from its ARP table.
    static QString answers(const QString &host, bool fromTable);
    // "Bilrun, Dovel and Wimse".
    static QString list(QStringList names);

private:
    QString m_requester;
    QString m_ip;
    // While the reply travels: the host that sent it.
    QString m_answerer;
    QString m_answererIP;
};
