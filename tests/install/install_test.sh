#!/bin/sh
# Installs into a temporary DESTDIR and checks the result as a desktop sees
# it: the standard validators, the workbook type by its name alone, the icon
# sizes and the installed tool. Then installs directly into a new prefix and
# into one already in use, and checks that uninstall.sh leaves each as it was.
# Arguments: cmake, build folder, installprobe, application id, version,
# uninstall.sh.
set -eu
cmake=$1 build=$2 probe=$3 appid=$4 version=$5 uninstall=$6
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

# A package's entry names the program where the package puts it; the
# manual page the help likewise. The package manager keeps its own record.
grep -qx "Exec=/usr/bin/thoughtgridcraft %f" "$share/applications/$appid.desktop" || fail "Exec of /usr"
grep -qx "TryExec=/usr/bin/thoughtgridcraft" "$share/applications/$appid.desktop" || fail "TryExec of /usr"
zcat "$share/man/man1/thoughtgridcraft.1.gz" | grep -qx '.I "/usr/share/thoughtgridcraft/Help.html"' ||
  fail "manual page FILES of /usr"
[ ! -e "$share/thoughtgridcraft/install_manifest.txt" ] || fail "a record of a DESTDIR install"
[ ! -e "$share/mime/mime.cache" ] || fail "a MIME cache in a DESTDIR install"

[ "$("$usr/bin/tgc" --version)" = "tgc $version" ] || fail "tgc --version"
[ "$("$usr/bin/thoughtgridcraft" --version)" = "thoughtgridcraft $version" ] || fail "thoughtgridcraft --version"

# A workbook is known by its exact .tgc name only, as the program opens
# nothing else: neither W.TGC nor a workbook without the name is one.
update-mime-database "$share/mime" >/dev/null 2>&1
"$usr/bin/tgc" new "$tmp/ideas.tgc"
cp "$tmp/ideas.tgc" "$tmp/ideas"
cp "$tmp/ideas.tgc" "$tmp/W.TGC"
export XDG_DATA_HOME="$tmp/nohome" XDG_DATA_DIRS="$share:/usr/share"
"$probe" type application/x-thoughtgridcraft "$tmp/ideas.tgc"
"$probe" type application/octet-stream "$tmp/ideas" "$tmp/W.TGC"

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
# A direct installation, as into ~/.local: the entry starts the program by
# its absolute path (quoted, as the prefix holds a space), the manual page
# names this help, the caches know the type; uninstalling removes it all.
fresh="$tmp/new prefix"
"$cmake" --install "$build" --prefix "$fresh" >/dev/null
entry=$fresh/share/applications/$appid.desktop
grep -qxF "Exec=\"$fresh/bin/thoughtgridcraft\" %f" "$entry" || fail "Exec: $(grep ^Exec= "$entry")"
[ -x "$(sed -n 's/^TryExec=//p' "$entry")" ] || fail "TryExec: $(grep ^TryExec= "$entry")"
out=$(desktop-file-validate "$entry" 2>&1) && [ -z "$out" ] || fail "desktop-file-validate: $out"
help=$(printf '%s' "$fresh/share/thoughtgridcraft/Help.html" | sed 's/-/\\-/g')
zcat "$fresh/share/man/man1/thoughtgridcraft.1.gz" | grep -qxF ".I \"$help\"" || fail "manual page FILES"
XDG_DATA_DIRS="$fresh/share" "$probe" type application/x-thoughtgridcraft "$tmp/ideas.tgc"
grep -q "^application/x-thoughtgridcraft=$appid.desktop" "$fresh/share/applications/mimeinfo.cache" ||
  fail "menu cache"
"$uninstall" "$fresh" >/dev/null
[ ! -e "$fresh" ] || fail "left after uninstall: $(find "$fresh" | sed "s|^$fresh||")"

# A prefix in use: an empty bin, another program's entry, type and icon with
# their caches. Uninstalling returns every file and cache to its bytes.
home=$tmp/home
mkdir -p "$home/bin" "$home/share/applications" "$home/share/mime/packages" "$home/share/icons/hicolor/16x16/apps"
printf '[Desktop Entry]\nType=Application\nName=Other\nExec=other %%f\nMimeType=text/x-other;\n' \
  >"$home/share/applications/other.desktop"
sed 's|application/x-thoughtgridcraft|text/x-other|; s|\*\.tgc|*.other|' "$share/mime/packages/$appid.xml" \
  >"$home/share/mime/packages/other.xml"
cp "$share/icons/hicolor/16x16/apps/$appid.png" "$home/share/icons/hicolor/16x16/apps/other.png"
update-mime-database "$home/share/mime" >/dev/null 2>&1
update-desktop-database -q "$home/share/applications"
gtk-update-icon-cache -q -t -f "$home/share/icons/hicolor"
state() { (cd "$home" && find . -printf '%p %y\n' -type f -exec md5sum {} + | sort); }
state >"$tmp/before"
"$cmake" --install "$build" --prefix "$home" >/dev/null
"$uninstall" "$home" >/dev/null
state | diff "$tmp/before" - >&2 || fail "the prefix in use changed"
echo "installation checked"
