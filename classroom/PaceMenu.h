// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>

class Pause;
class QMenu;
class QWidget;

// The pace chosen in the window: a context menu on an area (a right click there, or the Menu key
// or Shift+F10 with the focus inside it) holding the four paces as one checkable group. A
// choice lasts for the run; nothing of the area changes until the menu is opened. The menu
// belongs to the area; this object, which makes the connections, to whoever creates it.
class PaceMenu : public QObject
{
    Q_OBJECT

public:
    PaceMenu(Pause &pause, QWidget *area);

    QMenu *menu() const { return m_menu; }

private:
    void popUp(const QPoint &globalPosition);

    QMenu *m_menu;
};
