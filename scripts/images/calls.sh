#!/usr/bin/env bash
# Images of the call pages: the row buttons (play, locate, delete), the playback window's
# pause/resume button and the recording switch. Drawn 4x and scaled down for smooth edges, at 1x and (name@2x.png) 2x.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
SKIN="${SKIN:-$ROOT/skin}"
mkdir -p "$SKIN/Button" "$SKIN/Image"
TMP=$(mktemp -d); trap 'rm -rf "$TMP"' EXIT

BLUE='#4877E7'; BLUE_DARK='#3A63C9'; INDIGO='#3039B4'
DANGER='#E5484D'; SUCCESS='#2FB171'

# shrink <in> <size> <out>: at 1x, and at 2x as <out>@2x.png.
shrink() {
  convert "$1" -filter Lanczos -resize "$2x$2" -strip -define png:exclude-chunks=date,time "PNG32:$3"
  convert "$1" -filter Lanczos -resize "$(($2 * 2))x$(($2 * 2))" -strip -define png:exclude-chunks=date,time "PNG32:${3%.png}@2x.png"
}

# Row buttons, 30 x 30: a 24 px disc with a glyph, drawn at 120 x 120.
row_button() {  # row_button <out> <disc fill> <glyph draw args...>
  local out=$1 fill=$2; shift 2
  convert -size 120x120 xc:none \
    -fill "$fill" -stroke none -draw "circle 60,60 60,12" \
    "$@" "$TMP/row.png"
  shrink "$TMP/row.png" 30 "$out"
}
row_button "$SKIN/Button/Play.png" "$BLUE" \
  -fill white -draw "path 'M 50,40 L 80,60 L 50,80 Z'" \
  -fill none -stroke white -strokewidth 6 -draw "stroke-linejoin round path 'M 50,40 L 80,60 L 50,80 Z'"
row_button "$SKIN/Button/OpenFile.png" '#E3EBFD' \
  -fill "$BLUE" -stroke none \
  -draw "path 'M 34,44 Q 34,40 38,40 L 52,40 L 57,46 L 82,46 Q 86,46 86,50 L 86,78 Q 86,82 82,82 L 38,82 Q 34,82 34,78 Z'" \
  -fill '#9DB7F5' -draw "path 'M 34,56 L 86,56 L 86,78 Q 86,82 82,82 L 38,82 Q 34,82 34,78 Z'" \
  -fill "$BLUE" -draw "path 'M 38,58 L 88,58 L 82,82 L 34,82 Z'"
row_button "$SKIN/Button/Delete.png" '#FDE7E8' \
  -fill none -stroke "$DANGER" -strokewidth 6 \
  -draw "stroke-linecap round stroke-linejoin round line 38,44 82,44 polyline 52,44 52,37 68,37 68,44 path 'M 43,50 L 46,82 Q 46,85 50,85 L 70,85 Q 74,85 74,82 L 77,50' line 55,56 55,76 line 65,56 65,76"

# Pause/resume button of the playback window, 40 x 40: an indigo-to-blue disc with a soft
# shadow; StopPlayBtn shows pause (playing), StartPlayBtn shows play (paused).
play_disc() {  # play_disc <out> <glyph draw args...>
  local out=$1; shift
  convert -size 160x160 xc:none \
    \( -size 160x160 xc:none -fill '#1F2A4455' -draw "circle 80,86 80,16" -blur 0x5 \) -composite \
    \( -size 136x136 gradient:"$BLUE"-"$INDIGO" \
       \( -size 136x136 xc:black -fill white -draw "circle 68,68 68,2" \) \
       -alpha off -compose CopyOpacity -composite \) -geometry +12+10 -compose Over -composite \
    -fill none -stroke '#FFFFFF40' -strokewidth 3 -draw "circle 80,78 80,14" \
    "$@" "$TMP/disc.png"
  shrink "$TMP/disc.png" 44 "$out"
}
play_disc "$SKIN/Button/StopPlayBtn.png" \
  -fill white -stroke none -draw "roundrectangle 58,52 73,104 5,5 roundrectangle 87,52 102,104 5,5"
play_disc "$SKIN/Button/StartPlayBtn.png" \
  -fill white -stroke white -strokewidth 8 -draw "stroke-linejoin round path 'M 66,52 L 108,78 L 66,104 Z'"

# The recording switch, 160 x 160, drawn at 640 x 640. RecorderStart (recording off, a
# click starts it): a white switch with a red record dot. RecorderStop (recording on, a
# click stops it): a red switch inside a green ring with a white stop square.
switch_base() {  # switch_base <out> <ring colour> <face top> <face bottom>
  convert -size 640x640 xc:none \
    \( -size 640x640 xc:none -fill '#1F2A4450' -draw "circle 320,336 320,40" -blur 0x14 \) -composite \
    -fill "$2" -stroke none -draw "circle 320,316 320,28" \
    \( -size 520x520 gradient:"$3"-"$4" \
       \( -size 520x520 xc:black -fill white -draw "circle 260,260 260,2" \) \
       -alpha off -compose CopyOpacity -composite \) -geometry +60+56 -compose Over -composite \
    \( -size 640x640 xc:none -fill '#FFFFFF38' -draw "ellipse 320,190 168,86 0,360" -blur 0x10 \) \
    -compose Over -composite "$1"
}
switch_base "$TMP/start.png" '#DDE3F0' '#FFFFFF' '#E9EDF6'
convert "$TMP/start.png" \
  \( -size 640x640 xc:none -fill '#E5484D40' -draw "circle 320,316 320,188" -blur 0x10 \) -composite \
  -fill "$DANGER" -stroke none -draw "circle 320,316 320,206" \
  -fill '#FFFFFF55' -draw "ellipse 292,272 48,30 0,360" \
  "$TMP/start2.png"
shrink "$TMP/start2.png" 160 "$SKIN/Image/RecorderStart.png"

switch_base "$TMP/stop.png" "$SUCCESS" '#F0676B' '#C9343A'
convert "$TMP/stop.png" \
  -fill none -stroke '#FFFFFF50' -strokewidth 8 -draw "circle 320,316 320,126" \
  -fill white -stroke none -draw "roundrectangle 250,246 390,386 22,22" \
  "$TMP/stop2.png"
shrink "$TMP/stop2.png" 160 "$SKIN/Image/RecorderStop.png"
