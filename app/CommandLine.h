// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "pace/Pause.h"

#include <QString>

#include <variant>

// The command line is read before QApplication exists, because QApplication needs a display:
// --help, --version and a mistyped option are answered on a bare terminal too.
namespace CommandLine {

// What the window opens with.
struct Options
{
    Pause::Pace pace = Pause::Pace::AsDesigned;
};

// The exit status when the command line has been answered (--help, --version, a mistake), or
// the options the window opens with.
std::variant<int, Options> read(int argc, char *argv[]);

} // namespace CommandLine
