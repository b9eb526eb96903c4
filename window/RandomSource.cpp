// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/RandomSource.h"

#include <bit>
#include <cstdint>

void RandomSource::seed(float secondsSinceMidnight)
{
    // The seconds' bits, so that two seconds apart seed two different sequences.
    m_engine.seed(std::bit_cast<std::uint32_t>(secondsSinceMidnight));
}

float RandomSource::draw()
{
    // 24 random bits over 2^24: every value is exact in a float and 1 is never reached,
    // which a library float distribution does not promise.
    return static_cast<float>(m_engine() >> 8) * (1.0f / 16777216.0f);
}
