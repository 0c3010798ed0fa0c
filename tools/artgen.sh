#!/usr/bin/env bash
# Regenerates the pictures and the icon under res/: builds the generator in the
# host build and runs it. Commit the changed files it leaves behind.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${ARTGEN_BUILD:-$root/build/host}
cmake -S "$root" -B "$build" >/dev/null
cmake --build "$build" --target artgen >/dev/null
"$build/tools/artgen/artgen" "$root/res"
