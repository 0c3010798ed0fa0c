#!/usr/bin/env bash
# The program, started from a folder whose settings file cannot be written,
# shows what the file holds, ends normally, and leaves the file as it was.
# Root is not held to permission bits (and under Wine not to the read-only
# attribute either), so the file or folder is made immutable (chattr +i)
# where that is allowed, and read-only by permission otherwise.
#
# The stored width 0 and height 45abc come up as 1 and 45, so the save at the
# end always has something to change: a file left alone was not just equal.
#
# Usage: save-failure-test.sh WINE_RUN PROGRAM PROBE
set -uo pipefail
wine_run=$1
program=$2
probe_exe=$3

source "$(dirname "$0")/../e2e/lib.sh"
require_display xdotool

stored=$'[settings]\r\nHologram Width, mm=0\r\nHologram Height, mm=45abc\r\n'
saved=$'[settings]\r\nHologram Width, mm=1\r\nHologram Height, mm=45\r\n'

root=$(mktemp -d /tmp/vantorel-save-failure.XXXXXX)
cleanup() {
  stop_programs
  chattr -R -i "$root" 2>/dev/null
  chmod -R u+w "$root" 2>/dev/null
  rm -rf "$root"
}
trap cleanup EXIT

# Makes PATH unwritable for this user; false when nothing here can.
make_unwritable() {
  chattr +i "$1" 2>/dev/null && return 0
  [ "$(id -u)" != 0 ] && chmod a-w "$1"
}

# Starts the program copied into FOLDER, checks that it shows width W and
# height H, closes it with Escape and checks that it ends with exit code 0.
run_program() {
  local name=$1 folder=$2 width=$3 height=$4
  if start_program "$folder"; then
    read_state
    if state_matches "text.1000=$width" "text.1001=$height"; then
      pass "$name: shows $width x $height"
    else
      fail "$name: shows $(field text.1000) x $(field text.1001), not $width x $height"
    fi
    xdotool key Escape
  else
    fail "$name: no window within 60 s"
  fi
  wait_for_exit
  [ "$exit_status" == 0 ] && pass "$name: ends with exit code 0" || fail "$name: exit $exit_status"
}

# A new folder NAME holding the program and, unless told otherwise, the stored file.
prepare() {
  mkdir -p "$root/$1"
  cp "$program" "$root/$1/Vantorel.exe"
  [ "${2:-file}" == file ] && printf '%s' "$stored" >"$root/$1/calculator.ini"
  echo "$root/$1"
}

expect_content() {
  local name=$1 file=$2 want=$3
  if [ "$(cat "$file" 2>/dev/null; echo .)" == "$want." ]; then
    pass "$name"
  else
    fail "$name:"
    od -c "$file" 2>&1 | head -5
  fi
}

expect_only_program() {
  local extra
  extra=$(cd "$2" && ls -A | grep -vx -e Vantorel.exe -e calculator.ini)
  [ -z "$extra" ] && pass "$1: no other file" || fail "$1: other files appeared: $extra"
}

folder=$(prepare writable)
run_program "writable folder" "$folder" 1 45
expect_content "writable folder: the save rewrites the file" "$folder/calculator.ini" "$saved"

folder=$(prepare unwritable-file)
if make_unwritable "$folder/calculator.ini"; then
  run_program "unwritable file" "$folder" 1 45
  expect_content "unwritable file: left as it was" "$folder/calculator.ini" "$stored"
else
  skip "unwritable file: this user cannot make a file unwritable here"
fi

# The file itself stays writable: the platform rewrites it in place, which
# needs no new entry in the folder.
folder=$(prepare unwritable-folder)
if make_unwritable "$folder"; then
  run_program "unwritable folder" "$folder" 1 45
  expect_content "unwritable folder: the file is rewritten in place" "$folder/calculator.ini" "$saved"
  expect_only_program "unwritable folder" "$folder"
else
  skip "unwritable folder: this user cannot make a folder unwritable here"
fi

folder=$(prepare unwritable-folder-no-file none)
if make_unwritable "$folder"; then
  run_program "unwritable folder without a file" "$folder" 30 20
  [ -e "$folder/calculator.ini" ] && fail "unwritable folder without a file: a file appeared" ||
    pass "unwritable folder without a file: none was created"
else
  skip "unwritable folder without a file: this user cannot make a folder unwritable here"
fi

folder=$(prepare folder-in-place none)
mkdir "$folder/calculator.ini"
run_program "a folder named calculator.ini" "$folder" 30 20
if [ -d "$folder/calculator.ini" ] && [ -z "$(ls -A "$folder/calculator.ini")" ]; then
  pass "a folder named calculator.ini: still an empty folder"
else
  fail "a folder named calculator.ini: changed"
fi

finish
