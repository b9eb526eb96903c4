// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "pace/Pause.h"

#include "runtime/RuntimeError.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QScopeGuard>
#include <QTimer>

#include <utility>

// Marks a word as waiting for its step for the life of the scope, also when an error unwinds it.
class Pause::StepWait
{
public:
    explicit StepWait(Pause &pause) : m_pause(pause) { m_pause.m_stepWaiting = true; }
    ~StepWait() { m_pause.m_stepWaiting = false; }
    StepWait(const StepWait &) = delete;
    StepWait &operator=(const StepWait &) = delete;

private:
    Pause &m_pause;
};

Pause::Pause(int designedPasses, std::chrono::milliseconds slowWord, QObject *parent)
    : QObject(parent), m_designedPasses(designedPasses), m_slowWord(slowWord)
{
}

void Pause::setPace(Pace pace)
{
    if (pace == m_pace)
        return;
    m_pace = pace;
    m_held = false;
    quitWaiting();
    Q_EMIT paceChanged(pace);
}

void Pause::wait()
{
    if (m_skip > 0) {
        --m_skip;
        return;
    }
    switch (m_pace) {
    case Pace::AsDesigned:
        passes();
        break;
    case Pace::Slow:
        waitFor(m_slowWord);
        break;
    case Pace::Step: {
        const StepWait waiting(*this);
        waitFor(std::chrono::milliseconds::max());
        break;
    }
    case Pace::Predict:
        waitFor(m_held ? std::chrono::milliseconds::max() : m_slowWord);
        break;
    }
    if (m_ending)
        throw Unwind();
    if (std::exchange(m_rewinding, false))
        throw Rewound();
}

void Pause::passes()
{
    // The counter is a float, as designed: every whole number up to the default is exact.
    const auto count = static_cast<float>(m_designedPasses);
    for (float counter = 0; counter < count; counter += 1) {
        QCoreApplication::processEvents();
        if (m_ending)
            throw Unwind();
    }
}

void Pause::waitFor(std::chrono::milliseconds timeout)
{
    // Blocks in the event loop: a waiting word costs no processor time, and every event is
    // handled as in the designed pause.
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    if (timeout != std::chrono::milliseconds::max())
        timer.start(timeout);
    // A wait inside a wait (a handler run from the outer one) is the one a step or a pace
    // change ends; the outer one is current again once it returns, whichever way.
    QEventLoop *outer = std::exchange(m_waiting, &loop);
    const auto restore = qScopeGuard([this, outer] { m_waiting = outer; });
    if (!m_ending)
        loop.exec();
}

void Pause::quitWaiting()
{
    if (m_waiting)
        m_waiting->quit();
}

void Pause::rewind()
{
    if (!m_stepWaiting)
        return;
    m_rewinding = true;
    quitWaiting();
}

void Pause::step()
{
    if (m_stepWaiting)
        quitWaiting();
}

void Pause::hold()
{
    if (m_pace == Pace::Predict)
        m_held = true;
}

void Pause::release()
{
    if (std::exchange(m_held, false))
        quitWaiting();
}

void Pause::end(int exitCode)
{
    if (m_ending)
        return;
    m_ending = true;
    m_exitCode = exitCode;
    quitWaiting();
}
