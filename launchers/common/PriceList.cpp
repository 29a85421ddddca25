// Htmlreport: reads the price table in licence-type order (descending, then theme) into the
// price list report, batch by batch on the progress window's timer: the heading before the
// first product, one line per product, the order form after the last. The pages then go to
// the previewer, which may print them. Every page file it made is deleted before it returns.
#include "launchers/common/PriceList.h"

#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "framework/CheckOpen.h"
#include "framework/StandardWarning.h"
#include "framework/ToolbarRelay.h"
#include "framework/WindowController.h"
#include "launchers/common/MenuGlobals.h"
#include "launchers/common/PriceListReport.h"
#include "launchers/common/Prices.h"
#include "printing/report/ReportDisplayStrings.h"
#include "printing/report/ReportGeneration.h"
#include "printing/report/ReportRunSteps.h"
#include "runtime/core/Keys.h"
#include "runtime/data/ErrorState.h"
#include "runtime/data/KeyedView.h"
#include "runtime/report/PrinterSettings.h"
#include "runtime/report/Report.h"

namespace menus {
namespace {

using wdrt::report::PreviewQueue;
using wdrt::report::Report;

constexpr int kThermometer = 1, kSpinner = 2, kUserString = 3, kPctText = 4, kCancel = 5;
constexpr const char* kSettingsFile = "RPVWRPTS.INI";
constexpr const char* kReadingKey = "PRI:LICTYPEKEY";
// Zoom 100, help not from the settings file, text export hidden and its setup skipped,
// opened at fit-width (no option bits).
constexpr printing::PreviewCall kPricePreview{100, false, true, true, 0};

wdrt::WindowDef ProgressWindowDef() {
  wdrt::WindowDef def;
  def.kind = wdrt::WindowKind::Window;
  def.module = "Htmlreport";
  def.title = "Progress...";
  def.size = {0, 0, 162, 64};
  def.font = {"MS Sans Serif", 8, false, wdrt::kColorNone};
  def.resizable = false;
  wdrt::ControlDef thermometer;
  thermometer.type = wdrt::TypeProgress;
  thermometer.use = "?PROGRESS:THERMOMETER";
  thermometer.pos = {15, 16, 120, 12};
  // Turns while records are read, so a long run is seen to be alive.
  wdrt::ControlDef spinner;
  spinner.type = wdrt::TypeString;
  spinner.use = "?PROGRESS:SPINNER";
  spinner.text = "|";
  spinner.pos = {140, 17, 10, 10};
  wdrt::ControlDef user;
  user.type = wdrt::TypeString;
  user.use = "?PROGRESS:USERSTRING";
  user.pos = {0, 3, 161, 10};
  wdrt::ControlDef percent = user;
  percent.use = "?PROGRESS:PCTTEXT";
  percent.pos = {0, 32, 161, 10};
  wdrt::ControlDef cancel;
  cancel.type = wdrt::TypeButton;
  cancel.use = "?PROGRESS:CANCEL";
  cancel.text = "Cancel";
  cancel.pos = {56, 46, 50, 15};
  def.controls = {thermometer, spinner, user, percent, cancel};
  return def;
}

std::string TrimRight(std::string text) {
  while (!text.empty() && (text.back() == ' ' || text.back() == '\0')) text.pop_back();
  return text;
}

// The text of a field of the current product as the detail line shows it.
std::string FieldText(const wdrt::RecordBuffer& record, const std::string& field) {
  // Numbers stand right-aligned in their column, so they need no padding of their own.
  if (field == "PRI:PRICE") {
    const std::int64_t cents = record.DecimalScaled("PRICE");
    char price[32];
    std::snprintf(price, sizeof price, "%lld.%02lld", static_cast<long long>(cents / 100),
                  static_cast<long long>((cents < 0 ? -cents : cents) % 100));
    return price;
  }
  if (field == "PRI:NUMBERBOOKS") return std::to_string(record.DecimalScaled("NUMBERBOOKS"));
  const std::string name = field.substr(field.find(':') + 1);
  if (name == "LICTYPE" || name == "WEBSITE") return record.CString(name);
  return TrimRight(record.Text(name));
}

class PriceListRun : public WindowController {
 public:
  PriceListRun() : report_(PriceListReport()), view_(prices_, kReadingKey) {}

  void Go() {
    MenuGlobals& g = Globals();
    queue_.Free();
    strings_ = printing::LoadReportDisplayStrings(kSettingsFile, "", "Preview", "Do you wish to PREVIEW this Report?");
    wdrt::report::PrinterSettings printer = wdrt::report::CurrentPrinter();
    printersOwnCopies_ = printer.devMode.dmCopies;
    printer.devMode.dmCopies = 1;
    wdrt::report::StorePrinterSettings(printer);
    g.GlobalResponse = 0;
    CheckOpen(prices_, 1, 0, 0, 1);
    wdrt::SetKeyCode(0);
    Run();
    wdrt::Close(window);
    AfterGeneration();
  }

