# Sourced by the scripts that drive the real program under Wine: counting
# checks, the probe that reads the window back, starting the program and
# waiting for it to end, and polling for a condition with a bound.
#
# The sourcing script sets wine_run, program and probe_exe first. Waits poll:
# the program runs at its own pace under Wine, and a fixed sleep is either too
# short on a busy machine or wasted on an idle one.

passed=0
failed=0
skipped=0
pass() { echo "PASS: $1"; passed=$((passed + 1)); }
fail() { echo "FAIL: $1"; failed=$((failed + 1)); }
skip() { echo "SKIP: $1"; skipped=$((skipped + 1)); }
# Ends the script: 1 when a check failed, 77 (ctest's skip code where it is
# set) when none failed but one could not run here, else 0.
finish() {
  echo "$passed passed, $failed failed, $skipped skipped"
  [ "$failed" -gt 0 ] && exit 1
  [ "$skipped" -gt 0 ] && exit 77
  exit 0
}

source "$(dirname "${BASH_SOURCE[0]}")/../../tools/wine-slot.sh"
# The script's own arguments, to run it again in a test slot of its own.
script_args=("$@")

# require_display TOOL...: runs the script in a test slot of its own (its own
# display and Wine session, see tools/wine-slot.sh) and ends the run with a
# failure when there is no working X display or one of the tools is missing.
require_display() {
  vantorel_take_slot bash "$0" "${script_args[@]}"
  if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
    fail "an X display is needed: set DISPLAY (an Xvfb display will do)"
    finish
  fi
  local tool
  for tool in "$@"; do
    command -v "$tool" >/dev/null || { fail "$tool is not installed"; finish; }
  done
}

now_ms() { date +%s%3N; }

# poll MS COMMAND...: runs COMMAND every 50 ms until it succeeds, for at most
# MS milliseconds; true when it did.
poll() {
  local deadline=$(($(now_ms) + $1))
  shift
  until "$@"; do
    [ "$(now_ms)" -lt "$deadline" ] || return 1
    sleep 0.05
  done
}

# The probe, a second Windows process that reads the calculator's window. A
# hung program would hang its reads with it, hence the bound.
probe() { timeout 90 "$wine_run" "$probe_exe" "$@" 2>/dev/null; }

# The probe's key=value lines, kept in $state until the next read.
read_state() { state=$(probe | tr -d '\r'); }
field() { awk -v key="$1=" 'index($0, key) == 1 { print substr($0, length(key) + 1); exit }' <<<"$state"; }
# A rectangle from $state as "LEFT TOP RIGHT BOTTOM".
rect() { field "rect.$1" | tr ',' ' '; }

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

state_now_matches() { read_state; state_matches "$@"; }
# Polls the probe until every KEY=VALUE holds, for at most 15 seconds: with
# another test beside it on two busy cores, the About box has taken over 5
# to open.
await() { poll 15000 state_now_matches "$@"; }

check() {
  local name=$1
  shift
  if await "$@"; then pass "$name"; else fail "$name:$mismatch"; fi
}

# Moves the pointer to the screen's bottom-right corner, away from the window.
park_pointer() {
  local width height
  read -r width height < <(xdotool getdisplaygeometry)
  xdotool mousemove $((width - 10)) $((height - 10))
}

res=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../res" && pwd)
# picture_shown X Y NAME [INSET]: true when the 12 x 12 pixels at X Y of the
# screen are exactly the picture res/NAME.bmp (with INSET, all but that many
# pixels round the edge, where a focused button draws its focus rectangle); the
# number of differing pixels goes to $differ.
picture_shown() {
  local inset=${4:-0} grabbed expected
  local size=$((12 - 2 * inset))
  grabbed=$(mktemp --suffix=.png)
  expected=$(mktemp --suffix=.png)
  import -window root -crop "${size}x${size}+$(($1 + inset))+$(($2 + inset))" +repage "$grabbed"
  convert "$res/$3.bmp" -crop "${size}x${size}+$inset+$inset" +repage "$expected"
  differ=$(compare -metric AE "$grabbed" "$expected" null: 2>&1)
  rm -f "$grabbed" "$expected"
  [ "$differ" == "0" ]
}

# Waits until the program has handled every pointer and key event sent so far,
# for at most 10 seconds each way: input reaches a window in order, so once the
# minimise button shows its hover picture, and then its normal one again with
# the pointer parked, everything before was handled. This is how a script
# sees that something did not happen.
settle_input() {
  local x y
  read_state
  read -r x y _ _ < <(rect 1020)
  hover_at $((x + 6)) $((y + 6))
  poll 10000 picture_shown "$x" "$y" minimize_over
  park_pointer
  poll 10000 picture_shown "$x" "$y" minimize_normal
}

# Moves the pointer onto X Y in two motions, as a hand comes to rest. A window
# that starts tracking the pointer on its first motion over it may find the
# platform still busy with the pointer's last leave, under emulation above
# all; the second motion is its next chance.
hover_at() {
  xdotool mousemove "$(($1 - 1))" "$(($2 - 1))"
  xdotool mousemove "$1" "$2"
}

# move_in_steps N DX DY: moves the pointer N times by DX DY at a hand's pace.
# The pause paces the input, as a person's drag has one; it waits for nothing.
move_in_steps() {
  local step
  for ((step = 0; step < $1; step++)); do
    xdotool mousemove_relative -- "$2" "$3"
    sleep 0.03
  done
}

# An ended program stays our zombie child until it is waited for.
alive() { [ -n "$(ps -o stat= -p "$1" 2>/dev/null | grep -v Z)" ]; }
program_ended() { ! alive "$app_pid"; }

# Starts the program from FOLDER, so that its settings file lands there,
# copying it there first unless a copy is already in place (a script may have
# locked the folder since). Wine's output goes beside the folder, to
# FOLDER.wine.log, the process to app_pid. True when the window appears
# within 60 s (under emulation a cold start alone can take half of that) and
# then has the keyboard within 10 s.
start_program() {
  local folder=$1
  mkdir -p "$folder"
  [ -e "$folder/Vantorel.exe" ] || cp "$program" "$folder/Vantorel.exe"
  park_pointer
  (cd "$folder" && exec "$wine_run" "$folder/Vantorel.exe") >"$folder.wine.log" 2>&1 &
  app_pid=$!
  app_pids+=("$app_pid")
  probe wait 60000 >/dev/null && poll 10000 program_has_keyboard
}

# Whether the display's keyboard focus is on the program's window (Wine marks
# its windows with the process's pid). The window is shown, and read back,
# before the platform hands it the focus; a key sent in between goes to no
# window at all, and an Escape meant to close the program is lost.
program_has_keyboard() { [ "$(xdotool getwindowfocus getwindowpid 2>/dev/null)" == "$app_pid" ]; }

# Waits, for at most 10 seconds, until the program's process has ended; its
# exit code then goes to exit_status. False, with the process killed, when it
# still runs.
wait_for_exit() {
  exit_status=timeout
  if ! poll 10000 program_ended; then
    kill "$app_pid" 2>/dev/null
    return 1
  fi
  wait "$app_pid" 2>/dev/null
  exit_status=$?
}

# Kills every program this script started; for its exit trap.
stop_programs() {
  local pid
  for pid in "${app_pids[@]}"; do kill "$pid" 2>/dev/null; done
}
app_pids=()
