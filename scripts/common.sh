# Shared settings for the scripts: sourced, never run.
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export BUILD_DIR="${BUILD_DIR:-$ROOT/build}"
# Each build folder has its own Wine prefix, so that runs in two build folders never see
# each other's windows (the console's single-instance test looks for any such window).
export WINEPREFIX="${WINEPREFIX_OVERRIDE:-$BUILD_DIR/.wineprefix}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

# start_xvfb: sets DISPLAY to a fresh Xvfb screen and records its pid in XVFB_PID.
start_xvfb() {
  local n
  for n in $(seq 90 140); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 "${XVFB_SCREEN:-1280x900x24}" -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    local i
    for i in $(seq 1 100); do
      [ -e "/tmp/.X11-unix/X$n" ] && { export DISPLAY=":$n"; return 0; }
      kill -0 "$XVFB_PID" 2>/dev/null || break
      sleep 0.05
    done
  done
  echo "could not start Xvfb" >&2
  return 1
}

# display_answers: true when $DISPLAY names an X display that answers within 5 seconds.
display_answers() {
  [ -n "${DISPLAY:-}" ] && timeout 5 xdpyinfo >/dev/null 2>&1
}

stop_xvfb() {
  [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null
  XVFB_PID=
}

# wine_windows_managed Y|N: whether Wine hands the windows of this prefix to the window
# manager. N only on a private Xvfb (there is none: Wine would wait two seconds for it each
# time a window is hidden or destroyed); Y on a real desktop (taskbar entry, Alt+Tab,
# focus). Run after wineserver -p: it also starts the prefix's helper processes.
wine_windows_managed() {
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d "$1" /f >/dev/null 2>&1 </dev/null
}

# build: configure once, then build everything (or the targets named).
build() {
  # Configure every time (quick when nothing changed): new folders join the build.
  # ccache, where installed, lets build folders and clones share compiled objects.
  local launcher=()
  if command -v ccache >/dev/null; then
    export CCACHE_BASEDIR="$ROOT" CCACHE_NOHASHDIR=1
    launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  fi
  cmake -S "$ROOT" -B "$BUILD_DIR" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-i686.cmake" "${launcher[@]}" >/dev/null || return 1
  local log rc
  log=$(mktemp)
  cmake --build "$BUILD_DIR" -j"$(nproc)" ${1:+--target "$@"} >"$log" 2>&1
  rc=$?
  grep -v -E '^\[ *[0-9]+%\]|^-- ' "$log"
  rm -f "$log"
  return "$rc"
}

# build_native: the native tier (host clang, sanitizers, GoogleTest, fuzz targets) into
# $BUILD_DIR/native.
build_native() {
  local launcher=()
  command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  cmake -S "$ROOT/tests/native" -B "$BUILD_DIR/native" -DCMAKE_CXX_COMPILER=clang++ "${launcher[@]}" >/dev/null || return 1
  local log rc
  log=$(mktemp)
  cmake --build "$BUILD_DIR/native" -j"$(nproc)" >"$log" 2>&1
  rc=$?
  grep -v -E '^\[ *[0-9]+%\]|^-- ' "$log"
  rm -f "$log"
  return "$rc"
}
