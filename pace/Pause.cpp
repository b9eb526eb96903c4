// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "pace/Pause.h"

#include "runtime/RuntimeError.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>

#include <utility>

Pause::Pause(int designedPasses, QObject *parent)
    : QObject(parent), m_designedPasses(designedPasses)
{
}

void Pause::setPace(Pace pace)
{
    if (pace == m_pace)
        return;
    m_pace = pace;
    quitWaiting();
    Q_EMIT paceChanged(pace);
}

void Pause::wait()
{
    switch (m_pace) {
    case Pace::AsDesigned:
        passes();
        break;
    case Pace::Slow:
        waitFor(SlowWord);
        break;
    case Pace::Step:
        // Keys reach the filter before any control, so PageDown steps from every focus.
        m_stepWaiting = true;
        QCoreApplication::instance()->installEventFilter(this);
        waitFor(std::chrono::milliseconds::max());
        QCoreApplication::instance()->removeEventFilter(this);
        m_stepWaiting = false;
        break;
    }
    if (m_ending)
        throw Unwind();
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
    QEventLoop *outer = std::exchange(m_waiting, &loop);
    if (!m_ending)
        loop.exec();
    m_waiting = outer;
}

void Pause::quitWaiting()
{
    if (m_waiting)
        m_waiting->quit();
}

void Pause::step()
{
    if (m_stepWaiting)
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

bool Pause::eventFilter(QObject *, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    // A held key would race through the exchange; a presentation remote sends single presses.
    if (key->isAutoRepeat() || (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return false;
    // Right moves the caret in the address box and the row in the table, so it steps elsewhere.
    const QWidget *focus = QApplication::focusWidget();
    const bool right = key->key() == Qt::Key_Right && !qobject_cast<const QLineEdit *>(focus) &&
                       !qobject_cast<const QAbstractItemView *>(focus);
    if (key->key() != Qt::Key_PageDown && !right)
        return false;
    step();
    return true;
}
