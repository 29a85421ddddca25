// One print job on a CUPS queue through libcups: created with its options, its PDF sent in
// pieces (so that the caller can show progress and stop between them), then followed by its
// state and the printer's, and cancelled on request. The server is the environment's
// (CUPS_SERVER). Nothing here asks or tells the user. One object on one thread.
#pragma once

#include <QByteArray>
#include <QSizeF>

#include <string>
#include <vector>

namespace wdrt::report {

struct JobOptions {
  int copies = 1;
  bool collate = false;
  std::string media;   // a PWG media name ("iso_a4_210x297mm"); "" leaves the printer's
  std::string sides;   // "one-sided", "two-sided-long-edge" …; "" leaves the printer's
};

struct PrintJobSettings;
struct PrinterSettings;

// The job options for printing with `settings` on `printer`, on paper of `paper` points.
JobOptions JobOptionsFor(const PrintJobSettings& settings, const PrinterSettings& printer, QSizeF paper);

// What CUPS says of a job and its printer.
struct JobState {
  enum Kind { Unknown, Pending, Held, Processing, Stopped, Cancelled, Aborted, Completed };
  Kind job = Unknown;
  bool printerStopped = false;
  bool printerAccepting = true;
  std::vector<std::string> printerReasons;  // printer-state-reasons, "none" left out
  std::vector<std::string> jobReasons;      // job-state-reasons
  std::string printerMessage;               // printer-state-message
};

// The trouble a state shows, in plain words for a parent; "" when nothing stands in the job's
// way (it is waiting its turn, printing, or done).
std::string DescribeTrouble(const JobState& state, const std::string& queue);

class CupsJob {
 public:
  explicit CupsJob(std::string queue);
  ~CupsJob();
  CupsJob(const CupsJob&) = delete;
  CupsJob& operator=(const CupsJob&) = delete;

  // Creates the job and starts its one document. False with Error() set on failure.
  bool Start(const std::string& title, const JobOptions& options);
  // Sends the next piece of `pdf` (at most `chunk` bytes). False on failure.
  bool Send(const QByteArray& pdf, qsizetype chunk);
  bool AllSent(const QByteArray& pdf) const { return sent_ >= pdf.size(); }
  qsizetype SentBytes() const { return sent_; }
  // Ends the document: true once CUPS has accepted the whole job.
  bool Finish();
  // Cancels the job at CUPS (when it was created and has not ended).
  void Cancel();
  JobState ReadState() const;

  int Id() const { return id_; }
  const std::string& Queue() const { return queue_; }
  const std::string& Error() const { return error_; }

 private:
  struct Dest;
  std::string queue_;
  Dest* dest_ = nullptr;
  int id_ = 0;
  qsizetype sent_ = 0;
  bool documentOpen_ = false;
  std::string error_;
};

}  // namespace wdrt::report
