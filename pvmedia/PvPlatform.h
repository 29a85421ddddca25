// Platform services the media library's classes share: the current and temporary folders in
// the forms the classes expect, the busy cursor, the runtime clock in hundredths of a second,
// and the per-user registry store. Any thread.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace pv {

// The current folder's full path (no trailing separator).
std::string CurrentFolder();
// The temporary folder with a trailing "/" (TMPDIR or /tmp); empty when there is none. Its case
// is kept: folder names differ by case here.
std::string TemporaryFolder();

// Shows the busy cursor while alive (when there is a view).
class BusyCursor {
 public:
  BusyCursor();
  ~BusyCursor();
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;

 private:
  bool shown_ = false;
};

// Hundredths of a second since midnight, local time (the runtime clock).
std::int64_t ClockHundredths();
// Spins until `hundredths` have passed on the runtime clock or midnight has passed.
void SpinHundredths(std::int64_t hundredths, bool yield);

}  // namespace pv
