#include "runtime/report/WmfWriter.h"

#include <algorithm>
#include <cmath>

#include "runtime/report/WmfFormat.h"

namespace wdrt::report {
namespace {

void PutU16(std::string& out, std::uint16_t v) {
  out.push_back(static_cast<char>(v & 0xFF));
  out.push_back(static_cast<char>(v >> 8));
}
void PutU32(std::string& out, std::uint32_t v) {
  PutU16(out, static_cast<std::uint16_t>(v & 0xFFFF));
  PutU16(out, static_cast<std::uint16_t>(v >> 16));
}
std::int16_t Lo(std::uint32_t v) { return static_cast<std::int16_t>(v & 0xFFFF); }
std::int16_t Hi(std::uint32_t v) { return static_cast<std::int16_t>(v >> 16); }
std::int16_t Clamp16(int v) { return static_cast<std::int16_t>(std::clamp(v, -32768, 32767)); }

// A COLORREF: 0x00BBGGRR.
std::uint32_t ColorRef(Rgb rgb) {
  return ((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16);
}

}  // namespace

WmfWriter::WmfWriter(int width, int height, int unitsPerInch, WmfPlacement placement)
    : width_(width), height_(height), unitsPerInch_(unitsPerInch) {
  // The window is the page in drawing coordinates: the drawing's scale and place on the page.
  const double scale = placement.scale > 0 ? placement.scale : 1;
  const int left = static_cast<int>(std::lround(-placement.offsetX / scale));
  const int top = static_cast<int>(std::lround(-placement.offsetY / scale));
  const int right = left + static_cast<int>(std::lround(width_ / scale));
  const int bottom = top + static_cast<int>(std::lround(height_ / scale));
  Record(META_SETMAPMODE, {static_cast<std::int16_t>(MM_ANISOTROPIC)});
  Record(META_SETWINDOWORG, {Clamp16(top), Clamp16(left)});
  Record(META_SETWINDOWEXT, {Clamp16(bottom - top), Clamp16(right - left)});
  Record(META_SETBKMODE, {1});  // TRANSPARENT: texts stand on pictures without a box
  // An invisible rectangle over the whole page: players that fit the extent of what is drawn
  // (rather than the header's box) then place everything where the page puts it.
  SetPen(5, 0, 0);    // PS_NULL
  SetBrush(1, 0);     // BS_NULL
  Rectangle(left, top, right, bottom);
}

void WmfWriter::Record(std::uint16_t function, const std::vector<std::int16_t>& words, const std::string& tail) {
  std::string body;
  for (std::int16_t w : words) PutU16(body, static_cast<std::uint16_t>(w));
  body += tail;
  if (body.size() % 2) body.push_back('\0');
  const std::uint32_t sizeWords = static_cast<std::uint32_t>(3 + body.size() / 2);
  PutU32(records_, sizeWords);
  PutU16(records_, function);
  records_ += body;
  maxRecordWords_ = std::max(maxRecordWords_, sizeWords);
}

int WmfWriter::CreateObject(std::uint16_t function, const std::vector<std::int16_t>& words, const std::string& tail) {
  // A new object takes the lowest free place of the table, as the players expect.
  auto free = std::find(slots_.begin(), slots_.end(), false);
  const int index = static_cast<int>(free - slots_.begin());
  if (free == slots_.end()) slots_.push_back(true); else *free = true;
  Record(function, words, tail);
  return index;
}

void WmfWriter::SelectReplacing(int& current, int created) {
  Record(META_SELECTOBJECT, {static_cast<std::int16_t>(created)});
  if (current >= 0) {
    Record(META_DELETEOBJECT, {static_cast<std::int16_t>(current)});
    slots_[static_cast<std::size_t>(current)] = false;
  }
  current = created;
}

void WmfWriter::SetFont(const WmfFontSpec& font) {
  if (hasFont_ && font == fontSpec_) return;
  std::string tail;
  tail.push_back(static_cast<char>(font.italic ? 1 : 0));
  tail.push_back(static_cast<char>(font.underline ? 1 : 0));
  tail.push_back('\0');                                // strike-out
  tail.push_back(static_cast<char>(font.charset));
  tail.push_back('\0');                                // output precision: default
  tail.push_back('\0');                                // clip precision: default
  tail.push_back('\x02');                              // quality: proof
  tail.push_back('\x22');                              // variable pitch, swiss family
  std::string face = font.face.substr(0, 31);
  tail += face;
  tail.push_back('\0');
  // A negative height asks for that character height, as point sizes are meant.
  const int created = CreateObject(META_CREATEFONTINDIRECT,
                                   {Clamp16(-std::max(1, font.height)), 0, 0, 0, Clamp16(font.weight)}, tail);
  SelectReplacing(font_, created);
  fontSpec_ = font;
  hasFont_ = true;
}

void WmfWriter::SetTextColor(Rgb color) {
  if (color == textColor_) return;
  const std::uint32_t ref = ColorRef(color);
  Record(META_SETTEXTCOLOR, {Lo(ref), Hi(ref)});
  textColor_ = color;
}

void WmfWriter::SetTextAlign(std::uint16_t align) {
  if (align == textAlign_) return;
  Record(META_SETTEXTALIGN, {static_cast<std::int16_t>(align), 0});
  textAlign_ = align;
}

void WmfWriter::Text(int x, int y, const std::string& bytes) {
  if (bytes.empty()) return;
  // Y, X, length, options 0: the text itself starts 14 bytes into the record.
  Record(META_EXTTEXTOUT, {Clamp16(y), Clamp16(x), Clamp16(static_cast<int>(bytes.size())), 0}, bytes);
}

void WmfWriter::SetPen(int style, int width, Rgb color) {
  const std::uint32_t ref = ColorRef(color);
  const int created = CreateObject(META_CREATEPENINDIRECT,
                                   {static_cast<std::int16_t>(style), Clamp16(width), 0, Lo(ref), Hi(ref)});
  SelectReplacing(pen_, created);
}

void WmfWriter::SetBrush(int style, Rgb color) {
  const std::uint32_t ref = ColorRef(color);
  const int created =
      CreateObject(META_CREATEBRUSHINDIRECT, {static_cast<std::int16_t>(style), Lo(ref), Hi(ref), 0});
  SelectReplacing(brush_, created);
}

void WmfWriter::Line(int x1, int y1, int x2, int y2) {
  Record(META_MOVETO, {Clamp16(y1), Clamp16(x1)});
  Record(META_LINETO, {Clamp16(y2), Clamp16(x2)});
}

void WmfWriter::Rectangle(int left, int top, int right, int bottom) {
  Record(META_RECTANGLE, {Clamp16(bottom), Clamp16(right), Clamp16(top), Clamp16(left)});
}

void WmfWriter::PolyPolygon(const std::vector<std::vector<std::pair<int, int>>>& polygons) {
  std::vector<std::int16_t> words;
  words.push_back(static_cast<std::int16_t>(polygons.size()));
  for (const auto& polygon : polygons) words.push_back(static_cast<std::int16_t>(polygon.size()));
  for (const auto& polygon : polygons)
    for (const auto& [x, y] : polygon) {
      words.push_back(Clamp16(x));
      words.push_back(Clamp16(y));
    }
  Record(META_POLYPOLYGON, words);
}

void WmfWriter::Picture(const std::string& encoded, WmfPictureFormat format, int pixelWidth, int pixelHeight, int x,
                        int y, int width, int height) {
  // BITMAPINFOHEADER of a compressed picture: no bit count, the byte count of the stream.
  std::string dib;
  PutU32(dib, 40);
  PutU32(dib, static_cast<std::uint32_t>(pixelWidth));
  PutU32(dib, static_cast<std::uint32_t>(pixelHeight));
  PutU16(dib, 1);
  PutU16(dib, 0);
  PutU32(dib, format == WmfPictureFormat::Jpeg ? BI_JPEG : BI_PNG);
  PutU32(dib, static_cast<std::uint32_t>(encoded.size()));
  PutU32(dib, 0);
  PutU32(dib, 0);
  PutU32(dib, 0);
  PutU32(dib, 0);
  dib += encoded;
  Record(META_STRETCHDIB,
         {Lo(SRCCOPY), Hi(SRCCOPY), 0 /* DIB_RGB_COLORS */, Clamp16(pixelHeight), Clamp16(pixelWidth), 0, 0,
          Clamp16(height), Clamp16(width), Clamp16(y), Clamp16(x)},
         dib);
}

std::string WmfWriter::Finish() {
  std::string body = records_;
  PutU32(body, 3);
  PutU16(body, META_EOF);
  const std::uint32_t totalWords = static_cast<std::uint32_t>((kStandardHeaderBytes + body.size()) / 2);

  std::string out;
  // Placeable header: key, handle, bounding box, units per inch, reserved, checksum.
  std::string placeable;
  PutU32(placeable, kPlaceableKey);
  PutU16(placeable, 0);
  PutU16(placeable, 0);
  PutU16(placeable, 0);
  PutU16(placeable, static_cast<std::uint16_t>(Clamp16(width_)));
  PutU16(placeable, static_cast<std::uint16_t>(Clamp16(height_)));
  PutU16(placeable, static_cast<std::uint16_t>(unitsPerInch_));
  PutU32(placeable, 0);
  std::uint16_t checksum = 0;
  for (std::size_t i = 0; i + 1 < placeable.size(); i += 2)
    checksum ^= ReadU16(reinterpret_cast<const unsigned char*>(placeable.data() + i));
  PutU16(placeable, checksum);
  out += placeable;

  // Standard header: a disk metafile, version 3.0, size, objects, largest record.
  PutU16(out, 1);
  PutU16(out, 9);
  PutU16(out, 0x0300);
  PutU32(out, totalWords);
  PutU16(out, static_cast<std::uint16_t>(std::max<std::size_t>(1, slots_.size())));
  PutU32(out, std::max<std::uint32_t>(maxRecordWords_, 3));
  PutU16(out, 0);
  out += body;
  return out;
}

}  // namespace wdrt::report
