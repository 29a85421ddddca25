#!/bin/bash
# Builds the WMF player's libFuzzer target with clang into build-fuzz and runs it for
# FUZZ_SECONDS (default 60), or FUZZ_RUNS inputs, on a scratch copy of the kept corpus that
# later runs resume. A crash input is left in build-fuzz/fuzz/wmf-crashes; copy it into
# tests/fuzz/wmf/corpus once fixed. Arguments are passed on to libFuzzer.
#
# The run sees only the Liberation fonts: with every installed font and the system's alias
# rules, the font matching of random faces and sizes (not the player) took most of the time.
set -eu
here=$(cd "$(dirname "$0")/../../.." && pwd)
build="${FUZZ_BUILD_DIR:-$here/build-fuzz}"
seconds=${FUZZ_SECONDS:-60}
runs=${FUZZ_RUNS:--1}

# shellcheck source=../../../scripts/common.sh
source "$here/scripts/common.sh"
install_missing_packages
export CCACHE_DIR="${CCACHE_DIR:-$HOME/.cache/ccache}" CCACHE_BASEDIR="$here" CCACHE_NOHASHDIR=1

cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSTORYLOOM_ASSETS=OFF \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DSTORYLOOM_FUZZ=ON >/dev/null
ninja -C "$build" -j2 wmf_player_fuzzer

work="$build/fuzz/wmf-corpus"
crashes="$build/fuzz/wmf-crashes"
mkdir -p "$work" "$crashes" "$build/fuzz/fontconfig-cache"
cp -n "$here"/tests/fuzz/wmf/corpus/* "$work"/ 2>/dev/null || true

fonts="$build/fuzz/fonts.conf"
cat >"$fonts" <<CONF
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "fonts.dtd">
<fontconfig>
  <dir>/usr/share/fonts/truetype/liberation2</dir>
  <cachedir>$build/fuzz/fontconfig-cache</cachedir>
</fontconfig>
CONF

runtime_dir=$(mktemp -d)
trap 'rm -rf "$runtime_dir"' EXIT
# Leak checking stays off (Qt's caches outlive every input); -detect_leaks=0 also keeps
# libFuzzer from running each input twice whenever a cache grows. Memory is bounded instead.
# Allocation stacks are kept 8 frames deep (not 30): recording them took a sixth of the time;
# replay a crash input with the default depth for its full allocation stack.
# Inputs that ask for the largest bitmaps take a hundred times as long as others; the
# schedule favours quick inputs so that they do not crowd out the rest of the player.
FONTCONFIG_FILE="$fonts" XDG_RUNTIME_DIR="$runtime_dir" QT_QPA_PLATFORM=offscreen \
  ASAN_OPTIONS=detect_leaks=0:malloc_context_size=8 \
  "$build/fuzz/wmf_player_fuzzer" -max_total_time="$seconds" -runs="$runs" -max_len=65536 \
  -rss_limit_mb=2048 -timeout=10 -detect_leaks=0 -entropic_scale_per_exec_time=1 -dict="$here/tests/fuzz/wmf/wmf.dict" \
  -artifact_prefix="$crashes/" -print_final_stats=1 "$@" "$work"
