#!/usr/bin/env bash
# The test command: installs what is missing, builds the host and the Windows
# builds, and runs every test (Windows tests under Wine on an X display).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
jobs=$(nproc)

tools/setup.sh

cmake -S . -B build/host -G "Unix Makefiles" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/host -j "$jobs" -- --no-print-directory >/dev/null
cmake -S . -B build/win -G "Unix Makefiles" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake \
      -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/win -j "$jobs" -- --no-print-directory >/dev/null

source tools/xvfb.sh
source tools/wine-slot.sh

# One Wine session per test slot serves every Windows test in that slot (see
# tools/wine-slot.sh): its prefix, a copy of the first, and its display. Each
# session's server and services start here once, their output kept away from
# ctest's pipes (ctest would otherwise wait for them to exit before it reports
# a test), and end with the run: under emulation, starting them anew costs
# each test many seconds.
base=$root/build/win/wineprefix
read -r -a displays <<<"$VANTOREL_SLOT_DISPLAYS"
prefixes=()
for slot in "${!displays[@]}"; do
  prefix=$(VANTOREL_SLOT=$slot vantorel_slot_prefix "$base")
  prefixes+=("$prefix")
  tools/wine-prefix.sh "$prefix" "$base"
done
wine_env=(WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=")
stop_sessions() {
  local prefix
  for prefix in "${prefixes[@]}"; do env "${wine_env[@]}" WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true; done
  vantorel_stop_xvfb
}
trap stop_sessions EXIT
starting=()
for slot in "${!displays[@]}"; do
  env "${wine_env[@]}" WINEPREFIX="${prefixes[$slot]}" wineserver -p
  env "${wine_env[@]}" WINEPREFIX="${prefixes[$slot]}" DISPLAY="${displays[$slot]}" wine cmd /c exit \
    </dev/null >/dev/null 2>&1 &
  starting+=($!)
done
wait "${starting[@]}"

status=0
(cd build/host && ctest --output-on-failure -j "$jobs") || status=1
tools/fuzz.sh 60 || status=1
(cd build/win && ctest --output-on-failure -j "${#displays[@]}") || status=1
exit $status
