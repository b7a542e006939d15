#!/usr/bin/env bash
# Removes an installation made by `cmake --install build --prefix PREFIX`:
# exactly the files the record in PREFIX/share/thoughtgridcraft lists, then
# refreshes the desktop's file-type, menu and icon caches there, and removes
# the folders the installation made once they are empty again.
# Usage: scripts/uninstall.sh PREFIX
set -euo pipefail
usage="usage: scripts/uninstall.sh PREFIX"
prefix=${1:?$usage}
[ $# -eq 1 ] || { echo "$usage" >&2; exit 2; }
[ "$prefix" = / ] || prefix=${prefix%/}
manifest=$prefix/share/thoughtgridcraft/install_manifest.txt
if [ ! -f "$manifest" ]; then
  echo "uninstall: no installation of ThoughtGridCraft in $prefix ($manifest is missing)" >&2
  exit 1
fi

mapfile -t entries <"$manifest"
folders=()
removed=0
for entry in "${entries[@]}"; do
  # Only paths inside the prefix; anything else is not this record's to remove.
  case /$entry/ in
    // | /[/]* | */../*)
      echo "uninstall: left alone, not inside $prefix: $entry" >&2
      continue
      ;;
  esac
  case $entry in
    ./) folders+=("$prefix") ;;
    */) folders+=("$prefix/${entry%/}") ;;
    *)
      if [ -e "$prefix/$entry" ] || [ -L "$prefix/$entry" ]; then
        rm -f -- "$prefix/$entry"
        removed=$((removed + 1))
      fi
      ;;
  esac
done

share=$prefix/share
# The MIME database is generated from its packages folder alone: rebuilt
# while other packages remain, removed when none does, as before the install.
if [ -d "$share/mime" ]; then
  if [ -n "$(ls -A "$share/mime/packages" 2>/dev/null)" ]; then
    if command -v update-mime-database >/dev/null; then update-mime-database "$share/mime"; fi
  else
    for generated in XMLnamespaces aliases generic-icons globs globs2 icons magic mime.cache \
      subclasses treemagic types version; do
      rm -f -- "$share/mime/$generated"
    done
    rm -f -- "$share/mime"/*/*.xml
  fi
  # A media type's folder stays behind once its last type is gone.
  for media in "$share/mime"/*/; do
    [ "$media" = "$share/mime/packages/" ] || rmdir -- "$media" 2>/dev/null || true
  done
fi
# The menu's type cache likewise, from the desktop entries that remain.
if [ -d "$share/applications" ]; then
  if [ -n "$(find "$share/applications" -name '*.desktop' -print -quit)" ]; then
    if command -v update-desktop-database >/dev/null; then update-desktop-database -q "$share/applications"; fi
  else
    rm -f -- "$share/applications/mimeinfo.cache"
  fi
fi
# An icon cache left stale would point at removed files.
if [ -f "$share/icons/hicolor/icon-theme.cache" ] && command -v gtk-update-icon-cache >/dev/null; then
  gtk-update-icon-cache -q -t -f "$share/icons/hicolor"
fi

# Deepest first, and only the empty ones: anything else put there stays.
if [ ${#folders[@]} -gt 0 ]; then
  while IFS= read -r folder; do
    rmdir -- "$folder" 2>/dev/null || true
  done < <(printf '%s\n' "${folders[@]}" | LC_ALL=C sort -r)
fi
echo "uninstall: removed $removed files from $prefix"
