#!/usr/bin/env bash
# Makes the release zip from the current build, unpacks it into an empty folder and runs
# the package test program (its first argument) against that folder.
set -uo pipefail
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
"$ROOT/scripts/package" --no-build "$WORK/out" >"$WORK/package.log" 2>&1 || { cat "$WORK/package.log"; exit 1; }
zip=$(sed -n 's/^package: //p' "$WORK/package.log")
version=$(sed -n 's/^version: //p' "$WORK/package.log")
mkdir "$WORK/unpacked"
(cd "$WORK/unpacked" && cmake -E tar xf "$zip") || exit 1
folder="$WORK/unpacked/RadioConsole-$version"
[ -d "$folder" ] || { echo "the zip holds no RadioConsole-$version folder" >&2; exit 1; }
RADIO_CONSOLE_PACKAGE="$(winepath -w "$folder" 2>/dev/null)\\" exec "$ROOT/scripts/wine-exec" "$1" --gtest_color=no
