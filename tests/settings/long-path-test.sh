#!/usr/bin/env bash
# A program in a folder deeper than its first 520-character path buffer keeps
# its settings file beside itself, and nowhere else. Under Wine a Windows
# process cannot start a program from such a folder (CreateProcessW fails with
# ERROR_FILE_NOT_FOUND), but Wine started from Linux can, so that is how the
# probe is run here.
# Usage: long-path-test.sh WINE_RUN PROBE_EXE
set -euo pipefail
wine_run=$1
probe=$2
name=$(basename "$probe")

root=$(mktemp -d /tmp/vantorel-long-path.XXXXXX)
trap 'rm -rf "$root"' EXIT
deep=$root
for level in 1 2 3 4 5 6; do
  deep=$deep/level$level-$(printf 'x%.0s' $(seq 90))
done
mkdir -p "$deep"
cp "$probe" "$deep/"
windows_name="Z:${deep//\//\\}\\$name"
echo "executable: ${#windows_name} characters"
[ ${#windows_name} -gt 520 ] || { echo "FAIL: the folder is not deep enough"; exit 1; }

cd "$root"
status=0
"$wine_run" "$deep/$name" || status=$?
echo "probe exit code: $status"

fail=0
expected=$'[settings]\r\nHologram Width, mm=77\r\n'
if [ ! -f "$deep/calculator.ini" ]; then
  echo "FAIL: no calculator.ini beside the executable"; fail=1
elif [ "$(cat "$deep/calculator.ini"; echo .)" != "$expected." ]; then
  echo "FAIL: unexpected content:"; od -c "$deep/calculator.ini"; fail=1
fi
stray=$(find "$root" -type f ! -path "$deep/$name" ! -path "$deep/calculator.ini")
if [ -n "$stray" ]; then
  echo "FAIL: files written elsewhere:"; echo "$stray" | sed "s|$root|<root>|"; fail=1
fi
[ $status -eq 0 ] || { echo "FAIL: the probe could not save and read back its width"; fail=1; }
[ $fail -eq 0 ] && echo "settings file beside the executable"
exit $fail
