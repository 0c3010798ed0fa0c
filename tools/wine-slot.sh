# Sourced by wine-run and by the scripts that drive the program: runs the
# caller in a test slot of its own, each with its own Xvfb display (its own
# pointer, keyboard and screen) and its own Wine prefix (its own Wine server,
# desktop, foreground and focus).
#
# Windows tests side by side in one Wine session on one display share all of
# these: one test's window takes the foreground, focus or pointer from
# another's, and keys meant for one program reach the other. tools/xvfb.sh
# lists one display per core in VANTOREL_SLOT_DISPLAYS; a test takes the first
# free slot and holds it, through a lock named for its display, until it ends,
# so that under ctest -j up to the number of cores no test waits for one.
# Without slot displays everything runs in one prefix on $DISPLAY, as before.
#
# vantorel_take_slot COMMAND...: when no slot is held yet, runs COMMAND (the
# caller again) in the first free slot, waiting when every slot is taken, and
# exits with its status. Once a slot is held it sets DISPLAY and VANTOREL_SLOT
# for it and returns.
vantorel_take_slot() {
  local displays slot lock
  read -r -a displays <<<"${VANTOREL_SLOT_DISPLAYS:-}"
  [ ${#displays[@]} -gt 0 ] || return 0
  if [ -z "${VANTOREL_SLOT:-}" ]; then
    slot=0
    for lock in "${!displays[@]}"; do
      flock -n "/tmp/.vantorel-slot${displays[$lock]}.lock" true && { slot=$lock; break; }
    done
    # The lock is held by flock itself (-o), not handed down: the Wine services
    # a test starts outlive it and must not keep its slot.
    VANTOREL_SLOT=$slot exec flock -o "/tmp/.vantorel-slot${displays[$slot]}.lock" "$@"
  fi
  export VANTOREL_SLOT DISPLAY=${displays[$VANTOREL_SLOT]}
}

# vantorel_slot_prefix BASE: the held slot's prefix; slot 0 (or none) uses BASE.
vantorel_slot_prefix() {
  if [ "${VANTOREL_SLOT:-0}" == 0 ]; then echo "$1"; else echo "$1-$VANTOREL_SLOT"; fi
}
