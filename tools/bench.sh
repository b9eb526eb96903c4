#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Tolvane developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds Tolvane and its benchmarks in Release and runs every benchmark under a private Xvfb,
# printing each figure beside its baseline. Nothing here passes or fails on a time.
# Usage: tools/bench.sh [RUNS]   (RUNS alternated start-ups of each program, 15 by default)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-15}
"$root/tools/deps.sh" bench

build="$root/build-bench"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTOLVANE_BENCH=ON >/dev/null
cmake --build "$build" --target tolvane bench_emptywindow bench_delay bench_exchange bench_launch

# A server of our own, black beneath the windows (-br), which is what lets the start-up
# benchmark see a window's first painted frame.
displayfile=$(mktemp)
Xvfb -displayfd 5 -screen 0 1280x1024x24 -br -nolisten tcp 5>"$displayfile" 2>/dev/null &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null; rm -f "$displayfile"' EXIT
for _ in $(seq 100); do
    [ -s "$displayfile" ] && break
    sleep 0.05
done
export DISPLAY=":$(head -n1 "$displayfile")"
export QT_QPA_PLATFORM=xcb
unset QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_AUTO_SCREEN_SCALE_FACTOR
quiet() { "$@" 2> >(grep -v '^QStandardPaths:' >&2); }

echo "Machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//'),"\
" $(free -g | awk '/^Mem:/ {print $2}') GiB memory; load average now $(cut -d' ' -f1-3 /proc/loadavg)"
echo "Display $DISPLAY (Xvfb 1280x1024x24), Qt platform xcb"
echo
quiet "$build/bench/bench_launch" startup "$runs" "$build/tolvane" "$build/bench/bench_emptywindow" \
    "$build/bench/bench_emptywindow --text"
echo
quiet "$build/bench/bench_delay" 7
echo
quiet "$build/bench/bench_exchange" 300
echo
quiet "$build/bench/bench_launch" idle 10 "$build/tolvane"
