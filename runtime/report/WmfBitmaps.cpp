#include "runtime/report/WmfBitmaps.h"

#include <QBuffer>
#include <QImageReader>

#include <algorithm>

#include "runtime/report/WmfFormat.h"

namespace wdrt::report {
namespace {

std::optional<WmfDib> Fail(std::string* problem, const char* why) {
  if (problem) *problem = why;
  return std::nullopt;
}

// Why a bitmap of `pixels` is refused, or nullptr.
const char* TooLarge(std::int64_t pixels, std::int64_t pixelsLeft, bool embedded) {
  if (pixels > kMaxDibPixels) return embedded ? "embedded image too large" : "bitmap too large";
  if (pixels > pixelsLeft) return "bitmaps of the file too large in all";
  return nullptr;
}

// Decodes an embedded JPEG or PNG stream, refusing images above the pixel cap before any
// pixel memory is taken.
std::optional<WmfDib> DecodeEmbedded(const unsigned char* bits, std::size_t size,
                                     std::uint32_t compression, std::string* problem,
                                     QSize fitInto, std::int64_t pixelsLeft) {
  QByteArray bytes(reinterpret_cast<const char*>(bits), static_cast<qsizetype>(size));
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, compression == BI_JPEG ? "jpeg" : "png");
  reader.setAllocationLimit(static_cast<int>(kMaxDibPixels * 4 / (1024 * 1024)));
  const QSize declared = reader.size();
  if (declared.isValid())
    if (const char* why = TooLarge(std::int64_t{declared.width()} * declared.height(), pixelsLeft, true))
      return Fail(problem, why);
  if (declared.isValid() && fitInto.isValid() && !fitInto.isEmpty() && compression == BI_JPEG) {
    const QSize scaled = declared.scaled(fitInto, Qt::KeepAspectRatioByExpanding);
    if (scaled.width() < declared.width() && scaled.height() < declared.height())
      reader.setScaledSize(scaled);
  }
  QImage image = reader.read();
  if (image.isNull()) return Fail(problem, "embedded image does not decode");
  if (const char* why = TooLarge(std::int64_t{image.width()} * image.height(), pixelsLeft, true))
    return Fail(problem, why);
  WmfDib dib;
  dib.image = std::move(image);
  dib.compression = compression;
  dib.embedded = std::move(bytes);
  dib.storedSize = declared.isValid() ? declared : dib.image.size();
  dib.topDown = true;
  return dib;
}

// Expands RLE8/RLE4 runs into `image` (top row first) through the palette; pixels the runs
// never reach stay transparent. Runs are written straight into the image: a few bytes of runs
// may stand for the largest bitmap allowed, so no second buffer of its size is taken.
bool DecodeRle(const unsigned char* p, std::size_t n, const QList<QRgb>& palette, bool rle4,
               QImage& image) {
  const int width = image.width(), height = image.height();
  image.fill(Qt::transparent);
  std::int64_t x = 0, y = 0;  // y counts rows from the bottom
  std::size_t i = 0;
  QRgb* line = nullptr;
  std::int64_t lineY = -1;
  auto put = [&](int index) {
    if (x < width && y < height) {
      if (lineY != y) {
        line = reinterpret_cast<QRgb*>(image.scanLine(static_cast<int>(height - 1 - y)));
        lineY = y;
      }
      line[x] = palette[index];
    }
    ++x;
  };
  while (i + 1 < n) {
    const int count = p[i];
    const int value = p[i + 1];
    i += 2;
    if (count > 0) {
      for (int k = 0; k < count && x < width; ++k)
        put(rle4 ? ((k & 1) ? (value & 0x0F) : (value >> 4)) : value);
      continue;
    }
    if (value == 0) {  // end of line
      x = 0;
      ++y;
    } else if (value == 1) {  // end of bitmap
      return true;
    } else if (value == 2) {  // delta
      if (i + 1 >= n) return false;
      x += p[i];
      y += p[i + 1];
      i += 2;
    } else {  // absolute run of `value` pixels, padded to a 16-bit boundary
      const std::size_t bytes = rle4 ? (static_cast<std::size_t>(value) + 1) / 2 : value;
      if (i + bytes > n) return false;
      for (int k = 0; k < value; ++k) {
        const unsigned char b = p[i + (rle4 ? k / 2 : k)];
        if (x < width) put(rle4 ? ((k & 1) ? (b & 0x0F) : (b >> 4)) : b);
      }
      i += bytes + (bytes & 1);
    }
    if (y >= height) return true;
  }
  return true;
}

int MaskShift(std::uint32_t mask) {
  int s = 0;
  while (mask && !(mask & 1)) {
    mask >>= 1;
    ++s;
  }
  return s;
}

int MaskScale(std::uint32_t value, std::uint32_t mask) {
  if (!mask) return 0;
  const std::uint32_t m = mask >> MaskShift(mask);
  return static_cast<int>(((value & mask) >> MaskShift(mask)) * 255u / m);
}

}  // namespace

