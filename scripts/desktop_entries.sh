# Installs the desktop's menu entries (and their icons) for the menus and the books, so that
# they appear in the desktop's application menu. Used by run.sh.
# shellcheck shell=bash

# An Exec-line argument: quoted, with the characters the desktop entry format reserves escaped.
desktop_exec_quote() {
  local s="$1"
  s=${s//\\/\\\\\\\\}
  s=${s//\"/\\\\\"}
  s=${s//\`/\\\\\`}
  s=${s//\$/\\\\\$}
  printf '"%s"' "$s"
}

# install_desktop_entries <suite-dir> <picture-dir>
install_desktop_entries() {
  local suite="$1" pictures="$2"
  local data="${XDG_DATA_HOME:-$HOME/.local/share}"
  local apps="$data/applications" icons="$data/icons/hicolor/256x256/apps"
  mkdir -p "$apps" "$icons"
  # program|name|comment|icon picture
  local entries=(
    "atrium|Storyloom|Picture books read aloud: choose a book|storyloom.png"
    "letters|Storyloom Alphabet|A book for every letter|letters-icon.png"
    "fete|Storyloom Birthday Party|The birthday book|fete-icon.png"
    "banners|Storyloom Our Flag|The flag book|banners-icon.png"
    "a|Storyloom Letter A|The letter book of A|a-icon.png"
    "b|Storyloom Letter B|The letter book of B|b-icon.png"
  )
  local entry program name comment icon
  for entry in "${entries[@]}"; do
    IFS='|' read -r program name comment icon <<<"$entry"
    [ -x "$suite/$program" ] || continue
    if [ -f "$pictures/$icon" ]; then
      cp "$pictures/$icon" "$icons/storyloom-$program.png"
    fi
    # The programs find their sounds and start each other from their own folder (Path).
    cat >"$apps/storyloom-$program.desktop" <<DESKTOP
[Desktop Entry]
Type=Application
Version=1.0
Name=$name
Comment=$comment
Exec=$(desktop_exec_quote "$suite/$program")
Path=$suite
Icon=storyloom-$program
Terminal=false
Categories=Education;Kids;
DESKTOP
  done
  if command -v update-desktop-database >/dev/null 2>&1; then
    update-desktop-database -q "$apps" || true
  fi
  echo "Menu entries installed in $apps"
}
