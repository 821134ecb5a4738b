#!/usr/bin/env bash
# Writes pictures drawn on a virtual X display: the main window with the sample project open and a unit
# selected (OUT.png), the File menu over recent files (OUT-filemenu.png), the About box (OUT-about.png),
# the splash window (OUT-splash.png) and the print preview at 100%, fitted to the page and with two pages
# (OUT-preview-100.png, -preview-fit.png, -preview-two.png), the same for pages recorded from a
# highlighted viewer (OUT-viewer-preview-100.png, -viewer-preview-fit.png, -viewer-preview-two.png):
# tools/screenshot.sh [BUILD] [OUT.png]
# QT_SCALE_FACTOR=2 draws them at 200 %; LRL_TEST_PALETTE=dark on a dark desktop's palette.
set -euo pipefail
build=${1:-build}
out=${2:-$build/screenshot.png}
for tests in "$build/test_lrl_browser_ui" "$build/test_listrel-delphi_lib" "$build/test_lrl_prtprev"; do
    LRL_SCREENSHOT=$(realpath -m "$out") QT_QPA_PLATFORM=xcb \
        xvfb-run -a -s "-screen 0 1024x768x24" "$tests" --gtest_filter='Screenshot.*'
done
# The four pages of the options dialog: OUT-options-1.png ... OUT-options-4.png.
LRL_SCREENSHOT=$(realpath -m "$out") QT_QPA_PLATFORM=xcb \
    xvfb-run -a -s "-screen 0 1024x768x24" "$build/test_lrl_options" --gtest_filter='OptionsDialog.Screenshots'
echo "written: $out and beside it"
