#!/usr/bin/env bash
# Runs clazy, Qt's static checks for Qt code, at level 1 over every source
# file that is compiled against Qt (program, tool, tests), with Clang's
# compile commands from build-clazy/ (configured, never built). Any warning
# fails the run; the warnings are listed once each.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

# Checks of level 1 that are wrong for part of this program, with the reason:
# - non-pod-global-static in tests/ and bench/: GoogleTest and Google
#   Benchmark register every test and benchmark through a static object.
checks=level1
test_checks=level1,no-non-pod-global-static

cmake -S . -B build-clazy -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug >/dev/null
# The Qt code: every compile command with Qt's headers, generated files aside.
mapfile -t files < <(awk -F'"' '
  $2 == "command" { qt = index($0, "/qt6") > 0 }
  $2 == "file" && qt && index($4, "/build-clazy/") == 0 { print $4 }
' build-clazy/compile_commands.json | sort -u)

log=build-clazy/clazy.log
: >"$log"
check() {  # CHECKS, then the files on standard input
  xargs -d '\n' -P "$(nproc)" -n 4 clazy-standalone -checks="$1" -ignore-dirs='/build-clazy/' \
    -p build-clazy >>"$log" 2>&1 || { cat "$log"; echo "clazy could not check every file" >&2; exit 1; }
}
printf '%s\n' "${files[@]}" | grep -v -e "^$PWD/tests/" -e "^$PWD/bench/" | check "$checks"
printf '%s\n' "${files[@]}" | grep -e "^$PWD/tests/" -e "^$PWD/bench/" | check "$test_checks"
warnings=$(grep -E 'warning: .*\[-Wclazy-' "$log" | sort -u || true)
if [ -n "$warnings" ]; then
  echo "$warnings"
  echo "clazy: $(echo "$warnings" | wc -l) warnings in ${#files[@]} files" >&2
  exit 1
fi
echo "clazy: ${#files[@]} files, no warnings"
