// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "pace/Pause.h"

#include <QString>

#include <functional>
#include <variant>

// The command line is read before QApplication exists, because QApplication needs a display:
// --help, --version and a mistyped option are answered on a bare terminal too.
namespace CommandLine {

// What the window opens with.
struct Options
{
    Pause::Pace pace = Pause::Pace::AsDesigned;
    // Where the exchange's frames are written, "-" for standard output; empty for nowhere.
    QString capture;
};

// The exit status when the command line has been answered (--help, --version, a mistake), or
// the options the window opens with.
std::variant<int, Options> read(int argc, char *argv[]);

// Refuses to start: the program's name and the message, read in the user's language, on
// standard error. Returns the exit status, 1.
int refuse(int argc, char *argv[], const std::function<QString()> &message);

} // namespace CommandLine
