// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "pace/Pause.h"
#include "record/Story.h"

#include <QObject>
#include <QStringList>

#include <array>

struct ArpPacket;
class Announcer;
class Komputer;
class Recorder;
class fUtama;

// Tells a screen reader what an exchange does, each sentence once the step it tells has shown
// on the screen. At the designed and the slow pace a few sentences tell a whole pass: who asks,
// who saved the requester, who answers, what the requester's table holds. Step by step, where
// the student sets the pace and nothing queues up, each word a host shows is told as it shows.
// At the predict pace it tells only what is told to it: the questions and the verdicts.
// The sentences are built from what the window and its hosts say they do, so they tell what
// happened, also when a click during a pause changes the course of the exchange.
class Narrator : public QObject
{
    Q_OBJECT

public:
    // Listens to the window, its hosts, the pause and, where there is one, what takes an
    // exchange back; the voices are children of the window.
    Narrator(fUtama &window, Pause &pause, const Recorder *recorder = nullptr);

    // A sentence of another's, as the predict pace's questions and verdicts.
    void tell(const QString &sentence) { say(sentence); }

private:
    // One host's part in a pass, in the order the hosts received.
    struct Reception
    {
        QString host;
        int saved = 0;
        bool answered = false;
        bool fromTable = false;
    };

    void propagationStarts(const Komputer &origin, const ArpPacket &packet);
    void propagationEnded(const ArpPacket &packet);
    void heard(const Komputer &host, const QString &word);
    void paceChanged(Pause::Pace pace);
    void tellReceivers();
    void tellAnswers();
    void say(const QString &sentence);
    static QString predictingSentence();
    bool stepByStep() const { return m_pause.pace() == Pause::Pace::Step; }
    // At the predict pace the questions and their verdicts tell the exchange.
    bool predicting() const { return m_pause.pace() == Pause::Pace::Predict; }

    Pause &m_pause;
    // Each sentence shows a voice of its own, so that a reader that has fallen behind takes
    // two sentences in a row for two events, never for one repeated; eight sentences go by
    // before a voice speaks again.
    std::array<Announcer *, 8> m_voices{};
    size_t m_next = 0;
    // The host that asked, kept for the last sentence whatever is selected by then.
    const Komputer *m_requester = nullptr;
    QString m_ip;
    Story m_story;
    bool m_again = false;
    QList<Reception> m_pass;
};