  int Init() override {
    MenuGlobals& g = Globals();
    g.errors.PushProcedure("Htmlreport");
    REQUEST = g.GlobalRequest;
    const int level = WindowController::Init();
    if (level != LevelOk) return level;
    FIRSTFIELD = 1;
    VCRREQUEST = &g.VCRRequest;
    ERRORS = &g.errors;
    g.GlobalRequest = 0;
    g.GlobalResponse = 0;
    AttachToolbar(&relay_);
    window = wdrt::Open(ProgressWindowDef());
    generation_.Begin(window, strings_, prices_.Records());
    prices_.Send("QUICKSCAN=on");
    OPENED = 1;
    return LevelOk;
  }

  int Kill() override {
    const int level = WindowController::Kill();
    if (level != LevelOk) return level;
    Globals().errors.PopProcedure();
    return LevelOk;
  }

  int OnEvent() override {
    const wdrt::Event& event = wdrt::CurrentEvent();
    if (event.control == 0 && event.number == wdrt::EventTimer) {
      static constexpr const char* kTurns[] = {"|", "/", "-", "\\"};
      wdrt::SetText(window, kSpinner, kTurns[++turn_ % 4]);  // a turn each batch: a long run is alive
    }
    if (generation_.OnEvent(event, [this] { Prepare(); }, [this] { PrintRecord(); })) return LevelOk;
    return WindowController::OnEvent();
  }

  int OnAccepted() override {
    const int level = WindowController::OnAccepted();
    generation_.OnAccepted(wdrt::CurrentEvent().control,
                           [this] { return queue_.Records() != 0 || report_.PagesDone() != 0; });
    return level;
  }

 private:
  // After the first product has been read: the report with its heading.
  void Prepare() {
    report_.Open();
    savedCopies_ = printing::PrepareReportCopies(report_);
    report_.SetPreviewQueue(&queue_);
    report_.Print(kPriceHeadingBand);
    if (report_.jobText.empty()) report_.jobText = "Htmlreport";
  }

  void PrintRecord() {
    const wdrt::RecordBuffer& record = prices_.Record();
    report_.Print(kPriceDetailBand, [&record](const std::string& field) { return FieldText(record, field); });
  }

  // Reads the next product; false when none is left.
  bool ReadRecord() {
    if (!viewOpened_) {
      viewOpened_ = true;
      if (!view_.Open()) StandardWarning(WarnViewOpen, "Prices");
    }
    if (view_.Next()) return true;
    if (wdrt::ErrorCode() != wdrt::ErrNoMoreRecords) StandardWarning(WarnRecordRetrieval, "Prices");
    return false;
  }

  void AfterGeneration() {
    MenuGlobals& g = Globals();
    prices_.Send("QUICKSCAN=off");
    // The order form closes every list that was started, however the run ended.
    if (report_.IsOpen()) report_.Print(kPriceOrderFormBand);
    response_ = generation_.Batches().Completed() ? ResponseCompleted : ResponseCancelled;
    if (generation_.Batches().Previewable()) {
      report_.EndPage();
      made_ = queue_.Names();
      if (queue_.Records() == 0) {
        printing::ShowNothingToPreview(strings_);
      } else {
        report_.copies = savedCopies_;
        g.GlobalResponse =
            static_cast<std::uint8_t>(printing::PreviewThenPrint(queue_, report_, kPricePreview, kSettingsFile));
      }
      response_ = g.GlobalResponse;
    } else {
      made_ = queue_.Names();
      printing::ShowNothingToPreview(strings_);
    }
    report_.Close();
    queue_.Free();
    view_.Close();
    prices_.Close();
    g.GlobalResponse = response_ != 0 ? response_ : static_cast<std::uint8_t>(ResponseCancelled);
    g.helpFile = "bookhelp.hlp";
    for (const std::string& name : made_) ::unlink(name.c_str());
    // The copies chosen for the price list were for it: the printer keeps its own count.
    wdrt::report::PrinterSettings printer = wdrt::report::CurrentPrinter();
    printer.devMode.dmCopies = printersOwnCopies_;
    wdrt::report::StorePrinterSettings(printer);
  }

  // A file object of this run's own: the menu may start a second run while one is open.
  wdrt::KeyedFile prices_{PricesDefinition()};
  Report report_;
  PreviewQueue queue_;
  printing::ReportDisplayStrings strings_;
  wdrt::KeyedView view_;
  ToolbarRelay relay_;
  std::vector<std::string> made_;
  std::uint8_t response_ = ResponseCancelled;
  printing::ReportGeneration generation_{{kThermometer, kUserString, kPctText, kCancel},
                                         [this] { return ReadRecord(); }};
  bool viewOpened_ = false;
  int savedCopies_ = 1;
  int turn_ = 0;
  std::int16_t printersOwnCopies_ = 1;
};

}  // namespace

void Htmlreport() {
  PriceListRun run;
  run.Go();
}

}  // namespace menus
