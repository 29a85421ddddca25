#include "runtime/data/IniFile.h"

#include <algorithm>

namespace wdrt {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return Lower(x) == Lower(y); });
}

// The name of a section header line, or nullopt when the line is not one. The name runs to
// the last "]" of the line, so "[a]b]" names "a]b".
std::optional<std::string_view> SectionOf(std::string_view line) {
  line = Trim(line);
  if (line.empty() || line.front() != '[') return std::nullopt;
  const std::size_t close = line.rfind(']');
  if (close == std::string_view::npos || close == 0) return std::nullopt;
  return Trim(line.substr(1, close - 1));
}

struct KeyLine {
  std::string_view key;
  std::string_view value;
};

// A "key=value" line; comments and lines without "=" hold no key.
std::optional<KeyLine> KeyOf(std::string_view line) {
  const std::string_view trimmed = Trim(line);
  if (trimmed.empty() || trimmed.front() == ';') return std::nullopt;
  const std::size_t eq = trimmed.find('=');
  if (eq == std::string_view::npos) return std::nullopt;
  return KeyLine{Trim(trimmed.substr(0, eq)), Trim(trimmed.substr(eq + 1))};
}

std::string Unquote(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  return std::string(value);
}

bool HasLineBreak(std::string_view s) { return s.find_first_of("\r\n") != std::string_view::npos; }

}  // namespace

IniDocument IniDocument::Parse(std::string_view text) {
  IniDocument doc;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t nl = text.find('\n', start);
    Line line;
    if (nl == std::string_view::npos) {
      line.text = std::string(text.substr(start));
      start = text.size();
    } else {
      std::size_t end = nl;
      line.end = "\n";
      if (end > start && text[end - 1] == '\r') {
        --end;
        line.end = "\r\n";
      }
      line.text = std::string(text.substr(start, end - start));
      start = nl + 1;
    }
    doc.lines_.push_back(std::move(line));
  }
  return doc;
}

std::string IniDocument::Serialize() const {
  std::size_t size = 0;
  for (const Line& line : lines_) size += line.text.size() + line.end.size();
  std::string out;
  out.reserve(size);
  for (const Line& line : lines_) {
    out += line.text;
    out += line.end;
  }
  return out;
}

bool IniDocument::ValidSection(std::string_view section) {
  section = Trim(section);
  return !section.empty() && section.find(']') == std::string_view::npos && !HasLineBreak(section);
}

bool IniDocument::ValidKey(std::string_view key) {
  key = Trim(key);
  return !key.empty() && key.find('=') == std::string_view::npos && !HasLineBreak(key) &&
         key.front() != ';' && key.front() != '[';
}

std::optional<std::size_t> IniDocument::FindSection(std::string_view section) const {
  section = Trim(section);
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    if (auto name = SectionOf(lines_[i].text); name && SameName(*name, section)) return i;
  }
  return std::nullopt;
}

std::optional<std::size_t> IniDocument::FindKey(std::size_t header, std::string_view key) const {
  key = Trim(key);
  for (std::size_t i = header + 1; i < lines_.size(); ++i) {
    if (SectionOf(lines_[i].text)) break;
    if (auto kv = KeyOf(lines_[i].text); kv && SameName(kv->key, key)) return i;
  }
  return std::nullopt;
}

std::optional<std::string> IniDocument::Get(std::string_view section, std::string_view key) const {
  const auto header = FindSection(section);
  if (!header) return std::nullopt;
  const auto at = FindKey(*header, key);
  if (!at) return std::nullopt;
  return Unquote(KeyOf(lines_[*at].text)->value);
}

std::string IniDocument::NewLineEnd() const {
  // New lines follow the file's own convention, taken from its first line.
  for (const Line& line : lines_) {
    if (!line.end.empty()) return line.end;
  }
  return "\n";
}

bool IniDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
  if (!ValidSection(section) || !ValidKey(key)) return false;
  std::string cleanValue(value);
  std::replace_if(cleanValue.begin(), cleanValue.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
  const std::string eol = NewLineEnd();

  const auto header = FindSection(section);
  if (header) {
    if (const auto at = FindKey(*header, key)) {
      // Keep the key as the file spells it; only the value changes.
      Line& line = lines_[*at];
      line.text = std::string(KeyOf(line.text)->key) + "=" + cleanValue;
      return true;
    }
    // Append after the section's last non-blank line, before the blank lines that
    // separate it from the next section.
    std::size_t last = *header;
    for (std::size_t i = *header + 1; i < lines_.size() && !SectionOf(lines_[i].text); ++i) {
      if (!Trim(lines_[i].text).empty()) last = i;
    }
    if (lines_[last].end.empty()) lines_[last].end = eol;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(last) + 1,
                  Line{std::string(Trim(key)) + "=" + cleanValue, eol});
    return true;
  }

  if (!lines_.empty()) {
    if (lines_.back().end.empty()) lines_.back().end = eol;
    if (!Trim(lines_.back().text).empty()) lines_.push_back(Line{"", eol});
  }
  lines_.push_back(Line{"[" + std::string(Trim(section)) + "]", eol});
  lines_.push_back(Line{std::string(Trim(key)) + "=" + cleanValue, eol});
  return true;
}

}  // namespace wdrt
