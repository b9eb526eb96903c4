#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Tolvane developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Regenerates the program's PNG pictures and application icons from their SVG sources.
# Needs rsvg-convert (librsvg2-bin); uses optipng, if installed, to make the PNGs smaller.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
pictures="$root/host/pictures"
icons="$root/share/icons"

command -v rsvg-convert >/dev/null 2>&1 || {
    echo "render-pictures.sh: rsvg-convert not found (apt-get install librsvg2-bin)" >&2
    exit 1
}

shrink() {
    if command -v optipng >/dev/null 2>&1; then
        optipng -quiet -o5 -strip all "$1"
    fi
}

# render SVG PNG ZOOM [BACKGROUND]
render() {
    local svg="$1" png="$2" zoom="$3" background="${4:-}"
    local args=(--zoom="$zoom" --format=png --output="$png")
    if [[ -n "$background" ]]; then
        args+=(--background-color="$background")
    fi
    rsvg-convert "${args[@]}" "$svg"
    shrink "$png"
    echo "wrote ${png#"$root"/}"
}

# The computer is drawn on an opaque white canvas; the lit screen is opaque too.
render "$pictures/komputer.svg" "$pictures/komputer.png"    1 white
render "$pictures/komputer.svg" "$pictures/komputer@2x.png" 2 white
render "$pictures/nyala.svg"    "$pictures/nyala.png"       1 white
render "$pictures/nyala.svg"    "$pictures/nyala@2x.png"    2 white

# Application icon, transparent background.
for size in 16 32 48 64 128 256; do
    dir="$icons/hicolor/${size}x${size}/apps"
    mkdir -p "$dir"
    rsvg-convert --width="$size" --height="$size" --format=png \
        --output="$dir/tolvane.png" "$icons/tolvane.svg"
    shrink "$dir/tolvane.png"
    echo "wrote ${dir#"$root"/}/tolvane.png"
done
