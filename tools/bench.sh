#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Tolvane developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds Tolvane and its benchmarks in Release into build-bench/ and prints every figure beside
# its baseline with their ratio. It runs them on an X server of its own (Xvfb, black beneath
# the windows) with a D-Bus session bus, as a desktop has. Nothing here passes or fails on a time.
# Usage: tools/bench.sh [RUNS]   (RUNS start-ups of each program, 15 by default)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-bench"
runs=${1:-15}

if [ -z "${TOLVANE_BENCH_SERVER:-}" ]; then
    "$root/tools/deps.sh" bench
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTOLVANE_BENCH=ON \
        -DBUILD_TESTING=OFF >/dev/null
    nice -n 10 cmake --build "$build" -j1 \
        --target tolvane bench_simulation bench_emptywindow bench_startup
    # The warnings a root session without XDG_RUNTIME_DIR or a raised fd limit gives are noise.
    TOLVANE_BENCH_SERVER=1 exec xvfb-run -a -s "-screen 0 1280x1024x24 -br" \
        dbus-run-session -- "$root/tools/bench.sh" "$runs" \
        2> >(grep -Ev '^(QStandardPaths|dbus-daemon)' >&2)
fi
export QT_QPA_PLATFORM=xcb
unset QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_AUTO_SCREEN_SCALE_FACTOR
bench="$build/bench"

# compare WHAT VALUE BASELINE VALUE UNIT: one figure, its baseline and their ratio.
compare() {
    awk -v what="$1" -v a="$2" -v base="$3" -v b="$4" -v unit="$5" 'BEGIN {
        printf "  %-28s %9.4g %-3s  %-32s %9.4g %-3s  ratio %s\n", what, a, unit, base, b,
            unit, b ? sprintf("%.4g", a / b) : "-" }'
}

