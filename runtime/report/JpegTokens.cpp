#include "runtime/report/JpegTokens.h"

#include <QBuffer>
#include <QImage>
#include <QImageWriter>

#include <cstdint>
#include <cstring>

#include "runtime/os/PrivateFolder.h"

namespace wdrt::report {
namespace {

constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7u;
constexpr int kStretchDib = 0x0F43;
constexpr std::uint32_t kBiJpeg = 4;
constexpr char kMagic[4] = {'S', 'L', 'J', 'T'};

std::uint16_t U16(const char* p) {
  return static_cast<std::uint16_t>(static_cast<unsigned char>(p[0]) | (static_cast<unsigned char>(p[1]) << 8));
}
std::uint32_t U32(const char* p) { return U16(p) | (static_cast<std::uint32_t>(U16(p + 2)) << 16); }
std::int16_t S16(const char* p) { return static_cast<std::int16_t>(U16(p)); }
void Put32(QByteArray& b, qsizetype at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

// An 8 × 8 grey JPEG: decodes in microseconds.
const QByteArray& TinyJpeg() {
  static const QByteArray bytes = [] {
    QImage image(8, 8, QImage::Format_Grayscale8);
    image.fill(200);
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.write(image);
    return out;
  }();
  return bytes;
}

}  // namespace

JpegTokens::JpegTokens() {
  const unsigned long long bits = RandomBits();
  nonce_ = QByteArray(reinterpret_cast<const char*>(&bits), sizeof bits);
}

QByteArray JpegTokens::Token(int index) const {
  const QByteArray& tiny = TinyJpeg();
  // SOI, then a comment segment "SLJT" + nonce + index, then the rest of the tiny JPEG.
  QByteArray token = tiny.left(2);
  const int payload = 4 + 8 + 4;
  token.append(static_cast<char>(0xFF)).append(static_cast<char>(0xFE));
  token.append(static_cast<char>(((payload + 2) >> 8) & 0xFF)).append(static_cast<char>((payload + 2) & 0xFF));
  token.append(kMagic, 4).append(nonce_);
  for (int i = 0; i < 4; ++i) token.append(static_cast<char>((index >> (8 * i)) & 0xFF));
  token.append(tiny.mid(2));
  return token;
}

std::optional<QByteArray> JpegTokens::Original(const QByteArray& jpeg) const {
  if (jpeg.size() < 22 || static_cast<unsigned char>(jpeg[2]) != 0xFF || static_cast<unsigned char>(jpeg[3]) != 0xFE ||
      std::memcmp(jpeg.constData() + 6, kMagic, 4) != 0 || std::memcmp(jpeg.constData() + 10, nonce_.constData(), 8) != 0)
    return std::nullopt;
  const std::uint32_t index = U32(jpeg.constData() + 18);
  if (index >= originals_.size()) return std::nullopt;
  return originals_[index];
}

QByteArray JpegTokens::Swap(const QByteArray& page) {
  const char* d = page.constData();
  const qsizetype size = page.size();
  qsizetype at = 0;
  if (size >= 22 && U32(d) == kPlaceableKey) at = 22;
  if (at + 18 > size) return page;
  const qsizetype headerStart = at;
  const qsizetype headerWords = U16(d + at + 2);
  at += headerWords * 2;
  if (headerWords < 9 || at > size) return page;
  QByteArray out = page.left(at);
  const std::size_t before = originals_.size();
  while (at + 6 <= size) {
    const std::uint64_t words = U32(d + at);
    const int function = U16(d + at + 4);
    const qsizetype length = static_cast<qsizetype>(words * 2);
    if (words < 3 || at + length > size) {
      originals_.resize(before);
      return page;
    }
    bool swapped = false;
    // STRETCHDIB: rop, usage, srcH, srcW, ySrc, xSrc, destH, destW, yDest, xDest, then the DIB.
    if (function == kStretchDib && length >= 28 + 40 + 4) {
      const char* r = d + at;
      const std::int16_t srcH = S16(r + 12), srcW = S16(r + 14), ySrc = S16(r + 16), xSrc = S16(r + 18);
      const char* dib = r + 28;
      const std::int32_t width = static_cast<std::int32_t>(U32(dib + 4));
      const std::int32_t height = static_cast<std::int32_t>(U32(dib + 8));
      const std::uint32_t compression = U32(dib + 16);
      const std::uint32_t imageSize = U32(dib + 20);
      const qsizetype room = length - 28 - 40;
      const qsizetype jpegLength = imageSize && imageSize <= static_cast<std::uint32_t>(room) ? imageSize : room;
      // Only whole pictures: a cut-out is drawn by the player from the real pixels.
      const bool whole = xSrc == 0 && ySrc == 0 && srcW == width && (srcH == height || srcH == -height);
      if (U32(dib) == 40 && compression == kBiJpeg && whole && jpegLength > 0) {
        const QByteArray token = Token(static_cast<int>(originals_.size()));
        originals_.push_back(QByteArray(dib + 40, jpegLength));
        QByteArray record(r, 28 + 40);
        record.append(token);
        if (record.size() % 2) record.append('\0');
        Put32(record, 0, static_cast<std::uint32_t>(record.size() / 2));
        Put32(record, 28 + 20, static_cast<std::uint32_t>(token.size()));
        out.append(record);
        swapped = true;
      }
    }
    if (!swapped) out.append(d + at, length);
    at += length;
    if (function == 0) break;  // EOF record
  }
  out.append(d + at, size - at);
  // The standard header's file size in words.
  Put32(out, headerStart + 6, static_cast<std::uint32_t>((out.size() - headerStart) / 2));
  return out;
}

}  // namespace wdrt::report
