// The steps that every report procedure takes the same way around its own generation loop:
// the progress shown after each record, the two cancel questions, the "nothing to preview"
// note, and the hand-over of the page list to the previewer followed by printing when the user
// chose to print. Used on the thread of the procedure's progress window.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "printing/report/ReportDisplayStrings.h"
#include "runtime/core/Runtime.h"
#include "runtime/report/PreviewQueue.h"
#include "runtime/report/Report.h"

namespace printing {

// The percent done, kept on the progress window's thermometer and percent text.
class ReportProgress {
 public:
  ReportProgress(int thermometer, int percentText) : thermometer_(thermometer), percentText_(percentText) {}
  // After `processed` of `toProcess` records; the thermometer is redrawn only when it moved.
  void Show(const wdrt::WindowPtr& window, long processed, long toProcess, const std::string& percentSuffix);

 private:
  int thermometer_;
  int percentText_;
  int percent_ = 0;
};

enum class CancelAnswer {
  KeepGoing,       // "No" to "are you sure"
  OneAtATime,      // "Ignore" to the partial question: go on, one record per timer event
  Cancelled,       // nothing made yet, or "No" to the partial question
  PreviewPartial,  // "Yes" to the partial question: preview what is made
};

// The cancel questions; the partial question is asked only when pages were made.
CancelAnswer AskToCancel(const ReportDisplayStrings& strings, bool pagesMade);

// The records of a report procedure, read one ahead and printed in batches on the progress
// window's timer, and what the cancel questions make of the run.
class ReportBatches {
 public:
  using ReadRecord = std::function<bool()>;   // reads the next record; false when none is left
  using PrintRecord = std::function<void()>;  // prints the record read last

  static constexpr int kRecordsPerEvent = 25;

  ReportBatches(int thermometer, int percentText, ReadRecord read)
      : progress_(thermometer, percentText), read_(std::move(read)) {}

  // The progress window and what the progress is measured against.
  void Begin(wdrt::WindowPtr window, long toProcess, std::string percentSuffix);
  // Reads the next record ahead; true when there was one, and the progress moves on.
  bool ReadNext();
  // One timer event: prints the record read ahead and reads the next, up to the batch size.
  // True when the last record has been printed: generation is complete.
  bool Batch(const PrintRecord& print);
  // Applies an answer to the cancel questions; true when generation stops.
  bool Cancel(CancelAnswer answer);

  // Every record printed, or a partial preview accepted.
  bool Completed() const { return completed_; }
  // Whether the pages made go on to the preview: a completed run not ended by Esc, or a
  // partial preview accepted.
  bool Previewable() const;

 private:
  ReportProgress progress_;
  ReadRecord read_;
  wdrt::WindowPtr window_;
  std::string percentSuffix_;
  long toProcess_ = 0;
  long processed_ = 0;
  int perEvent_ = kRecordsPerEvent;
  bool completed_ = false;
  bool partial_ = false;
};

void ShowNothingToPreview(const ReportDisplayStrings& strings);

// After OPEN: the report takes the printer's copies count; with collate it makes one copy
// (the copies are then made by repeating pages). Returns the count to restore before preview.
int PrepareReportCopies(wdrt::report::Report& report);

// How a procedure calls the previewer.
struct PreviewCall {
  std::int16_t zoom = 50;
  bool helpFromSettingsFile = true;  // help file and context read from the settings file
  bool hideTextExport = false;
  bool skipTextButtonSetup = false;
  std::uint8_t optionBits = 0;
};

// PRINTPREVIEW on `pages`; when it returns 1 (the user chose to print), the pages go to the
// printer with the report's copies: the printer's copies count is set to them for the job and
// set back afterwards. Returns the previewer's result, or 2 when the printing then failed or
// was cancelled.
std::int32_t PreviewThenPrint(wdrt::report::PreviewQueue& pages, wdrt::report::Report& report,
                              const PreviewCall& call, const char* settingsFile);

}  // namespace printing
