#!/usr/bin/env bash
# The layer check must find each kind of violation: builds a small source tree
# with one of each and expects exactly those complaints and a failure status.
set -uo pipefail
check=$(dirname "$0")/check_layers.sh
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
mkdir -p "$tree"/core/{text,plan,files,suggest,layout} "$tree"/gui/{widgets,dialogs,export,tools} "$tree"/app "$tree"/report
printf '#include <string>\n#include <unistd.h>\n#include "core/version.h"\n' >"$tree/core/text/fine.h"
printf '#include <QString>\n#include <png.h>\n' >"$tree/core/text/qt.h"
printf '#include "core/plan/act_plan.h"\n' >"$tree/core/text/later.h"
printf '#include "gui/main_window.h"\n' >"$tree/core/files/outside.cpp"
printf '#include "core/planner/planner.h"\n#include "core/layout/window_layout.h"\n' >"$tree/core/suggest/search.cpp"
printf '#include "core/suggest/suggest.h"\n#include "core/planner/planner.h"\n' >"$tree/core/layout/layout.cpp"
printf '#include "core/text/fine.h"\n#include "app/application.h"\n' >"$tree/gui/window.cpp"
printf '#include "gui/widgets/labels.h"\n#include "gui/dialogs/about_box.h"\n#include "gui/export/screenshot.h"\n' \
    >"$tree/gui/plan_cells.cpp"
printf '#include "gui/widgets/qt_text.h"\n#include "gui/widgets/style.h"\n' >"$tree/gui/widgets/labels.cpp"
printf '#include "gui/widgets/labels.h"\n#include "gui/edit_history.h"\n' >"$tree/gui/dialogs/about_box.cpp"
printf '#include "gui/dialogs/about_box.h"\n' >"$tree/gui/export/screenshot.cpp"
printf '#include "gui/dialogs/settings_dialog.h"\n' >"$tree/gui/widgets/field_cursor.cpp"
printf '#include "gui/main_window.h"\n' >"$tree/report/report_main.cpp"
printf '#include "gui/main_window.h"\n' >"$tree/app/main.cpp"

output=$(bash "$check" "$tree")
status=$?
fail=0
expect() {
    grep -q -- "$1" <<<"$output" || { echo "missing complaint: $1"; fail=1; }
}
expect "core/text/qt.h:1: core includes a header outside the standard library: QString"
expect "core/text/qt.h:2: core includes a header outside the standard library: png.h"
expect "core/text/later.h:1: core/text must not include core/plan"
expect "core/files/outside.cpp:1: core includes something outside src/core: gui/main_window.h"
expect "core/suggest/search.cpp:2: core/suggest must not include core/layout"
expect "core/layout/layout.cpp:1: core/layout must not include core/suggest"
expect "core/layout/layout.cpp:2: core/layout must not include core/planner"
expect "gui/window.cpp:2: gui includes the program: app/application.h"
expect "report/report_main.cpp:1: the report tool uses the core only"
expect "gui/dialogs/about_box.cpp:2: gui/dialogs must not include gui/top"
expect "gui/export/screenshot.cpp:1: gui/export must not include gui/dialogs"
expect "gui/widgets/field_cursor.cpp:1: gui/widgets must not include gui/dialogs"
expect "gui/tools/:0: unknown gui folder"
[ "$(grep -c . <<<"$output")" -eq 13 ] || { echo "expected exactly thirteen complaints:"; echo "$output"; fail=1; }
[ $status -eq 1 ] || { echo "status $status, expected 1"; fail=1; }
[ $fail -eq 0 ] && echo "the layer check finds every kind of violation"
exit $fail
