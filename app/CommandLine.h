// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "pace/Pause.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <variant>

// The command line is read before QApplication exists, because QApplication needs a display:
// --help, --version and a mistyped option are answered on a bare terminal too. Qt's own options
// (-platform, -style, -name...) are left in place for QApplication to take.
namespace CommandLine {

// What the window opens with.
struct Options
{
    Pause::Pace pace = Pause::Pace::AsDesigned;
    // Where the exchange's frames are written, "-" for standard output; empty for nowhere.
    QString capture;
    // How much larger than designed the windows are drawn, for a projector; 1 leaves them be.
    double scale = 1;
    // The timeline window opens beside the simulation.
    bool timeline = false;
};

// A command line answered without a window: the text for standard output with status 0, or
// for standard error with any other status.
struct Answer
{
    int status = 0;
    QString text;
};

// What the arguments, the program's name first, ask for, in the language of the installed
// translator.
std::variant<Options, Answer> parse(const QStringList &arguments);

// A pace as the command line names it ("as-designed"), and the pace a name names.
QString nameOf(Pause::Pace pace);
std::optional<Pause::Pace> paceNamed(const QString &name);

// The exit status when the command line has been answered (in the user's language), or the
// options the window opens with.
std::variant<int, Options> read(int argc, char *argv[]);

// Refuses to start: the program's name and the message, read in the user's language, on
// standard error. Returns the exit status, 1.
int refuse(int argc, char *argv[], const std::function<QString()> &message);

} // namespace CommandLine
