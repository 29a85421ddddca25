// Fuzz target for the INI reader and writer: any bytes must parse, serialise back unchanged,
// answer lookups, and keep a value that was set readable after a round trip.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "runtime/data/IniFile.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  wdrt::IniDocument doc = wdrt::IniDocument::Parse(text);
  Check(doc.Serialize() == text);

  // Names taken from the input itself, so lookups hit the sections and keys it holds.
  const std::size_t cut = size / 3;
  const std::string section(text.substr(0, std::min<std::size_t>(cut, 12)));
  const std::string key(text.substr(cut, std::min<std::size_t>(size - cut, 12)));
  (void)doc.Get(section, key);
  (void)doc.Get("Main", "Name");
  (void)doc.Get("__Dont_Touch_Me__", "Sectors");

  Check(doc.Set("Fuzz", "Key", "fixed"));
  const std::string value = "v" + std::string(text.substr(0, std::min<std::size_t>(size, 40))) + "v";
  const bool set = doc.Set(section, key, value);
  Check(set == (wdrt::IniDocument::ValidSection(section) && wdrt::IniDocument::ValidKey(key)));
  const wdrt::IniDocument again = wdrt::IniDocument::Parse(doc.Serialize());
  const auto fixed = again.Get("fuzz", "key");
  Check(fixed.has_value());
  Check(*fixed == "fixed" || (set && *fixed == *again.Get(section, key)));
  if (set) {
    const auto back = again.Get(section, key);
    Check(back.has_value());
    // Line breaks become blanks and blanks at either end are dropped when read.
    std::string expected = value;
    for (char& c : expected) {
      if (c == '\r' || c == '\n') c = ' ';
    }
    const auto first = expected.find_first_not_of(" \t\r\v\f");
    const auto last = expected.find_last_not_of(" \t\r\v\f");
    expected = expected.substr(first, last - first + 1);
    Check(*back == expected);
  }
  return 0;
}
