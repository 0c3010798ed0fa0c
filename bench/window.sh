#!/usr/bin/env bash
# The window's figures against their bars, from a finished Windows build (this
# builds nothing): start-up time and peak memory against the minimal dialog,
# the keystroke against the bare field updates, and the program's size. Says
# whether this machine runs 32-bit programs itself or through qemu: timings
# taken under emulation mislead, as the emulator slows the bare baseline more
# than the program. Exits 1 when a bar is missed, 2 when it cannot run.
# Usage: bench/window.sh [BUILD_DIR]   (default build/win)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build/win}" && pwd)

max_startup_ratio=1.15
max_memory_above_mb=3
max_keystroke_ratio=0.7

program=$build/app/Vantorel.exe
minimal=$build/bench/app/minimal_dialog.exe
for file in "$build/wine-run" "$program" "$minimal" "$build/bench/app/startup_bench.exe" \
            "$build/bench/app/keystroke_bench.exe"; do
  [ -e "$file" ] || { echo "window bench: $file is missing; build first: cmake --build $build" >&2; exit 2; }
done

entry=/proc/sys/fs/binfmt_misc/qemu-i386
if [ -e "$entry" ] && [ "$(head -n 1 "$entry")" == enabled ]; then
  machine="32-bit programs run under qemu ($(sed -n 's/^interpreter //p' "$entry")): timings mislead"
else
  machine="32-bit programs run natively"
fi

source "$root/tools/xvfb.sh"

source "$root/bench/lib.sh"

startup=$("$build/wine-run" "$build/bench/app/startup_bench.exe" "$program" "$minimal")
keystroke=$("$build/wine-run" "$build/bench/app/keystroke_bench.exe")

echo "machine: $(uname -m), $machine; load average $(cut -d' ' -f1-3 /proc/loadavg)"
echo "$startup" | tr -d '\r' | sed 's/^/  /'
echo "$keystroke" | tr -d '\r' | sed 's/^/  /'
echo
against "start-up vs the minimal dialog" "$(figure "$startup" "time ratio")" "$max_startup_ratio" "x"
against "peak working set above the minimal" "+$(figure "$startup" "memory above")" "$max_memory_above_mb" " MB"
against "keystroke vs the bare updates" "$(figure "$keystroke" "ratio")" "$max_keystroke_ratio" "x"
awk -v bytes="$(stat -c %s "$program")" 'BEGIN { printf "%-36s %9.2f MB   no bar\n", "Vantorel.exe size", bytes / 1048576 }'
# Each section's size, under the (at most eight letters long) name the image gives it.
i686-w64-mingw32-size -A "$program" | awk '$1 ~ /^\./ { printf "  %-10s %8d KB\n", $1, $2 / 1024 }'
exit $missed
