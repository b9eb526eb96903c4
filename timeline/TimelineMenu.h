// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>

#include <memory>

class QAction;
class QMenu;
class QWidget;
class Recorder;
class TimelineWindow;

// The timeline's entries at the end of a menu, "Show the timeline" and "Replay the last
// exchange", with their keys (Ctrl+T, Ctrl+R) taken from any focus in the program. The window
// itself is built the first time it is asked for, so a run that never opens it never pays for it.
class TimelineMenu : public QObject
{
    Q_OBJECT

public:
    TimelineMenu(Recorder &recorder, QMenu *menu, QWidget *window);
    ~TimelineMenu() override;

    TimelineWindow *showWindow();
    QAction *replayAction() const { return m_replay; }

private:
    void placeBeside();

    Recorder &m_recorder;
    QWidget *m_beside;
    QAction *m_replay;
    std::unique_ptr<TimelineWindow> m_window;
};
