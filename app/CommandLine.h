// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>

// The command line is read before QApplication exists, because QApplication needs a display:
// --help, --version and a mistyped option are answered on a bare terminal too.
namespace CommandLine {

// The exit status when the command line has been answered, or nothing when the window opens.
std::optional<int> answer(int argc, char *argv[]);

} // namespace CommandLine
