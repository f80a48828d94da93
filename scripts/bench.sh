#!/usr/bin/env bash
# Builds everything and runs the benchmarks under Wine, with a display and a wineserver of its own.
# Each figure is printed as a ratio against a baseline measured in the same run.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

prepare_session

# Wine's RichEdit needs about 15 s per megabyte of RTF, so the note figure is taken on 1 MB here
# unless XW_NOTE_MB says otherwise; on Windows the program's default is the full 10 MB.
XW_NOTE_MB="${XW_NOTE_MB:-1}" "$WINE" "$BUILD_DIR/run/xwbench.exe" </dev/null
