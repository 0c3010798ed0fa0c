#!/usr/bin/env bash
# The finished program under minutes of random input through the X display, of
# the kind a person poking at it gives: clicks into the two fields and the four
# frame-step boxes, typing, pastes, drags of the window by its background,
# hovering the skin buttons. Never a click on those buttons, nor Enter, Escape,
# Tab, Space or Alt: the window must still be there to be judged. Every few
# actions, and at the end, it must answer within a second and show a state the
# calculator can be in; at the end its close button must close it and leave
# the values it showed in calculator.ini.
#
# Usage: random-input.sh WINE_RUN VANTOREL_EXE PROBE_EXE CHECK_EXE SHOT_DIR [SECONDS [SEED]]
# SECONDS of random input (150 unless given); SEED repeats a run's choices.
set -uo pipefail

wine_run=$(realpath "$1")
program=$(realpath "$2")
probe_exe=$(realpath "$3")
check_exe=$(realpath "$4")
shots=$(realpath -m "$5")
seconds=${6:-150}
seed=${7:-$(date +%s)}
# Assigning to RANDOM seeds bash's generator.
RANDOM=$seed
observe_every=12

source "$(dirname "$0")/../e2e/lib.sh"
require_display xdotool import compare

root=$(mktemp -d /tmp/vantorel-soak.XXXXXX)
mkdir -p "$shots"

