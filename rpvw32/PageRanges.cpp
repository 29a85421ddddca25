#include "rpvw32/PageRanges.h"

#include <algorithm>
#include <cctype>

namespace rpvw {
namespace {

std::string Upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

std::string Trimmed(const std::string& text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// A page number of 1 to 9 digits (longer ones are certainly beyond any report); -1 otherwise.
long Number(const std::string& digits) {
  if (digits.empty() || digits.size() > 9) return -1;
  return std::stol(digits);
}

}  // namespace

PagesToPrint ParsePagesToPrint(const std::string& given, int pageCount, const std::string& allText) {
  PagesToPrint result;
  const std::string text = Trimmed(given);
  if (Upper(text) == Upper(Trimmed(allText))) {
    result.valid = true;
    result.all = true;
    return result;
  }
  if (text.empty() || text.find_first_not_of("0123456789,-") != std::string::npos) return result;
  std::size_t start = 0;
  for (;;) {
    const std::size_t comma = text.find(',', start);
    const std::string piece = text.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
    const std::size_t dash = piece.find('-');
    long from = 0;
    long thru = 0;
    if (dash == std::string::npos) {
      from = thru = Number(piece);
    } else {
      if (piece.find('-', dash + 1) != std::string::npos) return {};
      from = Number(piece.substr(0, dash));
      thru = Number(piece.substr(dash + 1));
    }
    if (from < 1 || thru < 1 || from > pageCount || thru > pageCount) return {};
    thru = std::max(thru, from);
    const PageRange range{static_cast<int>(from), static_cast<int>(thru)};
    auto at = std::upper_bound(result.ranges.begin(), result.ranges.end(), range,
                               [](const PageRange& a, const PageRange& b) { return a.from < b.from; });
    result.ranges.insert(at, range);
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  result.valid = true;
  return result;
}

bool InRanges(const std::vector<PageRange>& ranges, int page) {
  return std::any_of(ranges.begin(), ranges.end(), [&](const PageRange& r) { return page >= r.from && page <= r.thru; });
}

}  // namespace rpvw
