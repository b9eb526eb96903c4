// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/MessageBox.h"

#include <QMessageBox>

namespace {

MessageBox::Recorder g_recorder;

} // namespace

void MessageBox::show(QWidget *parent, Icon icon, const QString &caption, const QString &text)
{
    if (g_recorder) {
        g_recorder(icon, caption, text);
        return;
    }
    const auto boxIcon =
        icon == Icon::Information ? QMessageBox::Information : QMessageBox::Critical;
    QMessageBox box(boxIcon, caption, text, QMessageBox::Ok, parent);
    box.exec();
}

void MessageBox::setRecorder(Recorder recorder)
{
    g_recorder = std::move(recorder);
}
