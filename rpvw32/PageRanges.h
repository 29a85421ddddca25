// The "Pages to Print" text: ALL (the configured word, any case) or ranges such as
// "1-2,5,7,12-15" within 1 .. the page count. Pure functions; any thread.
#pragma once

#include <string>
#include <vector>

namespace rpvw {

struct PageRange {
  int from = 0;
  int thru = 0;
  friend bool operator==(const PageRange&, const PageRange&) = default;
};

struct PagesToPrint {
  bool valid = false;
  bool all = false;               // every page prints
  std::vector<PageRange> ranges;  // in order of `from`; empty when `all`
};

// A range whose thru is below its from is read as its from alone ("5-3" is page 5).
// Any other character than digits, "," and "-", an empty piece, a 0 or a page above
// `pageCount` makes the text invalid.
PagesToPrint ParsePagesToPrint(const std::string& text, int pageCount, const std::string& allText = "All");

// Whether page `page` (from 1) lies in one of the ranges.
bool InRanges(const std::vector<PageRange>& ranges, int page);

}  // namespace rpvw
