#include "framework/ErrorLogTime.h"

#include <cstdio>

std::string FormatShortDate(const std::tm& when) {
  char text[32];
  std::snprintf(text, sizeof text, "%d/%d/%d", when.tm_mon + 1, when.tm_mday, when.tm_year + 1900);
  return text;
}

std::string FormatLongTime(const std::tm& when) {
  const int hour12 = when.tm_hour % 12 == 0 ? 12 : when.tm_hour % 12;
  char text[32];
  std::snprintf(text, sizeof text, "%d:%02d:%02d %s", hour12, when.tm_min, when.tm_sec,
                when.tm_hour < 12 ? "AM" : "PM");
  return text;
}

std::string ErrorLogLine(const std::string& text) {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return FormatShortDate(local) + " " + FormatLongTime(local) + " --> " + text;
}
