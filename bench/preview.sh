#!/usr/bin/env bash
# The preview of rendered frames against its bars, from a finished Windows
# build (this builds nothing), on the 2,000 frames of 2300 x 200 px PNG that
# bench/check_bench.sh makes (made here once when missing): the picture
# redrawn after a pointer move to a frame not shown before, the whole check in
# the window against vantorel-check.exe on the same folder, and the memory the
# preview takes above the calculator's own at 200 frames (the first 200 linked
# into a folder of their own; the rig's other 1,800 are missing there) and at
# 2,000, with every frame shown while the check runs. Exits 1 when a bar is
# missed, 2 when it cannot run.
# Usage: bench/preview.sh [BUILD_DIR] [FRAMES_DIR]   (default build/win, build/host/bench-frames)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build/win}" && pwd)
frames=${2:-$root/build/host/bench-frames}

max_redraw_ms=30
max_check_ratio=1.3
max_memory_200_mb=40
max_memory_2000_mb=160

bench=$build/bench/app/preview_bench.exe
check=$build/cli/check/vantorel-check.exe
for file in "$build/wine-run" "$bench" "$check"; do
  [ -e "$file" ] || { echo "preview bench: $file is missing; build first: cmake --build $build" >&2; exit 2; }
done
source "$root/bench/lib.sh"
make_bench_frames "$frames" "$(nproc)"
source "$root/tools/xvfb.sh"

few=$(mktemp -d)
trap 'rm -rf "$few"; vantorel_stop_xvfb' EXIT
for ((k = 1; k <= 200; k++)); do ln -s "$frames/$(printf frame_%04d.png $k)" "$few/"; done

windows_path() { echo "Z:${1//\//\\}"; }
run() { "$build/wine-run" "$bench" "$@" | tr -d '\r'; }

redraw=$(run redraw "$(windows_path "$frames")")
whole=$(run check "$(windows_path "$frames")" "$(windows_path "$check")")
memory_200=$(run memory "$(windows_path "$few")")
memory_2000=$(run memory "$(windows_path "$frames")")

echo "machine: $(uname -m), $(nproc) threads; load average $(cut -d' ' -f1-3 /proc/loadavg)"
for output in "$redraw" "$whole" "$memory_200" "$memory_2000"; do echo "$output" | sed 's/^/  /'; done
echo
against "redraw after a move, median" "$(figure "$redraw" "median redraw after the check")" "$max_redraw_ms" " ms"
against "redraw after a move, worst" "$(figure "$redraw" "worst redraw after the check")" "$max_redraw_ms" " ms"
against "redraw while checking, median" "$(figure "$redraw" "median redraw while checking")" "$max_redraw_ms" " ms"
against "redraw while checking, worst" "$(figure "$redraw" "worst redraw while checking")" "$max_redraw_ms" " ms"
against "whole check, window vs the tool" "$(figure "$whole" "ratio")" "$max_check_ratio" "x"
against "memory above the calculator, 200" "+$(figure "$memory_200" "memory above")" "$max_memory_200_mb" " MB"
against "memory above the calculator, 2000" "+$(figure "$memory_2000" "memory above")" "$max_memory_2000_mb" " MB"
exit $missed
