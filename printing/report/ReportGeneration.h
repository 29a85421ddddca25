// The progress window of a report procedure, as the book and the price list both run it: the
// bar at 0, the texts and title from the display strings, Esc standing for Cancel, the first
// record read on the open event, a batch of records printed on every timer event, the cancel
// questions, and the window's end when generation stops. The procedure's controller hands it
// the window's events; it owns nothing of the procedure's own. On the window's thread.
#pragma once

#include <functional>

#include "printing/report/ReportDisplayStrings.h"
#include "printing/report/ReportRunSteps.h"
#include "runtime/core/Runtime.h"

namespace printing {

struct ProgressControls {
  int thermometer;
  int userString;
  int percentText;
  int cancel;
};

class ReportGeneration {
 public:
  using Prepare = std::function<void()>;    // after the first record: opens the report
  using PagesMade = std::function<bool()>;  // whether a page exists yet

  ReportGeneration(ProgressControls controls, ReportBatches::ReadRecord read)
      : controls_(controls), batches_(controls.thermometer, controls.percentText, std::move(read)) {}

  // Sets up the opened progress window for `toProcess` records.
  void Begin(const wdrt::WindowPtr& window, const ReportDisplayStrings& strings, long toProcess);
  // One event of the window. Esc is turned into Cancel and consumed (true). The open event
  // reads the first record and, when there is one, calls `prepare` and starts the timer, else
  // ends the window; a timer event prints a batch with `print`.
  bool OnEvent(const wdrt::Event& event, const Prepare& prepare, const ReportBatches::PrintRecord& print);
  // An accepted control: Cancel asks the cancel questions.
  void OnAccepted(int control, const PagesMade& pagesMade);

  const ReportBatches& Batches() const { return batches_; }

 private:
  void Stop();

  ProgressControls controls_;
  ReportBatches batches_;
  wdrt::WindowPtr window_;
  const ReportDisplayStrings* strings_ = nullptr;
};

}  // namespace printing
