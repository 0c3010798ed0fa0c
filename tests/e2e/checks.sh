# Sourced by the scripts that drive the real program: counting checks, the
# closing summary line, and the X display and tools they need.
passed=0
failed=0
pass() { echo "PASS: $1"; passed=$((passed + 1)); }
fail() { echo "FAIL: $1"; failed=$((failed + 1)); }
finish() {
  echo "$passed passed, $failed failed"
  exit $((failed > 0))
}

# require_display TOOL...: ends the run with a failure when there is no
# working X display or one of the tools is missing.
require_display() {
  if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
    fail "an X display is needed: set DISPLAY (an Xvfb display will do)"
    finish
  fi
  local tool
  for tool in "$@"; do
    command -v "$tool" >/dev/null || { fail "$tool is not installed"; finish; }
  done
}
