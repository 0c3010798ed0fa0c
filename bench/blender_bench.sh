#!/usr/bin/env bash
# What the Blender script costs, printed as figures:
#   - how much it adds to Blender's empty background start (7 runs each way,
#     interleaved, medians of wall-clock and of processor time), and how long
#     the script itself runs inside Blender;
#   - a recentred render of the tests' scene against the wide one, timed in
#     one Blender process, beside the pixel share W/(T+W) it should track.
# Usage: bench/blender_bench.sh [HOST_BUILD_DIR] [SAMPLES]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/host}
samples=${2:-64}
tool=$build/cli/vantorel-setup
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

width=30 height=20 track=200
for framing in wide recentred; do
  "$tool" --width $width --height $height --framing $framing --format blender --output "$work/$framing.py"
done

blender=(blender -b --factory-startup -noaudio --python-exit-code 1)
# Wall-clock and processor seconds (user + system) of one run; on a busy
# machine the processor time is the steadier of the two.
seconds() {
  local TIMEFORMAT='%R %U %S'
  { time "$@" >/dev/null 2>&1; } 2>&1 | awk '{ printf "%.3f %.3f\n", $1, $2 + $3 }'
}
median() { sort -g | sed -n 4p; }

for _ in 1 2 3 4 5 6 7; do
  seconds "${blender[@]}" --python-expr pass >>"$work/empty"
  seconds "${blender[@]}" -P "$work/wide.py" >>"$work/rigged"
done
for column in 1 2; do
  empty_s=$(cut -d' ' -f$column "$work/empty" | median)
  rigged_s=$(cut -d' ' -f$column "$work/rigged" | median)
  kind=$([ $column = 1 ] && echo "wall-clock" || echo "processor")
  echo "Blender start, median of 7 $kind times: empty $empty_s s, with the 2000-frame rig script $rigged_s s," \
       "added $(awk -v a="$empty_s" -v b="$rigged_s" 'BEGIN { printf "%.3f", b - a }') s (limit 0.3 s)"
done
script_ms=$("${blender[@]}" --python-expr "import runpy, time
t = time.perf_counter(); runpy.run_path('$work/wide.py'); print('MS', (time.perf_counter() - t) * 1000)" 2>/dev/null |
            awk '/^MS/ {printf "%.1f", $2}')
echo "the rig script itself runs $script_ms ms inside Blender"

"${blender[@]}" -P "$root/bench/blender_render_bench.py" -- "$work/wide.py" "$work/recentred.py" \
  $width $height "$samples" "$work" 2>/dev/null | sed -n 's/^BENCH //p'
awk -v w=$width -v t=$track -v s="$samples" \
  'BEGIN { printf "limit: 1.5 x W/(T+W) = %.3f (%d samples a pixel)\n", 1.5 * w / (t + w), s }'
