#!/usr/bin/env bash
# make_pictures.sh BUILD_BIN_DIR OUT_DIR
#
# Draws the pictures of the players' guide (docs/ANLEITUNG.md) with the
# programs of a build: the planner's batch mode (`dizozodidu IMAGES plan.kpls`,
# offscreen) renders each plan to a JPEG picture, written here as
# OUT_DIR/<name>.jpeg. The plans are the three example plans and a proposal
# of the report tool (`dizozodidu-report --suggest`) for the standard planet.
# Everything is done in a temporary folder: the example plans are copied
# there first, the programs run there (their settings file saves.kpl and
# their remembered settings too), so neither the source tree nor the user's
# own settings are touched.
set -euo pipefail

if [ $# -ne 2 ]; then
    echo "Aufruf: $0 BUILD_BIN_DIR OUT_DIR" >&2
    exit 2
fi
bin=$(cd "$1" && pwd)
out=$2
examples=$(cd "$(dirname "${BASH_SOURCE[0]}")/../examples" && pwd)
planner=$bin/dizozodidu
report=$bin/dizozodidu-report
for program in "$planner" "$report"; do
    [ -x "$program" ] || { echo "$program fehlt oder ist nicht ausführbar" >&2; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/config" "$out"
cd "$work"
# No display needed, and the same picture with or without one; settings of
# this run only (no internal reputation, no zoom, no recent plans).
export QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME=$work/config
unset QT_SCALE_FACTOR

# picture NAME PLAN: renders the plan in the temporary folder to OUT_DIR/NAME.jpeg.
picture() {
    local name=$1 plan=$2
    "$planner" IMAGES "$plan" || { echo "Stapelbetrieb für $plan fehlgeschlagen" >&2; exit 1; }
    [ -s "$plan.jpeg" ] || { echo "kein Bild $plan.jpeg" >&2; exit 1; }
    mv -f "$plan.jpeg" "$out/$name.jpeg"
}

for name in standardplanet wuestenplanet grosses_asteroidenfeld; do
    cp "$examples/$name.kpls" "$work/$name.kpls"
    picture "$name" "$name.kpls"
done

# The standard planet after "Vorschlag" for Forschung, at least 20 Nahrung.
"$report" --suggest Forschung --min "Nahrung=20" standardplanet.kpls vorschlag_forschung.kpls >/dev/null \
    || { echo "dizozodidu-report --suggest fehlgeschlagen" >&2; exit 1; }
picture vorschlag_forschung vorschlag_forschung.kpls
