#!/usr/bin/env bash
# The Windows console tool under Wine: it writes exactly the bytes the host
# tool writes (the same committed files hold both to them), refuses a bad
# value with exit 2 and no file, and leaves a file it cannot replace as it
# was. Every run goes through one batch file: each Wine start costs seconds.
set -uo pipefail
wine_run=$1 tool=$2 cases=$3 outputs=$(dirname "$3")/expected
source "$(dirname "$0")/../e2e/lib.sh"
require_display
work=$(mktemp -d)
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT
cp "$tool" "$work/vantorel-setup.exe"
echo old >"$work/keep.json"

names=() argss=()
while read -r name args; do
  [ -n "$name" ] && [ "${name:0:1}" != "#" ] || continue
  names+=("$name") argss+=("$args")
done <"$cases"

{
  echo "@echo off"
  echo "cd /d Z:${work//\//\\}"
  for i in "${!argss[@]}"; do
    echo "vantorel-setup.exe ${argss[$i]} --output out$i.bin"
    echo ">code$i.txt echo %ERRORLEVEL%"
  done
  echo "vantorel-setup.exe --width 30 --height 20 --step 3 --output bad.json 2>bad.err"
  echo ">code-bad.txt echo %ERRORLEVEL%"
  # Standard input read from keep.json holds it open, as a viewer would.
  echo "vantorel-setup.exe --width 30 --height 20 --format json --output keep.json 2>keep.err <keep.json"
  echo ">code-keep.txt echo %ERRORLEVEL%"
} | sed 's/$/\r/' >"$work/run.bat"
"$wine_run" cmd /c "Z:${work//\//\\}\\run.bat"

cd "$work" || exit 1
code() { tr -d '\r ' <"code$1.txt" 2>/dev/null; }
for i in "${!argss[@]}"; do
  [ "$(code "$i")" = 0 ] && diff -u "$outputs/${names[$i]}" "out$i.bin" && pass "bytes of ${names[$i]}" ||
    fail "bytes of ${names[$i]} [${argss[$i]}]: exit $(code "$i"), differences above"
done
[ "$(code -bad)" = 2 ] && [ ! -e bad.json ] && grep -q "^vantorel-setup: --step: '3' is not allowed; use 1, 2, 4 or 8" bad.err &&
  pass "a bad step exits 2 and writes nothing" || fail "bad step: exit $(code -bad), $(cat bad.err)"
[ "$(code -keep)" = 1 ] && [ "$(cat keep.json)" = old ] && grep -q "cannot write keep.json: " keep.err &&
  [ "$(ls -A | grep -c keep.json)" = 1 ] && pass "a file held open by another program survives a failed write" ||
  fail "keep.json held open: exit $(code -keep), $(cat keep.err), $(ls -A | tr '\n' ' ')"
finish
