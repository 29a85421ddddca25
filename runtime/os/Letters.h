// What the characters of a typed text are, whatever its language: UTF-8 decoding and the
// Unicode letter, mark and control classes (from Qt's Unicode tables). Any thread.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace wdrt {

// The code points of `text`, or nullopt when it is not valid UTF-8.
std::optional<std::u32string> DecodeUtf8(std::string_view text);

// `text` with letters typed as a letter and combining accents made single letters where
// Unicode has them (NFC), as a keyboard would type them.
std::string ComposedText(std::string_view text);

// A letter of any alphabet or script (Unicode L*).
bool IsLetter(char32_t c);
// A combining mark (Unicode M*), such as the accent of a decomposed "é".
bool IsMark(char32_t c);
// A control character (Unicode Cc: C0, DEL, C1) or a format character (Cf) such as a
// direction override, which would make a name show differently from how it was typed.
bool IsControl(char32_t c);

}  // namespace wdrt
