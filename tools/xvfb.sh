# Sourced: makes sure DISPLAY names a working X server, and gives each test
# slot (one per core, see tools/wine-slot.sh) its own Xvfb display, listed in
# VANTOREL_SLOT_DISPLAYS, so that tests side by side never share a pointer,
# keyboard focus or screen. When DISPLAY is not given it is slot 0's display.
# Every Xvfb started here stops when the shell exits (vantorel_stop_xvfb, for
# a caller with its own exit trap). When one does not come up it says so and
# fails.
vantorel_xvfb_pids=()

# Starts an Xvfb on a free display number; its name goes to vantorel_new_display.
vantorel_start_xvfb() {
  local n
  for n in $(seq 90 150); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] || break
  done
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  vantorel_xvfb_pids+=($!)
  vantorel_new_display=":$n"
  for _ in $(seq 100); do DISPLAY=":$n" xdpyinfo >/dev/null 2>&1 && return 0; sleep 0.05; done
  echo "xvfb: no X display could be started: Xvfb :$n did not answer within 5 s (tools/setup.sh installs Xvfb)" >&2
  return 1
}

vantorel_stop_xvfb() { [ ${#vantorel_xvfb_pids[@]} -eq 0 ] || kill "${vantorel_xvfb_pids[@]}" 2>/dev/null || true; }

trap vantorel_stop_xvfb EXIT
if [ -z "${VANTOREL_SLOT_DISPLAYS:-}" ]; then
  for _slot in $(seq "$(nproc)"); do
    vantorel_start_xvfb || { vantorel_stop_xvfb; return 1 2>/dev/null || exit 1; }
    VANTOREL_SLOT_DISPLAYS+="${VANTOREL_SLOT_DISPLAYS:+ }$vantorel_new_display"
  done
  export VANTOREL_SLOT_DISPLAYS
fi
if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
  export DISPLAY=${VANTOREL_SLOT_DISPLAYS%% *}
fi
