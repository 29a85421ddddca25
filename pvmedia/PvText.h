// Small text helpers of the media library for the fixed-size texts it builds.
// Pure functions: any thread.
#pragma once

#include <algorithm>
#include <cctype>
#include <string>
#include <string_view>

namespace pv {

// The text without its trailing blanks.
inline std::string_view TrimRight(std::string_view text) {
  const std::size_t end = text.find_last_not_of(' ');
  return end == std::string_view::npos ? std::string_view() : text.substr(0, end + 1);
}

// The text without blanks on either side.
inline std::string_view Trim(std::string_view text) {
  text = TrimRight(text);
  const std::size_t start = text.find_first_not_of(' ');
  return start == std::string_view::npos ? std::string_view() : text.substr(start);
}

// The text cut to the usable length of a zero-terminated buffer of `bufferSize` bytes.
inline std::string CutToBuffer(std::string text, std::size_t bufferSize) {
  if (text.size() > bufferSize - 1) text.resize(bufferSize - 1);
  return text;
}

// A fixed-size field: the text cut at `size` characters.
inline std::string Cut(std::string_view text, std::size_t size) { return std::string(text.substr(0, size)); }

inline std::string Lower(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lower;
}

inline std::string Upper(std::string_view text) {
  std::string upper(text);
  std::transform(upper.begin(), upper.end(), upper.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return upper;
}

}  // namespace pv