cleanup() {
  stop_programs
  xdotool mouseup 1 2>/dev/null
  rm -rf "$root"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

# The random helpers set variables instead of printing: in a $(...) subshell
# the draws would not advance this shell's generator, and repeat.
# A whole number from $1 to $2, both included, in n.
between() { n=$(($1 + RANDOM % ($2 - $1 + 1))); }
# $1 random digits in text.
digits() {
  text=""
  for ((i = 0; i < $1; i++)); do text+=$((RANDOM % 10)); done
}

read -r screen_width screen_height < <(xdotool getdisplaygeometry)

# A random point of control $1, 2 pixels inside its edges, in px and py.
point_in() {
  local l t r b
  read -r l t r b < <(rect "$1")
  between $((l + 2)) $((r - 3))
  px=$n
  between $((t + 2)) $((b - 3))
  py=$n
}

# True when $1 $2 lies on no control, with a margin of 3 pixels.
on_background() {
  local x=$1 y=$2 key l t r b
  while IFS='=' read -r key _; do
    read -r l t r b < <(rect "${key#rect.}")
    [ "$x" -ge $((l - 3)) ] && [ "$x" -lt $((r + 3)) ] && [ "$y" -ge $((t - 3)) ] && [ "$y" -lt $((b + 3)) ] &&
      return 1
  done < <(grep -E '^rect\.[0-9]+=' <<<"$state")
  return 0
}

# Each action says what it did in did, for a failure report.

click_field() {
  point_in $((1000 + RANDOM % 2))
  xdotool mousemove "$px" "$py" click 1
  did="click a field at $px,$py"
}

keys=(0 1 2 3 4 5 6 7 8 9 0 1 2 3 4 5 6 7 8 9 a x e Z period minus comma BackSpace BackSpace BackSpace Delete Delete
      Home End Left Right shift+Left shift+Home shift+End)
type_keys() {
  local picked=() count
  between 1 5
  for ((count = n; count > 0; count--)); do picked+=("${keys[RANDOM % ${#keys[@]}]}"); done
  xdotool key --delay 30 "${picked[@]}"
  did="keys ${picked[*]}"
}

# A person replacing a value: into a field, select all of it, type a new one.
retype_field() {
  local id=$((1000 + RANDOM % 2))
  between 1 4
  digits "$n"
  point_in "$id"
  xdotool mousemove "$px" "$py" click 1
  xdotool key Home shift+End
  xdotool type --delay 30 "$text"
  did="retype $id as $text"
}

paste_texts=(12a34 -7 +15 12.5 .5 1.2.3 3. 0 000 "12 34" 1e3 x9 abc)
letters=abcdefghijklmnopqrstuvwxyz
paste_text() {
  case $((RANDOM % 4)) in
    0) between 1 5 && digits "$n" ;;
    1) between 15 40 && digits "$n" ;;
    # A long number with a slip of the finger in it.
    2)
      between 2 40 && digits "$n"
      between 0 ${#text}
      text=${text:0:n}${letters:RANDOM % 26:1}${text:n}
      ;;
    *) text=${paste_texts[RANDOM % ${#paste_texts[@]}]} ;;
  esac
  if ! probe clip "$text"; then
    did="paste: the probe could not fill the clipboard"
    return
  fi
  ((RANDOM % 2)) && click_field
  ((RANDOM % 2)) && xdotool key Home shift+End
  xdotool key ctrl+v
  did="paste '$text'"
}

click_box() {
  point_in $((1012 + RANDOM % 4))
  xdotool mousemove "$px" "$py" click 1
  did="click a box at $px,$py"
}

# A step of the drag, up to 150 / 8 pixels along one axis, that keeps the
# window's edges $1 and $2 on a screen of size $3; in n.
drag_step() {
  local low=$((-$1 > -150 ? -$1 : -150)) high=$(($3 - $2 < 150 ? $3 - $2 : 150))
  between "$low" "$high"
  n=$((n / 8))
}

# Drags the window by a point of its background to a random place nearby,
# then reads where everything went.
drag_window() {
  local l t r b x="" y dx dy tries
  read -r l t r b < <(rect window)
  for ((tries = 0; tries < 30; tries++)); do
    between $((l + 1)) $((r - 2))
    x=$n
    between $((t + 1)) $((b - 2))
    y=$n
    on_background "$x" "$y" && break
    x=""
  done
  if [ -z "$x" ]; then
    did="drag: no point of the background found"
    return
  fi
  drag_step "$l" "$r" "$screen_width"
  dx=$n
  drag_step "$t" "$b" "$screen_height"
  dy=$n
  xdotool mousemove "$x" "$y" mousedown 1
  move_in_steps 8 "$dx" "$dy"
  xdotool mouseup 1
  settle_input
  read_state
  did="drag from $x,$y by $((8 * dx)),$((8 * dy))"
}

hover_skin_button() {
  point_in $((RANDOM % 2 ? 1 : 1020))
  xdotool mousemove "$px" "$py"
  # How long the pointer rests is part of the action, not a wait.
  between 2 9
  sleep "0.$n"
  did="hover at $px,$py"
}

# The window must answer, be shown as it was, and show a consistent state; the
# checker's verdict also tells what it will save, in width_mm and height_mm.
observe() {
  local when=$1 verdict
  if probe ping; then pass "$when: the window answers within 1 s"; else fail "$when: no answer within 1 s"; fi
  read_state
  if [ "$(field window)$(field iconic)$(field visible)$(field about)" != "1010" ]; then
    fail "$when: the window is not shown as it was (window=$(field window) iconic=$(field iconic)" \
      "visible=$(field visible) about=$(field about)); the last actions:$recent"
    finish
  fi
  if verdict=$(timeout 20 "$wine_run" "$check_exe" 2>/dev/null <<<"$state"); then
    pass "$when: the window shows a consistent state"
  else
    fail "$when: $(grep -v _mm= <<<"$verdict"); the last actions:$recent"
  fi
  width_mm=$(sed -n 's/^width_mm=//p' <<<"$verdict")
  height_mm=$(sed -n 's/^height_mm=//p' <<<"$verdict")
}

# The probe reads at most 255 characters of a field: long inputs are retyped.
shorten_long_inputs() {
  local id
  for id in 1000 1001; do
    if [ "$(field "text.$id" | wc -c)" -gt 60 ]; then
      retype_field
      read_state
    fi
  done
}

# ---------------------------------------------------------------------------

if ! probe waitgone 0; then
  fail "a calculator window is already open in this Wine prefix; its checks would mix with this run's"
  finish
fi
echo "seed $seed, $seconds s of random input"
folder=$root/program
if ! start_program "$folder"; then
  fail "no calculator window within 60 s"
  finish
fi
read_state

# The close button has the focus at start, and keys must not reach it.
click_field
actions=0
recent=""
deadline=$(($(now_ms) + seconds * 1000))
while [ "$(now_ms)" -lt "$deadline" ]; do
  pick=$((RANDOM % 100))
  if [ $pick -lt 15 ]; then click_field
  elif [ $pick -lt 45 ]; then type_keys
  elif [ $pick -lt 55 ]; then paste_text
  elif [ $pick -lt 70 ]; then click_box
  elif [ $pick -lt 80 ]; then retype_field
  elif [ $pick -lt 90 ]; then drag_window
  else hover_skin_button
  fi
  actions=$((actions + 1))
  recent=$(tail -n 7 <<<"$recent")$'\n  '$did
  if [ $((actions % observe_every)) -eq 0 ]; then
    observe "after $actions actions"
    shorten_long_inputs
  fi
done
echo "$actions random actions in $seconds s"

settle_input
shorten_long_inputs
observe "at the end"
read -r l t r b < <(rect window)
import -window root -crop "$((r - l))x$((b - t))+$l+$t" +repage "$shots/random-input-end.png"
echo "screenshot: $shots/random-input-end.png"

point_in 1
xdotool mousemove "$px" "$py" click 1
if ! wait_for_exit; then
  fail "the process still runs 10 s after a click on the close button"
elif probe waitgone 2000; then
  pass "the close button ends the program"
else
  fail "the process ended but a calculator window is still there"
fi

want=$'[settings]\nHologram Width, mm='$width_mm$'\nHologram Height, mm='$height_mm
if [ ! -f "$folder/calculator.ini" ]; then
  fail "no calculator.ini was written"
elif [ "$(tr -d '\r' <"$folder/calculator.ini")" == "$want" ]; then
  pass "calculator.ini holds the width $width_mm and height $height_mm last shown"
else
  fail "calculator.ini reads $(tr -d '\r' <"$folder/calculator.ini" | tr '\n' '|')," \
    "not width $width_mm and height $height_mm"
fi
finish
