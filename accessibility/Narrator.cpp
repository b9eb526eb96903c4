// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "accessibility/Narrator.h"

#include "accessibility/Announcer.h"
#include "exchange/Module1.h"
#include "host/Komputer.h"
#include "record/Recorder.h"
#include "window/fUtama.h"

Narrator::Narrator(fUtama &window, Pause &pause, const Recorder *recorder) : m_pause(pause)
{
    // To a reader the voices are notifications of a status bar, which it speaks without
    // naming the role before each sentence. The bar takes no room and no click.
    auto *bar = new NarrationBar(&window);
    bar->show(); // also when the window is already shown
    for (Announcer *&voice : m_voices)
        voice = new Announcer(bar);
    // What a reader says as the window opens, after its title: how to start, and at the predict
    // pace how to answer.
    QString start = tr("Choose a host with Tab and Space, type the address to find, then press "
                       "Alt+B. Shift+F10 on a host sets the pace.");
    if (predicting())
        start += u' ' + predictingSentence();
    window.setAccessibleDescription(start);

    connect(&window, &fUtama::propagationStarts, this, &Narrator::propagationStarts);
    connect(&window, &fUtama::propagationEnded, this, &Narrator::propagationEnded);
    connect(&window, &fUtama::hostChosen, this, [this](const Komputer &host) {
        say(tr("%1 has IP address %2 and MAC address %3, and its ARP table holds %4.")
                .arg(host.Nama(), host.IP(), host.MAC(), Komputer::entries(host.Jumlah())));
    });
    connect(&window, &fUtama::tableCleared, this, [this](const Komputer &host) {
        say(tr("%1's ARP table is cleared and holds %2.")
                .arg(host.Nama(), Komputer::entries(host.Jumlah())));
    });
    for (int i = 0; i < fUtama::HostCount; ++i) {
        const Komputer *host = &window.host(i);
        connect(host, &Komputer::WordFlashed, this,
                [this, host](const QString &word) { heard(*host, word); });
    }
    connect(&pause, &Pause::paceChanged, this, &Narrator::paceChanged);
    // Where a step gone back or forward to stands; its word's sentence follows.
    if (recorder)
        connect(recorder, &Recorder::goingTo, this, [this](int word, int words, bool back) {
            say(back ? tr("Back to step %1 of %2.").arg(word).arg(words)
                     : tr("On to step %1 of %2.").arg(word).arg(words));
            m_again = true;
        });
}

void Narrator::propagationStarts(const Komputer &origin, const ArpPacket &packet)
{
    m_pass.clear();
    m_story.starts(origin, packet);
    if (packet.Operation != 1)
        return;
    m_requester = &origin;
    m_ip = packet.TargetIP;
    // Run again up to a step, the request was told when it first set out.
    if (!std::exchange(m_again, false) && !predicting())
        say(tr("%1 broadcasts a request for %2.").arg(origin.Nama(), m_ip));
}

void Narrator::heard(const Komputer &host, const QString &word)
{
    if (stepByStep())
        say(m_story.sentence(host, word));
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

void Narrator::propagationEnded(const ArpPacket &packet)
{
    if (predicting()) {
        // Told by the verdicts.
    } else if (packet.Operation == 1) {
        if (!stepByStep())
            tellReceivers();
        tellAnswers();
    } else {
        // Every sentence is short, and without a colon or a semicolon, which a reader speaks:
        // the MAC alone takes five seconds.
        say(tr("The others saved MAC %1, and %2 now holds %3.")
                .arg(packet.TargetMAC, m_requester->Nama(),
                     Komputer::entries(m_requester->Jumlah())));
    }
    m_pass.clear();
}

// Every host but the requester received the request; saving its address says so.
void Narrator::tellReceivers()
{
    QStringList saved, had;
    for (const Reception &r : std::as_const(m_pass))
        (r.saved ? saved : had) << r.host;
    const QString requester = m_requester->Nama();
    if (had.isEmpty())
        say(tr("%1 saved %2's address.").arg(Story::list(saved), requester));
    else if (saved.isEmpty())
        say(tr("%1 already had %2's address.").arg(Story::list(had), requester));
    else
        say(tr("%1 saved %2's address, %3 already had it.")
                .arg(Story::list(saved), requester, Story::list(had)));
}

void Narrator::tellAnswers()
{
    QStringList answered;
    for (const Reception &r : std::as_const(m_pass)) {
        if (!r.answered)
            continue;
        answered << r.host;
        // Step by step, each answer was told as its host found the address.
        if (!stepByStep())
            say(Story::answers(r.host, r.fromTable));
    }
    if (answered.isEmpty())
        say(tr("No host has %1, so no answer comes.").arg(m_ip));
    else if (answered.size() > 1)
        say(tr("The last answer, from %1, is the one kept.").arg(answered.last()));
}

void Narrator::paceChanged(Pause::Pace pace)
{
    switch (pace) {
    case Pause::Pace::AsDesigned:
        say(tr("The exchange runs at its designed pace."));
        break;
    case Pause::Pace::Slow:
        say(tr("Slow motion, a second for every word."));
        break;
    case Pause::Pace::Step:
        say(tr("Step by step. Page Down shows the next word."));
        break;
    case Pause::Pace::Predict:
        say(predictingSentence());
        break;
    }
}

QString Narrator::predictingSentence()
{
    return tr("Predict, then watch. Answer each question with Y or N, or Page Down to skip it.");
}

void Narrator::say(const QString &sentence)
{
    // An exchange run again up to the word gone back to says nothing on the way.
    if (m_pause.skipping())
        return;
    m_voices[m_next]->say(sentence);
    m_next = (m_next + 1) % m_voices.size();
}
