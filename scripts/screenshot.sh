#!/usr/bin/env bash
# Starts the program on a virtual display of its own and saves a screenshot of the screen.
# Usage: scripts/screenshot.sh [output.png] [program arguments...]
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

out="$(realpath -m "${1:-$BUILD_DIR/screenshot.png}")"
shift || true

XW_OWN_DISPLAY=1 prepare_session

"$WINE" "$BUILD_DIR/run/xwnotes.exe" "$@" </dev/null >/dev/null 2>&1 &
sleep "${XW_SCREENSHOT_DELAY:-4}"
import -window root -crop 900x720+0+0 "$out"
echo "Saved $out"
