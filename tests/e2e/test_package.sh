#!/usr/bin/env bash
# cpack builds a .deb that installs the program and its desktop files under /usr and
# depends on the Qt runtime packages the binary links against.
# Usage: test_package.sh BUILD_DIR APP_ID VERSION
set -euo pipefail
build="$1"
app_id="$2"
version="$3"

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$out" >/dev/null
deb=$(find "$out" -maxdepth 1 -name 'tolvane_*.deb')
[ -n "$deb" ] || { echo "no package made"; exit 1; }
echo "made ${deb##*/}"

failed=0
field() {
    local value
    value=$(dpkg-deb -f "$deb" "$1")
    if [[ "$value" =~ $2 ]]; then
        echo "ok: $1: $value"
    else
        echo "wrong $1: '$value' (wanted $2)"
        failed=1
    fi
}
field Package '^tolvane$'
field Version "^$version$"
field Architecture "^$(dpkg --print-architecture)$"
field Maintainer '.+ <.+@.+>'
field Section '^education$'
field Description $'^.+\n .+'
for dependency in libqt6widgets6 libqt6gui6 libqt6core6 libc6 libstdc\\+\\+6 qt6-qpa-plugins; do
    field Depends "(^|, )$dependency( \(|,|$)"
done
field Recommends 'fonts-liberation2'

contents=$(dpkg-deb -c "$deb" | awk '{print $NF}')
for path in ./usr/bin/tolvane ./usr/share/applications/tolvane.desktop \
    "./usr/share/metainfo/$app_id.metainfo.xml" ./usr/share/icons/hicolor/scalable/apps/tolvane.svg \
    ./usr/share/icons/hicolor/{16x16,32x32,48x48,64x64,128x128,256x256}/apps/tolvane.png; do
    if grep -qxF "$path" <<<"$contents"; then
        echo "ok: $path"
    else
        echo "missing: $path"
        failed=1
    fi
done
# The installed program is stripped: the package carries no debugging information.
mkdir "$out/unpacked"
dpkg-deb -x "$deb" "$out/unpacked"
if file "$out/unpacked/usr/bin/tolvane" | grep -q 'not stripped'; then
    echo "not stripped: /usr/bin/tolvane"
    failed=1
fi
exit "$failed"
