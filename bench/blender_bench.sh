#!/usr/bin/env bash
# What the Blender script costs, printed as figures:
#   - how much it adds to Blender's empty background start (7 runs each way,
#     interleaved, medians), and how long the script itself runs;
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
seconds() {
  local start end
  start=$(date +%s.%N)
  "$@" >/dev/null 2>&1
  end=$(date +%s.%N)
  awk -v a="$start" -v b="$end" 'BEGIN { printf "%.3f", b - a }'
}
median() { sort -g | sed -n 4p; }

empty=() rigged=()
for _ in 1 2 3 4 5 6 7; do
  empty+=("$(seconds "${blender[@]}" --python-expr pass)")
  rigged+=("$(seconds "${blender[@]}" -P "$work/wide.py")")
done
empty_s=$(printf '%s\n' "${empty[@]}" | median)
rigged_s=$(printf '%s\n' "${rigged[@]}" | median)
script_ms=$("${blender[@]}" --python-expr "import runpy, time
t = time.perf_counter(); runpy.run_path('$work/wide.py'); print('MS', (time.perf_counter() - t) * 1000)" 2>/dev/null |
            awk '/^MS/ {printf "%.1f", $2}')
echo "Blender start, median of 7: empty $empty_s s, with the 2000-frame rig script $rigged_s s," \
     "added $(awk -v a="$empty_s" -v b="$rigged_s" 'BEGIN { printf "%.3f", b - a }') s (limit 0.3 s); the script itself runs $script_ms ms"

"${blender[@]}" -P "$root/bench/blender_render_bench.py" -- "$work/wide.py" "$work/recentred.py" \
  $width $height "$samples" "$work" 2>/dev/null | sed -n 's/^BENCH //p'
awk -v w=$width -v t=$track -v s="$samples" \
  'BEGIN { printf "limit: 1.5 x W/(T+W) = %.3f (%d samples a pixel)\n", 1.5 * w / (t + w), s }'
