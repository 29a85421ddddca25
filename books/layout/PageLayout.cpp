// Writes where every book page puts its controls over its pictures, for the picture generator:
//   storyloom_pagelayout OUT [PICTURES_TSV]
// One row per control that lies over a picture: the picture's file name, the page's module
// identifier, the control's role, its rectangle relative to the picture's control and that
// control's size (dialog units), and its text. A page's full-window picture gets every other
// control of the page; a picture answer's card gets the labels that stand on it.
// Then one row ("print") per text that a booklet prints over a picture, in thousandths of an
// inch relative to the picture as printed (the picture table gives the sizes of the pictures
// that keep their proportions), so that the picture's figures keep clear of those too.
#include <QGuiApplication>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "books/a/ABook.h"
#include "books/b/BBook.h"
#include "books/banners/BannersBook.h"
#include "books/common/BookWindow.h"
#include "books/common/BookletReport.h"
#include "books/fete/FeteBook.h"
#include "runtime/report/Report.h"
#include "runtime/report/TextShapes.h"

namespace {

using book::Role;

const char* RoleName(Role role) {
  switch (role) {
    case Role::Next: return "next";
    case Role::Picture: return "picture";
    case Role::Word: return "word";
    case Role::Sentence: return "sentence";
    case Role::Narration: return "narration";
    case Role::Effect: return "effect";
    case Role::MediaPlay: return "mediaplay";
    case Role::ExtraLine: return "extraline";
    case Role::Answer: return "answer";
    case Role::Label: return "label";
  }
  return "other";
}

bool Contains(const wdrt::Geometry& outer, const wdrt::Geometry& inner) {
  return inner.x >= outer.x && inner.x < outer.x + outer.width && inner.y >= outer.y &&
         inner.y < outer.y + outer.height;
}

void Row(std::ofstream& out, const std::string& picture, const std::string& page, const book::PageControl& c,
         const wdrt::Geometry& base) {
  out << picture << '\t' << page << '\t' << RoleName(c.role) << '\t' << c.pos.x - base.x << '\t'
      << c.pos.y - base.y << '\t' << c.pos.width << '\t' << c.pos.height << '\t' << base.width << '\t'
      << base.height << '\t' << c.text << '\n';
}

void WriteBook(std::ofstream& out, const book::BookDef& def) {
  for (const book::PageDef& page : def.pages) {
    const std::string id = book::ModuleName(def.program, page.module);
    for (const book::PageControl& picture : page.controls) {
      if (picture.role == Role::Picture) {
        for (const book::PageControl& c : page.controls)
          if (&c != &picture) Row(out, picture.picture, id, c, picture.pos);
      } else if (picture.role == Role::Answer && !picture.picture.empty()) {
        for (const book::PageControl& c : page.controls)
          if (c.role == Role::Label && Contains(picture.pos, c.pos)) Row(out, picture.picture, id, c, picture.pos);
      }
    }
  }
}

using PixelSizes = std::map<std::string, std::pair<int, int>>;

// Name → pixel size from the picture table (name, width, height, source).
PixelSizes ReadPixelSizes(const char* file) {
  PixelSizes sizes;
  std::ifstream in(file);
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream cells(line);
    std::string name;
    int width = 0, height = 0;
    if (std::getline(cells, name, '\t') && cells >> width >> height) sizes[name] = {width, height};
  }
  return sizes;
}

// The box a report text takes, in the report's units: as wide as the report draws it, a line
// high. A text that names the child may take its whole width with a long name.
struct TextBox {
  double x, y, width, height;
};

TextBox BoxOf(const wdrt::report::ReportDef& def, const wdrt::report::ReportItem& item) {
  wdrt::report::WmfFontSpec font;
  font.face = item.font.face.empty() ? def.font.face : item.font.face;
  font.height = (item.font.points > 0 ? item.font.points : def.font.points) * 1000 / 72;
  font.weight = 700;
  std::string text = wdrt::report::Report::TextOf(item, [](const std::string&) { return std::string("Zuli"); });
  double width = wdrt::report::TextWidth(text, font).value_or(0.0);
  if (item.shrink && item.width > 0) width = item.text.find('{') != std::string::npos ? item.width : std::min<double>(width, item.width);
  double x = item.x;
  if (item.align == wdrt::report::TextAlign::Center) x += (item.width - width) / 2;
  if (item.align == wdrt::report::TextAlign::Right) x += item.width - width;
  return {x, static_cast<double>(item.y), width, font.height * 1.15};
}

void WriteReport(std::ofstream& out, const std::string& program, const wdrt::report::ReportDef& def,
                 const PixelSizes& sizes) {
  using wdrt::report::ItemKind;
  for (const wdrt::report::BandDef& band : def.bands) {
    for (const wdrt::report::ReportItem& picture : band.items) {
      if (picture.kind != ItemKind::Picture || picture.width <= 0 || picture.height <= 0) continue;
      double px = picture.x, py = picture.y, pw = picture.width, ph = picture.height;
      const auto size = sizes.find(picture.picture);
      if (picture.keepAspect && size != sizes.end()) {
        const double scale = std::min(pw / size->second.first, ph / size->second.second);
        px += (pw - size->second.first * scale) / 2;
        py += (ph - size->second.second * scale) / 2;
        pw = size->second.first * scale;
        ph = size->second.second * scale;
      }
      for (const wdrt::report::ReportItem& text : band.items) {
        if (text.kind != ItemKind::Text || text.x < px || text.x >= px + pw || text.y < py || text.y >= py + ph)
          continue;
        const TextBox box = BoxOf(def, text);
        out << picture.picture << '\t' << program << ':' << band.name << "\tprint\t" << std::lround(box.x - px) << '\t'
            << std::lround(box.y - py) << '\t' << std::lround(box.width) << '\t' << std::lround(box.height) << '\t'
            << std::lround(pw) << '\t' << std::lround(ph) << '\t' << text.text << '\n';
      }
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2 && argc != 3) {
    std::fprintf(stderr, "usage: storyloom_pagelayout OUT [PICTURES_TSV]\n");
    return 2;
  }
  // The printed texts are measured with the fonts the report draws them in.
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QGuiApplication fonts(argc, argv);
  std::ofstream out(argv[1]);
  out << "# picture\tpage\trole\tx\ty\twidth\theight\tpicture width\tpicture height\ttext\n";
  const book::BookDef* books[] = {&FeteBook(), &BannersBook(), &ABook(), &BBook()};
  for (const book::BookDef* def : books) WriteBook(out, *def);
  if (argc == 3) {
    const PixelSizes sizes = ReadPixelSizes(argv[2]);
    for (const book::BookDef* def : books)
      WriteReport(out, def->program, def->report ? def->report() : book::MakeBookletReport(*def), sizes);
  }
  return out ? 0 : 1;
}
