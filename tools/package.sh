#!/usr/bin/env bash
# Builds the portable package: build/win/package/Vantorel-<version>-win32.zip
# holding Vantorel.exe, README.md and LICENSE.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
tools/setup.sh
cmake -S . -B build/win -G "Unix Makefiles" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake \
      -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/win -j "$(nproc)" --target Vantorel -- --no-print-directory >/dev/null
(cd build/win && cpack -G ZIP >/dev/null)
ls build/win/package/*.zip