std::optional<WmfDib> DecodeDib(const unsigned char* data, std::size_t size,
                                std::uint16_t colorUsage, std::string* problem, QSize fitInto,
                                std::int64_t pixelsLeft) {
  if (size < 12) return Fail(problem, "bitmap header cut short");
  const std::uint32_t headerSize = ReadU32(data);
  std::int64_t width = 0, height = 0;
  int bitCount = 0;
  std::uint32_t compression = BI_RGB, colorsUsed = 0;
  bool core = false;
  if (headerSize == 12) {
    core = true;
    width = ReadU16(data + 4);
    height = ReadS16(data + 6);
    bitCount = ReadU16(data + 10);
  } else if (headerSize >= 40 && headerSize <= size) {
    width = ReadS32(data + 4);
    height = ReadS32(data + 8);
    bitCount = ReadU16(data + 14);
    compression = ReadU32(data + 16);
    colorsUsed = ReadU32(data + 32);
  } else {
    return Fail(problem, "unknown bitmap header");
  }
  const bool topDown = height < 0;
  if (topDown) height = -height;

  std::size_t offset = headerSize;
  if (compression == BI_JPEG || compression == BI_PNG) {
    if (offset >= size) return Fail(problem, "embedded image missing");
    // The header's image size gives the stream's exact length; the record may pad it.
    const std::uint32_t declared = core ? 0 : ReadU32(data + 20);
    const std::size_t length = declared && declared <= size - offset ? declared : size - offset;
    return DecodeEmbedded(data + offset, length, compression, problem, fitInto, pixelsLeft);
  }
  if (width <= 0 || height <= 0) return Fail(problem, "bitmap dimensions are not positive");
  if (const char* why = TooLarge(width * height, pixelsLeft, false)) return Fail(problem, why);
  if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 &&
      bitCount != 32)
    return Fail(problem, "unsupported bits per pixel");
  if ((compression == BI_RLE8 && bitCount != 8) || (compression == BI_RLE4 && bitCount != 4) ||
      (compression == BI_BITFIELDS && bitCount != 16 && bitCount != 32) || compression > BI_PNG)
    return Fail(problem, "compression does not fit the bits per pixel");
  if ((compression == BI_RLE8 || compression == BI_RLE4) && topDown)
    return Fail(problem, "compressed bitmap cannot be top-down");

  // Bit masks of BI_BITFIELDS; 5-5-5 and 8-8-8 for plain 16 and 32 bits.
  std::uint32_t masks[3] = {0x7C00, 0x03E0, 0x001F};
  if (bitCount == 32) {
    masks[0] = 0xFF0000;
    masks[1] = 0xFF00;
    masks[2] = 0xFF;
  }
  if (compression == BI_BITFIELDS) {
    if (headerSize == 40) {
      if (offset + 12 > size) return Fail(problem, "bit masks cut short");
      for (int k = 0; k < 3; ++k) masks[k] = ReadU32(data + offset + 4 * k);
      offset += 12;
    } else if (headerSize >= 52) {
      for (int k = 0; k < 3; ++k) masks[k] = ReadU32(data + 40 + 4 * k);
    }
  }

  // Colour table.
  QList<QRgb> palette;
  if (bitCount <= 8) {
    std::size_t entries = colorsUsed ? colorsUsed : (1u << bitCount);
    entries = std::min<std::size_t>(entries, 1u << bitCount);
    if (colorsUsed > 256) return Fail(problem, "colour table too large");
    const std::size_t entryBytes = colorUsage == DIB_PAL_COLORS ? 2 : (core ? 3 : 4);
    if (offset + entries * entryBytes > size) return Fail(problem, "colour table cut short");
    for (std::size_t k = 0; k < entries; ++k) {
      const unsigned char* e = data + offset + k * entryBytes;
      if (colorUsage == DIB_PAL_COLORS) {
        // Indices into a palette we do not keep: grey levels keep the picture readable.
        const int v = (entries > 1) ? static_cast<int>(k * 255 / (entries - 1)) : 0;
        palette.push_back(qRgb(v, v, v));
      } else {
        palette.push_back(qRgb(e[2], e[1], e[0]));
      }
    }
    offset += entries * entryBytes;
    palette.resize(1 << bitCount, qRgb(0, 0, 0));
  } else if (colorsUsed && colorUsage == DIB_RGB_COLORS && colorsUsed <= 256) {
    offset += colorsUsed * (core ? 3 : 4);  // optimisation palette of true-colour bitmaps
  }
  if (offset > size) return Fail(problem, "bitmap pixels missing");

  const unsigned char* bits = data + offset;
  const std::size_t available = size - offset;
  const int w = static_cast<int>(width), h = static_cast<int>(height);
  QImage image(w, h, QImage::Format_ARGB32);
  if (image.isNull()) return Fail(problem, "bitmap memory refused");

  if (compression == BI_RLE8 || compression == BI_RLE4) {
    if (!DecodeRle(bits, available, palette, compression == BI_RLE4, image))
      return Fail(problem, "compressed bitmap runs past its data");
  } else {
    const std::size_t stride = ((static_cast<std::size_t>(w) * bitCount + 31) / 32) * 4;
    if (stride * static_cast<std::size_t>(h) > available) return Fail(problem, "bitmap pixels cut short");
    for (int y = 0; y < h; ++y) {
      const unsigned char* row = bits + stride * static_cast<std::size_t>(topDown ? y : h - 1 - y);
      auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
      for (int x = 0; x < w; ++x) {
        switch (bitCount) {
          case 1: line[x] = palette[(row[x >> 3] >> (7 - (x & 7))) & 1]; break;
          case 4: line[x] = palette[(x & 1) ? (row[x >> 1] & 0x0F) : (row[x >> 1] >> 4)]; break;
          case 8: line[x] = palette[row[x]]; break;
          case 16: {
            const std::uint32_t v = ReadU16(row + 2 * x);
            line[x] = qRgb(MaskScale(v, masks[0]), MaskScale(v, masks[1]), MaskScale(v, masks[2]));
            break;
          }
          case 24: line[x] = qRgb(row[3 * x + 2], row[3 * x + 1], row[3 * x]); break;
          default: {
            const std::uint32_t v = ReadU32(row + 4 * x);
            line[x] = qRgb(MaskScale(v, masks[0]), MaskScale(v, masks[1]), MaskScale(v, masks[2]));
            break;
          }
        }
      }
    }
  }
  WmfDib dib;
  dib.image = std::move(image);
  dib.compression = compression;
  dib.topDown = topDown;
  dib.storedSize = dib.image.size();
  return dib;
}

}  // namespace wdrt::report
