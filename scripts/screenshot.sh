#!/usr/bin/env bash
# Starts the program on a virtual display of its own and saves a screenshot of the screen.
# Usage: scripts/screenshot.sh [output.png] [program arguments...]
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

out="$(realpath -m "${1:-$BUILD_DIR/screenshot.png}")"
shift || true

"$ROOT/scripts/install-deps.sh"
build_all
ensure_prefix

XW_XVFB_PID=""
cleanup() {
  "$WINESERVER" -k 2>/dev/null || true
  [ -n "$XW_XVFB_PID" ] && kill "$XW_XVFB_PID" 2>/dev/null || true
}
trap cleanup EXIT INT TERM
start_xvfb
# Its output goes nowhere: a pipe held open by it would keep the caller waiting.
"$WINESERVER" -p </dev/null >/dev/null 2>&1 || true
"$WINE" cmd.exe /c exit </dev/null >/dev/null 2>&1 || true

"$WINE" "$BUILD_DIR/run/xwnotes.exe" "$@" </dev/null >/dev/null 2>&1 &
sleep "${XW_SCREENSHOT_DELAY:-4}"
import -window root -crop 900x720+0+0 "$out"
echo "Saved $out"
