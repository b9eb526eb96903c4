// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/WindowIcon.h"

#include "app/IconEngine.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWindow>

void WindowIcon::setAfterFirstFrame()
{
    qApp->installEventFilter(new WindowIcon(qApp));
}

bool WindowIcon::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::Expose)
        return false;
    const auto *window = qobject_cast<QWindow *>(watched);
    if (!window || !window->isExposed())
        return false;
    // The window draws its frame while it handles this event; a timer that is due at once fires
    // after that, at the event loop's next pass.
    qApp->removeEventFilter(this);
    QTimer::singleShot(0, this, [this] {
        QApplication::setWindowIcon(icon());
        deleteLater();
    });
    return false;
}

QIcon WindowIcon::icon()
{
    return QIcon(new IconEngine(QStringLiteral(":/share/icons/hicolor/%1x%1/apps/tolvane.png"),
                                {16, 32, 48, 64, 128, 256}));
}
