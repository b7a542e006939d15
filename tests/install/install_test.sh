#!/bin/sh
# Installs into a temporary DESTDIR and checks the result as a desktop sees
# it: the standard validators, the workbook type by name and by content, the
# icon sizes and the installed tool.
# Arguments: cmake, build folder, installprobe, application id, version.
set -eu
cmake=$1 build=$2 probe=$3 appid=$4 version=$5
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

DESTDIR="$tmp/root" "$cmake" --install "$build" --prefix /usr >/dev/null
usr=$tmp/root/usr
share=$usr/share

# The validators may pass with hints; any hint is a failure here too.
out=$(desktop-file-validate "$share/applications/$appid.desktop" 2>&1) || fail "desktop-file-validate: $out"
[ -z "$out" ] || fail "desktop-file-validate: $out"
out=$(appstreamcli validate --no-net --pedantic "$share/metainfo/$appid.metainfo.xml" 2>&1) ||
  fail "appstreamcli: $out"
if echo "$out" | grep -q '^[EWIP]: '; then fail "appstreamcli: $out"; fi

[ "$("$usr/bin/tgc" --version)" = "tgc $version" ] || fail "tgc --version"
[ "$("$usr/bin/thoughtgridcraft" --version)" = "thoughtgridcraft $version" ] || fail "thoughtgridcraft --version"

# A workbook is known by its .tgc name, and by its header without one; a
# text that merely starts with the magic's letters is not a workbook.
update-mime-database "$share/mime"
"$usr/bin/tgc" new "$tmp/ideas.tgc"
cp "$tmp/ideas.tgc" "$tmp/ideas"
printf 'ThoughtGridCraft notes\n' >"$tmp/notes"
export XDG_DATA_HOME="$tmp/home" XDG_DATA_DIRS="$share:/usr/share"
"$probe" type application/x-thoughtgridcraft "$tmp/ideas.tgc" "$tmp/ideas"
"$probe" type text/plain "$tmp/notes"

for size in 16 24 32 48 64 128 256 512; do
  "$probe" size $size "$share/icons/hicolor/${size}x$size/apps/$appid.png" \
    "$share/icons/hicolor/${size}x$size/mimetypes/application-x-thoughtgridcraft.png"
done
for svg in "apps/$appid" mimetypes/application-x-thoughtgridcraft; do
  "$probe" size 256 "$share/icons/hicolor/scalable/$svg.svg"
done

for page in thoughtgridcraft tgc; do
  gzip -t "$share/man/man1/$page.1.gz" || fail "manual page $page"
done
echo "installation checked"
