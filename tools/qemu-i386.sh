#!/usr/bin/env bash
# Some kernels cannot start 32-bit programs themselves; there Wine runs only
# through qemu's user-mode emulator, registered with binfmt_misc. Debian 12's
# qemu 7.2 cannot start Wine ("failed to map the shared user data"); qemu 10
# from bookworm-backports can. On such a machine this installs that qemu and
# registers it for 32-bit programs; where 32-bit programs already start, it
# does nothing. Runs after wine32 is installed. Needs root; quiet when all is
# in place.
set -euo pipefail
binfmt=/proc/sys/fs/binfmt_misc
entry=$binfmt/qemu-i386

interpreter_major() {
  "$1" --version 2>/dev/null | sed -n 's/.* version \([0-9]*\)\..*/\1/p' | head -n 1
}

if [ -e "$entry" ]; then
  [ "$(interpreter_major "$(sed -n 's/^interpreter //p' "$entry")")" -ge 8 ] 2>/dev/null && exit 0
elif /usr/lib/wine/wine --version >/dev/null 2>&1; then
  exit 0
fi

echo "setup: this kernel starts 32-bit programs only through qemu; installing qemu 10 for Wine"
export DEBIAN_FRONTEND=noninteractive
sources=/etc/apt/sources.list.d/bookworm-backports.sources
if [ ! -e "$sources" ]; then
  printf '%s\n' 'Types: deb' 'URIs: http://deb.debian.org/debian' 'Suites: bookworm-backports' \
    'Components: main' 'Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg' >"$sources"
fi
if [ "$(interpreter_major /usr/bin/qemu-i386)" != 10 ]; then
  apt-get update -qq >/dev/null
  apt-get install -y -qq -t bookworm-backports qemu-user-static >/dev/null
fi

# The F flag opens the interpreter once, at registration, so an older qemu
# stays in use until the entry is registered anew. The kernel decodes the \x
# escapes itself.
[ -e "$binfmt/register" ] || mount -t binfmt_misc binfmt_misc "$binfmt"
[ -e "$entry" ] && echo -1 >"$entry"
echo ':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:/usr/bin/qemu-i386:F' \
  >"$binfmt/register"
/usr/lib/wine/wine --version >/dev/null || { echo "setup: 32-bit programs still do not start" >&2; exit 1; }
