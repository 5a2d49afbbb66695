#!/usr/bin/env bash
# Images of the base-station configuration dialog: the combo box's drop-down arrow.
# Drawn 4x and scaled down for smooth edges, at 1x and (name@2x.png) 2x.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
SKIN="${SKIN:-$ROOT/skin}"
mkdir -p "$SKIN/Image"
TMP=$(mktemp -d); trap 'rm -rf "$TMP"' EXIT

# Drop-down chevron, 12 x 12, secondary text colour; the hot one in brand blue.
chevron() {  # chevron <out> <colour>
  convert -size 48x48 xc:none -fill none -stroke "$2" -strokewidth 6 \
    -draw "stroke-linecap round stroke-linejoin round polyline 10,18 24,32 38,18" "$TMP/c.png"
  convert "$TMP/c.png" -filter Lanczos -resize 12x12 -strip -define png:exclude-chunks=date,time "PNG32:$1"
  convert "$TMP/c.png" -filter Lanczos -resize 24x24 -strip -define png:exclude-chunks=date,time "PNG32:${1%.png}@2x.png"
}
chevron "$SKIN/Image/BsComboArrow.png" '#6B7694'
chevron "$SKIN/Image/BsComboArrowHot.png" '#4877E7'
