#!/usr/bin/env bash
# Writes a picture of the main window with the sample project open and a unit selected, drawn on a
# virtual X display: tools/screenshot.sh [BUILD] [OUT.png]
set -euo pipefail
build=${1:-build}
out=${2:-$build/screenshot.png}
LRL_SCREENSHOT=$(realpath -m "$out") QT_QPA_PLATFORM=xcb \
    xvfb-run -a -s "-screen 0 1024x768x24" "$build/test_lrl_browser_ui" --gtest_filter='Screenshot.*'
echo "written: $out"
