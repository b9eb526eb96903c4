// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include <functional>

class MessageBox;
class Pause;
class QWidget;

// Where window events enter the program's own code. A run-time error that ends a handler
// chain is shown here, naming the error, and the program ends; no exception ever reaches
// Qt's event dispatch. Once the program is ending, no further handler starts.
class EventEntry
{
public:
    EventEntry(QWidget *window, Pause &pause, MessageBox &messages);

    void run(const std::function<void()> &handler) const;

    // The same, bound for a connection: connect(button, &QPushButton::clicked, entry.bind(...)).
    template <typename Handler> auto bind(Handler handler) const
    {
        return [this, handler] { run(handler); };
    }

private:
    void fail(const QString &error) const;

    QWidget *m_window;
    Pause &m_pause;
    MessageBox &m_messages;
};
