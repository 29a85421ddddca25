// The read-along of one page: while a sound that the page shows as text plays, the word being
// heard is lit up. It follows the play position that the audio thread reports for the
// program's sound device (not a clock of its own), on the page window's timer, and ends with
// the sound, when it is stopped, or when another sound takes the device. Page thread only.
#pragma once

#include <string>
#include <vector>

#include "books/common/ReadAlongPlan.h"
#include "runtime/core/Window.h"

namespace book {

class ReadAlong {
 public:
  // Begins following `sound` (just started on the device) through `plan`.
  void Begin(const wdrt::WindowPtr& window, const std::string& sound, std::vector<LitWord> plan);
  // Clears the lit word and stops following.
  void End();
  // One look at the device (on each timer event of the window).
  void Follow();
  bool Active() const { return window_ != nullptr; }

 private:
  void Light(int control, int word);

  wdrt::WindowPtr window_;
  std::string sound_;
  std::vector<LitWord> plan_;
  int litControl_ = 0;
  int litWord_ = -1;
};

}  // namespace book
