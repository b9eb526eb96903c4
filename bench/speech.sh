#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Tolvane developers
# SPDX-License-Identifier: GPL-3.0-or-later

# What a blind student hears of the built program with Orca 43 and espeak-ng at its default
# rate, measured from the sound itself, on a private headless desktop: Xvfb, a session bus with
# the AT-SPI registry, Openbox, PulseAudio with a null sink recorded by parec, speech-dispatcher
# and Orca. A benchmark that prints figures, not a test: nothing here passes or fails.
# Scenarios: worked (Space, Alt+B: how long the speech lasts, which notifications are spoken),
# reading (what Tab and Down arrow read), drops (Alt+H then Alt+B, EXCHANGES times). All three
# by default, in that order, on one run of the program. step (Space, Alt+B, then Page Down word
# by word, then Page Up three words back and Page Down three forward: how long after each key
# its sentence ends) runs alone, the program at --pace step; predict (Space, Alt+B, then each
# question of the worked example answered once heard: how long after each key the next question
# starts to be heard) runs alone, the program at --pace predict.
# --keep DIR keeps the recording (heard.raw: s16le, mono, 16 kHz) and the logs of Orca,
# speech-dispatcher, PulseAudio and the program in DIR.
# Usage: bench/speech.sh [worked|reading|drops|step|predict]... [--binary PATH] [--exchanges N]
#        [--keep DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
binary="$root/build/tolvane"
exchanges=20
keep=
scenarios=()
while [ $# -gt 0 ]; do
    case "$1" in
    worked | reading | drops | step | predict) scenarios+=("$1") ;;
    --binary) binary=$(realpath "$2") && shift ;;
    --exchanges) exchanges=$2 && shift ;;
    --keep) keep=$(realpath "$2") && shift ;;
    *)
        echo "usage: $0 [worked|reading|drops|step|predict]... [--binary PATH] [--exchanges N]" \
            "[--keep DIR]" >&2
        exit 2
        ;;
    esac
    shift
done
[ ${#scenarios[@]} -gt 0 ] || scenarios=(worked reading drops)
# The others need the designed pace, where an exchange runs without a key.
if [[ " ${scenarios[*]} " =~ " "(step|predict)" " && ${#scenarios[@]} -gt 1 ]]; then
    echo "step and predict run alone, on a program at their pace" >&2
    exit 2
fi
[ -x "$binary" ] || { echo "no program at $binary" >&2; exit 2; }
"$root/tools/deps.sh" speech

# Everything started below carries this run's directory in its environment, daemons included
# (the AT-SPI bus and registry that dbus-daemon starts): on every way out, the processes that
# carry it are ours and are stopped, each by its id.
run=$(mktemp -d /tmp/tolvane-speech.XXXXXX)
marker="TOLVANE_SPEECH_RUN=$run"
# shellcheck disable=SC2317 # called from the trap
ours() {
    local entry
    for entry in /proc/[0-9]*; do
        grep -qzxF "$marker" "$entry/environ" 2>/dev/null && echo "${entry#/proc/}"
    done
    return 0
}
# shellcheck disable=SC2317
finish() {
    local pids
    pids=$(ours)
    if [ -n "$pids" ]; then
        echo "(stopping what was left running: $(ps -o comm= -p "$(paste -sd, <<<"$pids")" |
            xargs))"
        # shellcheck disable=SC2086 # one id a word
        kill -TERM $pids 2>/dev/null || true
        for _ in 1 2 3 4 5 6; do
            sleep 0.5
            pids=$(ours)
            [ -n "$pids" ] || break
        done
        # shellcheck disable=SC2086
        [ -z "$pids" ] || kill -KILL $pids 2>/dev/null || true
    fi
    if [ -n "$keep" ]; then
        mkdir -p "$keep"
        cp "$run"/*.* "$keep"/ 2>/dev/null || true
        cp "$run"/speechd/*.log "$keep"/ 2>/dev/null || true
    fi
    rm -rf "$run"
}
trap finish EXIT
trap 'exit 130' INT TERM HUP

# Orca, speech-dispatcher and PulseAudio find each other, and nothing of this user's own, here.
mkdir -p "$run/home" "$run/runtime" && chmod 700 "$run/runtime"
export HOME="$run/home" XDG_RUNTIME_DIR="$run/runtime" XDG_CONFIG_HOME="$run/home/.config"
export XDG_DATA_HOME="$run/home/.local/share" XDG_CACHE_HOME="$run/home/.cache"
export PULSE_RUNTIME_PATH="$run/runtime/pulse" PULSE_SERVER="unix:$run/runtime/pulse/native"
export GSETTINGS_BACKEND=memory LANG=C.UTF-8 LC_ALL=C.UTF-8

echo "Heard through Orca $(orca --version), speech-dispatcher" \
    "$(dpkg-query -W -f='${Version}' speech-dispatcher), espeak-ng at its default rate;" \
    "program $binary"
echo "(started $(date '+%F %T'); load average $(cut -d' ' -f1-3 /proc/loadavg))"
echo
# A bound on the whole run, far above what each part takes (starting: half a minute; the worked
# example: a minute and a half; reading: three minutes; an exchange of the drops: one; step by
# step: three).
limit=300
for scenario in "${scenarios[@]}"; do
    case "$scenario" in
    worked) limit=$((limit + 300)) ;;
    reading) limit=$((limit + 600)) ;;
    drops) limit=$((limit + 180 * exchanges)) ;;
    step | predict) limit=$((limit + 600)) ;;
    esac
done
status=0
env "$marker" timeout -k 10 "$limit" xvfb-run -a -s "-screen 0 1280x1024x24" \
    dbus-run-session -- /usr/bin/python3 -u "$root/bench/speech.py" "$run" "$binary" \
    "$exchanges" "${scenarios[@]}" 2> >(grep -Ev '^(dbus-daemon|QStandardPaths|SpiRegistry)' >&2) ||
    status=$?
[ "$status" -eq 0 ] || echo "(the run ended with status $status)"

echo "The program's standard error (each line once, with its count):"
if [ -s "$run/tolvane.err" ]; then
    sort "$run/tolvane.err" | uniq -c | sort -rn | head -20
else
    echo "  (nothing)"
fi
modules=$(grep -o 'Module [a-z-]* started successfully' "$run/speechd/speech-dispatcher.log" \
    2>/dev/null | cut -d' ' -f2 | xargs)
echo "speech-dispatcher's output modules that started: ${modules:-(none)}"
exit "$status"
