#!/usr/bin/env bash
# Builds the program and starts it under Wine on this machine's display.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

if [ -z "${DISPLAY:-}" ]; then
  cat >&2 <<'MSG'
There is no display (DISPLAY is not set), so the program's window has nowhere to appear.
Run this command from a desktop session, over "ssh -X", or under a virtual display:
    xvfb-run -a scripts/run.sh        (then take a screenshot with: import -window root shot.png)
MSG
  exit 1
fi

"$ROOT/scripts/install-deps.sh"
build_all
ensure_prefix
# The program keeps its notes beside itself, in run/content.
exec "$WINE" "$BUILD_DIR/run/xwnotes.exe" "$@"
