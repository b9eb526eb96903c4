// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/CommandLine.h"
#include "app/Translation.h"
#include "host/Runtime.h"
#include "window/GroupBoxFrame.h"
#include "window/WindowIcon.h"
#include "window/fUtama.h"

#include <QApplication>

#include <fontconfig/fontconfig.h>
#include <thread>

int main(int argc, char *argv[])
{
    if (const std::optional<int> status = CommandLine::answer(argc, argv))
        return *status;

    // Reading the fonts' configuration is a quarter of start-up's work. It runs on a second core
    // while Qt connects to the display, and is done before the window measures its first text.
    std::jthread fonts(FcInit);
    QApplication app(argc, argv);
    Translation::install(app);
    QApplication::setApplicationName(QStringLiteral("Tolvane"));
    QGuiApplication::setDesktopFileName(QStringLiteral("tolvane"));
    // One style everywhere, so the window looks as designed on every desktop.
    QApplication::setStyle(QStringLiteral("Fusion"));
    GroupBoxFrame::preload();
    WindowIcon::setAfterFirstFrame();

    fonts.join();
    fUtama window;
    if (Runtime::ending())
        return Runtime::exitCode();
    window.show();
    const int status = QApplication::exec();
    return Runtime::ending() ? Runtime::exitCode() : status;
}
