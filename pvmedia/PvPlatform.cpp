#include "pvmedia/PvPlatform.h"

#include <unistd.h>

#include <QApplication>
#include <QCursor>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <thread>

#include "pvmedia/PvText.h"
#include "runtime/os/OleControl.h"

namespace pv {

std::string CurrentFolder() {
  std::error_code error;
  const std::filesystem::path path = std::filesystem::current_path(error);
  return error ? std::string(".") : path.string();
}

std::string TemporaryFolder() {
  const char* tmp = std::getenv("TMPDIR");
  std::string folder = tmp && *tmp ? tmp : "/tmp";
  std::error_code error;
  if (!std::filesystem::is_directory(folder, error)) return {};
  if (folder.back() != '/') folder += '/';
  return folder;
}

BusyCursor::BusyCursor() {
  if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return;
  shown_ = wdrt::RunOnGuiThread([] { QApplication::setOverrideCursor(Qt::WaitCursor); });
}

BusyCursor::~BusyCursor() {
  if (shown_) wdrt::RunOnGuiThread([] { QApplication::restoreOverrideCursor(); });
}

std::int64_t ClockHundredths() {
  const auto now = std::chrono::system_clock::now();
  const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
  std::tm local{};
  localtime_r(&seconds, &local);
  const auto sinceSecond = std::chrono::duration_cast<std::chrono::milliseconds>(
                               now - std::chrono::system_clock::from_time_t(seconds)).count();
  return (local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec) * 100 + sinceSecond / 10;
}

void SpinHundredths(std::int64_t hundredths, bool yield) {
  const std::int64_t start = ClockHundredths();
  for (;;) {
    const std::int64_t now = ClockHundredths();
    if (now < start || now - start >= hundredths) return;  // done, or midnight passed
    if (yield)
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    else
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
}

}  // namespace pv
