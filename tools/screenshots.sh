#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Tolvane developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Takes the README's screenshots, docs/screenshot-{start,exchange,message,timeline,predict}.png,
# from the real program on an X server of its own (xvfb-run), driven with xdotool and read with
# ImageMagick.
# Usage: tools/screenshots.sh [BUILD_DIR]   (default: build-screenshots)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="${1:-$root/build-screenshots}"
"$root/tools/deps.sh" docs
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" --target tolvane
mkdir -p "$root/docs"

# Runs inside xvfb-run: the window as it starts, Tesu resolving 192.168.0.4 while Wimse shows
# "Found!", and the refusal of a second Broadcast. (A string, not an exported function: the
# /bin/sh of xvfb-run drops those.)
shoot='
    "$1" &
    window=$(xdotool search --sync --onlyvisible --name "^Tolvane$" | head -n1)
    eval "$(xdotool getwindowgeometry --shell "$window")"
    take() { import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$2/$1"; }
    sleep 0.5
    take screenshot-start.png "$2"
    xdotool mousemove --window "$window" 110 60 click 1 key alt+b
    sleep "${TOLVANE_FOUND_AFTER:-1.2}" # tune to catch Wimse's "Found!"
    take screenshot-exchange.png "$2"
    sleep 10
    xdotool key alt+b
    sleep 0.5
    take screenshot-message.png "$2"
    kill %1
'
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c "$shoot" shoot "$build/tolvane" "$root/docs"

# The timeline beside the window, on a screen with room for both, its row for Wimse's "Found!"
# chosen: the packet in flight and the tables after it.
timeline='
    openbox --sm-disable >/dev/null 2>&1 &
    sleep 1
    "$1" --timeline &
    window=$(xdotool search --sync --onlyvisible --name "^Tolvane$" | head -n1)
    steps=$(xdotool search --sync --onlyvisible --name "^Tolvane Timeline$" | head -n1)
    sleep 0.5
    xdotool mousemove --window "$window" 110 60 click 1 key alt+b
    sleep 3
    xdotool windowactivate --sync "$steps" key Down Down Down Down Down Down Down
    sleep 0.5
    # Both windows with their frames, xdotool giving a framed window a Y some 20 pixels low.
    eval "$(xdotool getwindowgeometry --shell "$steps")"
    left=$((X - 4)) top=$((Y - 48)) bottom=$((Y + HEIGHT + 4))
    eval "$(xdotool getwindowgeometry --shell "$window")"
    top=$((Y - 48 < top ? Y - 48 : top)) bottom=$((Y + HEIGHT + 4 > bottom ? Y + HEIGHT + 4 : bottom))
    import -window root -crop "$((X + WIDTH + 4 - left))x$((bottom - top))+${left}+${top}" \
        +repage "$2/screenshot-timeline.png"
    kill %2
'
xvfb-run -a -s "-screen 0 1920x1080x24" bash -c "$timeline" shoot "$build/tolvane" "$root/docs"

# A question at the predict pace: Tesu asks, "4" says Wimse will answer, Bilrun is said to save
# Tesu's address (right) and to answer (wrong); Dovel is asked next, both verdicts beside it.
predict='
    "$1" --pace predict &
    window=$(xdotool search --sync --onlyvisible --name "^Tolvane$" | head -n1)
    eval "$(xdotool getwindowgeometry --shell "$window")"
    sleep 0.5
    xdotool mousemove --window "$window" 110 60 click 1 key alt+b
    for key in 4 y y; do sleep 0.5; xdotool key "$key"; done
    sleep 1.5
    import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$2/screenshot-predict.png"
    kill %1
'
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c "$predict" shoot "$build/tolvane" "$root/docs"
