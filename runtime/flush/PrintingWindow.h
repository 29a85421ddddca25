// The small window "Printing" that the flush shows while a job is made, sent and printed:
// a line saying what happens, a progress bar, "Page n of N" and Cancel. Plain data.
#pragma once

#include "runtime/core/WindowDef.h"

namespace wdrt {

enum PrintingControl : int {
  PrintingMessage = 1,
  PrintingBar = 2,
  PrintingPages = 3,
  PrintingCancel = 4,
};

WindowDef PrintingWindowDef();

}  // namespace wdrt
