// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "exchange/Module1.h"
#include "host/ArpTable.h"
#include "record/Story.h"
#include "window/fUtama.h"

#include <QList>
#include <QObject>

#include <array>

class Pause;

// The lesson's memory: every step of every exchange of the run, with the packet in flight and
// every host's ARP table right after it, told from what the window and its hosts say they do.
// It also takes the last exchange back to any of its words, and replays it, by putting the
// tables back as they were before it and running it again through the window's own broadcast
// and the hosts' own rules: the words before the one gone back to run again without a pause,
// a table cleared during the exchange is cleared again at the same word, and nothing is sent
// again that was sent before.
class Recorder : public QObject
{
    Q_OBJECT

public:
    using Tables = std::array<QList<ArpEntry>, fUtama::HostCount>;

    struct Step
    {
        int host = 0;
        // The word the host showed; empty for its table cleared with Hapus Entri.
        QString word;
        QString sentence;
        ArpPacket packet; // in flight
        Tables after;     // as the next step began, or as the exchange ended
        // The entry the step added or changed (host, entry from 1), or none (-1, 0).
        int changedHost = -1;
        int changedEntry = 0;
        int selected = 0; // the host whose table the window listed
        // At the predict pace: each question asked of it with the answer given and the verdict.
        QStringList notes;
    };

    enum class Outcome
    {
        Running,
        Answered,
        NoAnswer,
        Refused, // Broadcast for an address the requester's table holds
        Cleared  // Hapus Entri between exchanges
    };

    struct Exchange
    {
        int requester = 0; // or the host whose table was cleared
        QString ip;
        Outcome outcome = Outcome::Running;
        QString answerer; // the host whose answer was kept
        Tables before;
        ArpPacket packetBefore;
        int selectedBefore = 0;
        QList<Step> steps;
        int sent = 0; // the packets of it that have set out
    };

    Recorder(fUtama &window, Pause &pause);

    const QList<Exchange> &exchanges() const { return m_exchanges; }
    const fUtama &window() const { return m_window; }
    // The words among the steps, those of a table cleared aside.
    static int words(const QList<Step> &steps);
    static Tables tablesOf(const fUtama &window);

    // Page Up at the step-by-step pace: back one word of the last exchange while it waits, or
    // to its last word once it has ended. False where there is nowhere to go back to.
    bool back();
    // To the word of row `step` of the last exchange, at the step-by-step pace.
    bool goTo(int exchange, int step);
    // The last exchange again from the tables it started with, at the pace in force; ignored
    // while an exchange runs.
    bool replay();
    bool canReplay() const;
    bool running() const { return m_running; }
    // Notes the last exchange's last step of `host`, or its last step for -1.
    void note(int host, const QString &text);

Q_SIGNALS:
    // A row: an exchange's heading (step -1), or a step of it.
    void added(int exchange, int step);
    // The rows of the exchange from `step` on are gone: its course changed where it was.
    void removed(int exchange, int step);
    void outcomeKnown(int exchange);
    // The exchange is run again up to word `word` of `words`, back from where it stood or not.
    void goingTo(int word, int words, bool back);
    void noted(int exchange, int step);
    // A packet of an exchange sets out for the first time.
    void sent(const ArpPacket &packet);

private:
    void propagationStarts(const Komputer &origin, const ArpPacket &packet);
    void propagationEnded(const ArpPacket &packet);
    void heard(int host, const QString &word);
    void cleared(const Komputer &host);
    void refused(const Komputer &host, const QString &ip);
    void add(Exchange exchange);
    void add(Step step);
    void settleLast();
    int indexOf(const Komputer &host) const;
    Tables snapshot(const Tables &previous) const;
    const Tables &latest() const;
    int rowOfWord(int word) const;
    void clearAgain();
    bool go(int word);
    void restart();
    void restore(const Exchange &exchange);

    fUtama &m_window;
    Pause &m_pause;
    QList<Exchange> m_exchanges;
    Story m_story;
    bool m_running = false;
    // Running again an exchange already recorded: its steps are walked, not added.
    bool m_again = false;
    int m_word = 0;        // the number of the last exchange's word on the screen
    int m_propagation = 0; // of the exchange running: 0 the request, 1 the reply
    int m_target = 0;      // the word gone to
    bool m_backwards = false;
    int m_selected = 0;
};
