#!/bin/sh
# tgc new: the file passes the program's own check, holds the default catalog
# and one Type-A sheet, and the same clock reading gives the same bytes.
set -eu
tgc="$1"
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
"$tgc" new "$dir/a.tgc" --time 12345
"$tgc" new "$dir/b.tgc" --time 12345
"$tgc" new "$dir/c.tgc" --time 54321
"$tgc" check "$dir/a.tgc"
cmp -s "$dir/a.tgc" "$dir/b.tgc"
if cmp -s "$dir/a.tgc" "$dir/c.tgc"; then echo "different seeds gave the same marks" >&2; exit 1; fi
"$tgc" dump "$dir/a.tgc" > "$dir/a.json"
# 25 boxes, 26 marks, no words.
test "$(grep -c '"column"' "$dir/a.json")" -eq 25
test "$(grep -c '"sheetType": 0' "$dir/a.json")" -eq 25
grep -q '"words": \[\]' "$dir/a.json"
test "$(grep -c '"id"' "$dir/a.json")" -eq 26
# The first drawn mark for seed 12345 is id 2 (pool of ids 2..25, index 0).
tr -d ' \n' < "$dir/a.json" | grep -q '"boxes":\[{"word":-1,"mark":2,'
# An unwritable path fails with exit 1.
if "$tgc" new "$dir/missing/dir/x.tgc" 2>/dev/null; then exit 1; fi
