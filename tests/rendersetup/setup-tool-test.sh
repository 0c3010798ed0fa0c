#!/usr/bin/env bash
# vantorel-setup as a process, as scripts and render farms run it: every bad
# input gets one line that names the argument, exit 2 and no file; a write
# that fails exits 1 and leaves an existing file as it was; known setups give
# exactly the bytes of the committed files the Windows build is held to as well.
set -uo pipefail
tool=$1 cases=$2 outputs=$(dirname "$2")/expected
source "$(dirname "$0")/../e2e/lib.sh"
work=$(mktemp -d)
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT
cd "$work" || exit 1

# run ARGS...: the tool's exit code, standard output and error in $code, out, err.
run() {
  "$tool" "$@" >stdout 2>stderr
  code=$?
  out=$(cat stdout) err=$(cat stderr)
}

# expected exit code | arguments, as shell words | what the one line must say
while IFS='|' read -r expected args message; do
  [ -n "$expected" ] || continue
  eval "set -- $args"
  run --output out.json "$@"
  what="[$args] exits $expected: $message"
  if [ "$code" = "$expected" ] && [ "$(wc -l <stderr)" = 1 ] && [[ "$err" == *"$message"* ]] && [ -z "$out" ] &&
     [ ! -e out.json ] && [ "$(ls -A | wc -l)" = 2 ]; then
    pass "$what"
  else
    fail "$what; got $code, files: $(ls -A | tr '\n' ' '), message: $err"
  fi
  rm -f out.json
done <<'TABLE'
2|                                          |missing --width and --height: give the hologram's size in whole millimetres
2|--height 20                               |missing --width:
2|--width 30                                |missing --height:
2|--width 30 --height 20 --width 31         |--width given 2 times; give it once
2|--width "" --height 20                    |--width: '' is not allowed; give a whole number
2|--height 20 --width                       |--width needs a value: the hologram's width in whole millimetres
2|--width abc --height 20                   |--width: 'abc' is not allowed
2|--width 0 --height 20                     |--width: '0' is not allowed
2|--width -5 --height 20                    |--width: '-5' is not allowed
2|--width 30 --height 0.5                   |--height: '0.5' is not allowed
2|--width 2147483648 --height 20            |--width: 2147483648 mm is too large
2|--width 1e3 --height 20                   |--width: '1e3' is not allowed
2|--width 30mm --height 20                  |--width: '30mm' is not allowed
2|--width 30 --height 20 --step 3           |--step: '3' is not allowed; use 1, 2, 4 or 8
2|--width 30 --height 20 --framing centred  |--framing: 'centred' is not allowed; use wide or recentred
2|--width 30 --height 20 --format xml       |--format: 'xml' is not allowed; use text, json, csv or blender
2|--width 30 --height 20 --pitch 0          |--pitch: '0' is not allowed; give a positive number
2|--width 30 --height 20 --distance 1e3     |--distance: '1e3' is not allowed
2|--width 30 --height 20 --track -200       |--track: '-200' is not allowed
2|--width 214748165 --height 20             |--width: 214748165 mm is too large; at 0.1 mm per pixel with a 200 mm track the largest is 214748164 mm
2|--width 30 --height 214748365             |--height: 214748365 mm is too large; at 0.1 mm per pixel the largest is 214748364 mm
2|--width 30 --height 20 --bogus            |unexpected argument --bogus
TABLE

# Output that cannot be written: exit 1, the file and the reason named.
mkdir folder unwritable
chmod 555 unwritable
unwritable_target=unwritable/setup.json
[ -w unwritable ] && unwritable_target=/sys/vantorel-setup.json  # root writes anywhere but /sys
while IFS='|' read -r target message; do
  run --width 30 --height 20 --output "$target"
  if [ "$code" = 1 ] && [ "$err" = "vantorel-setup: cannot write $target: $message" ] && [ -z "$out" ] && [ ! -f "$target" ]; then
    pass "writing $target fails with: $message"
  else
    fail "writing $target: got $code, $err"
  fi
done <<TABLE
folder|it is a folder, not a file
missing/setup.json|No such file or directory
$unwritable_target|Permission denied
TABLE
[ -z "$(find unwritable folder -mindepth 1)" ] && pass "no temporary file is left behind" || fail "left behind: $(ls -A unwritable folder)"

# A full disk, as a file size limit: the old file survives whole.
echo old >keep.json
(trap '' XFSZ; ulimit -f 8; "$tool" --width 30 --height 20 --format json --output keep.json >stdout 2>stderr)
code=$? err=$(cat stderr)
if [ "$code" = 1 ] && [ "$err" = "vantorel-setup: cannot write keep.json: File too large" ] && [ "$(cat keep.json)" = old ] &&
   [ "$(ls -A | grep -c keep.json)" = 1 ]; then
  pass "an existing file survives a failed write"
else
  fail "failed write over keep.json: got $code, $err, $(ls -A | tr '\n' ' ')"
fi
"$tool" --width 30 --height 20 >/dev/full 2>stderr
code=$?
[ "$code" = 1 ] && grep -q "cannot write standard output" stderr && pass "a full standard output exits 1" || fail "standard output full: $code"

# Known setups, byte for byte; standard output carries the same bytes.
while read -r name args; do
  [ -n "$name" ] && [ "${name:0:1}" != "#" ] || continue
  eval "set -- $args"
  run "$@" --output setup.out
  if [ "$code" = 0 ] && diff -u "$outputs/$name" setup.out && run "$@" && cmp -s stdout setup.out; then
    pass "bytes of $name"
  else
    fail "bytes of $name [$args]: exit $code, differences above"
  fi
done <"$cases"
# Worked out by hand, so that a file regenerated by a faulty build cannot pass:
# an 8 mm track at 1 mm per pixel is 8 frames, every 2nd of them 4.
while IFS='|' read -r name line; do
  grep -qxF "$line" "$outputs/$name" && pass "$name holds: $line" || fail "$name lacks: $line"
done <<'LINES'
wide-step2.py|FRAMES = 4
wide-step2.py|    scene.frame_start, scene.frame_end, scene.frame_step = 1, FRAMES, 1
wide-step2.py|    lens.clip_start, lens.clip_end = CLIP_MM
LINES

# Sizes the rig takes, however large or uneven: written, with a note where the pitch cuts a side short.
run --width 214748164 --height 20 --output big.out
[ "$code" = 0 ] && [ -s big.out ] && [ -z "$err" ] && pass "the largest width named is taken" || fail "largest width: $code $err"
run --width 100 --height 30 --pitch 0.3 --output cut.out
[ "$code" = 0 ] && [ -s cut.out ] && [ "$err" = "vantorel-setup: note: at 0.3 mm per pixel the 100 mm width renders as 333 px, 99.9 mm" ] &&
  pass "a side cut short at the pitch is noted" || fail "the note on 99.9 mm: $code $err"

run --version
[ "$code" = 0 ] && printf 'vantorel-setup 1.0.0.1\n' | cmp -s - stdout && pass "--version" || fail "--version: $code $out"
run --help
[ "$code" = 0 ] && [[ "$out" == *"--framing wide|recentred"*"Exit codes"* ]] && pass "--help" || fail "--help: $code"
finish
