// The date and time pictures of the error log line: "D17" (short date, month/day/year
// without leading zeros) and "T8" (long time, 12-hour clock with seconds and AM/PM).
// Plain functions; any thread.
#pragma once

#include <ctime>
#include <string>

std::string FormatShortDate(const std::tm& when);  // "12/7/2026"
std::string FormatLongTime(const std::tm& when);   // "9:05:03 PM"

// "<date> <time> --> <text>" for the local time now.
std::string ErrorLogLine(const std::string& text);
