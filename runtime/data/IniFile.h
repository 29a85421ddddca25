// An INI file's text as a document that keeps every line (comments, order, blank lines, line
// ends) and answers and applies profile lookups the way the Windows profile functions do.
// Plain value type with no I/O; a caller must not share one document between threads.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace wdrt {

class IniDocument {
 public:
  // Reads any bytes without failing: a line without "=" is kept but holds no key, a "["
  // line without "]" is an ordinary line of the current section, and NUL bytes are data.
  static IniDocument Parse(std::string_view text);

  // The value of the first key named `key` in the first section named `section`, both
  // matched without regard to case and surrounding blanks. Blanks around the value are
  // dropped, and one pair of matching quotes around it too. nullopt when there is none.
  std::optional<std::string> Get(std::string_view section, std::string_view key) const;

  // Sets the value where Get finds it, or appends the key at the end of the first matching
  // section, or appends the section at the end. The value is written as given (no quotes);
  // line breaks in it become blanks so it cannot add lines. Returns false, changing
  // nothing, when the section or key could not be read back (see ValidName).
  bool Set(std::string_view section, std::string_view key, std::string_view value);

  std::string Serialize() const;

  // A section name must be non-empty without "]" or line breaks; a key name non-empty,
  // without "=" or line breaks, and not starting with ";" or "[".
  static bool ValidSection(std::string_view section);
  static bool ValidKey(std::string_view key);

 private:
  struct Line {
    std::string text;  // without its line end
    std::string end;   // "\r\n", "\n", or "" for a last line without one
  };

  std::optional<std::size_t> FindSection(std::string_view section) const;
  std::optional<std::size_t> FindKey(std::size_t header, std::string_view key) const;
  std::string NewLineEnd() const;

  std::vector<Line> lines_;
};

}  // namespace wdrt
