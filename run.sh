#!/usr/bin/env bash
# Sets up the machine, builds RUK and starts the player. Without a display it draws the window
# on a virtual X server into a picture instead, and says where.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/setup.sh

ruk_build
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    picture=build/ruk-screenshot.png
    echo "No display here: RUK is drawn on a virtual X server into $picture instead."
    xvfb-run -a -s "-screen 0 1920x1080x24" \
        build/tools/gui/screenshot/ruk-screenshot "$picture" levels/ruk-samples.txt 20 --box 15,12 \
        >/dev/null 2>&1
    exit
fi
exec build/src/ruk
