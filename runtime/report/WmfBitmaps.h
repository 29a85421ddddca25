// Device-independent bitmaps of metafile records (BITMAPINFOHEADER or BITMAPCOREHEADER,
// colour table, pixels): BI_RGB 1/4/8/16/24/32 bits, BI_BITFIELDS, BI_RLE4, BI_RLE8, and
// embedded BI_JPEG / BI_PNG streams. Sizes are checked against the bytes present and capped.
// Any thread.
#pragma once

#include <QByteArray>
#include <QImage>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace wdrt::report {

// Largest bitmap we decode, in pixels (64 MB as 32-bit pixels).
constexpr std::int64_t kMaxDibPixels = 16 * 1024 * 1024;
// Most bitmap pixels one play of a file decodes: a few bytes of runs or of a compressed
// stream can stand for the largest bitmap, so a small file could otherwise ask for it again and
// again. Four of the largest, or about two full pages at 600 dpi.
constexpr std::int64_t kMaxWmfBitmapPixels = 4 * kMaxDibPixels;

struct WmfDib {
  QImage image;             // decoded pixels, top row first
  std::uint32_t compression = 0;
  bool topDown = false;     // rows were stored top row first
  QSize storedSize;         // size as stored (an embedded image may be decoded smaller)
  QByteArray embedded;      // the JPEG or PNG stream itself for BI_JPEG / BI_PNG
};

// Decodes the DIB of `size` bytes at `data`. An embedded JPEG larger than `fitInto` (when
// valid) is decoded at a reduced scale that still covers it. A bitmap of more than
// `pixelsLeft` pixels (what is left of the file's allowance) is refused. On failure returns
// nullopt and says why in `problem`.
std::optional<WmfDib> DecodeDib(const unsigned char* data, std::size_t size,
                                std::uint16_t colorUsage, std::string* problem,
                                QSize fitInto = QSize(), std::int64_t pixelsLeft = kMaxDibPixels);

}  // namespace wdrt::report
