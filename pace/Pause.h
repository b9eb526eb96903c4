// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>

#include <chrono>

class QEventLoop;

// The pause a host makes after each word it shows, at the pace a class follows the exchange:
// as designed (a fixed number of passes of event processing, whose length depends on the
// machine), slow (a second a word on the clock), or step by step (until the user asks for the
// next word). Every pace handles the window's events while a word shows.
//
// It also knows when the program is ending: from then on a pause, running or new, unwinds the
// exchange around it (it throws Unwind), so nothing runs on after the window has gone.
class Pause : public QObject
{
    Q_OBJECT

public:
    enum class Pace
    {
        AsDesigned,
        Slow,
        Step
    };
    Q_ENUM(Pace)

    static constexpr int DesignedPasses = 100000;
    static constexpr std::chrono::milliseconds SlowWord{1000};

    // Tests give a shorter designed pause; the program keeps the designed one.
    explicit Pause(int designedPasses = DesignedPasses, QObject *parent = nullptr);

    Pace pace() const { return m_pace; }
    // A word that waits now ends its pause; the new pace holds from the next word.
    void setPace(Pace pace);

    // One word's pause at the current pace.
    void wait();
    // In step mode the next word comes on PageDown, or on Right where that key moves nothing.
    bool waitsForStep() const { return m_stepWaiting; }
    void step();

    bool ending() const { return m_ending; }
    int exitCode() const { return m_exitCode; }
    // The first call decides the exit code; later calls change nothing.
    void end(int exitCode);

Q_SIGNALS:
    void paceChanged(Pause::Pace pace);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void passes();
    void waitFor(std::chrono::milliseconds timeout);
    void quitWaiting();

    int m_designedPasses;
    Pace m_pace = Pace::AsDesigned;
    bool m_ending = false;
    int m_exitCode = 0;
    bool m_stepWaiting = false;
    QEventLoop *m_waiting = nullptr;
};
