#!/bin/sh
# Builds the INI reader's libFuzzer target with clang into build-fuzz and runs it for
# FUZZ_SECONDS (default 60) on a scratch copy of the kept corpus. A crash input is left in
# build-fuzz/fuzz/ini-crashes; copy it into tests/fuzz/ini/corpus once it is fixed.
set -eu
here=$(cd "$(dirname "$0")/../.." && pwd)
build="$here/build-fuzz"
seconds=${FUZZ_SECONDS:-60}

if ! command -v clang++ >/dev/null 2>&1; then
  echo "clang++ not found: the libFuzzer target needs clang" >&2
  exit 2
fi

cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DSTORYLOOM_FUZZ=ON >/dev/null
ninja -C "$build" -j2 ini_reader_fuzzer

work="$build/fuzz/ini-corpus"
crashes="$build/fuzz/ini-crashes"
mkdir -p "$work" "$crashes"
cp -n "$here"/tests/fuzz/ini/corpus/* "$work"/ 2>/dev/null || true

"$build/fuzz/ini_reader_fuzzer" -max_total_time="$seconds" -max_len=65536 -rss_limit_mb=2048 \
  -artifact_prefix="$crashes/" -print_final_stats=1 "$work"
