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
tools/wine-prefix.sh "$root/build/win/wineprefix"

# One Wine session serves every Windows test. Its server and services start
# here once, their output kept away from ctest's pipes (ctest would otherwise
# wait for them to exit before it reports a test), and end with the run:
# under emulation, starting them anew costs each test many seconds.
wine_env=(WINEPREFIX="$root/build/win/wineprefix" WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=")
env "${wine_env[@]}" wineserver -p
env "${wine_env[@]}" wine cmd /c exit </dev/null >/dev/null 2>&1
trap 'env "${wine_env[@]}" wineserver -k 2>/dev/null; kill ${vantorel_xvfb_pid:-} 2>/dev/null; true' EXIT

status=0
(cd build/host && ctest --output-on-failure -j "$jobs") || status=1
tools/fuzz.sh 60 || status=1
(cd build/win && ctest --output-on-failure -j "$jobs") || status=1
exit $status
