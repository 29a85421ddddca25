#!/bin/sh
# Builds the WMF player's libFuzzer target with clang into build-fuzz and runs it for
# FUZZ_SECONDS (default 60), or FUZZ_RUNS inputs, on a scratch copy of the kept corpus. A crash
# input is left in build-fuzz/fuzz/wmf-crashes; copy it into tests/fuzz/wmf/corpus once fixed.
set -eu
here=$(cd "$(dirname "$0")/../../.." && pwd)
build="${FUZZ_BUILD_DIR:-$here/build-fuzz}"
seconds=${FUZZ_SECONDS:-60}
runs=${FUZZ_RUNS:--1}

cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSTORYLOOM_ASSETS=OFF \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DSTORYLOOM_FUZZ=ON >/dev/null
ninja -C "$build" -j2 wmf_player_fuzzer

work="$build/fuzz/wmf-corpus"
crashes="$build/fuzz/wmf-crashes"
mkdir -p "$work" "$crashes"
cp -n "$here"/tests/fuzz/wmf/corpus/* "$work"/ 2>/dev/null || true

QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 \
  "$build/fuzz/wmf_player_fuzzer" -max_total_time="$seconds" -runs="$runs" -max_len=65536 \
  -rss_limit_mb=2048 -timeout=10 -jobs=1 -artifact_prefix="$crashes/" -print_final_stats=1 "$work"
