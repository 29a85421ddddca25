// The texts of a page metafile as its ExtTextOut records hold them: reference point in the
// file's logical units and the bytes of the string. Used by the search and the text export.
// Pure functions; any thread.
#pragma once

#include <QByteArray>
#include <string>
#include <vector>

namespace rpvw {

struct MetafileText {
  int x = 0;  // logical units from the left of the page's frame
  int y = 0;  // logical units from its top
  std::string text;
};

struct MetafileTexts {
  int unitsPerInch = 1440;  // the placeable header's value; 0 there counts as 1440
  std::vector<MetafileText> texts;
};

// Walks the records; stops quietly at the first record that does not fit the file.
MetafileTexts ReadMetafileTexts(const QByteArray& bytes);

// Whether any text of the file contains `needle` (upper-cased on both sides unless matchCase).
bool MetafileContains(const QByteArray& bytes, const std::string& needle, bool matchCase);

}  // namespace rpvw
