#include "runtime/report/TextCodePage.h"

#include <iconv.h>

#include <array>
#include <utility>

#include "runtime/report/WmfFormat.h"

namespace wdrt::report {
namespace {

// Tried in this order: the code page most names need first.
constexpr std::array<std::pair<std::uint8_t, const char*>, 10> kPageCharsets{{
    {ANSI_CHARSET, "CP1252"},
    {EASTEUROPE_CHARSET, "CP1250"},
    {RUSSIAN_CHARSET, "CP1251"},
    {GREEK_CHARSET, "CP1253"},
    {TURKISH_CHARSET, "CP1254"},
    {BALTIC_CHARSET, "CP1257"},
    {VIETNAMESE_CHARSET, "CP1258"},
    {HEBREW_CHARSET, "CP1255"},
    {ARABIC_CHARSET, "CP1256"},
    {THAI_CHARSET, "CP874"},
}};

// Converts with iconv; nullopt when a character has no place in the target (no transliteration).
std::optional<std::string> Convert(const std::string& text, const char* from, const char* to) {
  iconv_t cd = ::iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  std::string out(text.size() * 4 + 8, '\0');
  char* in = const_cast<char*>(text.data());
  std::size_t inLeft = text.size();
  char* outPtr = out.data();
  std::size_t outLeft = out.size();
  const std::size_t done = ::iconv(cd, &in, &inLeft, &outPtr, &outLeft);
  ::iconv_close(cd);
  if (done == static_cast<std::size_t>(-1) || inLeft != 0) return std::nullopt;
  out.resize(out.size() - outLeft);
  return out;
}

}  // namespace

std::optional<EncodedText> EncodeForPage(const std::string& utf8) {
  for (const auto& [charset, page] : kPageCharsets) {
    if (auto bytes = Convert(utf8, "UTF-8", page)) return EncodedText{charset, std::move(*bytes)};
  }
  return std::nullopt;
}

bool PrintableOnPage(const std::string& utf8) { return EncodeForPage(utf8).has_value(); }

std::string UnprintableTextMessage(const std::string& utf8) {
  return "\"" + utf8 + "\" holds a character that cannot be printed in a book.|"
         "Please type the name with letters of one alphabet (for example Latin, Greek or Cyrillic).";
}

}  // namespace wdrt::report
