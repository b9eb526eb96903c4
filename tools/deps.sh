#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Tolvane need.
# Usage: tools/deps.sh run|test|bench   (as root, or through sudo)
set -euo pipefail

run_packages=(cmake ninja-build g++ qt6-base-dev qt6-qpa-plugins libgl-dev fonts-liberation2)
# Xvfb and xdotool drive the real binary; Xlib reads its screen; the private Qt headers switch
# accessibility on without a screen reader; the rest check the desktop files and the package.
test_packages=(xvfb xdotool libx11-dev qt6-base-private-dev desktop-file-utils appstream
    dpkg-dev file)
# Xvfb and Xlib watch for the first frame, dbus-run-session gives the session bus a desktop has,
# free (procps) names the memory.
bench_packages=(xvfb libx11-dev dbus procps)

case "${1:-test}" in
run) wanted=("${run_packages[@]}") ;;
test) wanted=("${run_packages[@]}" "${test_packages[@]}") ;;
bench) wanted=("${run_packages[@]}" "${test_packages[@]}" "${bench_packages[@]}") ;;
*) echo "usage: $0 run|test|bench" >&2; exit 2 ;;
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
