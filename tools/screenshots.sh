#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Tolvane developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Takes the README's screenshots, docs/screenshot-{start,exchange,message}.png, from the real
# program on an X server of its own (Xvfb), driven with xdotool.
# Usage: tools/screenshots.sh [BUILD_DIR]   (default: build-screenshots)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="${1:-$root/build-screenshots}"
"$root/tools/deps.sh" test

if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=ON
fi
cmake --build "$build" --target tolvane tolvane_screenshots
mkdir -p "$root/docs"
"$build/tests/e2e/tolvane_screenshots" "$root/docs"
if command -v optipng >/dev/null 2>&1; then
    optipng -quiet -o5 -strip all "$root"/docs/screenshot-{start,exchange,message}.png
fi
