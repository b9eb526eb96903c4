// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>

#include <chrono>

class QEventLoop;

// The pause a host makes after each word it shows, at the pace a class follows the exchange:
// as designed (a fixed number of passes of event processing, whose length depends on the
// machine), slow (a fixed time a word on the clock), step by step (until something calls
// step()), or predicting: a word shows for the slow pace's time, and a word held for a question
// waits until the question has its answer. Every pace handles the window's events while a word
// shows.
//
// It also knows when the program is ending: from then on a pause, running or new, unwinds the
// exchange around it (it throws Unwind), so nothing runs on after the window has gone.
class Pause : public QObject
{
    Q_OBJECT

public:
    // The names the command line gives the paces are these, in lower case with dashes.
    enum class Pace
    {
        AsDesigned,
        Slow,
        Step,
        Predict
    };
    Q_ENUM(Pace)

    static constexpr int DesignedPasses = 100000;
    static constexpr std::chrono::milliseconds SlowWord{1000};

    // Tests give shorter pauses; the program keeps the designed ones.
    explicit Pause(int designedPasses = DesignedPasses,
                   std::chrono::milliseconds slowWord = SlowWord, QObject *parent = nullptr);

    Pace pace() const { return m_pace; }
    // A word that waits now ends its pause; the new pace holds from the next word.
    void setPace(Pace pace);

    // One word's pause at the current pace.
    void wait();
    // In step mode the word waits until step() is called.
    bool waitsForStep() const { return m_stepWaiting; }
    void step();
    // At the predict pace: the word showing, or the next, waits until release(), its question
    // answered. A change of pace or the program's end lets it go as well.
    void hold();
    void release();
    bool held() const { return m_held; }

    // Going back: the waiting word ends its pause by throwing Rewound, once its exchange has
    // unwound rewound() is sent, and the next `words` words of the exchange run again without
    // any pause, so that the one after them is where the exchange stands.
    void rewind();
    void skip(int words) { m_skip = words; }
    bool skipping() const { return m_skip > 0; }
    // Sent by the event entry once the exchange a rewind stopped has unwound.
    void unwound() { Q_EMIT rewound(); }

    bool ending() const { return m_ending; }
    int exitCode() const { return m_exitCode; }
    // The first call decides the exit code; later calls change nothing.
    void end(int exitCode);

Q_SIGNALS:
    void paceChanged(Pause::Pace pace);
    void rewound();

private:
    class StepWait;

    void passes();
    void waitFor(std::chrono::milliseconds timeout);
    void quitWaiting();

    int m_designedPasses;
    std::chrono::milliseconds m_slowWord;
    Pace m_pace = Pace::AsDesigned;
    bool m_ending = false;
    int m_exitCode = 0;
    bool m_stepWaiting = false;
    bool m_held = false;
    bool m_rewinding = false;
    int m_skip = 0;
    QEventLoop *m_waiting = nullptr;
};
