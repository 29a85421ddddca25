#include "printing/report/PageFileNamer.h"

#include <chrono>
#include <cstdio>
#include <ctime>

#include "runtime/os/PrivateFolder.h"

namespace printing {

std::string PageFileName(const std::string& folder, long hundredths, int page) {
  char eight[16];
  std::snprintf(eight, sizeof eight, "%08ld", hundredths % 100000000L);
  char name[32];
  std::snprintf(name, sizeof name, "%.4s%04d.wmf", eight + 4, page % 10000);
  return folder + "/" + name;
}

long ClockHundredths() {
  const auto now = std::chrono::system_clock::now();
  const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
  std::tm local{};
  localtime_r(&seconds, &local);
  const auto hundredths =
      std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000 / 10;
  return (local.tm_hour * 3600L + local.tm_min * 60L + local.tm_sec) * 100L + static_cast<long>(hundredths);
}

std::string NamePageFile(int page) {
  const std::string folder = wdrt::PrivateTempFolder();
  if (folder.empty()) return {};
  const long start = ClockHundredths();
  for (long step = 0; step < 10000; ++step) {
    const std::string name = PageFileName(folder, start + step, page);
    if (wdrt::CreateFileExclusively(name)) return name;
  }
  return {};
}

}  // namespace printing
