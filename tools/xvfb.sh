# Sourced: makes sure DISPLAY names a working X server. When none is given it
# starts its own Xvfb on a free display number and stops it when the shell
# exits; when that server does not come up it says so and fails.
if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
  for n in $(seq 90 150); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] || break
  done
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  vantorel_xvfb_pid=$!
  export DISPLAY=":$n"
  trap 'kill $vantorel_xvfb_pid 2>/dev/null || true' EXIT
  for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.05; done
  if ! xdpyinfo >/dev/null 2>&1; then
    echo "xvfb: no X display could be started: Xvfb :$n did not answer within 5 s (tools/setup.sh installs Xvfb)" >&2
    kill $vantorel_xvfb_pid 2>/dev/null || true
    return 1 2>/dev/null || exit 1
  fi
fi
