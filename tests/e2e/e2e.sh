#!/usr/bin/env bash
# The finished program, driven as a person would: xdotool types, clicks and
# drags on the X display, and a second Windows process (the probe) reads back
# what the window shows. Each step leaves a screenshot for a person to look at.
#
# Usage: e2e.sh WINE_RUN VANTOREL_EXE PROBE_EXE SHOT_DIR SETUP_TOOL_EXE CHECK_TOOL_EXE
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
setup_tool=${5:-}
check_tool=${6:-}

source "$(dirname "$0")/lib.sh"
require_display xdotool import compare

root=$(mktemp -d /tmp/vantorel-e2e.XXXXXX)
mkdir -p "$shots"
rm -f "$shots"/*.png

cleanup() {
  stop_programs
  xdotool mouseup 1 2>/dev/null
  rm -rf "$root"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

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

# Polls, for at most 10 seconds, until the 12 x 12 pixels at X Y of the screen
# are exactly the picture res/NAME.bmp; with INSET 1, all but the picture's
# edge, where the focus rectangle of a focused button runs.
check_picture() {
  local inset=${5:-0}
  if poll 10000 picture_shown "$2" "$3" "$4" "$inset"; then
    pass "$1"
  else
    fail "$1: $differ of $(((12 - 2 * inset) ** 2)) pixels differ from $4.bmp"
  fi
}

# Starts the program in FOLDER; NAME says which start it is.
start() {
  if start_program "$1"; then
    pass "$2: the window appears"
  else
    fail "$2: no calculator window within 60 s"
    finish
  fi
}

expect_exit() {
  if ! wait_for_exit; then
    fail "$1: the process is still running"
  elif probe waitgone 2000; then
    pass "$1: the process ended and no window stayed behind"
  else
    fail "$1: the process ended but a calculator window is still there"
  fi
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
start "$run" "first start"
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
# The second click lands 6 pixels from the first, too far apart for the two
# to make a double click.
read_state
read -r x y < <(centre_of 1014)
xdotool mousemove $((x - 3)) "$y" click 1
check_shown "box 1014 ticked" 12 5 2
xdotool mousemove $((x + 3)) "$y" click 1
settle_input
check_shown "clicking the ticked box 1014 keeps it ticked" 12 5 2

# Dragging by the empty canvas between the inputs and the scene moves the
# window by the pointer's path.
window_origin
xdotool mousemove $((win_left + 170)) $((win_top + 100)) mousedown 1
poll 5000 probe moving || fail "pressing the background starts no move"
move_in_steps 10 12 7
xdotool mouseup 1
check "dragging the background by +120 +70 moves the window with it" \
  "rect.window=$((win_left + 120)),$((win_top + 70)),$((win_left + 920)),$((win_top + 648))"
shot dragged

window_origin
read -r x y < <(centre_of 1001)
xdotool mousemove "$x" "$y" mousedown 1
move_in_steps 10 12 7
xdotool mouseup 1
settle_input
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
  hover_at $((x + 6)) $((y + 6))
  check_picture "the $name button shows its hover picture under the pointer" "$x" "$y" "$picture"_over
  # The tool tip belongs in the screenshot; its timing is the platform's, so
  # a late one only costs the picture, not a check.
  await tooltip=1
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
settle_input
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
await menu=1
shot system-menu
xdotool key Up Return
check "Alt+Space, then the last menu item, opens the About box" about=1
shot about-box about
xdotool key Escape
check "Escape closes the About box" about=0 window=1
read_state
click_on 1000
xdotool key alt+space
await menu=1
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

start "$run" "restart"
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
  start "$folder" "$way"
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
  await menu=1
  xdotool key c
}

close_test "Enter in the height field" 77 33 enter xdotool key Return
close_test "Escape" 20 20 escape xdotool key Escape
close_test "Alt+F4" 57 100 alt-f4 xdotool key alt+F4
close_test "the system menu's Close" 1000 1 system-close close_by_system_menu


# ---------------------------------------------------------------------------
# The render setup: the system menu's Export and Ctrl+S write, through the
# Save As dialog, the very bytes vantorel-setup writes for the same inputs;
# Ctrl+Shift+C puts the window's numbers on the clipboard.

windows_path() { echo "Z:${1//\//\\}"; }

# Saves through the open Save As dialog as FILE, then compares FILE with what
# the tool writes given the ARGUMENTS.
save_as_and_compare() {
  local name=$1 file=$2
  shift 2
  check "$name: the Save As dialog opens" saveas=1
  shot "save-as-$(basename "$file")"
  xdotool key Home shift+End
  xdotool type --delay 20 "$(windows_path "$file")"
  xdotool key Return
  check "$name: the Save As dialog closes" saveas=0
  "$wine_run" "$setup_tool" "$@" --output "$(windows_path "$file.tool")" >/dev/null 2>&1
  if ! poll 5000 test -f "$file"; then
    fail "$name: no file was written"
  elif cmp -s "$file" "$file.tool"; then
    pass "$name: the file equals vantorel-setup $*"
  else
    fail "$name: the file differs from vantorel-setup $* ($(cmp "$file" "$file.tool" 2>&1))"
  fi
}

# True when the clipboard holds every LINE; the lines it lacks are left in $missing.
clipboard_holds() {
  local line clipboard
  clipboard=$(probe clipboard | tr -d '\r')
  missing=""
  for line in "$@"; do grep -qxF -- "$line" <<<"$clipboard" || missing+=" '$line'"; done
  [ -z "$missing" ]
}

# Polls the clipboard, for at most 5 seconds, until it holds every LINE.
check_clipboard() {
  local name=$1
  shift
  if poll 5000 clipboard_holds "$@"; then pass "$name"; else fail "$name: missing$missing"; fi
}

if [ -z "$setup_tool" ]; then
  fail "the render setup: no vantorel-setup was given to compare the exports with"
else
  run=$root/export
  start_program "$run" "the render setup"
  type_into 1000 30
  type_into 1001 20
  read_state
  click_on 1013
  check_shown "the render setup: 30 x 20 in steps of 2" 30 20 1

  read_state
  click_on 1000
  xdotool key alt+space
  check "Alt+Space opens the system menu" menu=1
  shot system-menu-export
  # The last item is About; above it, past the separator, Check Rendered
  # Frames and then Export.
  xdotool key Up Up Up Return
  save_as_and_compare "the system menu's Export" "$run/setup.json" \
    --width 30 --height 20 --step 2 --framing wide --format json

  read_state
  click_on 1000
  xdotool key ctrl+s
  save_as_and_compare "Ctrl+S" "$run/path.csv" --width 30 --height 20 --step 2 --framing wide --format csv
  check_shown "the exports leave the window as it was" 30 20 1

  read_state
  click_on 1000
  xdotool key ctrl+shift+c
  read_state
  fov=$(field text.1002)
  check_clipboard "Ctrl+Shift+C copies the window's numbers" $'Hologram width\t30\tmm' $'Hologram height\t20\tmm' \
    $'Frame step\t2\t(every 2nd frame)' $'Camera FOV\t'"${fov% *}"$'\t°' $'Rendered image height\t200\tpx' \
    $'Rendered image width\t'"$(field text.1016 | cut -d' ' -f1)"$'\tpx' $'Frames, every 2nd frame\t1000\tframes' \
    $'Camera step\t0.2\tmm'

  click_on 1000
  xdotool key Escape
  expect_exit "closing after the exports"
fi

# ---------------------------------------------------------------------------
# Checking rendered frames: the system menu's command and Ctrl+O ask for a
# folder, typed into the picker. A folder without frames is refused in the
# check's own words; a folder of frames opens the preview, whose summary is
# vantorel-check's first line, End its last frame, and Ctrl+C its frames to
# render again.

# pick_folder NAME FOLDER COMMAND...: FOLDER typed into the picker COMMAND opens.
pick_folder() {
  local name=$1 folder=$2
  shift 2
  "$@"
  check "$name: the folder picker opens" picker=1
  xdotool type --delay 20 "$(windows_path "$folder")"
  xdotool key Return
}

# The command stands above the separator before About.
check_frames_from_menu() {
  xdotool key alt+space
  await menu=1
  xdotool key Up Up Return
}

if [ -z "$check_tool" ] || ! command -v oiiotool >/dev/null; then
  fail "checking rendered frames: no vantorel-check was given, or oiiotool is not installed"
else
  run=$root/check
  # The smallest rig the window makes: 1 x 1 mm every 8th frame, 250 frames of
  # 2002 x 10 px, each a checker of its own; frame 17 is missing and 40 empty.
  mkdir -p "$run/frames" "$run/no-frames"
  awk 'BEGIN { for (k = 1; k <= 250; k++)
    printf "--pattern checker:width=1:height=1:color1=%f,0.5,0.2:color2=0.9,%f,0.9 2002x10 3 -d uint8 -o frame_%04d.png\n",
      k / 255, k / 255, k }' | (cd "$run/frames" && xargs oiiotool)
  rm "$run/frames/frame_0017.png" && : >"$run/frames/frame_0040.png"
  touch "$run/no-frames/notes.txt"
  rig=(--width 1 --height 1 --step 8)

  start "$run" "checking rendered frames"
  type_into 1000 1
  type_into 1001 1
  read_state
  click_on 1015
  check_shown "checking rendered frames: 1 x 1 in steps of 8" 1 1 3

  pick_folder "the system menu's Check Rendered Frames" "$run/no-frames" check_frames_from_menu
  sentence=$("$wine_run" "$check_tool" "$(windows_path "$run/no-frames")" "${rig[@]}" 2>&1 >/dev/null | tr -d '\r')
  check "a folder without frames shows the check's sentence and no preview" picker=0 previews=0 \
    "box=${sentence#vantorel-check: }"
  shot no-frames-refused
  xdotool key Return
  check "the message box closes" box=

  pick_folder "Ctrl+O" "$run/frames" xdotool key ctrl+o
  summary=$("$wine_run" "$check_tool" "$(windows_path "$run/frames")" "${rig[@]}" | head -n 1 | tr -d '\r')
  check "the preview opens and its summary is vantorel-check's" picker=0 previews=1 \
    "preview.title=Rendered frames - frames" "preview.1004=$summary"
  shot preview preview
  xdotool key End
  check "End shows the last frame" "preview.1002=Frame 250 of 250: frame_0250.png"
  xdotool key ctrl+c
  check_clipboard "Ctrl+C in the preview copies the frames to render again" "-f 17,40"

  read_state
  click_on 1000
  xdotool key Escape
  expect_exit "closing the calculator with the preview open"
fi

finish
