#include "rpvw32/TextExport.h"

#include <algorithm>

#include "rpvw32/MetafileTexts.h"

namespace rpvw {

std::vector<std::string> PageTextLines(const QByteArray& page, int linesPerPage) {
  const bool dropEmpty = linesPerPage <= 0;
  const int lineCount = dropEmpty ? 150 : linesPerPage;
  std::vector<std::string> lines(static_cast<std::size_t>(lineCount), std::string(kLineWidth, ' '));
  const MetafileTexts texts = ReadMetafileTexts(page);
  const double inch = texts.unitsPerInch;
  for (const MetafileText& t : texts.texts) {
    // Cells count from 1; a text above or left of the first cell goes into it.
    const int row = std::max(1, static_cast<int>(t.y / inch * 6));
    const int column = std::max(1, static_cast<int>(t.x / inch * 10 * 1.25));
    if (row > lineCount || column > kLineWidth) continue;
    std::string& line = lines[static_cast<std::size_t>(row - 1)];
    const std::size_t room = static_cast<std::size_t>(kLineWidth - column + 1);
    line.replace(static_cast<std::size_t>(column - 1), std::min(room, t.text.size()), t.text, 0,
                 std::min(room, t.text.size()));
  }
  for (std::string& line : lines) line.erase(line.find_last_not_of(' ') + 1);
  if (dropEmpty) std::erase_if(lines, [](const std::string& l) { return l.empty(); });
  return lines;
}

}  // namespace rpvw
