// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include <functional>

class QWidget;

// Where window events enter the program's own code. A run-time error that ends a handler
// chain is shown here, naming the error, and the program ends; no exception ever reaches
// Qt's event dispatch. Once the program is ending, no further handler starts.
class EventEntry
{
public:
    static void run(QWidget *window, const std::function<void()> &handler);

    // The same, bound for a connection: connect(button, &QPushButton::clicked,
    // EventEntry::bind(...)).
    template <typename Handler> static auto bind(QWidget *window, Handler handler)
    {
        return [window, handler] { run(window, handler); };
    }

private:
    static void fail(QWidget *window, const QString &error);
};
