#!/usr/bin/env bash
# Builds the fuzz targets with Clang, libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer into build-fuzz/ and runs one of them.
# Usage: scripts/fuzz.sh reader|import|json SECONDS [libFuzzer options]
# New inputs go to build-fuzz/corpus/TARGET, a failing input to
# build-fuzz/artifacts/; add such an input to fuzz/corpus/TARGET as
# regress-<what> once the fault is fixed. Exits non-zero on a finding.
set -euo pipefail
cd "$(dirname "$0")/.."
target=${1:?usage: scripts/fuzz.sh reader|import|json SECONDS}
seconds=${2:?usage: scripts/fuzz.sh reader|import|json SECONDS}
shift 2
case $target in
  reader | import) dict=fuzz/workbook.dict ;;
  json) dict=fuzz/json.dict ;;
  *) echo "unknown fuzz target '$target' (reader, import, json)" >&2; exit 2 ;;
esac

scripts/setup.sh
sanitizers="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS="$sanitizers -fsanitize=fuzzer-no-link" -DCMAKE_EXE_LINKER_FLAGS="$sanitizers" \
  -DTGC_BUILD_GUI=OFF -DTGC_BUILD_TESTS=OFF -DTGC_BUILD_BENCH=OFF -DTGC_BUILD_FUZZERS=ON >/dev/null
cmake --build build-fuzz -j"$(nproc)" --target "tgc_fuzz_$target"

mkdir -p "build-fuzz/corpus/$target" build-fuzz/artifacts
# Every finding stops the run: no error is recovered from, and leaks count.
export ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:detect_stack_use_after_return=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
exec "build-fuzz/fuzz/tgc_fuzz_$target" -max_total_time="$seconds" -dict="$dict" \
  -artifact_prefix="build-fuzz/artifacts/$target-" -print_final_stats=1 "$@" \
  "build-fuzz/corpus/$target" "fuzz/corpus/$target"
