#!/usr/bin/env bash
# Creates (once) a 32-bit Wine prefix set up for quiet, fast, reproducible runs.
# Usage: wine-prefix.sh PREFIX
set -euo pipefail
prefix=$1
export WINEPREFIX=$prefix WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

mkdir -p "$(dirname "$prefix")"
exec 9>"$prefix.lock"
flock 9
[ -f "$prefix/.vantorel-ready" ] && exit 0

wineboot -i >/dev/null 2>&1
# Without Wine's own fonts "MS Shell Dlg" falls back to a wider face and dialog
# units no longer come out as 6 x 13 pixels per 4 x 8 units.
cp /usr/share/wine/fonts/*.ttf "$prefix/drive_c/windows/Fonts/"
reg=$(mktemp --suffix=.reg)
cat >"$reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Managed"="N"

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"Arial"="Liberation Sans"
REG
wine regedit "$reg" >/dev/null 2>&1
rm -f "$reg"
wineserver -w
touch "$prefix/.vantorel-ready"
