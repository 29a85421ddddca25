#include "runtime/report/WmfTextCodec.h"

#include <QStringDecoder>

#include "runtime/report/WmfFormat.h"

namespace wdrt::report {

const char* WmfCharsetEncoding(std::uint8_t charset) {
  switch (charset) {
    case SHIFTJIS_CHARSET: return "Shift_JIS";
    case HANGUL_CHARSET: return "windows-949";
    case GB2312_CHARSET: return "GBK";
    case CHINESEBIG5_CHARSET: return "Big5";
    case GREEK_CHARSET: return "windows-1253";
    case TURKISH_CHARSET: return "windows-1254";
    case VIETNAMESE_CHARSET: return "windows-1258";
    case HEBREW_CHARSET: return "windows-1255";
    case ARABIC_CHARSET: return "windows-1256";
    case BALTIC_CHARSET: return "windows-1257";
    case RUSSIAN_CHARSET: return "windows-1251";
    case THAI_CHARSET: return "windows-874";
    case EASTEUROPE_CHARSET: return "windows-1250";
    case OEM_CHARSET: return "IBM437";
    case SYMBOL_CHARSET: return "ISO-8859-1";  // symbol fonts map the bytes themselves
    default: return "windows-1252";
  }
}

bool WmfCharsetIsMultiByte(std::uint8_t charset) {
  return charset == SHIFTJIS_CHARSET || charset == HANGUL_CHARSET || charset == GB2312_CHARSET ||
         charset == CHINESEBIG5_CHARSET;
}

QString DecodeWmfText(const QByteArray& bytes, std::uint8_t charset) {
  QByteArray raw = bytes;
  while (!raw.isEmpty() && raw.back() == '\0') raw.chop(1);
  if (raw.isEmpty()) return {};
  QStringDecoder decoder(WmfCharsetEncoding(charset), QStringDecoder::Flag::Stateless);
  if (!decoder.isValid() && charset == HANGUL_CHARSET)
    decoder = QStringDecoder("EUC-KR", QStringDecoder::Flag::Stateless);
  if (!decoder.isValid()) return QString::fromLatin1(raw);
  // Bytes that do not decode become U+FFFD; the rest of the text stays readable.
  return decoder.decode(raw);
}

}  // namespace wdrt::report
