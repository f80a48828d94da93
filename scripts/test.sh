#!/usr/bin/env bash
# Builds everything and runs every test under Wine, with a display and a wineserver of its own.
# Extra arguments go to ctest (for example -R richedit).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

"$ROOT/scripts/install-deps.sh"
build_all
ensure_prefix

XW_XVFB_PID=""
cleanup() {
  "$WINESERVER" -k 2>/dev/null || true
  [ -n "$XW_XVFB_PID" ] && kill "$XW_XVFB_PID" 2>/dev/null || true
}
trap cleanup EXIT INT TERM

if [ -n "${CI:-}" ] || [ -z "${DISPLAY:-}" ]; then start_xvfb; fi
# A persistent wineserver makes each test process start in a fraction of a second.
# Its output goes nowhere: a pipe held open by it would keep the caller waiting.
"$WINESERVER" -p </dev/null >/dev/null 2>&1 || true
# Wine starts its background services with the first program of a session, and they would inherit
# that program's output: start them now with theirs going nowhere, or ctest waits on a test's pipe.
"$WINE" cmd.exe /c exit </dev/null >/dev/null 2>&1 || true

cd "$BUILD_DIR"
ctest --output-on-failure --timeout 300 "$@" </dev/null
