#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Tolvane developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs the Debian packages that building, running and testing Tolvane need.
# Usage: tools/deps.sh run|test|docs|bench|speech   (as root, or through sudo)
set -euo pipefail

# qt6-tools-dev and qt6-l10n-tools compile the translations (lupdate, lrelease); with
# libfontconfig-dev the program reads the fonts' configuration on a core of its own at start;
# libpcap0.8-dev writes the capture.
run_packages=(cmake ninja-build g++ qt6-base-dev qt6-qpa-plugins libgl-dev fonts-liberation2
    qt6-tools-dev qt6-l10n-tools libfontconfig-dev libpcap0.8-dev)
# xvfb-run, a window manager and xdotool drive the real binary; the private Qt headers switch
# accessibility on without a screen reader; a private session bus, the AT-SPI registry and
# pyatspi read the program as a screen reader does; the rest check the desktop files, the
# manual page, the licence headers and the package; tcpdump reads the capture back.
test_packages=(xvfb xauth xdotool openbox wmctrl qt6-base-private-dev dbus at-spi2-core
    python3-pyatspi desktop-file-utils appstream dpkg-dev file groff-base reuse lintian tcpdump)
# ImageMagick takes the README's screenshots off the X server; Openbox places the timeline.
docs_packages=(xvfb xauth xdotool imagemagick openbox)
# Xvfb and Xlib watch for the first frame, dbus-run-session gives the session bus a desktop has,
# free (procps) names the memory, valgrind counts the instructions, xdotool starts an exchange.
bench_packages=(xvfb libx11-dev dbus procps valgrind xdotool)
# bench/speech.sh hears the built program through Orca: speech-dispatcher with espeak-ng plays
# into a PulseAudio null sink whose monitor parec records; the rest is the real-binary tests' X
# server, window manager, input and AT-SPI bus. The program it hears is already built (run set).
speech_packages=(orca speech-dispatcher speech-dispatcher-espeak-ng espeak-ng pulseaudio
    pulseaudio-utils xvfb xauth xdotool openbox wmctrl dbus at-spi2-core python3-pyatspi)

case "${1:-test}" in
run) wanted=("${run_packages[@]}") ;;
test) wanted=("${run_packages[@]}" "${test_packages[@]}") ;;
docs) wanted=("${run_packages[@]}" "${docs_packages[@]}") ;;
bench) wanted=("${run_packages[@]}" "${test_packages[@]}" "${bench_packages[@]}") ;;
speech) wanted=("${speech_packages[@]}") ;;
*) echo "usage: $0 run|test|docs|bench|speech" >&2; exit 2 ;;
esac

missing=()
for package in "${wanted[@]}"; do
    status=$(dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null || true)
    [ "$status" = installed ] || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
echo "Installing: ${missing[*]}"
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
    "${missing[@]}"
