#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test headless.
# Extra builds: STORYLOOM_SANITIZERS=0 skips the AddressSanitizer/UndefinedBehaviorSanitizer
# and ThreadSanitizer runs.
set -euo pipefail
source "$(dirname "$0")/scripts/common.sh"

install_missing_packages

export QT_QPA_PLATFORM=offscreen
export SDL_AUDIODRIVER=dummy
XDG_RUNTIME_DIR="$(mktemp -d)"
XDG_CONFIG_HOME="$(mktemp -d)"
export XDG_RUNTIME_DIR XDG_CONFIG_HOME
chmod 700 "$XDG_RUNTIME_DIR"

mkdir -p "$ROOT/build"
configure_and_build "$ROOT/build"
(cd "$ROOT/build" && ctest -j2 --output-on-failure --timeout 600)

if [ "${STORYLOOM_SANITIZERS:-1}" != "0" ]; then
  echo "== AddressSanitizer and UndefinedBehaviorSanitizer =="
  # The leak checker cannot run where processes are traced (as in some sandboxes); the address
  # and behaviour checks still run.
  export ASAN_OPTIONS=detect_leaks=0
  # The pictures and sounds are the plain build's: making them again under the checkers would
  # only take longer.
  configure_and_build "$ROOT/build-asan" -DSTORYLOOM_SANITIZE=ON -DSTORYLOOM_ASSETS_FROM="$ROOT/build"
  (cd "$ROOT/build-asan" && ctest -j2 --output-on-failure --timeout 600)
  echo "== ThreadSanitizer (threading tests) =="
  # Only the test programs that hold threading tests, and what they run. The alignment test
  # matches by its name but needs the sounds, which this build does not make.
  configure "$ROOT/build-tsan" -DSTORYLOOM_TSAN=ON -DSTORYLOOM_ASSETS=OFF
  ninja -C "$ROOT/build-tsan" -j2 runtime_tests framework_tests pvmedia_tests report_tests books_tests
  (cd "$ROOT/build-tsan" && TSAN_OPTIONS="halt_on_error=1 report_signal_unsafe=0" \
     ctest -j2 --output-on-failure --timeout 600 -LE 'e2e|assets|fuzz|hosted|rpvw32|printing|launchers' \
       -R 'Thread|Concurren|Post|Start|Covering' -E 'Hosting\.|PrinterStatus\.|ForcedAlignment\.|_NOT_BUILT')
fi
