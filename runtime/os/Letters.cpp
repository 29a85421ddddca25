#include "runtime/os/Letters.h"

#include <QChar>
#include <QString>

namespace wdrt {

std::optional<std::u32string> DecodeUtf8(std::string_view text) {
  std::u32string out;
  for (std::size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    std::size_t extra = 0;
    char32_t code = 0;
    if (c < 0x80) {
      code = c;
    } else if ((c & 0xE0) == 0xC0 && c >= 0xC2) {
      extra = 1, code = c & 0x1F;
    } else if ((c & 0xF0) == 0xE0) {
      extra = 2, code = c & 0x0F;
    } else if ((c & 0xF8) == 0xF0 && c <= 0xF4) {
      extra = 3, code = c & 0x07;
    } else {
      return std::nullopt;
    }
    if (i + extra >= text.size() && extra > 0) return std::nullopt;
    for (std::size_t k = 1; k <= extra; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      if ((next & 0xC0) != 0x80) return std::nullopt;
      code = code << 6 | (next & 0x3F);
    }
    // Overlong forms, surrogates and values past the last plane are not characters.
    if ((extra == 2 && code < 0x800) || (extra == 3 && (code < 0x10000 || code > 0x10FFFF)) ||
        (code >= 0xD800 && code <= 0xDFFF))
      return std::nullopt;
    out.push_back(code);
    i += extra + 1;
  }
  return out;
}

std::string ComposedText(std::string_view text) {
  const QString composed = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()))
                               .normalized(QString::NormalizationForm_C);
  return composed.toStdString();
}

bool IsLetter(char32_t c) { return QChar::isLetter(c); }

bool IsMark(char32_t c) { return QChar::isMark(c); }

bool IsControl(char32_t c) {
  const QChar::Category category = QChar::category(c);
  return category == QChar::Other_Control || category == QChar::Other_Format;
}

}  // namespace wdrt
