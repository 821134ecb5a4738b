#!/usr/bin/env bash
# Starts the desktop program on the bundled sample project. Without a display it says how to get one
# instead of failing with a toolkit error.
set -euo pipefail
build=${1:-build}
root=$(cd "$(dirname "$0")/.." && pwd)
program="$build/listrel-delphi"
sample="$root/examples/Sample/Sample.dpr"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "No display is available, so the program cannot open its window here."
    echo "Run it under a virtual display instead:  xvfb-run -a make run"
    exit 1
fi
if [ -f "$sample" ]; then
    exec "$program" "$sample"
else
    exec "$program"
fi
