#!/usr/bin/env bash
# The run command: installs what is missing, builds the program and starts it.
# On Linux it runs under Wine on the user's display (or a new Xvfb when there
# is none), with the settings file beside the executable.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

tools/build-program.sh

if [ -z "${DISPLAY:-}" ]; then
  echo "run: no display set; starting the program on a virtual one (Xvfb)" >&2
  source tools/xvfb.sh
fi
# Not exec: the shell must outlive the program to stop its Xvfb on the way out.
build/win/wine-run build/win/app/Vantorel.exe
