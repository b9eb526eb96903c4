// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/Narrator.h"

#include "host/Komputer.h"
#include "window/Announcer.h"

#include <QWidget>

Narrator::Narrator(QWidget *window) : QObject(window)
{
    // To a reader the voices are notifications of a status bar, which it speaks without
    // naming the role before each sentence. The bar takes no room and no click.
    auto *bar = new QWidget(window);
    bar->setObjectName(QStringLiteral("Narration"));
    bar->setGeometry(0, 0, 0, 0);
    for (Announcer *&voice : m_voices)
        voice = new Announcer(bar);
}

void Narrator::requestStarts(const Komputer &requester, const QString &ip)
{
    m_requester = requester.Nama();
    m_ip = ip;
    m_pass.clear();
    say(tr("%1 broadcasts a request for %2.").arg(m_requester, ip));
}

void Narrator::heard(const Komputer &host, const QString &word)
{
    if (word == Komputer::Receiving) {
        m_pass.append({host.Nama()});
    } else if (m_pass.isEmpty()) {
        // A word outside an exchange's pass tells nothing of it.
    } else if (word == Komputer::Saved) {
        ++m_pass.last().saved;
    } else if (word == Komputer::Found) {
        m_pass.last().answered = true;
        // A host answers for its own address first, from its table otherwise.
        m_pass.last().fromTable = host.IP() != m_ip;
    }
}

void Narrator::requestEnded()
{
    tellReceivers();
    tellAnswers();
    m_pass.clear();
}

// Every host but the requester received the request; saving its address says so.
void Narrator::tellReceivers()
{
    QStringList saved, had;
    for (const Reception &r : std::as_const(m_pass))
        (r.saved ? saved : had) << r.host;
    if (had.isEmpty())
        say(tr("%1 saved %2's address.").arg(list(saved), m_requester));
    else if (saved.isEmpty())
        say(tr("%1 already had %2's address.").arg(list(had), m_requester));
    else
        say(tr("%1 saved %2's address, %3 already had it.")
                .arg(list(saved), m_requester, list(had)));
}

void Narrator::tellAnswers()
{
    QStringList answered;
    for (const Reception &r : std::as_const(m_pass)) {
        if (!r.answered)
            continue;
        answered << r.host;
        say(r.fromTable ? tr("%1 answers from its ARP table.").arg(r.host)
                        : tr("%1 has that address and answers.").arg(r.host));
    }
    if (answered.isEmpty())
        say(tr("No host has %1, so no answer comes.").arg(m_ip));
    else if (answered.size() > 1)
        say(tr("The last answer, from %1, is the one kept.").arg(answered.last()));
}

void Narrator::replyEnded(const QString &mac, const Komputer &requester)
{
    // The answer travels to every host but the one that sent it, as the request did.
    m_pass.clear();
    // Every sentence is short, and without a colon or a semicolon, which a reader speaks: the
    // MAC alone takes five seconds.
    say(tr("The others saved MAC %1, and %2 now holds %3.")
            .arg(mac, requester.Nama(), Komputer::entries(requester.Jumlah())));
}

void Narrator::cleared(const Komputer &host)
{
    say(tr("%1's ARP table is cleared and holds %2.")
            .arg(host.Nama(), Komputer::entries(host.Jumlah())));
}

void Narrator::selected(const Komputer &host)
{
    say(tr("%1 has IP address %2 and MAC address %3, and its ARP table holds %4.")
            .arg(host.Nama(), host.IP(), host.MAC(), Komputer::entries(host.Jumlah())));
}

QString Narrator::list(QStringList names)
{
    if (names.size() < 2)
        return names.value(0);
    const QString last = names.takeLast();
    return tr("%1 and %2").arg(names.join(tr(", ")), last);
}

void Narrator::say(const QString &sentence)
{
    m_voices[m_next]->say(sentence);
    m_next = (m_next + 1) % m_voices.size();
}
