#!/usr/bin/env bash
# What vantorel-check costs beside reading, printed as figures, on 2,000
# frames of 2300 x 200 px noisy PNG (the 30 x 20 mm rig at step 1, made once
# into the build folder, 2.8 GB):
#   - the check against decoding alone with OpenImageIO on as many threads,
#     and against OpenImageIO's `iinfo --stats` (3 runs each, interleaved,
#     medians of wall-clock seconds);
#   - the header-only judgements: every frame the wrong size, none decoded;
#   - peak memory at 250 frames (step 8, same image size) and at 2,000.
# Usage: bench/check_bench.sh [HOST_BUILD_DIR] [JOBS]
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/host}
jobs=${2:-$(nproc)}
check=$build/cli/check/vantorel-check
decode=$build/bench/decode_frames
frames=$build/bench-frames
rig=(--width 30 --height 20)

source "$root/bench/lib.sh"
make_bench_frames "$frames" "$jobs"

# Wall-clock seconds and peak resident kilobytes of one run.
measure() { /usr/bin/time -f "%e %M" "$@" 2>&1 >/dev/null | tail -1; }
median() { sort -g | sed -n 2p; }

files=("$frames"/frame_*.png)
declare -A wall
for run in 1 2 3; do
  wall[decode]+="$(measure "$decode" "$jobs" "${files[@]}" | cut -d' ' -f1)"$'\n'
  wall[check]+="$(measure "$check" "$frames" "${rig[@]}" --jobs "$jobs" | cut -d' ' -f1)"$'\n'
  wall[iinfo]+="$(measure iinfo --stats "${files[@]}" | cut -d' ' -f1)"$'\n'
  wall[headers]+="$(measure "$check" "$frames" "${rig[@]}" --framing recentred --jobs "$jobs" | cut -d' ' -f1)"$'\n'
done
for what in decode check iinfo headers; do
  printf '%-8s %s s\n' "$what" "$(echo -n "${wall[$what]}" | median)"
done
awk -v c="$(echo -n "${wall[check]}" | median)" -v d="$(echo -n "${wall[decode]}" | median)" \
  'BEGIN { printf "check / decode alone: %.2f\n", c / d }'

# Peak memory: the first 250 frames as a step-8 sequence of the same size.
few=$(mktemp -d)
trap 'rm -rf "$few"' EXIT
for ((k = 1; k <= 250; k++)); do ln -s "$frames/$(printf frame_%04d.png $k)" "$few/"; done
printf 'peak memory, 250 frames:  %s kB\n' "$(measure "$check" "$few" "${rig[@]}" --step 8 --jobs "$jobs" | cut -d' ' -f2)"
printf 'peak memory, 2000 frames: %s kB\n' "$(measure "$check" "$frames" "${rig[@]}" --jobs "$jobs" | cut -d' ' -f2)"
