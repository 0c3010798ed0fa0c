#!/usr/bin/env bash
# Builds the portable package: build/win/package/Vantorel-<version>-win32.zip
# holding Vantorel.exe, vantorel-setup.exe, vantorel-check.exe, README.md and LICENSE.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
tools/build-program.sh
(cd build/win && cpack -G ZIP >/dev/null)
ls build/win/package/*.zip
