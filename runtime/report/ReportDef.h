// Report definitions as data: the page, and named bands of texts, pictures, lines and boxes,
// all in thousandths of an inch from the top-left corner of their band. Programs carry these
// as constant tables. Plain data; any thread.
#pragma once

#include <string>
#include <vector>

#include "runtime/core/WindowDef.h"

namespace wdrt::report {

enum class ItemKind { Text, Picture, Line, Box };
enum class TextAlign { Left, Center, Right };

struct ReportItem {
  ItemKind kind = ItemKind::Text;
  int x = 0;
  int y = 0;
  int width = 0;       // picture, box; a line's end is x + width, y + height
  int height = 0;
  std::string text;    // UTF-8
  std::string field;   // when set, the text is this field's value, given to PRINT ("PRI:THEME")
  bool filled = false; // the text's "{name}" parts are the values of those fields, given to PRINT
  FontDef font;        // face, points, bold, colour of a text
  TextAlign align = TextAlign::Left;  // a centred or right text is placed within x .. x + width
  bool shrink = false; // a text wider than `width` is made smaller until it fits
  Rgb outline = kColorNone;  // a text's letters drawn round in this colour, to stand on any picture
  std::string picture; // picture file name as the program carries it ("zuli.jpg")
  bool keepAspect = false;  // a picture keeps its proportions, centred in its rectangle
  Rgb pen = kBlack;    // line and box outline; kColorNone: no outline
  int penWidth = 10;   // thousandths of an inch
  Rgb fill = kColorNone;
};

// Shorthands for tables.
inline ReportItem ReportText(int x, int y, std::string text, FontDef font = {}) {
  ReportItem item;
  item.kind = ItemKind::Text;
  item.x = x;
  item.y = y;
  item.text = std::move(text);
  item.font = std::move(font);
  return item;
}
// A text whose words come from a field of the record being printed; `width` bounds a centred
// or right-aligned value.
inline ReportItem ReportField(int x, int y, std::string field, FontDef font = {}, TextAlign align = TextAlign::Left,
                              int width = 0) {
  ReportItem item = ReportText(x, y, {}, std::move(font));
  item.field = std::move(field);
  item.align = align;
  item.width = width;
  return item;
}
// A text with "{name}" parts, each the value of field "name" given to PRINT ("Hi, my name is
// {child}.").
inline ReportItem ReportFilledText(int x, int y, std::string text, FontDef font = {}) {
  ReportItem item = ReportText(x, y, std::move(text), std::move(font));
  item.filled = true;
  return item;
}
inline ReportItem ReportPicture(std::string picture, int x, int y, int width, int height) {
  ReportItem item;
  item.kind = ItemKind::Picture;
  item.picture = std::move(picture);
  item.x = x;
  item.y = y;
  item.width = width;
  item.height = height;
  return item;
}
inline ReportItem ReportLine(int x1, int y1, int x2, int y2, Rgb color = kBlack, int penWidth = 10) {
  ReportItem item;
  item.kind = ItemKind::Line;
  item.x = x1;
  item.y = y1;
  item.width = x2 - x1;
  item.height = y2 - y1;
  item.pen = color;
  item.penWidth = penWidth;
  return item;
}
inline ReportItem ReportBox(int x, int y, int width, int height, Rgb pen = kBlack, Rgb fill = kColorNone,
                            int penWidth = 10) {
  ReportItem item;
  item.kind = ItemKind::Box;
  item.x = x;
  item.y = y;
  item.width = width;
  item.height = height;
  item.pen = pen;
  item.fill = fill;
  item.penWidth = penWidth;
  return item;
}

enum class BandKind {
  Detail,      // printed by PRINT where the last band ended
  PageHeader,  // printed by itself at the top of every page
  PageFooter,  // printed by itself at the foot of every page
};

struct BandDef {
  std::string name;   // "TITLEPAGE", "DETAIL" ...; PRINT finds it whatever the case
  BandKind kind = BandKind::Detail;
  int height = 0;
  std::vector<ReportItem> items;
};

struct ReportDef {
  std::string name;         // the procedure's name, the default job text
  int pageWidth = 8500;     // portrait size of the paper in thousandths of an inch
  int pageHeight = 11000;
  int paper = 1;            // paper code: 1 Letter, 9 A4 ... (the page files' own size)
  bool landscape = false;
  int marginLeft = 0;
  int marginTop = 0;
  int marginBottom = 0;
  FontDef font{"Arial", 10, false, kBlack};  // texts that name no face or size take these
  std::vector<BandDef> bands;
};

}  // namespace wdrt::report
