// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>

class Komputer;

// What every host's pause shares with the rest of the program: its length, and whether the
// program is ending. Once it is, the next pass of any running pause unwinds the exchange
// around it (see Unwind), so nothing runs on after the window has gone.
class Runtime
{
public:
    static constexpr int DefaultDelayPasses = 100000;

    static int delayPasses();
    // Tests shorten the pause; the program always keeps the default.
    static void setDelayPasses(int passes);

    static bool ending();
    static int exitCode();
    // The first call decides the exit code; later calls change nothing.
    static void end(int exitCode);

    // Tests watch each pause as it starts, to read what the hosts show at that moment.
    using PauseObserver = std::function<void(Komputer &)>;
    static void setPauseObserver(PauseObserver observer);
    static void pauseStarting(Komputer &host);

    // Back to the state of a fresh start, for tests that build several windows.
    static void reset();
};
