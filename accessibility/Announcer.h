// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QWidget>

// One voice for what a screen reader should say without anything moving the focus: a
// sentence of the narration. It takes no room, no click and no focus, so nothing on the
// screen changes; to a reader it is a notification.
class Announcer : public QWidget
{
    Q_OBJECT

public:
    explicit Announcer(QWidget *parent = nullptr);

    void say(const QString &text);
};

// Where the voices sit: to a reader a status bar, whose notifications it speaks without naming
// the role first. It takes no room and no click.
class NarrationBar : public QWidget
{
    Q_OBJECT

public:
    explicit NarrationBar(QWidget *parent) : QWidget(parent) { setGeometry(QRect()); }
};
