#!/usr/bin/env bash
# install_test.sh BUILD_DIR VERSION EXAMPLES_DIR
#
# Installs the built planner with `cmake --install` into a temporary prefix,
# as a user would into /usr/local, and checks what the desktop gets: the
# desktop entry and the AppStream file pass their validators, the plan file
# type is known to the MIME database (the install updates it), the entry's
# file type and icon are the installed ones, every icon size is a PNG of that
# size; our licence and the notice of the libraries are installed beside the
# other documents, and the players' guide with the pictures it names; the
# pictures come with their double-size twins; and the installed programs run
# from there: --version, batch mode
# (which needs the data files and pictures) and the report tool.
set -euo pipefail
build=$1 version=$2 examples=$3

fail() { echo "FAIL: $*" >&2; exit 1; }
for tool in desktop-file-validate appstreamcli update-mime-database; do
    command -v "$tool" >/dev/null || fail "$tool is missing (bash scripts/test.sh installs it)"
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
env -u DESTDIR cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1 || { cat "$work/install.log"; fail "cmake --install"; }
share=$prefix/share

desktop=$share/applications/dizozodidu.desktop
[ -f "$desktop" ] || fail "no $desktop"
out=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop-file-validate: $out"
[ -z "$out" ] || fail "desktop-file-validate has remarks: $out"

metainfo=("$share"/metainfo/*.metainfo.xml)
[ ${#metainfo[@]} -eq 1 ] && [ -f "${metainfo[0]}" ] || fail "not one metainfo file: ${metainfo[*]}"
appstreamcli validate --no-net "${metainfo[0]}" || fail "appstreamcli validate"
# The tree as a whole: the metainfo's launchable is the installed entry.
appstreamcli validate-tree --no-net "$prefix" || fail "appstreamcli validate-tree"

# The licence and the notice of the libraries, as in the sources, under share/doc.
source_dir=$(cd "$examples/.." && pwd)
for file in LICENSE THIRD_PARTY_NOTICES.md; do
    installed=$share/doc/dizozodidu/$file
    [ -f "$installed" ] || fail "no $installed"
    cmp -s "$installed" "$source_dir/$file" || fail "$installed differs from the sources' $file"
done
grep -q "^MIT License$" "$share/doc/dizozodidu/LICENSE" || fail "LICENSE is not the MIT licence"
grep -q "<project_license>MIT</project_license>" "${metainfo[0]}" || fail "the metainfo names no MIT licence"

# The players' guide as in the sources, with every picture it names beside it
# in bilder/: a non-empty JPEG (start and end marker).
doc=$share/doc/dizozodidu
[ -f "$doc/ANLEITUNG.md" ] || fail "no $doc/ANLEITUNG.md"
cmp -s "$doc/ANLEITUNG.md" "$source_dir/docs/ANLEITUNG.md" || fail "the installed guide differs from the sources' docs/ANLEITUNG.md"
guide_pictures=0
for name in $(grep -o '(bilder/[A-Za-z0-9_-]*\.jpeg)' "$doc/ANLEITUNG.md" | tr -d '()' | sort -u); do
    picture=$doc/$name
    [ -s "$picture" ] || fail "the guide names $name, but $picture is missing or empty"
    [ "$(od -An -tx1 -N3 "$picture" | tr -d ' \n')" = ffd8ff ] || fail "$picture is no JPEG"
    [ "$(tail -c 2 "$picture" | od -An -tx1 | tr -d ' \n')" = ffd9 ] || fail "$picture is cut short"
    guide_pictures=$((guide_pictures + 1))
done
[ "$guide_pictures" -ge 4 ] || fail "the installed guide names $guide_pictures pictures"

value() { sed -n "s/^$1=//p" "$desktop"; }
[ "$(value Exec)" = "dizozodidu %f" ] || fail "Exec=$(value Exec)"
IFS=';' read -ra types <<<"$(value MimeType)"
[ ${#types[@]} -gt 0 ] || fail "no MimeType"
for type in "${types[@]}"; do
    grep -qx "$type:\*\.kpls" "$share/mime/globs" || fail "$type with *.kpls is not in the installed MIME database"
    grep -q "<mediatype>$type</mediatype>" "${metainfo[0]}" || fail "the metainfo does not name $type"
done

# Every size of the hicolor theme the entry's icon comes in: a PNG of that size.
icon=$(value Icon)
sizes=0
for file in "$share"/icons/hicolor/*/apps/"$icon".png; do
    [ -f "$file" ] || fail "no icon $icon in $share/icons/hicolor"
    n=$(basename "$(dirname "$(dirname "$file")")")
    header=$(od -An -tx1 -N24 "$file" | tr -d ' \n')
    [ "${header:0:16}" = 89504e470d0a1a0a ] || fail "$file is no PNG"
    [ "$((16#${header:32:8}))x$((16#${header:40:8}))" = "$n" ] || fail "$file is not $n"
    sizes=$((sizes + 1))
done
for n in 16 256; do
    [ -f "$share/icons/hicolor/${n}x$n/apps/$icon.png" ] || fail "no $n x $n icon"
done

# Every picture beside the programs has its twin for screens of device pixel ratio 2.
images=$(dirname "$(readlink -f "$prefix/bin/dizozodidu")")/images
plain=$(find "$images" -name '*.gif' ! -name '*@2x.gif' | wc -l)
twins=$(find "$images" -name '*@2x.gif' | wc -l)
[ "$plain" -gt 200 ] && [ "$twins" -eq "$plain" ] || fail "$plain pictures, $twins double-size twins in $images"

# The installed programs, through their links in bin/, from another folder
# and without a screen.
cd "$work"
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
out=$("$prefix/bin/dizozodidu" --version) || fail "dizozodidu --version failed"
[ "$out" = "Dizozodidu $version" ] || fail "dizozodidu --version printed: $out"
cp "$examples/wuestenplanet.kpls" plan.kpls
"$prefix/bin/dizozodidu" IMAGES plan.kpls || fail "batch mode of the installed program"
[ "$(od -An -tx1 -N2 plan.kpls.jpeg | tr -d ' ')" = ffd8 ] || fail "batch mode wrote no JPEG"
"$prefix/bin/dizozodidu-report" plan.kpls | grep -q "^# plan.kpls$" || fail "the installed report tool"

echo "installed: $plain pictures with their twins, $sizes icon sizes, desktop entry, MIME type, metainfo, licence and notice, the guide with $guide_pictures pictures; the programs run"
