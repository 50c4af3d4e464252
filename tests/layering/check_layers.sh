#!/usr/bin/env bash
# Checks that every folder of src/ stays in its layer, from the #include lines:
#  - src/core includes only the standard library and src/core itself (no Qt,
#    nothing of src/gui, src/app or src/report);
#  - inside src/core the folders depend one way:
#    text -> catalog -> plan -> economy -> files -> planner -> suggest,
#    and layout uses only text, catalog, plan and economy
#    (a folder may include its own and the ones it builds on; version.h is free);
#  - src/gui never includes src/app, and inside it
#    widgets -> dialogs and export -> the window's parts at the top level
#    (dialogs and export stand side by side and do not include each other);
#  - src/report uses the core only (and its own files).
# Usage: check_layers.sh SRC_DIR. Prints every violation and exits 1 if any.
set -uo pipefail
src=${1:?usage: check_layers.sh SRC_DIR}
order=(text catalog plan economy files planner suggest layout)
# What each core folder builds on besides itself.
declare -A core_uses=(
    [text]=""
    [catalog]="text"
    [plan]="text catalog"
    [economy]="text catalog plan"
    [files]="text catalog plan economy"
    [planner]="text catalog plan economy files"
    [suggest]="text catalog plan economy files planner"
    [layout]="text catalog plan economy"
)
# The same for src/gui; "top" stands for the files directly in src/gui.
declare -A gui_uses=(
    [widgets]=""
    [dialogs]="widgets"
    [export]="widgets"
    [top]="widgets dialogs export"
)
status=0

complain() {
    echo "$1:$2: $3"
    status=1
}

# uses MAP FOLDER TARGET: whether FOLDER may include TARGET by the map named MAP.
uses() {
    local -n map=$1
    [ "$2" = "$3" ] && return 0
    [[ " ${map[$2]} " == *" $3 "* ]]
}

# The gui folder of a path below src/gui ("top" for the files directly in it).
gui_folder() {
    case "$1" in */*) echo "${1%%/*}" ;; *) echo top ;; esac
}

# Lines: file:line:#include <...> or "..."
while IFS=: read -r file line text; do
    header=$(sed -E 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]([^>"]+)[>"].*/\1/' <<<"$text")
    rel=${file#"$src"/}
    layer=${rel%%/*}
    case "$layer" in
    core)
        if [[ "$text" == *'<'* ]]; then
            # Angle brackets: the standard library only (no Qt, no other library),
            # and the few headers of the system's own interface (POSIX) that the
            # file readers and the safe write need to open without waiting, check
            # what was opened and tell whether a writer still runs; and zlib,
            # which packs plan codes.
            if [[ " fcntl.h signal.h unistd.h sys/stat.h zlib.h " == *" $header "* ]]; then
                continue
            elif [[ "$header" == Q* || "$header" == *qt* || "$header" == */* || "$header" == *.h ]]; then
                complain "$file" "$line" "core includes a header outside the standard library: $header"
            fi
            continue
        fi
        if [[ "$header" != core/* ]]; then
            complain "$file" "$line" "core includes something outside src/core: $header"
            continue
        fi
        folder=$(cut -d/ -f2 <<<"$rel")
        target=$(cut -d/ -f2 <<<"$header")
        [ "$target" = "version.h" ] && continue
        if [ -z "${core_uses[$folder]+set}" ] || [ -z "${core_uses[$target]+set}" ]; then
            complain "$file" "$line" "core folder not in the layer order (${order[*]}): $folder -> $target"
        elif ! uses core_uses "$folder" "$target"; then
            complain "$file" "$line" "core/$folder must not include core/$target: $header"
        fi
        ;;
    gui)
        [[ "$header" == app/* ]] && complain "$file" "$line" "gui includes the program: $header"
        [[ "$header" == report/* ]] && complain "$file" "$line" "gui includes the report tool: $header"
        if [[ "$header" == gui/* ]]; then
            folder=$(gui_folder "${rel#gui/}")
            target=$(gui_folder "${header#gui/}")
            if [ -z "${gui_uses[$folder]+set}" ] || [ -z "${gui_uses[$target]+set}" ]; then
                complain "$file" "$line" "gui folder not in the layer order (widgets, dialogs, export, top): $folder -> $target"
            elif ! uses gui_uses "$folder" "$target"; then
                complain "$file" "$line" "gui/$folder must not include gui/$target: $header"
            fi
        fi
        ;;
    report)
        if [[ "$text" == *'"'* && "$header" != core/* && "$header" != report/* ]]; then
            complain "$file" "$line" "the report tool uses the core only: $header"
        elif [[ "$text" == *'<'* && "$header" == Q* ]]; then
            complain "$file" "$line" "the report tool uses the core only: $header"
        fi
        ;;
    esac
done < <(grep -rnE '^[[:space:]]*#[[:space:]]*include' "$src" --include='*.h' --include='*.cpp')

# Every core source is in the library, no stray folders.
for dir in "$src"/core/*/; do
    name=$(basename "$dir")
    [ -n "${core_uses[$name]+set}" ] || complain "$dir" 0 "unknown core folder (layer order: ${order[*]})"
done
for dir in "$src"/gui/*/; do
    [ -d "$dir" ] || continue
    name=$(basename "$dir")
    [ -n "${gui_uses[$name]+set}" ] && [ "$name" != top ] || complain "$dir" 0 "unknown gui folder (widgets, dialogs, export)"
done

[ $status -eq 0 ] && echo "layers ok"
exit $status
