// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QIcon>
#include <QObject>

// The program's icon, in every size the desktop's icon theme has it (16 to 256 pixels), for the
// application and so for each of its windows. It is given just after the first window the
// program shows has drawn its first frame: reading six pictures and handing them to the window
// system before that would only hold the window back, and a window manager shows the icon as
// soon as it arrives.
class WindowIcon : public QObject
{
    Q_OBJECT

public:
    static void setAfterFirstFrame();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    using QObject::QObject;
    static QIcon icon();
};
