#!/usr/bin/env bash
# Images of the control gallery (skin/gallery): caption glyphs, the logo, round icons,
# option boxes and a translucent banner. Drawn 4x and scaled down for smooth edges, at 1x
# and (name@2x.png) 2x.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
SKIN="${SKIN:-$ROOT/skin}"
OUT="$SKIN/gallery"
mkdir -p "$OUT"
PNG=(-strip -define png:exclude-chunks=date,time)
TMP=$(mktemp -d); trap 'rm -rf "$TMP"' EXIT

# down <in> <WxH> <out>: the drawing scaled down to 1x, and to 2x as <out>@2x.png.
down() {
  local w=${2%x*} h=${2#*x}
  convert "$1" -filter Lanczos -resize "${w}x${h}!" "${PNG[@]}" "PNG32:$3"
  convert "$1" -filter Lanczos -resize "$((w * 2))x$((h * 2))!" "${PNG[@]}" "PNG32:${3%.png}@2x.png"
}

# glyph <out> <size> <draw>: white strokes on transparent.
glyph() {
  local out=$1 size=$2; shift 2
  local big=$((size * 4))
  convert -size ${big}x${big} xc:none -fill none -stroke white -strokewidth 6 \
    -draw "stroke-linecap round stroke-linejoin round $*" "$TMP/glyph.png"
  down "$TMP/glyph.png" "${size}x${size}" "$out"
}

# badge <out> <size> <colour> <draw>: a filled circle in colour with a white mark.
badge() {
  local out=$1 size=$2 colour=$3; shift 3
  local big=$((size * 4)) r=$((size * 2 - 2))
  convert -size ${big}x${big} xc:none -fill "$colour" -stroke none \
    -draw "circle $((size * 2)),$((size * 2)) $((size * 2)),2" \
    -fill none -stroke white -strokewidth 7 -draw "stroke-linecap round stroke-linejoin round $*" "$TMP/badge.png"
  down "$TMP/badge.png" "${size}x${size}" "$out"
  : "$r"
}

glyph "$OUT/min.png"   28 "line 36,56 76,56"
glyph "$OUT/close.png" 28 "line 38,38 74,74 line 74,38 38,74"

# Logo: a brand-blue rounded square, lighter at the top, with radio waves.
convert -size 96x96 xc:none \
  \( -size 96x96 gradient:'#6E95F2-#3039B4' \) \
  \( -size 96x96 xc:none -fill white -draw "roundrectangle 2,2 93,93 20,20" \) \
  -delete 0 -compose CopyOpacity -composite \
  -fill none -stroke white -strokewidth 7 \
  -draw "stroke-linecap round line 48,40 48,78 circle 48,34 48,30 arc 26,12 70,56 200,340 arc 14,0 82,68 205,335" \
  "$TMP/logo.png"
down "$TMP/logo.png" 24x24 "$OUT/logo.png"

# Round icons for the cards and rows (32 px).
badge "$OUT/icon_station.png" 32 '#4877E7' \
  "line 64,44 64,100 line 46,100 82,100 line 64,60 50,100 line 64,60 78,100 arc 44,24 84,64 200,340"
badge "$OUT/icon_call.png" 32 '#2FB171' \
  "path 'M 44,36 L 56,36 L 62,52 L 54,58 Q 62,72 72,76 L 78,68 L 94,74 L 94,86 Q 92,94 82,94 Q 40,90 36,46 Q 36,36 44,36 Z'"
badge "$OUT/icon_record.png" 32 '#E5484D' "circle 64,64 64,84"

# Colours are #RRGGBB here (ImageMagick reads 8 digits as #RRGGBBAA).

# Option boxes (18 px): an empty box and a ticked brand-blue one.
convert -size 72x72 xc:none -fill white -stroke '#B8C2DA' -strokewidth 5 \
  -draw "roundrectangle 6,6 65,65 14,14" "$TMP/off.png"
down "$TMP/off.png" 18x18 "$OUT/check_off.png"
convert -size 72x72 xc:none -fill '#4877E7' -stroke none -draw "roundrectangle 4,4 67,67 14,14" \
  -fill none -stroke white -strokewidth 8 -draw "stroke-linecap round stroke-linejoin round polyline 18,37 31,50 54,23" \
  "$TMP/on.png"
down "$TMP/on.png" 18x18 "$OUT/check_on.png"

# A translucent banner: brand colours fading to clear, with soft white discs, drawn at 2x.
convert -size 880x192 gradient:'#3039B4-#4877E7' -rotate -90 -resize 880x192\! \
  \( -size 880x192 gradient:'gray(100%)-gray(20%)' -rotate -90 -resize 880x192\! \) \
  -compose CopyOpacity -composite \
  \( -size 880x192 xc:none -fill 'rgba(255,255,255,0.25)' -draw "circle 760,40 760,160 circle 600,180 600,260" \) \
  -compose Over -composite "$TMP/banner.png"
down "$TMP/banner.png" 440x96 "$OUT/banner.png"
