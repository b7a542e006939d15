#!/usr/bin/env bash
# Makes the seed corpus of the fuzz targets with the project's own tool:
# `tgc new` for new workbooks, `tgc build` for the crafted workbooks of
# fuzz/seeds/*.json, `tgc dump` of those files for the JSON reader. Inputs a
# fuzzer found a fault with (regress-*) are kept as they are.
# Usage: fuzz/makecorpus.sh [path to tgc, default build/cli/tgc]
set -euo pipefail
cd "$(dirname "$0")/.."
tgc=${1:-build/cli/tgc}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for t in 1000 2000; do "$tgc" new --time "$t" "$work/new-$t.tgc"; done
for f in fuzz/seeds/*.json; do
  name=$(basename "$f" .json)
  "$tgc" build "$f" "$work/$name.tgc"
done
# The UTF-16 text form old writers made, which `tgc build` never writes:
# the empty workbook with one word, "山a", in that form.
{
  head -c 21 "$work/empty.tgc"
  printf '\x01\x00\x00\x00''\x00\x00\x00\x00''\x01\x00\x00\x00''\xff\xfe\xff\x02''\x71\x5c\x61\x00'
  tail -c 16 "$work/empty.tgc"
} >"$work/utf16.tgc"

for target in reader import json; do
  mkdir -p "fuzz/corpus/$target"
  find "fuzz/corpus/$target" -type f ! -name 'regress-*' -delete
done
for f in "$work"/*.tgc; do
  cp "$f" fuzz/corpus/reader/
  cp "$f" fuzz/corpus/import/
  # `tgc dump` refuses what its check refuses; those have no JSON form.
  if "$tgc" dump "$f" >"$work/dump.json" 2>/dev/null; then
    cp "$work/dump.json" "fuzz/corpus/json/$(basename "$f" .tgc).json"
  fi
done
