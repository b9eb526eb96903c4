// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/EventEntry.h"

#include "host/Runtime.h"
#include "host/RuntimeError.h"
#include "window/MessageBox.h"

#include <QCoreApplication>
#include <QWidget>

void EventEntry::run(QWidget *window, const std::function<void()> &handler)
{
    if (Runtime::ending())
        return;
    try {
        handler();
    } catch (const RuntimeError &error) {
        fail(window, error.name());
    } catch (const Unwind &) {
        // The program is already ending; the chain just stops here.
    } catch (const std::exception &error) {
        fail(window, QString::fromLocal8Bit(error.what()));
    }
}

void EventEntry::fail(QWidget *window, const QString &error)
{
    // Ending first means that every pause still running unwinds as soon as it resumes and
    // that no event delivered under the message starts a handler.
    Runtime::end(1);
    MessageBox::show(window, MessageBox::Icon::Critical, QStringLiteral("Tolvane"),
                     QCoreApplication::translate("EventEntry", "Run-time error: %1").arg(error));
    QCoreApplication::exit(Runtime::exitCode());
    if (window)
        window->close();
}
