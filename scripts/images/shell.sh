#!/usr/bin/env bash
# Images of the application shell: caption glyphs, navigation glyphs, the caption logo
# and the exe's icon (resource 137). Drawn 4x and scaled down for smooth edges, at 1x and (name@2x.png) 2x.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
SKIN="${SKIN:-$ROOT/skin}"
mkdir -p "$SKIN/Caption" "$SKIN/Image"
TMP=$(mktemp -d); trap 'rm -rf "$TMP"' EXIT

# arc <cx> <cy> <r> <from> <to>: an open polyline along a circle (angles in degrees,
# clockwise from +x); ImageMagick 6 closes stroked arc paths, polylines stay open.
arc() {
  awk -v cx="$1" -v cy="$2" -v r="$3" -v a="$4" -v b="$5" 'BEGIN {
    printf "polyline"; for (i = 0; i <= 24; i++) { t = (a + (b - a) * i / 24) * 3.14159265 / 180;
    printf " %.1f,%.1f", cx + r * cos(t), cy + r * sin(t) } }'
}

# down <in> <WxH> <out>: the drawing scaled down to 1x, and to 2x as <out>@2x.png.
down() {
  local w=${2%x*} h=${2#*x}
  convert "$1" -filter Lanczos -resize "${w}x${h}!" -strip -define png:exclude-chunks=date,time "PNG32:$3"
  convert "$1" -filter Lanczos -resize "$((w * 2))x$((h * 2))!" -strip -define png:exclude-chunks=date,time "PNG32:${3%.png}@2x.png"
}

# glyph <out> <size> <draw args...>: white strokes on transparent, drawn at 4x.
glyph() {
  local out=$1 size=$2; shift 2
  local big=$((size * 4))
  convert -size ${big}x${big} xc:none -fill none -stroke white -strokewidth 6 \
    -draw "stroke-linecap round stroke-linejoin round $*" "$TMP/glyph.png"
  down "$TMP/glyph.png" "${size}x${size}" "$out"
}

# Caption buttons (28 x 28, glyph 10 px in the middle).
glyph "$SKIN/Caption/min.png"     28 "line 36,56 76,56"
glyph "$SKIN/Caption/max.png"     28 "rectangle 36,36 76,76"
glyph "$SKIN/Caption/restore.png" 28 "rectangle 34,44 66,76 polyline 46,44 46,34 78,34 78,66 66,66"
glyph "$SKIN/Caption/close.png"   28 "line 38,38 74,74 line 74,38 38,74"

# Navigation glyphs (20 x 20): a radio mast with waves; a handset.
glyph "$SKIN/Image/NavStations.png" 20 \
  "line 40,34 40,72 line 28,72 52,72 line 40,46 30,72 line 40,46 50,72 \
   $(arc 40 32 14 220 320) $(arc 40 32 25 215 325)"
glyph "$SKIN/Image/NavCalls.png" 20 \
  "path 'M 22,14 L 32,14 L 38,28 L 31,34 Q 38,48 48,52 L 54,44 L 68,50 L 68,60 Q 66,68 58,68 Q 18,64 14,24 Q 14,16 22,14 Z'"

# The console's mark: white mast and waves on a brand-indigo rounded square.
mark() {  # mark <out> <size>
  local size=$1 out=$2
  convert -size 256x256 xc:none \
    -fill '#3039B4' -stroke none -draw "roundrectangle 8,8 247,247 52,52" \
    -fill none -stroke white -strokewidth 16 \
    -draw "stroke-linecap round stroke-linejoin round line 128,104 128,206 line 92,206 164,206 line 128,132 100,206 line 128,132 156,206" \
    -stroke '#FFFFFF' -strokewidth 14 -draw "stroke-linecap round stroke-linejoin round $(arc 128 98 44 220 320)" \
    -stroke '#BFD0FF' -strokewidth 14 -draw "stroke-linecap round stroke-linejoin round $(arc 128 98 76 218 322)" \
    -fill '#2FB171' -stroke none -draw "circle 128,98 128,112" \
    -filter Lanczos -resize ${size}x${size} -strip -define png:exclude-chunks=date,time "PNG32:$out"
}
mark 24 "$SKIN/Image/Logo.png"
mark 48 "$SKIN/Image/Logo@2x.png"
for s in 16 24 32 48 64 256; do mark $s "$TMP/icon-$s.png"; done
convert "$TMP"/icon-16.png "$TMP"/icon-24.png "$TMP"/icon-32.png "$TMP"/icon-48.png \
  "$TMP"/icon-64.png "$TMP"/icon-256.png "$ROOT/app/RadioConsole.ico"

# Selected sub-navigation tab: a short brand-blue bar.
convert -size 192x12 xc:none -fill '#4877E7' -draw "roundrectangle 0,0 191,11 6,6" "$TMP/tab.png"
down "$TMP/tab.png" 48x3 "$SKIN/Image/TabIndicator.png"

# Tray menu "退出": a power glyph, grey and danger red on hover.
power() {  # power <colour> <out>
  convert -size 64x64 xc:none -fill none -stroke "$1" -strokewidth 6 \
    -draw "stroke-linecap round stroke-linejoin round $(arc 32 34 20 -50 230) line 32,8 32,32" "$TMP/power.png"
  down "$TMP/power.png" 16x16 "$2"
}
power '#6B7694' "$SKIN/Image/MenuExit.png"
power '#E5484D' "$SKIN/Image/MenuExitHot.png"
