// WMF2ASCII's layout: the texts of a page metafile on a grid of 6 lines and 12.5 columns per
// inch, each text written from its cell on, overwriting. Pure functions; any thread.
#pragma once

#include <QByteArray>
#include <string>
#include <vector>

namespace rpvw {

constexpr int kLineWidth = 255;

// `linesPerPage` lines of text (trailing blanks removed); 0 lines means 150 with the empty
// lines dropped.
std::vector<std::string> PageTextLines(const QByteArray& page, int linesPerPage);

}  // namespace rpvw
