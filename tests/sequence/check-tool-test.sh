#!/usr/bin/env bash
# vantorel-check as a process, over folders of frames this script makes from
# a tiny rig (4 x 3 mm at 1 mm pitch on an 8 mm track: eight frames of 12 x 3
# px, or 4 x 3 recentred). Each row of the table gives its whole expected
# JSON report; the Windows build under Wine must give the same bytes, so both
# image readers agree. Decoders word their reasons differently, so a reason
# is compared up to "cannot be read:".
#   check-tool-test.sh host TOOL TABLE
#   check-tool-test.sh wine WINE_RUN TOOL.exe TABLE
set -uo pipefail
mode=$1
if [ "$mode" = wine ]; then wine_run=$2 tool=$3 table=$4; else tool=$2 table=$3; fi
table=$(realpath "$table")
source "$(dirname "$0")/../e2e/lib.sh"
[ "$mode" = wine ] && require_display
command -v oiiotool >/dev/null || { fail "oiiotool is not installed: run tools/setup.sh"; finish; }
work=$(mktemp -d)
trap 'chmod -R u+rwx "$work"; rm -rf "$work"' EXIT
cd "$work" || exit 1
rig="--width 4 --height 3 --pitch 1 --track 8 --distance 20"

# Frame K: a one-pixel checker in two colours of its own, so no frame is
# uniform and none equals another. One oiiotool run makes them all.
checker() {  # checker K SIZE CHANNELS TYPE NAME: oiiotool's arguments for it
  local c
  c=$(awk "BEGIN { print $1 / 10 }")
  echo "--pattern checker:width=1:height=1:color1=$c,0.5,0.2,1:color2=0.95,$c,0.9,0.5 $2 $3 -d $4 -o $5"
}
name() { local p=${2:-frame_####.png}; printf "%s%0$(tr -cd '#' <<<"$p" | wc -c)d%s" "${p%%#*}" "$1" "${p##*#}"; }
frames() {  # frames FIRST LAST [NAME [SIZE [CHANNELS [TYPE]]]]
  local k args=()
  for ((k = $1; k <= $2; k++)); do
    args+=($(checker "$k" "${4:-12x3}" "${5:-3}" "${6:-uint8}" "$(name "$k" "${3:-}")"))
  done
  oiiotool "${args[@]}"
}
drop() { rm "$(name "$1")"; }
empty() { : >"$(name "$1")"; }
cut_short() { local f; f=$(name "$1"); head -c $(($(stat -c %s "$f") / 2)) "$f" >cut && mv cut "$f"; }
resize() { oiiotool $(checker "$1" "$2" 3 uint8 "$(name "$1")"); }
flat() { oiiotool --pattern constant:color=0.5,0.5,0.5 12x3 3 -d uint8 -o "$(name "$1")"; }
dup() { cp "$(name "$1")" "$(name "$2")"; }
setup_json() {  # setup_json FILE [FRAMING]: the keys vantorel-setup's JSON gives the rig
  echo '{"width_mm":4,"height_mm":3,"step":1,"framing":"'"${2:-recentred}"'","pitch_mm":1,"distance_mm":20,"track_mm":8}' >"$1"
}

trim() { sed -E 's/^ +| +$//g' <<<"$1"; }

# Make every row's folder; then run them all (under Wine as one batch file:
# each Wine start costs seconds).
rows=() argss=() codes=() wants=()
while IFS='|' read -r recipe args code want; do
  recipe=$(trim "$recipe") args=$(trim "$args") code=$(trim "$code") want=$(trim "$want")
  [ -n "$recipe" ] && [ "${recipe:0:1}" != "#" ] || continue
  [[ "$recipe" == host:* ]] && { [ "$mode" = wine ] && continue; recipe=$(trim "${recipe#host:}"); }
  i=${#rows[@]}
  mkdir "row$i" && (cd "row$i" && eval "$recipe") || fail "making [$recipe]"
  [[ "$args" == *--setup* ]] || args="$rig $args"
  rows+=("$recipe") argss+=("$args") codes+=("$code") wants+=("$want")
done <"$table"

if [ "$mode" = wine ]; then
  cp "$tool" vantorel-check.exe
  {
    echo "@echo off"
    echo "cd /d Z:${work//\//\\}"
    for i in "${!rows[@]}"; do
      args=${argss[$i]}
      echo "vantorel-check.exe row$i ${args//\'/\"} --format json --output out$i.json 2>err$i.txt"
      echo ">code$i.txt echo %ERRORLEVEL%"
    done
    echo "vantorel-check.exe row1 $rig --picture picture.png >nul"
  } | sed 's/$/\r/' >run.bat
  "$wine_run" cmd /c "Z:${work//\//\\}\\run.bat"
else
  for i in "${!rows[@]}"; do
    eval "\"$tool\" row$i ${argss[$i]} --format json --output out$i.json 2>err$i.txt"
    echo $? >"code$i.txt"
  done
fi

for i in "${!rows[@]}"; do
  code=$(tr -d '\r ' <"code$i.txt") err=$(tr -d '\r' <"err$i.txt")
  got=$(sed -E 's/"cannot be read: ([^"\\]|\\.)*"/"cannot be read: ..."/g' "out$i.json" 2>/dev/null)
  what="[${rows[$i]}] [${argss[$i]}] exits ${codes[$i]}"
  if [ "$code" != "${codes[$i]}" ]; then
    fail "$what; got $code: $err"
  elif [ "$code" = 2 ]; then
    [[ "$err" == "vantorel-check: "*"${wants[$i]}"* ]] && [ ! -e "out$i.json" ] && pass "$what: ${wants[$i]}" || fail "$what: said $err"
  else
    [ "$got" = "${wants[$i]}" ] && pass "$what" || fail "$what; report differs:$(diff <(echo "${wants[$i]}" | tr , '\n') <(echo "$got" | tr , '\n'))"
  fi
done
# The picture: drawn with OpenImageIO on Linux, with GDI and WIC on Windows.
[ "$mode" = wine ] || "$tool" row1 $rig --picture picture.png >/dev/null
[ "$(oiiotool --info picture.png 2>/dev/null | grep -c ', 3 channel, uint8 png')" = 1 ] && pass "--picture draws a PNG" ||
  fail "--picture: no PNG"
[ "$mode" = wine ] && finish

# The host alone: the text report, bad input and a report that cannot be written.
mkdir farm && (cd farm && frames 1 8 && drop 2 && drop 3 && empty 5 && resize 8 13x3 && dup 1 6 && flat 7)
"$tool" farm $rig >text.txt
expected_text="4 of 8 frames sound: 2 missing, 1 unreadable, 1 wrong size, 2 suspect
missing: 2..3
unreadable: 5
  frame_0005.png: zero bytes
wrong size: 8
  frame_0008.png: 13 x 3 px, not 12 x 3
uniform: 7
identical: 6 = 1
render again: -f 2..3,5,8"
[ "$(cat text.txt)" = "$expected_text" ] && pass "the text report" || fail "the text report: $(diff <(echo "$expected_text") text.txt)"

touch plain-file && mkdir locked && chmod 000 locked
echo '{"width_mm": 4,' >broken.json
echo '{"width_mm":4,"height_mm":3,"step":1,"framing":"wide","distance_mm":20,"track_mm":8}' >no-pitch.json
while IFS='|' read -r args message; do
  args=$(echo $args)
  [ -n "$args" ] || continue
  [[ "$args" == locked* ]] && [ "$(id -u)" = 0 ] && continue  # root reads any folder
  eval "set -- $args"
  "$tool" "$@" >stdout 2>stderr
  code=$? err=$(cat stderr)
  [ "$code" = 2 ] && [ "$(wc -l <stderr)" = 1 ] && [[ "$err" == *"$message"* ]] && [ ! -s stdout ] && pass "[$args]: $message" ||
    fail "[$args]: got $code, $err"
done <<TABLE
no-such-folder $rig                   |no-such-folder does not exist
plain-file $rig                       |plain-file is not a folder
locked $rig                           |cannot read the folder locked
farm --setup broken.json              |broken.json: the setup file is not JSON
farm --setup no-pitch.json            |no-pitch.json: not a setup file of vantorel-setup: it has no "pitch_mm"
farm --setup no-pitch.json --width 4  |--setup excludes --width
farm $rig --pattern frame_0001.png    |--pattern: 'frame_0001.png' is not allowed
farm $rig --first -1                  |--first: '-1' is not allowed
farm                                  |give the rig with --setup FILE, or with --width and --height
TABLE

echo old >keep.json
(trap '' XFSZ; ulimit -f 0; "$tool" farm $rig --output keep.json 2>stderr)
code=$?
[ "$code" = 2 ] && [ "$(cat keep.json)" = old ] && [ "$(ls -A | grep -c keep)" = 1 ] && pass "a report that cannot be written leaves the old one" ||
  fail "unwritable --output: $code, $(cat stderr), keep.json: $(cat keep.json)"
finish
