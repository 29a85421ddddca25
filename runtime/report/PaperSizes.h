// The standard paper codes 1 to 41 with their names and sizes in thousandths of a point, and
// matching of a size to its code. Plain data; any thread.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace wdrt::report {

struct PaperSize {
  int code;
  std::int32_t width;   // thousandths of a point
  std::int32_t height;
  std::string_view name;
};

extern const std::array<PaperSize, 41> kPaperSizes;

// The row of `code`, or null outside 1 to 41.
const PaperSize* FindPaper(int code);
// The first code whose size matches width × height (either way round) within `tolerance`
// thousandths of a point; 0 when none does.
int PaperCodeForSize(std::int32_t width, std::int32_t height, std::int32_t tolerance = 1500);

}  // namespace wdrt::report
