#!/usr/bin/env bash
# Sets everything up and starts the planner: installs the Debian packages that
# are missing, builds the release version and runs it. Without a display it
# runs the planner in a virtual X server and saves a picture of its window.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh

dz_install "${DZ_BUILD_PACKAGES[@]}"
dz_build release
program=build/release/bin/dizozodidu

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    exec "$program" "$@"
fi

dz_install "${DZ_DISPLAY_PACKAGES[@]}"
picture=$PWD/dizozodidu-window.png
echo "No display found (DISPLAY is empty): starting the planner in a virtual X server."
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
    "$1" "${@:3}" &
    pid=$!
    sleep 3
    import -window root -crop 752x724+0+0 "$2"
    kill "$pid"
' _ "$program" "$picture" "$@"
echo "A picture of the planner window is in $picture."
echo "To use the planner itself, run this command again on a desktop, or over 'ssh -X'."
