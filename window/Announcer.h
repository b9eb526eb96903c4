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
