#include "runtime/report/LocalePaper.h"

#include <langinfo.h>
#include <locale.h>

#include <cstdint>

#include "runtime/report/PaperSizes.h"

namespace wdrt::report {

int LocalePaperCode() {
  // The environment's LC_PAPER, asked without touching the program's own locale.
  locale_t paper = ::newlocale(LC_PAPER_MASK, "", static_cast<locale_t>(nullptr));
  if (paper == static_cast<locale_t>(nullptr)) return 1;
  // glibc answers these two with a number (millimetres) in place of the string pointer.
  const auto widthMm = static_cast<int>(reinterpret_cast<std::intptr_t>(::nl_langinfo_l(_NL_PAPER_WIDTH, paper)));
  const auto heightMm = static_cast<int>(reinterpret_cast<std::intptr_t>(::nl_langinfo_l(_NL_PAPER_HEIGHT, paper)));
  ::freelocale(paper);
  const int code = PaperCodeForSize(static_cast<std::int32_t>(widthMm * 72000.0 / 25.4),
                                            static_cast<std::int32_t>(heightMm * 72000.0 / 25.4), 3000);
  return code > 0 ? code : 1;
}

}  // namespace wdrt::report
