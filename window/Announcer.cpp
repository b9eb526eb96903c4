// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/Announcer.h"

#include <QAccessible>

Announcer::Announcer(QWidget *parent) : QWidget(parent)
{
    // No room means no paint and no click; a plain widget takes no focus. It shows only to speak.
    setGeometry(0, 0, 0, 0);
    hide();
}

void Announcer::say(const QString &text)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    setAccessibleName(text);
    QAccessibleAnnouncementEvent event(this, text);
    QAccessible::updateAccessibility(&event);
#else
    // Before Qt 6.8 there is no announcement; a reader speaks a notification as it appears.
    hide();
    setAccessibleName(text);
    show();
#endif
}
