// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>

#include <functional>

class Pause;

// The keys of the step-by-step pace, those of a presentation remote: Page Down (and Right where
// that key moves nothing) shows the next word while one waits, Page Up goes back one word where
// going back is possible. They are watched, through a filter on the whole application so that
// they reach it before any control, only while the pace is step by step; everywhere else and
// otherwise they are the controls' keys.
class StepKeys : public QObject
{
    Q_OBJECT

public:
    explicit StepKeys(Pause &pause);
    // What Page Up does: true where it went back, so that the key goes no further.
    void setBack(std::function<bool()> back) { m_back = std::move(back); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void watch();

    Pause &m_pause;
    std::function<bool()> m_back;
};
