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
codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
backports=$codename-backports

# The archive this machine already installs from, in either source format:
# the first address that serves the release itself (not its security archive).
# Whatever mirror or proxy the machine uses is used for the backports too.
archive_address() {
  local file
  for file in /etc/apt/sources.list.d/*.sources; do
    [ -e "$file" ] || continue
    awk -v suite="$codename" '
      BEGIN { RS = ""; FS = "\n" }
      {
        uris = ""; suites = ""; enabled = 1
        for (i = 1; i <= NF; i++) {
          if ($i ~ /^URIs:/) uris = substr($i, 6)
          else if ($i ~ /^Suites:/) suites = " " substr($i, 8) " "
          else if ($i ~ /^Enabled: *no/) enabled = 0
        }
        if (enabled && index(suites, " " suite " ")) { split(uris, u, " "); print u[1]; exit }
      }' "$file"
  done
  cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null |
    awk -v suite="$codename" '$1 == "deb" { sub(/ \[[^]]*\]/, ""); if ($3 == suite) print $2 }'
}

sources=/etc/apt/sources.list.d/$backports.sources
if ! grep -rqs -e "[[:space:]]$backports\([[:space:]]\|\$\)" /etc/apt/sources.list \
    /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources; then
  address=$(archive_address | head -n 1)
  if [ -z "$address" ]; then
    echo "setup: no Debian source for $codename in /etc/apt/sources.list or sources.list.d; add one, then run this again" >&2
    exit 1
  fi
  printf '%s\n' 'Types: deb' "URIs: $address" "Suites: $backports" \
    'Components: main' 'Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg' >"$sources"
fi
if [ "$(interpreter_major /usr/bin/qemu-i386)" != 10 ]; then
  apt-get update -qq >/dev/null
  apt-get install -y -qq -t "$backports" qemu-user-static >/dev/null
fi

# The F flag opens the interpreter once, at registration, so an older qemu
# stays in use until the entry is registered anew. The kernel decodes the \x
# escapes itself.
[ -e "$binfmt/register" ] || mount -t binfmt_misc binfmt_misc "$binfmt"
[ -e "$entry" ] && echo -1 >"$entry"
echo ':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:/usr/bin/qemu-i386:F' \
  >"$binfmt/register"
/usr/lib/wine/wine --version >/dev/null || { echo "setup: 32-bit programs still do not start" >&2; exit 1; }
