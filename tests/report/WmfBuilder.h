// Builds small metafiles record by record for tests and fuzz seeds: header words are filled
// in by Bytes(), parameters are given in file order (as stored, last parameter first).
#pragma once

#include <QByteArray>
#include <QImage>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace reporttest {

class WmfBuilder {
 public:
  // Placeable with the given box and units per inch, or a bare standard header.
  static WmfBuilder Placeable(int left, int top, int right, int bottom, int unitsPerInch);
  static WmfBuilder Bare();

  // A record with 16-bit words of parameters.
  WmfBuilder& Record(std::uint16_t function, std::initializer_list<int> words);
  WmfBuilder& Record(std::uint16_t function, const std::vector<int>& words);
  // A record with raw parameter bytes (padded to a whole word).
  WmfBuilder& Raw(std::uint16_t function, const QByteArray& params);

  WmfBuilder& WindowOrg(int x, int y);
  WmfBuilder& WindowExt(int x, int y);
  WmfBuilder& MapMode(int mode);
  WmfBuilder& Pen(int style, int width, std::uint32_t rgb);     // creates and selects
  WmfBuilder& Brush(int style, std::uint32_t rgb, int hatch = 0);  // creates and selects
  WmfBuilder& Font(int height, int weight, const std::string& face, int charset = 0,
                   int escapement = 0, bool italic = false);  // creates and selects
  WmfBuilder& TextColor(std::uint32_t rgb);
  WmfBuilder& TextAlign(int align);
  WmfBuilder& BkMode(int mode);
  WmfBuilder& Rectangle(int left, int top, int right, int bottom);
  WmfBuilder& ExtTextOut(int x, int y, const QByteArray& text, int options = 0,
                         const int* rect = nullptr, const int* dx = nullptr);
  WmfBuilder& TextOut(int x, int y, const QByteArray& text);
  // STRETCHDIB of a whole DIB (header and bits as given) into the destination.
  WmfBuilder& StretchDib(int x, int y, int width, int height, int srcWidth, int srcHeight,
                         const QByteArray& dib);
  WmfBuilder& Eof();

  // The finished file; the header's size and largest record are filled in.
  QByteArray Bytes() const;

 private:
  QByteArray head_;
  QByteArray records_;
  int objects_ = 0;
  std::uint32_t maxRecordWords_ = 0;
};

// A BITMAPINFOHEADER (40 bytes) for the given size, bit count, compression and image size.
QByteArray DibHeader(int width, int height, int bitCount, std::uint32_t compression,
                     std::uint32_t imageBytes, std::uint32_t colorsUsed = 0);
// The bytes of `image` encoded in `format` ("JPEG", "PNG").
QByteArray Encode(const QImage& image, const char* format, int quality = 85);

}  // namespace reporttest
