// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "record/Story.h"

#include <QList>
#include <QObject>
#include <QStringList>

#include <optional>

struct ArpPacket;
class Komputer;
class Pause;
class fUtama;

// The questions of the predict pace. As a packet reaches a host, and before the host acts on
// it, the word it shows is held while the student says what it will do; once the request first
// arrives, also which host will answer. Each answer is judged by what the host then does: the
// words its own rules show as they run, read by the story that tells them. So a table changed
// while a question waits is judged by what the host did with it, and nothing here knows the
// rules. At any other pace, or with a question skipped, nothing is asked or counted.
class Quiz : public QObject
{
    Q_OBJECT

public:
    // What the student said: yes, no, a host's number from 1 (0 for none), or nothing.
    static constexpr int No = 0;
    static constexpr int Yes = 1;
    static constexpr int Skipped = -1;

    struct Question
    {
        // What the host does where the answer is yes; Receives for "Which host will answer?".
        Story::Act act = Story::Act::None;
        int host = 0;
        QString text;
        int said = Skipped;
    };

    Quiz(fUtama &window, Pause &pause);

    // The question on the screen, or null.
    const Question *waiting() const { return m_queue.isEmpty() ? nullptr : &m_queue.first(); }
    bool asksForHost() const { return waiting() && waiting()->act == Story::Act::Receives; }
    // Each answers the question on the screen where it is of that kind; false otherwise.
    bool say(bool yes);
    bool name(int host);
    bool skip();

    // The host the last question was about, the verdicts since the last answer, the score.
    int host() const { return m_host; }
    const QStringList &verdicts() const { return m_verdicts; }
    int right() const { return m_right; }
    int asked() const { return m_asked; }
    bool over() const { return m_over; }
    QString score() const;

Q_SIGNALS:
    // Each question as it is asked, each verdict, and the score at the end: what a reader hears.
    void told(const QString &sentence);
    // A question with the answer and the verdict, of the host it was about (-1 for the score).
    void noted(int host, const QString &note);
    // What the board shows has changed.
    void changed();

private:
    struct Answer
    {
        int host;
        bool fromTable;
    };

    void propagationStarts(const Komputer &origin, const ArpPacket &packet);
    void propagationEnded(const ArpPacket &packet);
    void heard(int host, const QString &word);
    void ask(int host, bool first);
    void answered(int said);
    void judge(Story::Act act);
    void judge(const Question &question, bool done, const QString &why);
    QString why(const Question &question, bool done) const;
    QString whoAnswered() const;
    QString nameOf(int host) const;
    void stop();
    bool predicting() const;

    fUtama &m_window;
    Pause &m_pause;
    Story m_story;
    QList<Question> m_queue;              // asked of the host receiving, the first on the screen
    QList<Question> m_pending;            // answered, waiting for what the host does
    std::optional<Question> m_whoAnswers; // answered, waiting for the request to end
    QList<Answer> m_answers;              // the hosts that answered the request, in order
    bool m_firstReception = false;
    int m_host = 0;
    QStringList m_verdicts;
    int m_right = 0;
    int m_asked = 0;
    bool m_over = false;
};
