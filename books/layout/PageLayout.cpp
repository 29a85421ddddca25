// Writes where every book page puts its controls over its pictures, for the picture generator:
//   storyloom_pagelayout OUT
// One row per control that lies over a picture: the picture's file name, the page's module
// identifier, the control's role, its rectangle relative to the picture's control and that
// control's size (dialog units), and its text. A page's full-window picture gets every other
// control of the page; a picture answer's card gets the labels that stand on it.
#include <cstdio>
#include <fstream>
#include <string>

#include "books/a/ABook.h"
#include "books/b/BBook.h"
#include "books/banners/BannersBook.h"
#include "books/common/BookWindow.h"
#include "books/fete/FeteBook.h"

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

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: storyloom_pagelayout OUT\n");
    return 2;
  }
  std::ofstream out(argv[1]);
  out << "# picture\tpage\trole\tx\ty\twidth\theight\tpicture width\tpicture height\ttext\n";
  for (const book::BookDef* def : {&FeteBook(), &BannersBook(), &ABook(), &BBook()}) WriteBook(out, *def);
  return out ? 0 : 1;
}
