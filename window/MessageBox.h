// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include <functional>

class QWidget;

// Every message the program shows goes through here, so that a test can take the message
// instead of a modal box that would wait for a click.
class MessageBox
{
public:
    enum class Icon
    {
        Information,
        Critical
    };
    using Recorder = std::function<void(Icon, const QString &caption, const QString &text)>;

    static void show(QWidget *parent, Icon icon, const QString &caption, const QString &text);
    // With a recorder set, messages go to it and no box is shown; an empty one restores boxes.
    static void setRecorder(Recorder recorder);
};
