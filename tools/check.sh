#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Tolvane developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds Tolvane warning-free and runs every test; then builds it again with AddressSanitizer
# (leak detection on) and UndefinedBehaviorSanitizer and runs every test once more, failing on
# any report.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/deps.sh" test

build="$root/build-check"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTOLVANE_WERROR=ON
cmake --build "$build"
ctest --test-dir "$build" --output-on-failure --timeout 600

# The sanitizers reach the real binary too: the tests that start tolvane start this build's.
asan="$root/build-check-asan"
cmake -S "$root" -B "$asan" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTOLVANE_WERROR=ON \
    -DTOLVANE_SANITIZE=ON -DTOLVANE_BENCH=OFF
cmake --build "$asan"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 LSAN_OPTIONS="suppressions=$root/tools/lsan.supp:print_suppressions=0" \
    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir "$asan" --output-on-failure --timeout 900
