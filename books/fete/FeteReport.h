// The birthday book's printed booklet: six full-sheet bands, two half-letter pages on each
// sheet above and below the cutting line. Constant data built on first use; any thread.
#pragma once

#include "runtime/report/ReportDef.h"

const wdrt::report::ReportDef& FeteReport();
