#include "printing/pdf/PdfBookmarker.h"

#include <QFile>

#include <algorithm>
#include <cstring>
#include <map>

#include "runtime/report/WmfPlayer.h"

namespace printing {
namespace {
constexpr std::size_t kIndicatorSize = 21;
constexpr std::size_t kTitleSize = 255;
}

bool PdfBookmarker::AddLevelCode(const std::string& indicator, std::int32_t level) {
  if (indicator.empty()) return false;
  BMLEVELCODES.push_back({indicator.substr(0, kIndicatorSize), level});
  return true;
}

void PdfBookmarker::CollectFromFile(const std::string& fileName, int page) {
  if (BMLEVELCODES.empty()) return;
  QFile file(QString::fromStdString(fileName));
  if (!file.open(QIODevice::ReadOnly)) return;
  // The player decodes each text from its font's code page, so indicators and titles compare
  // as the user typed them.
  for (const wdrt::report::WmfTextItem& item : wdrt::report::ExtractWmfTexts(file.readAll())) {
    const std::string text = item.text.toStdString();
    for (const BookmarkLevelCode& code : BMLEVELCODES) {
      if (text.compare(0, code.BKMKINDICATOR.size(), code.BKMKINDICATOR) != 0) continue;
      BookmarkRecord record;
      record.TITLE = text.substr(code.BKMKINDICATOR.size(), kTitleSize);
      record.TREELEVEL = code.BKMKLEVEL;
      record.GOTOPAGE = page - 1;
      record.COUNT = 0;
      record.DESTPROP = BOOKMARKINFO;
      BOOKMARKS.push_back(std::move(record));
      break;
    }
  }
}

Outline PdfBookmarker::BuildOutline() {
  // From last to first, counting entries per level: an entry's COUNT is the number of entries
  // of the next deeper level counted since (its children), else 1.
  std::map<std::int32_t, int> counts;
  for (auto it = BOOKMARKS.rbegin(); it != BOOKMARKS.rend(); ++it) {
    ++counts[it->TREELEVEL];
    auto deeper = counts.find(it->TREELEVEL + 1);
    if (deeper != counts.end()) {
      it->COUNT = deeper->second;
      counts.erase(deeper);
    } else {
      it->COUNT = 1;
    }
  }
  Outline outline;
  // The open entry of each level on the way down from the first level to the current one.
  std::vector<std::pair<std::int32_t, PdfOutlineNode*>> path;
  PdfOutlineNode* lastTop = nullptr;
  for (const BookmarkRecord& record : BOOKMARKS) {
    auto node = std::make_unique<PdfOutlineNode>();
    const std::size_t length = std::min(record.TITLE.size(), sizeof node->TITLE - 1);
    std::memcpy(node->TITLE, record.TITLE.data(), length);
    node->GOTOPAGE = record.GOTOPAGE;
    node->COUNT = record.COUNT;
    node->DESTPROP = record.DESTPROP;
    PdfOutlineNode* raw = node.get();
    // A shallower or equal level closes the runs below it.
    while (!path.empty() && path.back().first > record.TREELEVEL) path.pop_back();
    if (!path.empty() && path.back().first == record.TREELEVEL) {
      PdfOutlineNode* sibling = path.back().second;
      sibling->NEXT = raw;
      raw->PREV = sibling;
      raw->PARENT = sibling->PARENT;
      if (raw->PARENT) raw->PARENT->LASTCHILD = raw;
      path.back().second = raw;
    } else if (!path.empty()) {
      // Deeper than the entry before: its first child.
      PdfOutlineNode* parent = path.back().second;
      raw->PARENT = parent;
      parent->FIRSTCHILD = raw;
      parent->LASTCHILD = raw;
      path.emplace_back(record.TREELEVEL, raw);
    } else {
      // A new top-level run: entries at the top follow each other whatever their level number.
      if (lastTop) {
        lastTop->NEXT = raw;
        raw->PREV = lastTop;
      }
      path.emplace_back(record.TREELEVEL, raw);
    }
    if (!raw->PARENT) lastTop = raw;
    outline.nodes.push_back(std::move(node));
  }
  return outline;
}

}  // namespace printing
