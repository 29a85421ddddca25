// PdfBookmarker: finds bookmarks in the texts of page files (a text that starts with a level
// code's indicator becomes an entry of that level, titled by the rest of the text) and turns
// the list into the outline tree the post-processing library takes. Used by one thread.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "printing/pdflibs/PdfPost.h"

namespace printing {

struct BookmarkRecord {
  std::string TITLE;  // 255 characters at most
  std::int32_t TREELEVEL = 0;
  std::int32_t GOTOPAGE = 0;  // from 0
  std::int32_t COUNT = 0;
  PdfDestination DESTPROP;
};

struct BookmarkLevelCode {
  std::string BKMKINDICATOR;  // 21 characters at most
  std::int32_t BKMKLEVEL = 0;
};

// The outline handed to the library: the nodes own each other through this holder.
struct Outline {
  std::vector<std::unique_ptr<PdfOutlineNode>> nodes;
  const PdfOutlineNode* First() const { return nodes.empty() ? nullptr : nodes.front().get(); }
};

class PdfBookmarker {
 public:
  // Adds a level code; the indicator is cut at 21 characters, an empty one is refused.
  bool AddLevelCode(const std::string& indicator, std::int32_t level);
  // Reads the texts of a page file in drawing order; every text that begins with an indicator
  // (the first level code in list order that matches) adds a bookmark to page `page` (from 1).
  void CollectFromFile(const std::string& fileName, int page);
  // Sets every entry's COUNT (children of the entry, or 1 without) and links the entries into
  // a tree: equal levels are siblings, a deeper level is a child of the entry before it.
  Outline BuildOutline();
  void Clear() { BOOKMARKS.clear(); }

  PdfDestination BOOKMARKINFO;  // the destination of every bookmark (FITTYPE is DESTEXPL)
  std::vector<BookmarkRecord> BOOKMARKS;
  std::vector<BookmarkLevelCode> BMLEVELCODES;
};

}  // namespace printing
