#include "rpvw32/MetafileTexts.h"

#include <cctype>
#include <cstdint>

namespace rpvw {
namespace {

constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7;
constexpr std::uint16_t kExtTextOut = 0x0A32;

std::uint16_t Word(const QByteArray& b, qsizetype at) {
  return static_cast<std::uint16_t>(static_cast<std::uint8_t>(b[at]) | static_cast<std::uint8_t>(b[at + 1]) << 8);
}
std::uint32_t Dword(const QByteArray& b, qsizetype at) { return Word(b, at) | static_cast<std::uint32_t>(Word(b, at + 2)) << 16; }

template <typename F>
void WalkTexts(const QByteArray& bytes, MetafileTexts* header, F&& onText) {
  qsizetype at = 0;
  int left = 0;
  int top = 0;
  if (bytes.size() >= 22 && Dword(bytes, 0) == kPlaceableKey) {
    left = static_cast<std::int16_t>(Word(bytes, 6));
    top = static_cast<std::int16_t>(Word(bytes, 8));
    const int inch = Word(bytes, 14);
    if (header) header->unitsPerInch = inch == 0 ? 1440 : inch;
    at = 22;
  }
  if (bytes.size() < at + 18) return;
  at += static_cast<qsizetype>(Word(bytes, at + 2)) * 2;  // the metafile header's size in words
  while (at + 6 <= bytes.size()) {
    const qint64 words = Dword(bytes, at);
    const std::uint16_t function = Word(bytes, at + 4);
    if (words < 3 || words * 2 > bytes.size() - at || function == 0) return;
    const qsizetype end = at + static_cast<qsizetype>(words) * 2;
    if (function == kExtTextOut && at + 14 <= end) {
      const int y = static_cast<std::int16_t>(Word(bytes, at + 6));
      const int x = static_cast<std::int16_t>(Word(bytes, at + 8));
      const int count = static_cast<std::int16_t>(Word(bytes, at + 10));
      const std::uint16_t options = Word(bytes, at + 12);
      const qsizetype textAt = at + (options != 0 ? 22 : 14);
      if (count > 0 && textAt + count <= end) {
        std::string text(bytes.constData() + textAt, static_cast<std::size_t>(count));
        if (!text.empty() && text.back() == '\0') text.pop_back();
        if (!onText(x - left, y - top, std::move(text))) return;
      }
    }
    at = end;
  }
}

std::string Upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

}  // namespace

MetafileTexts ReadMetafileTexts(const QByteArray& bytes) {
  MetafileTexts result;
  WalkTexts(bytes, &result, [&](int x, int y, std::string text) {
    result.texts.push_back({x, y, std::move(text)});
    return true;
  });
  return result;
}

bool MetafileContains(const QByteArray& bytes, const std::string& needle, bool matchCase) {
  if (needle.empty()) return false;
  const std::string wanted = matchCase ? needle : Upper(needle);
  bool found = false;
  WalkTexts(bytes, nullptr, [&](int, int, std::string text) {
    found = (matchCase ? text : Upper(std::move(text))).find(wanted) != std::string::npos;
    return !found;
  });
  return found;
}

}  // namespace rpvw
