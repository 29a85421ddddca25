#include "runtime/report/CupsJob.h"

#include "runtime/report/CupsLibrary.h"

#include <algorithm>
#include <memory>
#include <string_view>

#include "runtime/report/PrintJob.h"
#include "runtime/report/PrinterSettings.h"

namespace wdrt::report {

struct CupsJob::Dest {
  cups_dest_t* dest = nullptr;
  cups_dinfo_t* info = nullptr;
  ~Dest() {
    if (info) Cups().cupsFreeDestInfo(info);
    if (dest) Cups().cupsFreeDests(1, dest);
  }
};

namespace {

bool Has(const std::vector<std::string>& reasons, std::string_view prefix) {
  return std::any_of(reasons.begin(), reasons.end(),
                     [&](const std::string& r) { return std::string_view(r).substr(0, prefix.size()) == prefix; });
}

// The first reason that keeps the printer from going on: CUPS ends such reasons with "-error".
std::string FirstError(const std::vector<std::string>& reasons) {
  for (const std::string& r : reasons)
    if (r.size() > 6 && r.compare(r.size() - 6, 6, "-error") == 0) return r;
  return {};
}

std::vector<std::string> Strings(ipp_attribute_t* attribute) {
  std::vector<std::string> values;
  for (int i = 0; attribute && i < Cups().ippGetCount(attribute); ++i)
    if (const char* v = Cups().ippGetString(attribute, i, nullptr); v && std::string_view(v) != "none") values.emplace_back(v);
  return values;
}

std::string PrinterUri(cups_dest_t* dest) {
  if (const char* uri = Cups().cupsGetOption("printer-uri-supported", dest->num_options, dest->options)) return uri;
  char uri[1024];
  Cups().httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", Cups().ippPort(), "/printers/%s",
                   dest->name);
  return uri;
}

ipp_t* Ask(ipp_t* request) { return Cups().cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/"); }

}  // namespace

JobOptions JobOptionsFor(const PrintJobSettings& settings, const PrinterSettings& printer, QSizeF paper) {
  JobOptions options;
  options.copies = std::max(1, settings.copies);
  options.collate = settings.collate;
  if (!paper.isEmpty()) {
    // The PWG name of the size, given in hundredths of a millimetre.
    const int width = static_cast<int>(paper.width() * 2540 / 72 + 0.5);
    const int height = static_cast<int>(paper.height() * 2540 / 72 + 0.5);
    if (pwg_media_t* media = Cups().loaded ? Cups().pwgMediaForSize(width, height) : nullptr) options.media = media->pwg;
  }
  if (printer.devMode.dmFields & DM_DUPLEX) {
    switch (printer.devMode.dmDuplex) {
      case 2: options.sides = "two-sided-long-edge"; break;
      case 3: options.sides = "two-sided-short-edge"; break;
      default: options.sides = "one-sided"; break;
    }
  }
  return options;
}

std::string DescribeTrouble(const JobState& s, const std::string& queue) {
  const std::string printer = "The printer \"" + queue + "\"";
  std::string words;
  if (s.job == JobState::Aborted) {
    words = printer + " could not print the book: the printing system gave the job up.";
  } else if (s.job == JobState::Cancelled) {
    words = "The print job was cancelled at the printer or by another program.";
  } else if (s.job == JobState::Completed) {
    return {};
  } else if (Has(s.printerReasons, "media-empty") || Has(s.printerReasons, "media-needed")) {
    words = printer + " is out of paper. Put paper in it.";
  } else if (Has(s.printerReasons, "media-jam")) {
    words = "Paper is stuck in the printer \"" + queue + "\". Clear it.";
  } else if (Has(s.printerReasons, "toner-empty") || Has(s.printerReasons, "marker-supply-empty")) {
    words = printer + " is out of ink or toner.";
  } else if (Has(s.printerReasons, "door-open") || Has(s.printerReasons, "cover-open")) {
    words = "A cover of the printer \"" + queue + "\" is open. Close it.";
  } else if (s.printerStopped) {
    words = printer + " is paused, so the book waits. Resume the printer in the system's printer settings.";
  } else if (s.job == JobState::Stopped) {
    words = printer + " could not take the book, so the printing system stopped the job. Check that the printer "
            "is connected and set up.";
  } else if (Has(s.printerReasons, "offline") || Has(s.printerReasons, "connecting-to-device") ||
             Has(s.printerReasons, "timed-out")) {
    words = printer + " cannot be reached. Check that it is switched on and connected.";
  } else if (const std::string error = FirstError(s.printerReasons); !error.empty()) {
    words = printer + " reports a problem (" + error + ").";
  } else if (s.job == JobState::Held) {
    words = "The print job is held at the printer \"" + queue + "\" and waits to be released.";
  } else if (!s.printerAccepting) {
    words = printer + " does not take new jobs at the moment.";
  } else {
    return {};
  }
  if (!s.printerMessage.empty()) words += "|The printing system says: " + s.printerMessage;
  return words;
}

CupsJob::CupsJob(std::string queue) : queue_(std::move(queue)) {}

CupsJob::~CupsJob() {
  if (documentOpen_) Cups().cupsFinishDestDocument(CUPS_HTTP_DEFAULT, dest_->dest, dest_->info);
  delete dest_;
}

bool CupsJob::Start(const std::string& title, const JobOptions& options) {
  error_.clear();
  if (!Cups().loaded) {
    error_ = "The printing system cannot be reached: " + Cups().error;
    return false;
  }
  if (!dest_) {
    auto dest = std::make_unique<Dest>();
    dest->dest = Cups().cupsGetNamedDest(CUPS_HTTP_DEFAULT, queue_.c_str(), nullptr);
    if (dest->dest) dest->info = Cups().cupsCopyDestInfo(CUPS_HTTP_DEFAULT, dest->dest);
    if (!dest->dest || !dest->info) {
      error_ = "The printer \"" + queue_ + "\" cannot be found: " + Cups().cupsLastErrorString();
      return false;
    }
    dest_ = dest.release();
  }
  cups_option_t* list = nullptr;
  int count = 0;
  if (options.copies > 1) {
    count = Cups().cupsAddIntegerOption("copies", options.copies, count, &list);
    count = Cups().cupsAddOption("multiple-document-handling",
                          options.collate ? "separate-documents-collated-copies" : "separate-documents-uncollated-copies",
                          count, &list);
  }
  if (!options.media.empty()) count = Cups().cupsAddOption("media", options.media.c_str(), count, &list);
  if (!options.sides.empty()) count = Cups().cupsAddOption("sides", options.sides.c_str(), count, &list);
  id_ = 0;
  sent_ = 0;
  const ipp_status_t created =
      Cups().cupsCreateDestJob(CUPS_HTTP_DEFAULT, dest_->dest, dest_->info, &id_, title.c_str(), count, list);
  if (created > IPP_STATUS_OK_CONFLICTING || id_ <= 0) {
    Cups().cupsFreeOptions(count, list);
    error_ = std::string("The printing system did not take the job: ") + Cups().cupsLastErrorString();
    id_ = 0;
    return false;
  }
  const http_status_t started = Cups().cupsStartDestDocument(CUPS_HTTP_DEFAULT, dest_->dest, dest_->info, id_, title.c_str(),
                                                      CUPS_FORMAT_PDF, count, list, 1);
  Cups().cupsFreeOptions(count, list);
  if (started != HTTP_STATUS_CONTINUE) {
    error_ = std::string("The printing system did not take the pages: ") + Cups().cupsLastErrorString();
    Cancel();
    return false;
  }
  documentOpen_ = true;
  return true;
}

bool CupsJob::Send(const QByteArray& pdf, qsizetype chunk) {
  if (!documentOpen_) return false;
  const qsizetype size = std::min(chunk, pdf.size() - sent_);
  if (size <= 0) return true;
  if (Cups().cupsWriteRequestData(CUPS_HTTP_DEFAULT, pdf.constData() + sent_, static_cast<std::size_t>(size)) !=
      HTTP_STATUS_CONTINUE) {
    error_ = std::string("The pages could not be sent to the printing system: ") + Cups().cupsLastErrorString();
    return false;
  }
  sent_ += size;
  return true;
}

bool CupsJob::Finish() {
  if (!documentOpen_) return false;
  documentOpen_ = false;
  const ipp_status_t status = Cups().cupsFinishDestDocument(CUPS_HTTP_DEFAULT, dest_->dest, dest_->info);
  if (status > IPP_STATUS_OK_CONFLICTING) {
    error_ = std::string("The printing system did not accept the job: ") + Cups().cupsLastErrorString();
    return false;
  }
  return true;
}

void CupsJob::Cancel() {
  if (documentOpen_) {
    documentOpen_ = false;
    Cups().cupsFinishDestDocument(CUPS_HTTP_DEFAULT, dest_->dest, dest_->info);
  }
  if (id_ > 0 && dest_) Cups().cupsCancelDestJob(CUPS_HTTP_DEFAULT, dest_->dest, id_);
}

JobState CupsJob::ReadState() const {
  JobState state;
  if (!dest_) return state;
  const std::string uri = PrinterUri(dest_->dest);
  if (id_ > 0) {
    ipp_t* request = Cups().ippNewRequest(IPP_OP_GET_JOB_ATTRIBUTES);
    Cups().ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri.c_str());
    Cups().ippAddInteger(request, IPP_TAG_OPERATION, IPP_TAG_INTEGER, "job-id", id_);
    Cups().ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, Cups().cupsUser());
    static const char* const kJobAttributes[] = {"job-state", "job-state-reasons", "job-printer-state-message"};
    Cups().ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 3, nullptr, kJobAttributes);
    if (ipp_t* answer = Ask(request)) {
      if (ipp_attribute_t* a = Cups().ippFindAttribute(answer, "job-state", IPP_TAG_ENUM)) {
        switch (Cups().ippGetInteger(a, 0)) {
          case IPP_JSTATE_PENDING: state.job = JobState::Pending; break;
          case IPP_JSTATE_HELD: state.job = JobState::Held; break;
          case IPP_JSTATE_PROCESSING: state.job = JobState::Processing; break;
          case IPP_JSTATE_STOPPED: state.job = JobState::Stopped; break;
          case IPP_JSTATE_CANCELED: state.job = JobState::Cancelled; break;
          case IPP_JSTATE_ABORTED: state.job = JobState::Aborted; break;
          case IPP_JSTATE_COMPLETED: state.job = JobState::Completed; break;
          default: break;
        }
      }
      state.jobReasons = Strings(Cups().ippFindAttribute(answer, "job-state-reasons", IPP_TAG_KEYWORD));
      if (ipp_attribute_t* m = Cups().ippFindAttribute(answer, "job-printer-state-message", IPP_TAG_TEXT))
        if (const char* text = Cups().ippGetString(m, 0, nullptr)) state.printerMessage = text;
      Cups().ippDelete(answer);
    }
  }
  ipp_t* request = Cups().ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
  Cups().ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri.c_str());
  static const char* const kPrinterAttributes[] = {"printer-state", "printer-state-reasons", "printer-state-message",
                                                   "printer-is-accepting-jobs"};
  Cups().ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 4, nullptr, kPrinterAttributes);
  if (ipp_t* answer = Ask(request)) {
    if (ipp_attribute_t* a = Cups().ippFindAttribute(answer, "printer-state", IPP_TAG_ENUM))
      state.printerStopped = Cups().ippGetInteger(a, 0) == IPP_PSTATE_STOPPED;
    if (ipp_attribute_t* a = Cups().ippFindAttribute(answer, "printer-is-accepting-jobs", IPP_TAG_BOOLEAN))
      state.printerAccepting = Cups().ippGetBoolean(a, 0) != 0;
    state.printerReasons = Strings(Cups().ippFindAttribute(answer, "printer-state-reasons", IPP_TAG_KEYWORD));
    if (ipp_attribute_t* a = Cups().ippFindAttribute(answer, "printer-state-message", IPP_TAG_TEXT))
      if (const char* m = Cups().ippGetString(a, 0, nullptr); m && *m) state.printerMessage = m;
    Cups().ippDelete(answer);
  }
  return state;
}

}  // namespace wdrt::report
