#!/usr/bin/env bash
# Sets everything up and starts the planner: installs the Debian packages that
# are missing, builds the release version and opens the example colony in it.
# Without a display it renders every example plan to a JPEG picture instead
# (the planner's batch mode) and says where the pictures are.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh

dz_install "${DZ_BUILD_PACKAGES[@]}"
dz_build release
program=$PWD/build/release/bin/dizozodidu

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    exec "$program" examples/standardplanet.kpls
fi

out=$PWD/pictures
mkdir -p "$out"
echo "No display found (DISPLAY is empty): rendering the example plans as pictures instead."
for plan in examples/*.kpls; do
    cp "$plan" "$out/"
    "$program" IMAGES "$out/$(basename "$plan")"
    echo "  $out/$(basename "$plan").jpeg"
done
echo "To use the planner itself, run this command again on a desktop, or over 'ssh -X'."
