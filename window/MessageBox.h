// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

class QWidget;

// Every message the program shows goes through here: a modal box with one OK button. A test
// gives the window one that writes the message down instead of waiting for a click.
class MessageBox
{
public:
    enum class Icon
    {
        Information,
        Critical
    };

    virtual ~MessageBox() = default;

    virtual void show(QWidget *parent, Icon icon, const QString &caption, const QString &text);
};
