// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "accessibility/Announcer.h"

#include <QAccessible>

Announcer::Announcer(QWidget *parent) : QWidget(parent)
{
    // No room means no paint and no click; a plain widget takes no focus. It shows when it first
    // speaks.
    setGeometry(QRect());
    hide();
}

void Announcer::say(const QString &text)
{
    // A reader speaks a notification as it appears, on every Qt version and every reader
    // that this program is heard through. The voice shows once and then stays, telling again
    // that it appears: each show and hide of a widget makes Qt ask the X server where the
    // pointer is, a round trip for every sentence.
    setAccessibleName(text);
    if (isHidden()) {
        show();
        return;
    }
    QAccessibleEvent appears(this, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&appears);
}
