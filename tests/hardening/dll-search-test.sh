#!/usr/bin/env bash
# The program's own folder is not searched for the libraries loaded by name at
# run time: a copy planted there under a system library's name never runs.
#
# Wine's default load order puts its own built-in library in place of any file
# of a system library's name, wherever the search finds it, so a planted copy
# runs only when Wine is told to prefer files (native, then built-in), as
# Windows does. The probe is told so through a per-program override:
#   1. the plain probe loads the planted uxtheme.dll from its folder: the plant
#      works and this test can fail;
#   2. the probe built with the program's start-up restriction loads the system
#      one instead.
#   3. The program itself, with planted copies of the libraries it loads after
#      start-up, starts, shows its window, closes on Escape and exits with 0;
#      none of the copies runs. Under the override the program cannot be used
#      for this: Wine resolves the delay-loaded imports of its own libraries
#      without the program's search restriction, and loads some before any code
#      of the program runs, so this part runs in Wine's default load order.
#
# Usage: dll-search-test.sh WINE_RUN PROGRAM PROBE PLANTED_DLL LIBRARY_PROBE RESTRICTED_LIBRARY_PROBE
set -uo pipefail
wine_run=$1
program=$2
probe_exe=$3
planted=$4
plain_probe=$5
restricted_probe=$6

source "$(dirname "$0")/../e2e/lib.sh"
require_display xdotool

override_key='HKCU\Software\Wine\AppDefaults\library_probe.exe'
root=$(mktemp -d /tmp/vantorel-dll-search.XXXXXX)
cleanup() {
  stop_programs
  "$wine_run" reg delete "$override_key" /f >/dev/null 2>&1
  rm -rf "$root"
}
trap cleanup EXIT

"$wine_run" reg add "$override_key\\DllOverrides" /v uxtheme /d native,builtin /f >/dev/null 2>&1 ||
  { fail "cannot set the probe's load-order override"; finish; }

# Runs PROBE as library_probe.exe from FOLDER, beside a planted uxtheme.dll;
# prints where its uxtheme.dll came from.
probe_in() {
  local folder=$root/$1 probe=$2
  mkdir -p "$folder"
  cp "$probe" "$folder/library_probe.exe"
  cp "$planted" "$folder/uxtheme.dll"
  (cd "$folder" && "$wine_run" "$folder/library_probe.exe" uxtheme.dll 2>/dev/null | tr -d '\r')
}

loaded_from=$(probe_in plain "$plain_probe")
if [ -f "$root/plain/uxtheme.dll.loaded" ]; then
  pass "without the restriction the planted uxtheme.dll runs ($loaded_from)"
else
  fail "the planted uxtheme.dll did not run even without the restriction ($loaded_from): this test could not fail"
fi

loaded_from=$(probe_in restricted "$restricted_probe")
if [ -f "$root/restricted/uxtheme.dll.loaded" ]; then
  fail "with the program's restriction the planted uxtheme.dll still runs ($loaded_from)"
elif [[ "${loaded_from,,}" != *'\windows\system32\uxtheme.dll' ]]; then
  fail "with the program's restriction uxtheme.dll came from '$loaded_from', not the system folder"
else
  pass "with the program's restriction uxtheme.dll comes from $loaded_from"
fi

folder=$root/program
mkdir -p "$folder"
libraries=(uxtheme.dll ole32.dll combase.dll rpcrt4.dll msimg32.dll imm32.dll version.dll)
for library in "${libraries[@]}"; do cp "$planted" "$folder/$library"; done
if start_program "$folder"; then
  read_state
  if state_matches 'text.1000=30' 'text.1011=200 px'; then
    pass "the program starts beside the planted libraries and shows its first results"
  else
    fail "the program's window does not show its first results"
  fi
  xdotool key Escape
else
  fail "the program's window did not appear within 60 s"
fi
wait_for_exit
[ "$exit_status" == 0 ] && pass "the program ends with exit code 0" || fail "the program's exit: $exit_status"
markers=$(cd "$folder" && ls ./*.loaded 2>/dev/null)
[ -z "$markers" ] && pass "no planted library ran in the program" || fail "planted libraries ran: $markers"
finish
