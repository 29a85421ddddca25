#!/bin/sh
# Builds the MCI command parser's libFuzzer target with clang into build-fuzz and runs it for
# FUZZ_SECONDS (default 60) on a scratch copy of the kept corpus. A crash input is left in
# build-fuzz/fuzz/mci-crashes; copy it into tests/fuzz/mci/corpus once it is fixed.
set -eu
here=$(cd "$(dirname "$0")/../../.." && pwd)
build="${FUZZ_BUILD_DIR:-$here/build-fuzz}"
seconds=${FUZZ_SECONDS:-60}

cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DSTORYLOOM_FUZZ=ON >/dev/null
ninja -C "$build" -j2 mci_command_fuzzer

work="$build/fuzz/mci-corpus"
crashes="$build/fuzz/mci-crashes"
mkdir -p "$work" "$crashes"
cp -n "$here"/tests/fuzz/mci/corpus/* "$work"/ 2>/dev/null || true

"$build/fuzz/mci_command_fuzzer" -max_total_time="$seconds" -max_len=512 \
  -artifact_prefix="$crashes/" -print_final_stats=1 "$work"
