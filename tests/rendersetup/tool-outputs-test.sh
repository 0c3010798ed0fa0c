#!/usr/bin/env bash
# What sits at vantorel-setup's --output, root or not, is written, never
# destroyed. The device is made here with the numbers of /dev/full: a fault
# can replace only this copy, never the system's.
set -uo pipefail
tool=$1
source "$(dirname "$0")/../e2e/lib.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
args=(--width 30 --height 20 --format json)
"$tool" "${args[@]}" >expected || exit 1

# what | made by | --output | what holds after the run ($code, $err, file stdout)
while IFS='|' read -r what make target check; do
  [ -n "$what" ] || continue
  eval "$make" || { skip "$what: it cannot be made here (mknod needs root)"; continue; }
  eval "\"\$tool\" \"\${args[@]}\" --output $target >stdout 2>stderr"
  code=$? err=$(cat stderr)
  eval "$check" && pass "$what" || fail "$what: exit $code, $err, files: $(ls -l | tr '\n' ' ')"
done <<'TABLE'
a file of mode 0640           |echo old >kept; chmod 0640 kept          |kept            |[ $code = 0 ] && cmp -s kept expected && [ "$(stat -c %a kept)" = 640 ]
a symbolic link to a file     |echo old >real; ln -s real link          |link            |[ $code = 0 ] && [ -L link ] && cmp -s real expected
a FIFO with a reader          |mkfifo fifo; timeout 60 cat fifo >got &  |fifo            |wait $! && [ $code = 0 ] && cmp -s got expected && [ -p fifo ]
a shell's process substitution|:                                        |>(cat >sub)     |wait $! && [ $code = 0 ] && cmp -s sub expected
a full device                 |mknod full c 1 7                         |full            |[ $code = 1 ] && [ "$err" = "vantorel-setup: cannot write full: No space left on device" ] && [ -c full ]
standard output               |:                                        |-               |[ $code = 0 ] && cmp -s stdout expected && [ ! -e - ]
TABLE
[ -z "$(find . -name '.*.tmp')" ] && pass "no temporary file is left behind" || fail "left behind: $(find . -name '.*.tmp')"
finish
