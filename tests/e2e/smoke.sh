#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Tolvane developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The real program on a real X server (run under xvfb-run) with a real window manager, driven
# by real input from xdotool: a click selects host Tesu, Alt+B resolves 192.168.0.4, and the
# program ends with status 0 through "Exit" and through the window manager's close, the
# latter in the middle of an exchange.
set -euo pipefail
tolvane=$1
openbox --sm-disable 2>/dev/null &
wm=$!
trap 'kill "$wm"' EXIT

start() {
    "$tolvane" &
    pid=$!
    window=$(timeout 30 xdotool search --sync --onlyvisible --pid "$pid" --name '^Tolvane$' | head -n1)
    xdotool windowactivate --sync "$window"
}

# Pixels in the window: Tesu's screen, and the middle of "Exit".
click() { xdotool mousemove --window "$window" "$1" "$2" click 1; }
ended() { wait "$pid" && ! pgrep -s 0 -x tolvane; }

start
click 110 60
xdotool key --window "$window" alt+b
# A second Broadcast is ignored while the exchange runs; once it has ended, Tesu knows the
# address and the refusal opens a second window.
windows() { xdotool search --onlyvisible --pid "$pid" --name '^Tolvane$' | wc -l; }
for _ in $(seq 240); do
    [ "$(windows)" -ge 2 ] && break
    xdotool key alt+b
    sleep 0.5
done
[ "$(windows)" -ge 2 ]
xdotool key Return
sleep 1
xdotool windowactivate --sync "$window"
click 703 493
ended
echo "Exit: status 0"

start
click 110 60
xdotool key --window "$window" alt+b
sleep 1
wmctrl -i -c "$window"
ended
echo "Window manager close mid-exchange: status 0"
