// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "host/Runtime.h"

namespace {

int g_delayPasses = Runtime::DefaultDelayPasses;
bool g_ending = false;
int g_exitCode = 0;
Runtime::PauseObserver g_pauseObserver;

} // namespace

int Runtime::delayPasses()
{
    return g_delayPasses;
}

void Runtime::setDelayPasses(int passes)
{
    g_delayPasses = passes;
}

bool Runtime::ending()
{
    return g_ending;
}

int Runtime::exitCode()
{
    return g_exitCode;
}

void Runtime::end(int exitCode)
{
    if (g_ending)
        return;
    g_ending = true;
    g_exitCode = exitCode;
}

void Runtime::setPauseObserver(PauseObserver observer)
{
    g_pauseObserver = std::move(observer);
}

void Runtime::pauseStarting(Komputer &host)
{
    if (g_pauseObserver)
        g_pauseObserver(host);
}

void Runtime::reset()
{
    g_delayPasses = DefaultDelayPasses;
    g_ending = false;
    g_exitCode = 0;
    g_pauseObserver = nullptr;
}
