// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "quiz/QuizKeys.h"

#include "pace/Pause.h"
#include "quiz/Quiz.h"

#include <QCoreApplication>
#include <QKeyEvent>

QuizKeys::QuizKeys(Quiz &quiz, Pause &pause) : m_quiz(quiz), m_pause(pause)
{
    connect(&pause, &Pause::paceChanged, this, &QuizKeys::watch);
    watch();
}

void QuizKeys::watch()
{
    if (m_pause.pace() == Pause::Pace::Predict)
        QCoreApplication::instance()->installEventFilter(this);
    else
        QCoreApplication::instance()->removeEventFilter(this);
}

bool QuizKeys::eventFilter(QObject *, QEvent *event)
{
    if (event->type() != QEvent::KeyPress || !m_quiz.waiting())
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    // Alt+B, Ctrl+T and the like stay the window's.
    if (key->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier))
        return false;
    const bool taken =
        key->key() == Qt::Key_PageDown || key->key() == Qt::Key_Y || key->key() == Qt::Key_N ||
        (key->key() >= Qt::Key_0 && key->key() <= Qt::Key_9) ||
        key->text().compare(tr("N", "the key that answers no"), Qt::CaseInsensitive) == 0;
    if (taken && !key->isAutoRepeat())
        answer(key->key());
    return taken;
}

void QuizKeys::answer(int key)
{
    if (key == Qt::Key_PageDown)
        m_quiz.skip();
    else if (key >= Qt::Key_0 && key <= Qt::Key_9)
        m_quiz.name(key - Qt::Key_0);
    else
        m_quiz.say(key == Qt::Key_Y);
}
