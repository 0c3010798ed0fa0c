#!/usr/bin/env bash
# The finished program, driven as a person would: xdotool types, clicks and
# drags on the X display, and a second Windows process (the probe) reads back
# what the window shows. Each step leaves a screenshot for a person to look at.
#
# Usage: e2e.sh WINE_RUN VANTOREL_EXE PROBE_EXE SHOT_DIR
#
# Keys: the prefix runs without a window manager, and Wine then moves the X
# input focus itself to the window it activates, so xdotool's keys (XTEST, to
# whatever holds the X focus) reach the calculator from its start, and the
# About box while it is open. Inside the window the Windows focus decides: a
# typing step first clicks into its field, as a person would.
set -uo pipefail

wine_run=$1
program=$2
probe_exe=$3
shots=$4
res=$(cd "$(dirname "$0")/../../res" && pwd)

source "$(dirname "$0")/checks.sh"
require_display xdotool import compare

root=$(mktemp -d /tmp/vantorel-e2e.XXXXXX)
mkdir -p "$shots"
rm -f "$shots"/*.png
app_pids=()

cleanup() {
  local pid
  for pid in "${app_pids[@]}"; do kill "$pid" 2>/dev/null; done
  xdotool mouseup 1 2>/dev/null
  rm -rf "$root"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

now_ms() { date +%s%3N; }

# Moves the pointer to the screen's bottom-right corner, away from the window.
park_pointer() {
  local width height
  read -r width height < <(xdotool getdisplaygeometry)
  xdotool mousemove $((width - 10)) $((height - 10))
}

probe() { "$wine_run" "$probe_exe" "$@" 2>/dev/null; }

# The probe's key=value lines, kept in $state until the next read.
read_state() { state=$(probe); }
field() { awk -v key="$1=" 'index($0, key) == 1 { print substr($0, length(key) + 1); exit }' <<<"$state"; }

# True when every KEY=VALUE argument holds in $state; the misses go to $mismatch.
state_matches() {
  local pair key want got
  mismatch=""
  for pair in "$@"; do
    key=${pair%%=*}
    want=${pair#*=}
    got=$(field "$key")
    [ "$got" == "$want" ] || mismatch+=" $key is '$got', not '$want';"
  done
  [ -z "$mismatch" ]
}

# Polls the probe until every KEY=VALUE holds, for at most 5 seconds.
await() {
  local deadline=$(($(now_ms) + 5000))
  while :; do
    read_state
    state_matches "$@" && return 0
    [ "$(now_ms)" -lt "$deadline" ] || return 1
    sleep 0.05
  done
}

check() {
  local name=$1
  shift
  if await "$@"; then pass "$name"; else fail "$name:$mismatch"; fi
}

# Everything the window must show for width W, height H and frame step MODE
# (0 to 3), as KEY=VALUE arguments for check.
shown() {
  local w=$1 h=$2 mode=$3 steps=(0 2 4 8) id outline
  local fov
  fov=$(awk -v w="$w" 'BEGIN { printf "%.3f", 2 * atan2(200 + w, 600) * 180 / 3.141592653589793 }')
  expected=("text.1000=$w" "text.1001=$h" "text.1002=$fov °" "text.1003=300 mm" "text.1004=200 mm"
            "text.1005=-100 mm" "text.1006=100 mm" "text.1007=2000 frames" "text.1008=1000 frames"
            "text.1009=500 frames" "text.1010=250 frames" "text.1011=$((10 * h)) px"
            "text.1016=$((10 * w + 2000 - steps[mode])) px")
  for id in 0 1 2 3; do expected+=("check.$((1012 + id))=$((id == mode))"); done
  if [ "$w" -gt "$h" ]; then outline=1018; elif [ "$w" -eq "$h" ]; then outline=1019; else outline=1017; fi
  for id in 1017 1018 1019; do expected+=("visible.$id=$((id == outline))"); done
}

check_shown() {
  local name=$1
  shift
  shown "$@"
  check "$name" "${expected[@]}"
}

# A rectangle from $state as "LEFT TOP RIGHT BOTTOM".
rect() { field "rect.$1" | tr ',' ' '; }

# The centre of control ID (or of the About box's OK button), in screen pixels.
centre_of() {
  local l t r b
  read -r l t r b < <(rect "$1")
  echo "$(((l + r) / 2)) $(((t + b) / 2))"
}

click_on() {
  local x y
  read -r x y < <(centre_of "$1")
  xdotool mousemove "$x" "$y" click 1
}

# Clicks into an input field, selects its text and types over it.
type_into() {
  read_state
  click_on "$1"
  xdotool key Home shift+End
  xdotool type --delay 40 "$2"
}

shot_number=0
# Saves the part of the screen under the calculator (or under the rectangle
# KEY of the probe), widened by MARGIN pixels to the right and below, as the
# next numbered screenshot.
shot() {
  local name=$1 key=${2:-window} margin=${3:-0} l t r b
  read_state
  read -r l t r b < <(rect "$key")
  shot_number=$((shot_number + 1))
  if [ -n "${b:-}" ]; then
    import -window root -crop "$((r - l + margin))x$((b - t + margin))+$l+$t" +repage \
      "$shots/$(printf '%02d' "$shot_number")-$name.png"
  else
    import -window root "$shots/$(printf '%02d' "$shot_number")-$name.png"
  fi
}

# Polls, for at most 3 seconds, until the 12 x 12 pixels at X Y of the screen
# are exactly the picture res/NAME.bmp; with INSET 1, all but the picture's
# edge, where the focus rectangle of a focused button runs.
check_picture() {
  local name=$1 x=$2 y=$3 picture=$res/$4.bmp inset=${5:-0} grabbed=$root/grabbed.png differ
  local size=$((12 - 2 * inset)) expected=$root/expected.png
  convert "$picture" -crop "${size}x${size}+$inset+$inset" +repage "$expected"
  local deadline=$(($(now_ms) + 3000))
  while :; do
    import -window root -crop "${size}x${size}+$((x + inset))+$((y + inset))" +repage "$grabbed"
    differ=$(compare -metric AE "$grabbed" "$expected" null: 2>&1)
    [ "$differ" == "0" ] && { pass "$name"; return; }
    [ "$(now_ms)" -lt "$deadline" ] || break
    sleep 0.05
  done
  fail "$name: $differ of $((size * size)) pixels differ from $4.bmp"
}

# An ended program stays our zombie child until it is waited for.
alive() { [ -n "$(ps -o stat= -p "$1" 2>/dev/null | grep -v Z)" ]; }

# Starts a copy of the program in FOLDER (so its settings file lands there)
# and waits for its window.
start_program() {
  local folder=$1
  mkdir -p "$folder"
  cp "$program" "$folder/Vantorel.exe"
  park_pointer
  (cd "$folder" && exec "$wine_run" "$folder/Vantorel.exe") >"$folder/wine.log" 2>&1 &
  app_pid=$!
  app_pids+=("$app_pid")
  if probe wait 20000; then
    pass "$2: the window appears"
  else
    fail "$2: no calculator window within 20 s"
    finish
  fi
}

# Waits, for at most 10 seconds, until the program's process has ended.
expect_exit() {
  local deadline=$(($(now_ms) + 10000))
  while alive "$app_pid" && [ "$(now_ms)" -lt "$deadline" ]; do sleep 0.05; done
  if alive "$app_pid"; then
    fail "$1: the process is still running"
    kill "$app_pid" 2>/dev/null
  elif probe waitgone 2000; then
    pass "$1: the process ended and no window stayed behind"
  else
    fail "$1: the process ended but a calculator window is still there"
  fi
  wait "$app_pid" 2>/dev/null
}

expect_ini() {
  local file=$1/calculator.ini name=$2
  local want=$'[settings]\nHologram Width, mm='$3$'\nHologram Height, mm='$4
  if [ ! -f "$file" ]; then
    fail "$name: no calculator.ini was written"
  elif [ "$(tr -d '\r' <"$file")" == "$want" ]; then
    pass "$name: calculator.ini holds width $3 and height $4"
  else
    fail "$name: calculator.ini reads: $(tr -d '\r' <"$file" | tr '\n' '|')"
  fi
}

# Where the window's top-left corner is now, in win_left and win_top.
window_origin() { read_state; read -r win_left win_top _ _ < <(rect window); }

# ---------------------------------------------------------------------------
# First start: typing, pasting, frame steps, outlines, dragging, minimising,
# the About box, and the close button.

run=$root/main
if probe waitgone 0; then
  pass "no calculator window is open before the first start"
else
  fail "a calculator window is already open in this Wine prefix; its checks would mix with this run's"
  finish
fi
start_program "$run" "first start"
check_shown "first start shows 30 x 20 mm in steps of 1" 30 20 0
check "the close button, the first tab stop, has the focus at start" focus=1 active=1
[ ! -e "$run/calculator.ini" ] && pass "no settings file is written at start" ||
  fail "a settings file was written at start"
shot start

# Screen readers ask another process for each control's name, through the
# platform's accessibility interface; they must get the caption.
spoken=("1=Close" "1020=Minimize" "1000=Hologram width, mm" "1001=Hologram height, mm"
        "1002=Camera field of view" "1003=Camera distance" "1004=Camera track" "1005=Camera track start"
        "1006=Camera track end" "1007=Frames, every frame" "1008=Frames, every 2nd frame"
        "1009=Frames, every 4th frame" "1010=Frames, every 8th frame" "1011=Rendered image height"
        "1016=Rendered image width" "1012=Every frame" "1013=Every 2nd frame" "1014=Every 4th frame"
        "1015=Every 8th frame")
names=$(probe names)
unnamed=""
for pair in "${spoken[@]}"; do grep -qxF "name.$pair" <<<"$names" || unnamed+=" ${pair%%=*}"; done
[ -z "$unnamed" ] && pass "every field, box and button reads out by its caption" ||
  fail "controls without their caption as name:$unnamed"

type_into 1000 145
check_shown "width typed as 145" 145 20 0
shot width-typed

type_into 1001 64
check_shown "height typed as 64" 145 64 0
shot height-typed

type_into 1000 25
check_shown "width typed as 25" 25 64 0
xdotool key End BackSpace
check_shown "one Backspace leaves width 2" 2 64 0
xdotool key BackSpace
check_shown "emptying the width field puts 1 back at once" 1 64 0
shot width-emptied

# The 1 that replaces an emptied input is selected: the next keys replace it.
xdotool type --delay 40 150
check_shown "typing 150 into the emptied width field gives 150" 150 64 0

read_state
click_on 1000
xdotool key Home shift+End
if probe clip 12a34; then
  xdotool key ctrl+v
  check_shown "pasting 12a34 into the width field leaves 12" 12 64 0
else
  fail "the probe could not put 12a34 on the clipboard"
fi
shot width-pasted

type_into 1001 0
check_shown "a height of 0 becomes 1" 12 1 0
type_into 1001 12
check_shown "12 x 12 shows the square outline only" 12 12 0
shot square
type_into 1001 30
check_shown "12 x 30 shows the portrait outline only" 12 30 0
shot portrait
type_into 1001 5
check_shown "12 x 5 shows the landscape outline only" 12 5 0

for mode in 1 2 3 0; do
  read_state
  click_on $((1012 + mode))
  check_shown "frame-step box $((1012 + mode)) alone is ticked" 12 5 "$mode"
  [ "$mode" -eq 2 ] && shot frame-step-4
done
read_state
click_on 1014
check_shown "box 1014 ticked" 12 5 2
# Far enough apart not to make a double click.
sleep 0.6
click_on 1014
sleep 0.3
check_shown "clicking the ticked box 1014 keeps it ticked" 12 5 2

# Dragging by the empty canvas between the inputs and the scene moves the
# window by the pointer's path.
window_origin
xdotool mousemove $((win_left + 170)) $((win_top + 100)) mousedown 1
for _ in $(seq 10); do
  xdotool mousemove_relative -- 12 7
  sleep 0.03
done
xdotool mouseup 1
check "dragging the background by +120 +70 moves the window with it" \
  "rect.window=$((win_left + 120)),$((win_top + 70)),$((win_left + 920)),$((win_top + 648))"
shot dragged

window_origin
read -r x y < <(centre_of 1001)
xdotool mousemove "$x" "$y" mousedown 1
for _ in $(seq 10); do
  xdotool mousemove_relative -- 12 7
  sleep 0.03
done
xdotool mouseup 1
sleep 0.3
shown 12 5 2
check "a drag started in the height field moves nothing" \
  "rect.window=$win_left,$win_top,$((win_left + 800)),$((win_top + 578))" "${expected[@]}"

# The skin buttons: the picture files of res/ must show, pixel for pixel, at
# the top-left corner of each button, for the state it is in.
read_state
read -r min_x min_y _ _ < <(rect 1020)
read -r close_x close_y _ _ < <(rect 1)
for button in minimise:minimize:$min_x:$min_y close:close:$close_x:$close_y; do
  IFS=: read -r name picture x y <<<"$button"
  park_pointer
  check_picture "the $name button shows its normal picture" "$x" "$y" "$picture"_normal
  xdotool mousemove $((x + 6)) $((y + 6))
  check_picture "the $name button shows its hover picture under the pointer" "$x" "$y" "$picture"_over
  # Long enough for the tool tip to show in the screenshot.
  sleep 0.8
  shot "hover-$name" window 80
  park_pointer
  check_picture "the $name button's normal picture returns when the pointer leaves" "$x" "$y" "$picture"_normal
done

# Pressing the close button and letting go elsewhere closes nothing. The press
# gives the button the focus, which it shows once keys have been used.
window_origin
xdotool mousemove $((close_x + 6)) $((close_y + 6)) mousedown 1
check_picture "the pressed close button shows its pressed picture" "$close_x" "$close_y" close_pressed 1
xdotool mousemove $((close_x - 60)) $((close_y + 60))
check_picture "the pressed picture goes when the pointer leaves the button" "$close_x" "$close_y" close_normal 1
xdotool mouseup 1
sleep 0.3
check "releasing the press away from the close button keeps the window" window=1 iconic=0 \
  "rect.window=$win_left,$win_top,$((win_left + 800)),$((win_top + 578))"

xdotool mousemove $((min_x + 6)) $((min_y + 6)) mousedown 1
check_picture "the pressed minimise button shows its pressed picture" "$min_x" "$min_y" minimize_pressed 1
xdotool mouseup 1
check "the minimise button minimises the window" iconic=1
probe restore
check "the minimised window comes back" iconic=0 visible=1 \
  "rect.window=$win_left,$win_top,$((win_left + 800)),$((win_top + 578))"
shot restored

# A frame-step box with the keyboard focus is marked with a focus rectangle
# round it and its frame count: look at the screenshot. Only from here on:
# once keys have moved the focus, the window shows it on every control,
# pressed skin buttons too, whose pictures are compared above.
read_state
click_on 1014
xdotool key Tab
check "Tab moves the focus to the next frame-step box" focus=1015
shot focus-on-frame-step-box

# The About box is the system menu's last item, reached with Alt+Space and Up
# (Wine's own "About Wine" item shares the mnemonic "a").
read_state
click_on 1000
xdotool key alt+space
sleep 0.3
shot system-menu
xdotool key Up Return
check "Alt+Space, then the last menu item, opens the About box" about=1
shot about-box about
xdotool key Escape
check "Escape closes the About box" about=0 window=1
read_state
click_on 1000
xdotool key alt+space
sleep 0.3
xdotool key Up Return
check "the About box opens a second time" about=1
click_on about.ok
check "its OK button closes it" about=0 window=1

type_into 1000 145
type_into 1001 64
read_state
click_on 1015
check_shown "145 x 64 in steps of 8 before closing" 145 64 3
shot before-close
read_state
click_on 1
expect_exit "the close button"
expect_ini "$run" "the close button" 145 64

start_program "$run" "restart"
check_shown "a restart shows the saved 145 x 64 in steps of 1" 145 64 0
shot restarted
click_on 1000
xdotool key Escape
expect_exit "closing the restarted program"

# ---------------------------------------------------------------------------
# Every other way to close the window saves the values last shown.

close_test() {
  local way=$1 w=$2 h=$3
  local folder=$root/$4
  start_program "$folder" "$way"
  type_into 1000 "$w"
  type_into 1001 "$h"
  check_shown "$way: $w x $h typed" "$w" "$h" 0
  shot "before-$4"
  shift 4
  "$@"
  expect_exit "$way"
  expect_ini "$folder" "$way" "$w" "$h"
}

close_by_system_menu() {
  xdotool key alt+space
  sleep 0.3
  xdotool key c
}

close_test "Enter in the height field" 77 33 enter xdotool key Return
close_test "Escape" 20 20 escape xdotool key Escape
close_test "Alt+F4" 57 100 alt-f4 xdotool key alt+F4
close_test "the system menu's Close" 1000 1 system-close close_by_system_menu

finish
