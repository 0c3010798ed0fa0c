#!/usr/bin/env bash
# The portable package holds exactly the program, its command-line tools, the
# README and the licence, and the program in it is the one just built.
# Usage: package-test.sh BUILD_DIR BUILT_EXE
set -euo pipefail
build=$1
built_exe=$2

(cd "$build" && cpack -G ZIP >/dev/null)
zip=$(ls "$build"/package/Vantorel-*-win32.zip)
top=$(basename "$zip" .zip)

listing=$(cd "$build" && cmake -E tar tf "$zip" | grep -v '/$' | sort)
expected=$(printf '%s\n' "$top/LICENSE" "$top/README.md" "$top/Vantorel.exe" "$top/vantorel-check.exe" "$top/vantorel-setup.exe" | sort)
if [ "$listing" != "$expected" ]; then
  printf 'FAIL: the package holds\n%s\nexpected\n%s\n' "$listing" "$expected"
  exit 1
fi

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
(cd "$scratch" && cmake -E tar xf "$zip")
cmp "$scratch/$top/Vantorel.exe" "$built_exe"
echo "PASS: $(basename "$zip") holds Vantorel.exe, vantorel-setup.exe, vantorel-check.exe, README.md and LICENSE"
