// Fuzz target for the "Pages to Print" parser: any text is either invalid or a list of ranges
// in order of their first page, each within 1 .. the page count and never reversed.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "rpvw32/PageRanges.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const int pageCount = data[0] % 40;  // the first byte chooses the report's length
  const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
  const rpvw::PagesToPrint parsed = rpvw::ParsePagesToPrint(text, pageCount);
  if (!parsed.valid) {
    if (!parsed.ranges.empty() || parsed.all) std::abort();
    return 0;
  }
  if (parsed.all && !parsed.ranges.empty()) std::abort();
  int previous = 0;
  for (const rpvw::PageRange& r : parsed.ranges) {
    if (r.from < 1 || r.thru < r.from || r.thru > pageCount || r.from < previous) std::abort();
    previous = r.from;
  }
  if (!parsed.all && parsed.ranges.empty()) std::abort();
  return 0;
}
