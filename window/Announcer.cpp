// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/Announcer.h"

Announcer::Announcer(QWidget *parent) : QWidget(parent)
{
    // No room means no paint and no click; a plain widget takes no focus. It shows only to speak.
    setGeometry(0, 0, 0, 0);
    hide();
}

void Announcer::say(const QString &text)
{
    // A reader speaks a notification as it appears, on every Qt version and every reader
    // that this program is heard through.
    hide();
    setAccessibleName(text);
    show();
}
