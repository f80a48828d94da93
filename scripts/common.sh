# Shared by run.sh, test.sh and bench.sh: paths, the build, and the Wine prefix under the build tree.
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="${XW_BUILD_DIR:-$ROOT/build}"
WINE=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver

export WINEPREFIX="$BUILD_DIR/wineprefix"
export WINEARCH=win64
export WINEDEBUG="${WINEDEBUG:--all}"
# Never offer to download Mono or Gecko.
export WINEDLLOVERRIDES="mscoree,mshtml="
# The ANSI code page of the program's texts is 936.
export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8

build_all() {
  cmake -S "$ROOT" -B "$BUILD_DIR" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" \
        -DCMAKE_BUILD_TYPE="${XW_BUILD_TYPE:-RelWithDebInfo}" >/dev/null
  cmake --build "$BUILD_DIR" -j"$(nproc)" "$@"
}

ensure_prefix() {
  [ -f "$WINEPREFIX/.xw-ready" ] && return 0
  echo "Creating the Wine prefix $WINEPREFIX"
  rm -rf "$WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  "$WINE" wineboot -i >/dev/null 2>&1 || true
  # Without a window manager (Xvfb) managed windows stall 2 s on every hide/destroy.
  "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
  # A crash ends the process instead of opening a dialog that would hang a run.
  "$WINE" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
  # The faces the program asks for, drawn with the CJK font that is installed.
  for face in 微软雅黑 宋体; do
    "$WINE" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /t REG_SZ /d 'WenQuanYi Micro Hei' /f >/dev/null 2>&1
  done
  "$WINESERVER" -w
  touch "$WINEPREFIX/.xw-ready"
}

# Starts an Xvfb of our own on a display it picks itself; sets XW_XVFB_PID and DISPLAY.
start_xvfb() {
  local number_file
  number_file="$(mktemp)"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$number_file" </dev/null >/dev/null 2>&1 &
  XW_XVFB_PID=$!
  for _ in $(seq 100); do
    if [ -s "$number_file" ]; then
      export DISPLAY=":$(head -n1 "$number_file")"
      rm -f "$number_file"
      return 0
    fi
    sleep 0.1
  done
  rm -f "$number_file"
  echo "Xvfb did not start" >&2
  return 1
}

# Installs, builds and prepares a Wine session of our own: an Xvfb when there is no display (or
# under CI, or when asked with XW_OWN_DISPLAY), a persistent wineserver and Wine's services. Stops
# only those when the calling script exits.
prepare_session() {
  "$ROOT/scripts/install-deps.sh"
  build_all
  ensure_prefix

  XW_XVFB_PID=""
  trap stop_session EXIT INT TERM
  if [ -n "${CI:-}" ] || [ -z "${DISPLAY:-}" ] || [ -n "${XW_OWN_DISPLAY:-}" ]; then start_xvfb; fi
  # A persistent wineserver makes each Wine process start in a fraction of a second. Its output
  # goes nowhere: a pipe held open by it would keep the caller waiting.
  "$WINESERVER" -p </dev/null >/dev/null 2>&1 || true
  # Wine starts its background services with the first program of a session, and they would
  # inherit that program's output: start them now with theirs going nowhere.
  "$WINE" cmd.exe /c exit </dev/null >/dev/null 2>&1 || true
}

stop_session() {
  "$WINESERVER" -k 2>/dev/null || true
  [ -n "${XW_XVFB_PID:-}" ] && kill "$XW_XVFB_PID" 2>/dev/null || true
}
