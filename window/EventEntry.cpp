// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/EventEntry.h"

#include "pace/Pause.h"
#include "runtime/RuntimeError.h"
#include "window/MessageBox.h"

#include <QCoreApplication>
#include <QWidget>

EventEntry::EventEntry(QWidget *window, Pause &pause, MessageBox &messages)
    : m_window(window), m_pause(pause), m_messages(messages)
{
}

void EventEntry::run(const std::function<void()> &handler) const
{
    if (m_pause.ending())
        return;
    try {
        handler();
    } catch (const RuntimeError &error) {
        fail(error.name());
    } catch (const Unwind &) {
        // The program is already ending; the chain just stops here.
    } catch (const Rewound &) {
        // Whoever went back runs the exchange again, now that nothing of it is running.
        m_pause.unwound();
    } catch (const std::exception &error) {
        fail(QString::fromLocal8Bit(error.what()));
    }
}

void EventEntry::fail(const QString &error) const
{
    // Ending first means that every pause still running unwinds as soon as it resumes and
    // that no event delivered under the message starts a handler.
    m_pause.end(1);
    m_messages.show(m_window, MessageBox::Icon::Critical, QStringLiteral("Tolvane"),
                    QCoreApplication::translate("EventEntry", "Run-time error: %1").arg(error));
    QCoreApplication::exit(m_pause.exitCode());
    m_window->close();
}
