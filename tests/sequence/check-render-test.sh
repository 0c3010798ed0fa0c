#!/usr/bin/env bash
# vantorel-check on a real render: the frames Blender rendered in the
# blender_render test, with the setup file they were rendered from, check
# sound; with one deleted and one truncated the report names exactly those
# two and says to render them again. Works on a copy.
#   check-render-test.sh TOOL RENDER_DIR [PICTURE]
set -uo pipefail
tool=$1 render=$2 picture=${3:-}
source "$(dirname "$0")/../e2e/lib.sh"
frames=$render/hologram_wide_step4
if [ ! -f "$render/wide.json" ] || [ ! -d "$frames" ]; then
  fail "no render in $render: run the blender_render test first"
  finish
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$frames" "$work/frames"

"$tool" "$work/frames" --setup "$render/wide.json" >"$work/sound.txt"
code=$?
[ "$code" = 0 ] && [ "$(cat "$work/sound.txt")" = "8 of 8 frames sound" ] && pass "the render checks sound" ||
  fail "the render: exit $code, $(cat "$work/sound.txt")"

rm "$work/frames/frame_0003.png"
head -c 300 "$frames/frame_0006.png" >"$work/frames/frame_0006.png"
"$tool" "$work/frames" --setup "$render/wide.json" --format json --output "$work/report.json" ${picture:+--picture "$picture"}
code=$?
report=$(cat "$work/report.json")
[ "$code" = 1 ] && [[ "$report" == *'"frames_sound":6,'*'"missing":[3],"unreadable":[{"frame":6,"file":"frame_0006.png",'* ]] &&
  [[ "$report" == *'"wrong_size":[],"uniform":[],"identical":[],"unexpected":[],"rerender":"3,6"}' ]] &&
  pass "one deleted and one truncated frame are named, and rendered again with -f 3,6" || fail "damaged render: exit $code, $report"
finish
