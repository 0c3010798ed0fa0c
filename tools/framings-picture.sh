#!/usr/bin/env bash
# The README's picture of the two framings, from the images the Blender render
# test leaves behind: its middle wide frame with the hologram's columns marked,
# beside the same frame recentred.
# Usage: tools/framings-picture.sh [RENDER_TEST_DIR] [OUTPUT_PNG]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=${1:-$root/build/host/tests/blender/render}
out=${2:-$root/docs/framings.png}
scale=8
font=/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf

read -r frame first last width height < <(python3 - "$dir/wide.json" <<'PY'
import json, sys
rig = json.load(open(sys.argv[1]))
frame = rig["frames"][(rig["frame_count"] - 1) // 2]
print(frame["frame"], *frame["hologram_px"], rig["image_width_px"], rig["image_height_px"])
PY
)
name=$(printf 'frame_%04d.png' "$frame")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

convert "$dir/hologram_wide_step4/$name" -filter point -resize "$((scale * 100))%" \
        -fill none -stroke '#ffd000' -strokewidth 4 \
        -draw "rectangle $((first * scale)),1 $(((last + 1) * scale - 1)),$((height * scale - 2))" "$work/wide.png"
convert "$dir/hologram_recentred_step4/$name" -filter point -resize "$((scale * 100))%" "$work/recentred.png"
montage -font "$font" -pointsize 16 -fill white -background '#202020' \
        -label "wide, frame $frame: $width x $height px, hologram in columns $first-$last" "$work/wide.png" \
        -label "recentred, frame $frame: $((last - first + 1)) x $height px" "$work/recentred.png" \
        -tile 2x1 -geometry +32+16 -depth 8 "$out"
echo "wrote $out"
