#!/usr/bin/env bash
# Installs what is missing, builds the suite with its pictures and sounds, adds the menus and
# books to the desktop's application menu, and starts the main menu.
set -euo pipefail
source "$(dirname "$0")/scripts/common.sh"
source "$(dirname "$0")/scripts/desktop_entries.sh"

install_missing_packages
mkdir -p "$ROOT/build"
configure_and_build "$ROOT/build"
install_desktop_entries "$ROOT/build/suite" "$ROOT/build/assets/pictures"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "Storyloom is built, but this machine has no display to show it on; start it from a desktop session, or here on a virtual screen with: xvfb-run -a ./run.sh"
  exit 1
fi

cd "$ROOT/build/suite"
for program in atrium fete wdrt_demo; do
  if [ -x "./$program" ]; then
    exec "./$program" "$@"
  fi
done
echo "No program was built; see the build output above." >&2
exit 1