model=$(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//')
echo "Machine: $(nproc) cores, $model, $(free -g | awk '/^Mem:/ {print $2}') GiB memory;" \
    "load average $(cut -d' ' -f1-3 /proc/loadavg)"
echo

# A line each: command, median, fastest and slowest start-up (ms), median peak memory (MiB).
startup=$("$bench/bench_startup" "$runs" "$build/tolvane" "$bench/bench_emptywindow" \
    "$bench/bench_emptywindow --fonts")
mapfile -t rows <<<"$startup"
IFS=$'\t' read -r _ t tfast tslow tmem <<<"${rows[0]}"
IFS=$'\t' read -r _ e efast eslow emem <<<"${rows[1]}"
IFS=$'\t' read -r _ f ffast fslow fmem <<<"${rows[2]}"
echo "Start-up to the first frame drawn, median of $runs runs each:"
compare tolvane "$t" "empty window" "$e" ms
compare tolvane "$t" "window with the three fonts" "$f" ms
echo "  (fastest to slowest: tolvane $tfast-$tslow, empty window $efast-$eslow," \
    "window with the fonts $ffast-$fslow ms)"
echo "Peak resident memory, median of the same runs:"
compare tolvane "$tmem" "empty window" "$emem" MiB
compare tolvane "$tmem" "window with the three fonts" "$fmem" MiB

# Instructions, counted by valgrind's callgrind, which do not move with the machine's load. Each
# program runs once under callgrind; bench_startup --idle waits past its first frame until none
# of its threads has run for a second, its event loop idle, and then ends it with SIGTERM, whose
# default action kills it before it runs one more instruction of its own, and callgrind writes
# its counts as it dies: exec to the idle event loop, shutdown not included. Each thread is
# counted in files of its own, and the main thread's (-01) is cut after each
# QBackingStore::flush(), the call that hands a frame to the window system: its first part runs
# from exec to the first frame, the work that stands between a start and a window to look at.
# The profiles stay in build-bench/callgrind/ for callgrind_annotate.
profiles="$build/callgrind"
rm -rf "$profiles"
mkdir -p "$profiles"
echo
grind() {
    echo "$(command -v valgrind) --tool=callgrind --separate-threads=yes" \
        "--dump-after=QBackingStore::flush* --log-file=$profiles/$1.log" \
        "--callgrind-out-file=$profiles/$1.out $2"
}
"$bench/bench_startup" --idle "$(grind tolvane "$build/tolvane")" \
    "$(grind empty "$bench/bench_emptywindow")" \
    "$(grind fonts "$bench/bench_emptywindow --fonts")" >/dev/null
# millions NAME PARTS: the instructions of the profile's parts, in millions.
millions() { awk '/^totals:/ { n += $2 } END { print n / 1e6 }' "$profiles/$1".out$2; }
echo "Instructions (callgrind, one run each), exec to the first frame drawn, main thread:"
compare tolvane "$(millions tolvane .1-01)" "empty window" "$(millions empty .1-01)" M
compare tolvane "$(millions tolvane .1-01)" "window with the three fonts" "$(millions fonts .1-01)" M
echo "Exec to the idle event loop, all threads:"
compare tolvane "$(millions tolvane '*')" "empty window" "$(millions empty '*')" M
compare tolvane "$(millions tolvane '*')" "window with the three fonts" "$(millions fonts '*')" M

# At least 100 ms in each measurement, as its wall-clock time is counted in whole ms. The CSV:
# "function","row","metric",milliseconds per iteration,total,iterations.
csv=$("$bench/bench_simulation" -median 9 -minimumvalue 100 -csv | tr -d '"')
ms() { awk -F, -v f="$1" -v r="$2" '$1 == f && $2 == r { print $4 }' <<<"$csv"; }
echo
echo "A host's pause (Delay) beside the shown window, QBENCHMARK median of 9:"
compare "Delay, 1 pass" "$(ms pause 'Delay 1' | awk '{print $1 * 1e6}')" \
    "1 bare processEvents()" "$(ms pause 'bare 1' | awk '{print $1 * 1e6}')" ns
compare "Delay, 1000 passes" "$(ms pause 'Delay 1000' | awk '{print $1 * 1e3}')" \
    "1000 bare processEvents()" "$(ms pause 'bare 1000' | awk '{print $1 * 1e3}')" us
compare "Delay, 100000 (the default)" "$(ms pause 'Delay 100000')" \
    "100000 bare processEvents()" "$(ms pause 'bare 100000')" ms
word=$(ms pause 'Delay 100000')
echo "  so at the designed pace a word shows for $word ms, and the worked example's 21 words" \
    "for $(awk -v w="$word" 'BEGIN { printf "%.2f", 21 * w / 1000 }') s of pauses"
echo "One exchange, the worked example with a pause of 0 passes, QBENCHMARK median of 9:"
compare "exchange" "$(ms exchange '')" "one whole Delay, the default" \
    "$(ms pause 'Delay 100000')" ms
echo "One frame written to a capture and flushed (--capture, two an exchange), median of 9:"
compare "frame" "$(ms frame '' | awk '{print $1 * 1e3}')" "one exchange, pause of 0" \
    "$(ms exchange '' | awk '{print $1 * 1e3}')" us
echo "Page Up at the worked example's last word, to the word before on the screen, median of 21:"
compare "Page Up" "$(ms back '')" "one frame at 60 Hz" 16.7 ms
echo "The heap a timeline of 1000 exchanges (the worked example each) holds:"
compare "1000 exchanges" "$(ms timeline '' | awk '{print $1 / 1048576}')" \
    "tolvane's peak memory at start" "$tmem" MiB

# A process's time on a CPU (ns) and times run, summed over its threads from the kernel's
# schedstat (ns on a CPU, waiting, times run); idle() measures a window that stands shown.
schedstat() { awk '{ ns += $1; runs += $3 } END { print ns, runs }' /proc/"$1"/task/*/schedstat; }
# over PID SECONDS: the CPU time (ms) and the times run of PID's threads over the next SECONDS.
over() {
    local before after
    read -ra before <<<"$(schedstat "$1")"
    sleep "$2"
    read -ra after <<<"$(schedstat "$1")"
    echo "$(((after[0] - before[0]) / 1000))e-3 $((after[1] - before[1]))"
}
idle() {
    "$1" &
    local pid=$!
    sleep 2 # start-up's own late work is not idling
    over $pid 10
    kill $pid
    wait $pid || true
}
echo
echo "Idle for 10 s with the window shown:"
read -r tcpu twoken <<<"$(idle "$build/tolvane")"
read -r ecpu ewoken <<<"$(idle "$bench/bench_emptywindow")"
compare "tolvane, CPU time" "$tcpu" "empty window" "$ecpu" ms
compare "tolvane, times woken" "$twoken" "empty window" "$ewoken" ""

# Step by step, a word waits in the event loop for Page Down: the worked example's first word,
# left waiting for 5 s from just after Alt+B, against the designed pace over the same 5 s (its
# busy exchange, then idle).
waiting() {
    "$build/tolvane" "$@" &
    local pid=$! window
    window=$(xdotool search --sync --onlyvisible --pid $pid --name '^Tolvane$' | head -n1)
    sleep 1
    xdotool mousemove --window "$window" 110 60 click 1 key alt+b
    sleep 0.2
    over $pid 5
    kill $pid
    wait $pid || true
}
echo
echo "A word waiting 5 s for its step (--pace step), against the designed pace's exchange:"
read -r scpu swoken <<<"$(waiting --pace step)"
read -r dcpu dwoken <<<"$(waiting)"
compare "step waiting, CPU time" "$scpu" "designed pace, same 5 s" "$dcpu" ms
compare "step waiting, times woken" "$swoken" "designed pace, same 5 s" "$dwoken" ""
# At the predict pace the first word waits for the answer to "Which host will answer?".
echo "A question waiting 5 s for its answer (--pace predict), against the same:"
read -r pcpu pwoken <<<"$(waiting --pace predict)"
compare "question waiting, CPU time" "$pcpu" "designed pace, same 5 s" "$dcpu" ms
compare "question waiting, woken" "$pwoken" "designed pace, same 5 s" "$dwoken" ""
