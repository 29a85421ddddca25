// Writes one page as a placeable Windows metafile of ordinary records: window origin and
// extent, fonts, text colour, transparent background, EXTTEXTOUT texts, pens, brushes, lines,
// rectangles and pictures as STRETCHDIB records that carry the picture's own JPEG (or PNG)
// bytes. Coordinates are in the page's units (1000 per inch for our reports). Any thread;
// one writer per page.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "runtime/core/WindowDef.h"

namespace wdrt::report {

struct WmfFontSpec {
  std::string face = "Arial";
  int height = 0;         // character height in page units (the em, not the cell)
  int weight = 400;       // 700 bold
  bool italic = false;
  bool underline = false;
  std::uint8_t charset = 0;
  friend bool operator==(const WmfFontSpec&, const WmfFontSpec&) = default;
};

enum class WmfPictureFormat { Jpeg, Png };

// Where the drawing stands on the page: its coordinates are scaled by `scale` and moved by
// (offsetX, offsetY) page units. The window origin and extent of the file say so, so that every
// player (ours, the previewer, the PDF, others) draws it the same.
struct WmfPlacement {
  double scale = 1;
  int offsetX = 0;
  int offsetY = 0;
};

class WmfWriter {
 public:
  // A page `width` × `height` units, `unitsPerInch` units to the inch; what is drawn is placed
  // on it by `placement`.
  WmfWriter(int width, int height, int unitsPerInch = 1000, WmfPlacement placement = {});

  void SetFont(const WmfFontSpec& font);
  void SetTextColor(Rgb color);
  // TA_LEFT 0, TA_RIGHT 2, TA_CENTER 6 (with TA_TOP 0).
  void SetTextAlign(std::uint16_t align);
  // An EXTTEXTOUT without options: `bytes` are already in the font charset's code page.
  void Text(int x, int y, const std::string& bytes);
  // Pen: PS_SOLID 0 … PS_NULL 5; width in page units.
  void SetPen(int style, int width, Rgb color);
  // Brush: BS_SOLID 0, BS_NULL 1.
  void SetBrush(int style, Rgb color);
  void Line(int x1, int y1, int x2, int y2);
  void Rectangle(int left, int top, int right, int bottom);
  // Filled polygons (one record for all): each a list of (x, y) points.
  void PolyPolygon(const std::vector<std::vector<std::pair<int, int>>>& polygons);
  // A picture stretched onto the rectangle; the encoded bytes go into the file unchanged.
  void Picture(const std::string& encoded, WmfPictureFormat format, int pixelWidth, int pixelHeight, int x, int y,
               int width, int height);

  // The finished file: placeable header, standard header, the records and the end record.
  std::string Finish();

 private:
  void Record(std::uint16_t function, const std::vector<std::int16_t>& words, const std::string& tail = {});
  int CreateObject(std::uint16_t function, const std::vector<std::int16_t>& words, const std::string& tail = {});
  void SelectReplacing(int& current, int created);

  int width_;
  int height_;
  int unitsPerInch_;
  std::string records_;
  std::uint32_t maxRecordWords_ = 0;
  std::vector<bool> slots_;  // object table: true where an object lives
  int font_ = -1;
  int pen_ = -1;
  int brush_ = -1;
  WmfFontSpec fontSpec_;
  bool hasFont_ = false;
  Rgb textColor_ = 0xFFFFFFFFu;
  std::uint16_t textAlign_ = 0;
};

}  // namespace wdrt::report
