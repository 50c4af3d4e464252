#!/usr/bin/env bash
# Checks that every folder of src/ stays in its layer, from the #include lines:
#  - src/core includes only the standard library and src/core itself (no Qt,
#    nothing of src/gui, src/app or src/report);
#  - inside src/core the folders depend one way:
#    text -> catalog -> plan -> economy -> files -> planner -> suggest -> layout
#    (a folder may include its own and the earlier ones; version.h is free);
#  - src/gui never includes src/app;
#  - src/report uses the core only.
# Usage: check_layers.sh SRC_DIR. Prints every violation and exits 1 if any.
set -uo pipefail
src=${1:?usage: check_layers.sh SRC_DIR}
order=(text catalog plan economy files planner suggest layout)
status=0

complain() {
    echo "$1:$2: $3"
    status=1
}

rank_of() {
    local i
    for i in "${!order[@]}"; do [ "${order[$i]}" = "$1" ] && { echo "$i"; return; }; done
    echo -1
}

# Lines: file:line:#include <...> or "..."
while IFS=: read -r file line text; do
    header=$(sed -E 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]([^>"]+)[>"].*/\1/' <<<"$text")
    rel=${file#"$src"/}
    layer=${rel%%/*}
    case "$layer" in
    core)
        if [[ "$text" == *'<'* ]]; then
            # Angle brackets: the standard library only (no Qt, no other library).
            if [[ "$header" == Q* || "$header" == *qt* || "$header" == */* || "$header" == *.h ]]; then
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
        own=$(rank_of "$folder")
        other=$(rank_of "$target")
        if [ "$own" -lt 0 ] || [ "$other" -lt 0 ]; then
            complain "$file" "$line" "core folder not in the layer order (${order[*]}): $folder -> $target"
        elif [ "$other" -gt "$own" ]; then
            complain "$file" "$line" "core/$folder must not include the later core/$target: $header"
        fi
        ;;
    gui)
        [[ "$header" == app/* ]] && complain "$file" "$line" "gui includes the program: $header"
        [[ "$header" == report/* ]] && complain "$file" "$line" "gui includes the report tool: $header"
        ;;
    report)
        if [[ "$text" == *'"'* && "$header" != core/* ]]; then
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
    [ "$(rank_of "$name")" -ge 0 ] || complain "$dir" 0 "unknown core folder (layer order: ${order[*]})"
done

[ $status -eq 0 ] && echo "layers ok"
exit $status
