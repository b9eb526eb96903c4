// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>

class Pause;

// The keys that step a word waiting at the step-by-step pace: Page Down (the "next" button of
// a presentation remote) from any focus, and Right where that key moves nothing. They are
// watched only while a word waits, through a filter on the whole application, so that they
// reach it before any control.
class StepKeys : public QObject
{
    Q_OBJECT

public:
    explicit StepKeys(Pause &pause);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    Pause &m_pause;
};
