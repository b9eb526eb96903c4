#!/usr/bin/env bash
# Builds Tolvane warning-free and runs every test.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/deps.sh" test

build="$root/build-check"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTOLVANE_WERROR=ON
cmake --build "$build"
ctest --test-dir "$build" --output-on-failure --timeout 600
