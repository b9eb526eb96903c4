// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/MessageBox.h"

#include <QMessageBox>

void MessageBox::show(QWidget *parent, Icon icon, const QString &caption, const QString &text)
{
    const auto boxIcon =
        icon == Icon::Information ? QMessageBox::Information : QMessageBox::Critical;
    QMessageBox box(boxIcon, caption, text, QMessageBox::Ok, parent);
    box.exec();
}
