#!/usr/bin/env bash
# cmake --install puts the program, its desktop entry, icons and AppStream metainfo where a
# Linux desktop looks for them, and the installed set validates as a whole.
# Usage: test_install.sh BUILD_DIR APP_ID
set -euo pipefail
build="$1"
app_id="$2"

prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

failed=0
expect() {
    if [ -f "$prefix/$1" ]; then
        echo "ok: $1"
    else
        echo "missing: $1"
        failed=1
    fi
}
expect bin/tolvane
expect share/applications/tolvane.desktop
expect "share/metainfo/$app_id.metainfo.xml"
expect share/icons/hicolor/scalable/apps/tolvane.svg
for size in 16 32 48 64 128 256; do
    expect "share/icons/hicolor/${size}x${size}/apps/tolvane.png"
    if [ -f "$prefix/share/icons/hicolor/${size}x${size}/apps/tolvane.png" ] &&
        ! file "$prefix/share/icons/hicolor/${size}x${size}/apps/tolvane.png" |
        grep -q "PNG image data, $size x $size"; then
        echo "wrong size: ${size}x${size}/apps/tolvane.png"
        failed=1
    fi
done
file "$prefix/bin/tolvane" | grep -q 'ELF 64-bit.*executable' || {
    echo "not a program: bin/tolvane"
    failed=1
}
[ "$failed" -eq 0 ] || exit 1

# Nothing else: a stray file (a test, a library) would be installed on users' machines.
extra=$(cd "$prefix" && find . -type f | sort | grep -v -e '^./bin/tolvane$' \
    -e '^./share/applications/tolvane.desktop$' -e "^./share/metainfo/$app_id.metainfo.xml$" \
    -e '^./share/icons/hicolor/.*/apps/tolvane\.\(png\|svg\)$' || true)
if [ -n "$extra" ]; then
    echo "installed but not wanted:"
    echo "$extra"
    exit 1
fi

desktop-file-validate "$prefix/share/applications/tolvane.desktop"
# The metainfo, the desktop entry it launches and the icon it names, checked together.
appstreamcli validate-tree --no-net --pedantic "$prefix"
echo "installation complete"
