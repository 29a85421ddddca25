#include "runtime/core/Keys.h"

#include <cctype>
#include <cstdlib>
#include <utility>

namespace wdrt {
namespace {

constexpr std::pair<const char*, int> kNames[] = {
    {"Backspace", KeyBackspace}, {"Tab", KeyTab},     {"Enter", KeyEnter}, {"Return", KeyEnter},
    {"Esc", KeyEsc},             {"Escape", KeyEsc},  {"Space", KeySpace}, {"PgUp", KeyPageUp},
    {"PageUp", KeyPageUp},       {"PgDown", KeyPageDown}, {"PageDown", KeyPageDown}, {"End", KeyEnd},
    {"Home", KeyHome},           {"Left", KeyLeft},   {"Up", KeyUp},       {"Right", KeyRight},
    {"Down", KeyDown},           {"Del", KeyDelete},  {"Delete", KeyDelete}};

bool SameName(const std::string& a, const char* b) {
  std::size_t i = 0;
  for (; i < a.size() && b[i]; ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
  return i == a.size() && !b[i];
}

}  // namespace

int KeyFromName(const std::string& given) {
  std::string name = given;
  int modifiers = 0;
  for (;;) {
    const std::size_t plus = name.find('+');
    if (plus == std::string::npos || plus + 1 >= name.size()) break;
    const std::string mod = name.substr(0, plus);
    if (SameName(mod, "Ctrl")) modifiers |= KeyCtrl;
    else if (SameName(mod, "Alt")) modifiers |= KeyAlt;
    else if (SameName(mod, "Shift")) modifiers |= KeyShift;
    else return 0;
    name = name.substr(plus + 1);
  }
  if (name.size() == 1 && std::isalnum(static_cast<unsigned char>(name[0]))) return modifiers | KeyLetter(name[0]);
  if (name.size() >= 2 && (name[0] == 'F' || name[0] == 'f')) {
    const int n = std::atoi(name.c_str() + 1);
    if (n >= 1 && n <= 12 && name.find_first_not_of("0123456789", 1) == std::string::npos)
      return modifiers | (KeyF1 + n - 1);
  }
  for (const auto& [text, key] : kNames)
    if (SameName(name, text)) return modifiers | key;
  return 0;
}

std::string KeyName(int key) {
  std::string name;
  if (key & KeyCtrl) name += "Ctrl+";
  if (key & KeyAlt) name += "Alt+";
  if (key & KeyShift) name += "Shift+";
  const int base = key & 0xFF;
  if (base >= KeyF1 && base < KeyF1 + 12) return name + "F" + std::to_string(base - KeyF1 + 1);
  for (const auto& [text, value] : kNames)
    if (value == base) return name + text;
  if (std::isalnum(base)) return name + static_cast<char>(base);
  return name + "#" + std::to_string(base);
}

}  // namespace wdrt
