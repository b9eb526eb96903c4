// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <random>

// The program's one source of random draws: uniform single-precision values in [0, 1),
// seeded once at start-up. Tests replace draw() to feed chosen values.
class RandomSource
{
public:
    virtual ~RandomSource() = default;

    virtual void seed(float secondsSinceMidnight);
    virtual float draw();

private:
    std::mt19937 m_engine;
};
