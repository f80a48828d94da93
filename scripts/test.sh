#!/usr/bin/env bash
# Builds everything and runs every test under Wine, with a display and a wineserver of its own.
# Extra arguments go to ctest (for example -R richedit).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

prepare_session

cd "$BUILD_DIR"
ctest --output-on-failure --timeout 300 "$@" </dev/null
