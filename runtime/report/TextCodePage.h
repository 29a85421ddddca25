// Texts of printed pages in the code page of a font charset: Windows-1252 for Latin, and the
// matching Windows code page for Central European, Cyrillic, Greek, Turkish, Hebrew, Arabic,
// Baltic, Vietnamese and Thai names. Any thread.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace wdrt::report {

struct EncodedText {
  std::uint8_t charset = 0;  // the font charset that selects the code page
  std::string bytes;         // the text in that code page
};

// The first code page that holds every character of the UTF-8 `text`, with its bytes.
// nullopt when no single code page holds them all (or the text is not valid UTF-8).
std::optional<EncodedText> EncodeForPage(const std::string& utf8);

// True when `utf8` can be printed on a page (the check for names where they are typed).
bool PrintableOnPage(const std::string& utf8);

// The message shown when a typed text holds a character no page can print.
std::string UnprintableTextMessage(const std::string& utf8);

}  // namespace wdrt::report
