#!/usr/bin/env bash
# The layer check must find each kind of violation: builds a small source tree
# with one of each and expects exactly those complaints and a failure status.
set -uo pipefail
check=$(dirname "$0")/check_layers.sh
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
mkdir -p "$tree"/core/{text,plan,files,suggest} "$tree"/gui "$tree"/app "$tree"/report
printf '#include <string>\n#include "core/version.h"\n' >"$tree/core/text/fine.h"
printf '#include <QString>\n' >"$tree/core/text/qt.h"
printf '#include "core/plan/act_plan.h"\n' >"$tree/core/text/later.h"
printf '#include "gui/main_window.h"\n' >"$tree/core/files/outside.cpp"
printf '#include "core/planner/planner.h"\n#include "core/layout/window_layout.h"\n' >"$tree/core/suggest/search.cpp"
printf '#include "core/text/fine.h"\n#include "app/application.h"\n' >"$tree/gui/window.cpp"
printf '#include "gui/main_window.h"\n' >"$tree/report/report_main.cpp"
printf '#include "gui/main_window.h"\n' >"$tree/app/main.cpp"

output=$(bash "$check" "$tree")
status=$?
fail=0
expect() {
    grep -q -- "$1" <<<"$output" || { echo "missing complaint: $1"; fail=1; }
}
expect "core/text/qt.h:1: core includes a header outside the standard library: QString"
expect "core/text/later.h:1: core/text must not include the later core/plan"
expect "core/files/outside.cpp:1: core includes something outside src/core: gui/main_window.h"
expect "core/suggest/search.cpp:2: core/suggest must not include the later core/layout"
expect "gui/window.cpp:2: gui includes the program: app/application.h"
expect "report/report_main.cpp:1: the report tool uses the core only"
[ "$(grep -c . <<<"$output")" -eq 6 ] || { echo "expected exactly six complaints:"; echo "$output"; fail=1; }
[ $status -eq 1 ] || { echo "status $status, expected 1"; fail=1; }
[ $fail -eq 0 ] && echo "the layer check finds every kind of violation"
exit $fail
