#!/usr/bin/env bash
# Redraws docs/layout.png: the calculator's dialog template as Wine lays it out
# over the background picture, its fields filled for 30 x 20 mm, with the
# fields, check boxes and buttons outlined in magenta and the three outline
# frames in cyan.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${LAYOUT_BUILD:-$root/build/win}

cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" >/dev/null
cmake --build "$build" --target layout_preview >/dev/null
source "$root/tools/xvfb.sh"

shot=$(mktemp --suffix=.bmp)
"$build/wine-run" "$build/tests/res/layout_preview.exe" "Z:$shot"
# Without the time chunks the PNG only changes when the picture does.
convert "$shot" -strip "$root/docs/layout.png"
rm -f "$shot"
