// Small text helpers of the media library for the fixed-size texts it builds.
// Pure functions: any thread.
#pragma once

#include <string>
#include <string_view>

namespace pv {

// The text without its trailing blanks.
inline std::string_view TrimRight(std::string_view text) {
  const std::size_t end = text.find_last_not_of(' ');
  return end == std::string_view::npos ? std::string_view() : text.substr(0, end + 1);
}

// The text cut to the usable length of a zero-terminated buffer of `bufferSize` bytes.
inline std::string CutToBuffer(std::string text, std::size_t bufferSize) {
  if (text.size() > bufferSize - 1) text.resize(bufferSize - 1);
  return text;
}

}  // namespace pv
