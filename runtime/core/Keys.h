// Key codes of alert keys: a virtual-key number with modifier bits, the same on every
// platform. The view turns real key presses into these; scripts name them as Qt does
// ("Esc", "F2", "Space", "Ctrl+M", "Alt+S"). Pure functions; any thread.
#pragma once

#include <string>

namespace wdrt {

enum KeyModifier : int { KeyShift = 0x100, KeyCtrl = 0x200, KeyAlt = 0x400 };

enum KeyValue : int {
  KeyBackspace = 0x08,
  KeyTab = 0x09,
  KeyEnter = 0x0D,
  KeyEsc = 0x1B,
  KeySpace = 0x20,
  KeyPageUp = 0x21,
  KeyPageDown = 0x22,
  KeyEnd = 0x23,
  KeyHome = 0x24,
  KeyLeft = 0x25,
  KeyUp = 0x26,
  KeyRight = 0x27,
  KeyDown = 0x28,
  KeyDelete = 0x2E,
  KeyF1 = 0x70,  // F1 .. F12 follow in order
  KeyF2 = 0x71,
  KeyF3 = 0x72,
};

// Letters and digits are their upper-case character codes: KeyCtrl | 'M' is Ctrl+M.
constexpr int KeyLetter(char c) { return (c >= 'a' && c <= 'z') ? c - 'a' + 'A' : c; }

// "Ctrl+M" → KeyCtrl | 'M'; 0 for a name it does not know.
int KeyFromName(const std::string& name);
std::string KeyName(int key);

}  // namespace wdrt
