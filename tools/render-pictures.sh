#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Tolvane developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Regenerates the program's pictures and application icons from their SVG sources. The host
# pictures are stored raw (binary PPM), which the program reads far faster than a PNG at every
# start; the icons are PNGs, as the desktop's icon theme wants them.
# Needs rsvg-convert (librsvg2-bin) and pngtopnm (netpbm); uses optipng, if installed, to make
# the icons smaller.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
pictures="$root/host/pictures"
icons="$root/share/icons"

command -v rsvg-convert >/dev/null 2>&1 || {
    echo "render-pictures.sh: rsvg-convert not found (apt-get install librsvg2-bin)" >&2
    exit 1
}
command -v pngtopnm >/dev/null 2>&1 || {
    echo "render-pictures.sh: pngtopnm not found (apt-get install netpbm)" >&2
    exit 1
}

shrink() {
    if command -v optipng >/dev/null 2>&1; then
        optipng -quiet -o5 -strip all "$1"
    fi
}

# render SVG PPM ZOOM BACKGROUND
render() {
    local svg="$1" ppm="$2" zoom="$3" background="$4" png
    png=$(mktemp --suffix=.png)
    rsvg-convert --zoom="$zoom" --format=png --background-color="$background" --output="$png" \
        "$svg"
    pngtopnm "$png" >"$ppm"
    rm -f "$png"
    echo "wrote ${ppm#"$root"/}"
}

# The computer is drawn on an opaque white canvas; the lit screen is opaque too.
render "$pictures/komputer.svg" "$pictures/komputer.ppm"    1 white
render "$pictures/komputer.svg" "$pictures/komputer@2x.ppm" 2 white
render "$pictures/nyala.svg"    "$pictures/nyala.ppm"       1 white
render "$pictures/nyala.svg"    "$pictures/nyala@2x.ppm"    2 white

# Application icon, transparent background.
for size in 16 32 48 64 128 256; do
    dir="$icons/hicolor/${size}x${size}/apps"
    mkdir -p "$dir"
    rsvg-convert --width="$size" --height="$size" --format=png \
        --output="$dir/tolvane.png" "$icons/tolvane.svg"
    shrink "$dir/tolvane.png"
    echo "wrote ${dir#"$root"/}/tolvane.png"
done
