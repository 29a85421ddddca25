// Names the page files of a report that goes to a PDF: the private temporary folder, the last
// four digits of the time of day in hundredths of a second, the page number as four digits,
// ".wmf" ("23450003.wmf"). Each file is created empty and exclusively; when the name is taken
// (two runs printing at the same moment) the next free time digits are used, so no run ever
// writes over or deletes another run's page. Any thread.
#pragma once

#include <string>

namespace printing {

// The name for `page` at time of day `hundredths` in `folder`: "<folder>/<tttt><pppp>.wmf".
std::string PageFileName(const std::string& folder, long hundredths, int page);

// Creates and returns the page's file, or "" when none of the 10000 names is free.
std::string NamePageFile(int page);

// Hundredths of a second since midnight, local time (CLOCK).
long ClockHundredths();

}  // namespace printing
