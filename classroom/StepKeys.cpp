// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "classroom/StepKeys.h"

#include "pace/Pause.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

StepKeys::StepKeys(Pause &pause) : m_pause(pause)
{
    connect(&pause, &Pause::paceChanged, this, &StepKeys::watch);
    watch();
}

void StepKeys::watch()
{
    if (m_pause.pace() == Pause::Pace::Step)
        QCoreApplication::instance()->installEventFilter(this);
    else
        QCoreApplication::instance()->removeEventFilter(this);
}

bool StepKeys::eventFilter(QObject *, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    // A held key would race through the exchange; a presentation remote sends single presses.
    if (key->isAutoRepeat() || (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return false;
    if (key->key() == Qt::Key_PageUp)
        return m_back && m_back();
    // Right moves the caret in the address box and the row in the table, so it steps elsewhere.
    const QWidget *focus = QApplication::focusWidget();
    const bool right = key->key() == Qt::Key_Right && !qobject_cast<const QLineEdit *>(focus) &&
                       !qobject_cast<const QAbstractItemView *>(focus);
    if ((key->key() != Qt::Key_PageDown && !right) || !m_pause.waitsForStep())
        return false;
    m_pause.step();
    return true;
}
