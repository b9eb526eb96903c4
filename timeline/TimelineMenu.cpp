// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "timeline/TimelineMenu.h"

#include "timeline/TimelineWindow.h"

#include <QAction>
#include <QMenu>
#include <QScreen>

TimelineMenu::TimelineMenu(Recorder &recorder, QMenu *menu, QWidget *window)
    : m_recorder(recorder), m_beside(window)
{
    menu->addSeparator();
    QAction *show = menu->addAction(TimelineWindow::tr("Show the &timeline"));
    show->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
    m_replay = menu->addAction(TimelineWindow::tr("&Replay the last exchange"));
    m_replay->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    m_replay->setEnabled(recorder.canReplay());
    for (QAction *action : {show, m_replay}) {
        action->setShortcutContext(Qt::ApplicationShortcut);
        window->addAction(action);
    }
    connect(show, &QAction::triggered, this, &TimelineMenu::showWindow);
    connect(m_replay, &QAction::triggered, &recorder, &Recorder::replay);
    // With nothing to replay yet, the entry says so.
    connect(&recorder, &Recorder::added, m_replay,
            [this] { m_replay->setEnabled(m_recorder.canReplay()); });
}

TimelineMenu::~TimelineMenu() = default;

// Beside the simulation, right of it where the screen has the room, else left of it, as high
// as it and as wide as the room allows; over it where there is no room beside it.
void TimelineMenu::placeBeside()
{
    const QRect main = m_beside->frameGeometry();
    const QRect screen = m_beside->screen()->availableGeometry();
    const int frame = m_window->frameGeometry().width() - m_window->width();
    const int right = screen.right() - main.right() - frame;
    const int left = main.left() - screen.left() - frame;
    const int room = qMax(right, left);
    if (room < m_window->minimumSizeHint().width())
        return;
    m_window->resize(qMin(m_window->width(), room), m_beside->height());
    m_window->move(right >= left ? main.right() + 1 : main.left() - m_window->width() - frame,
                   main.top());
}

TimelineWindow *TimelineMenu::showWindow()
{
    if (!m_window) {
        m_window = std::make_unique<TimelineWindow>(m_recorder);
        // Closing the simulation ends the program, with the timeline open or not.
        m_window->setAttribute(Qt::WA_QuitOnClose, false);
        placeBeside();
    }
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
    return m_window.get();
}
