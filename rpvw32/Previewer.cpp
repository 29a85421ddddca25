#include "rpvw32/Previewer.h"

#include <QApplication>
#include <QFile>
#include <atomic>
#include <cmath>
#include <unistd.h>

#include "rpvw32/MetafileTexts.h"
#include "rpvw32/PageRanges.h"
#include "rpvw32/PreviewWindow.h"
#include "rpvw32/Utilities.h"
#include "runtime/os/Help.h"
#include "runtime/core/Journal.h"
#include "runtime/core/Keys.h"
#include "runtime/core/Runtime.h"
#include "runtime/dialogs/Message.h"
#include "runtime/dialogs/PrinterDialog.h"
#include "runtime/flush/Flush.h"
#include "runtime/report/PrinterSettings.h"
#include "runtime/report/WmfPlayer.h"

namespace rpvw {
namespace {

using namespace wdrt;
using report::PreviewQueue;

std::atomic<long> textButtonHandle{0};

constexpr double kMaxZoom = 2.50;
constexpr double kMinZoom = 0.25;
constexpr int kScrollStep = 10;  // a 25.5th of the 0 .. 255 scroll range
// Page sizes in dialog units: 100 % shows 96 pixels an inch (3 × 3.25 pixels a unit).
constexpr double kUnitsPerInchX = 32.0;
constexpr double kUnitsPerInchY = 96.0 / 3.25;
constexpr int kPageMargin = 4;

double TwoPlaces(double value) { return std::floor(value * 100 + 1e-9) / 100; }
int Percent(double ratio) { return static_cast<int>(std::lround(ratio * 100)); }

class Previewer {
 public:
  explicit Previewer(const PreviewCall& call) : call_(call), pages_(*call.pages) {}

  int Run() {
    Open();
    Event event;
    while (window_ && Accept(window_, event)) {
      if (!Handle(event)) break;
    }
    if (window_ && window_->IsOpen()) Close(window_);
    // Pages printed here while the window stayed open are not the caller's to print again.
    if (result_ == 1 && printedHere_) report::DeletePageFiles(pages_);
    work_.Free();
    textButtonHandle = 0;
    JournalLine("preview-result " + std::to_string(result_));
    return result_;
  }

 private:
  bool ViewOnly() const { return call_.options & OptionViewOnly; }
  int PageCount() const { return static_cast<int>(pages_.Records()); }

  std::string Title() const {
    const report::PrinterSettings printer = report::CurrentPrinter();
    return texts_["Window Title"] + "   [" + printer.device + " on " + printer.port + "]";
  }

  void Open() {
    texts_ = ReadPreviewTexts(call_.useDefaultIni || call_.iniFile.empty() ? "RPVWRPTS.INI" : call_.iniFile);
    helpFile_ = call_.helpFileFromIni || call_.helpFile.empty() ? texts_.helpFile : call_.helpFile;
    helpContext_ = call_.helpContextFromIni || call_.helpContext.empty() ? texts_.helpContext : call_.helpContext;
    // Without help of the caller's own, F1 opens the help book's page about printing.
    if (helpFile_.empty() && helpContext_.empty()) helpContext_ = "printing";
    WindowDef def = PreviewWindowDef(texts_);
    if (call_.options & (OptionNoIcon | OptionNoExit)) def.icon.clear();
    if (call_.options & OptionNoExit) def.controls[CLOSE - 1].hidden = true;
    // Extra buttons show only when the caller wants them and gives a number to set.
    for (int i = 0; i < 3; ++i) {
      const ExtraButton& extra = call_.extras[static_cast<std::size_t>(i)];
      ControlDef& c = def.controls[static_cast<std::size_t>(EXTRABUTTON1 - 1 + i)];
      if (!call_.extraTexts[static_cast<std::size_t>(i)].empty()) c.text = call_.extraTexts[static_cast<std::size_t>(i)];
      c.tip = extra.noTip ? "" : call_.extraTips[static_cast<std::size_t>(i)].empty() ? c.text : call_.extraTips[static_cast<std::size_t>(i)];
      c.hidden = extra.suppress || extra.suppress2 || !extra.value;
      c.pos.x = 378 + 42 * i;
    }
    ControlDef& text = def.controls[ASCIIOUTBUTTON - 1];
    if (!call_.skipTextButtonSetup && !call_.hideTextExport && !call_.textCaption.empty()) {
      text.hidden = false;
      text.tip = texts_["TextOutTip"] + ": " + call_.textCaption;
    }
    if (call_.report) {
      copies_ = std::max(1, call_.report->copies);
    }
    const report::PrinterSettings printer = report::CurrentPrinter();
    reportDevice_ = printer.device;
    reportPort_ = printer.port;

    window_ = wdrt::Open(def);
    SetText(window_, 0, Title());
    SetText(window_, PAGECOUNT, texts_["PageOFprompt"] + "  " + std::to_string(PageCount()));
    SetValue(window_, PGSTOPRINT, texts_["PagesToPrintValue"]);
    SetValue(window_, NBROFCOPIES, std::to_string(copies_));
    textButtonHandle = static_cast<long>(window_->Id()) << 16 | ASCIIOUTBUTTON;
    if (ViewOnly())
      for (int c : {PRINTTHISPAGE, PGSTOPRINT, PRINT, NBROFCOPIES, ASCIIOUTBUTTON, PAGESTOPRINTPROMPT, COPIESPROMPT})
        Disable(window_, c);
    for (int key : std::initializer_list<int>{KeyUp, KeyDown, KeyLeft, KeyRight, KeySpace, KeyCtrl | 'M', KeyF1, KeyF2, KeyF3, KeyEsc,
                    KeyAlt | 'A', KeyAlt | 'C', KeyAlt | 'S', KeyAlt | 'Z'})
      Alert(window_, key);

    int zoomPercent = call_.zoomPercent < 25 ? 250 : std::min(call_.zoomPercent, 250);
    zoomPctRatio_ = zoomPercent / 100.0;
    LayOut();
    ReadPageSize();
    if (call_.options & OptionZoomedIn) {
      zoom_ = zoomPctRatio_;
      zoomed_ = true;
      mode_ = 0;
    } else if (call_.options & OptionFitHeight) {
      zoom_ = fitHeight_;
      mode_ = 2;
    } else {
      zoom_ = fitWidth_;
      mode_ = 1;
    }
    remembered_ = mode_ == 2 ? fitHeight_ : fitWidth_;
    rememberedMode_ = mode_ == 2 ? 2 : 1;
    SetCursor();
    ShowPage();
    JournalLine("preview-open " + std::to_string(PageCount()) + " " + std::to_string(Percent(zoom_)));
  }

  // The viewport fills the window below the toolbar.
  void LayOut() {
    const Geometry client = GetPosition(window_, 0);
    if (client.width <= 0 || client.height <= kToolbarHeight) return;
    SetPosition(window_, IMAGEREGION, {0, kToolbarHeight, client.width, client.height - kToolbarHeight});
    SetPosition(window_, MENUBAR, {0, 0, client.width, kToolbarHeight - 1});
  }

  void ReadPageSize() {
    const std::string file = pages_.Get(static_cast<std::size_t>(page_)).value_or("");
    QFile f(QString::fromStdString(file));
    QSizeF inches(8.5, 11);
    if (f.open(QIODevice::ReadOnly)) {
      if (auto header = report::ReadWmfHeader(f.read(64)); header && !header->sizeInches.isEmpty())
        inches = header->sizeInches;
    }
    naturalWidth_ = inches.width() * kUnitsPerInchX;
    naturalHeight_ = inches.height() * kUnitsPerInchY;
    const Geometry region = GetPosition(window_, IMAGEREGION);
    // Room for the frame, the margins and a scroll bar.
    fitWidth_ = TwoPlaces(std::max(0.05, (region.width - 2 * kPageMargin - 8) / naturalWidth_));
    fitHeight_ = TwoPlaces(std::max(0.05, (region.height - 2 * kPageMargin - 6) / naturalHeight_));
    if (mode_ == 1) zoom_ = fitWidth_;
    if (mode_ == 2) zoom_ = fitHeight_;
    if (!zoomed_) remembered_ = rememberedMode_ == 2 ? fitHeight_ : fitWidth_;
  }

  void ShowPage() {
    const auto file = pages_.Get(static_cast<std::size_t>(page_));
    if (!file) return;
    Hide(window_, ZOOMEDIMAGE);
    Hide(window_, BORDER);
    SetPicture(window_, ZOOMEDIMAGE, *file);
    ReadPageSize();
    const int width = static_cast<int>(std::lround(naturalWidth_ * zoom_));
    const int height = static_cast<int>(std::lround(naturalHeight_ * zoom_));
    SetPosition(window_, ZOOMEDIMAGE, {kPageMargin, kPageMargin, width, height});
    SetPosition(window_, BORDER, {kPageMargin - 1, kPageMargin - 1, width + 2, height + 2});
    Unhide(window_, BORDER);
    Unhide(window_, ZOOMEDIMAGE);
    SetValue(window_, ZOOMPCTVAL, std::to_string(Percent(zoom_)));
    SetValue(window_, VISIBLEPAGENUMBER, std::to_string(page_));
    const bool first = page_ <= 1;
    const bool last = page_ >= PageCount();
    for (int c : {FIRSTPAGE, PREVPAGE}) first ? Disable(window_, c) : Enable(window_, c);
    for (int c : {NEXTPAGE, LASTPAGE}) last ? Disable(window_, c) : Enable(window_, c);
    wdrt::Display(window_, IMAGEREGION);
    JournalLine("preview-page " + std::to_string(page_) + " " + std::to_string(Percent(zoom_)));
  }

  void GoTo(int page) {
    page_ = std::clamp(page, 1, std::max(1, PageCount()));
    ShowPage();
  }

  void SetScroll(long x, long y) {
    SetProp(window_, IMAGEREGION, PropScrollX, std::clamp(x, 0L, 255L));
    SetProp(window_, IMAGEREGION, PropScrollY, std::clamp(y, 0L, 255L));
    wdrt::Display(window_, IMAGEREGION);
  }

  void SetCursor() {
    SetProp(window_, IMAGEREGION, PropViewportCursor, zoomed_ ? CursorZoomOut : CursorZoomIn);
  }

  void Fit(int mode) {
    mode_ = mode;
    zoom_ = mode == 2 ? fitHeight_ : fitWidth_;
    zoomed_ = false;
    remembered_ = zoom_;
    rememberedMode_ = mode;
    SetCursor();
    ShowPage();
  }

  void ZoomTo(int percent) {
    percent = std::clamp(percent, Percent(kMinZoom), Percent(kMaxZoom));
    zoom_ = percent / 100.0;
    zoomPctRatio_ = zoom_;
    zoomed_ = true;
    mode_ = 0;
    SetCursor();
    ShowPage();
  }

  // A click (or Space) toggles between the zoom percent and the remembered fit.
  void ToggleZoom(long x, long y) {
    if (!zoomed_) {
      zoom_ = zoomPctRatio_;
      zoomed_ = true;
      mode_ = 0;
      SetCursor();
      ShowPage();
      SetScroll(x, y);
    } else {
      zoom_ = remembered_;
      mode_ = rememberedMode_;
      zoomed_ = false;
      SetCursor();
      ShowPage();
    }
  }

  bool PageScrolls() const {
    const Geometry region = GetPosition(window_, IMAGEREGION);
    return naturalHeight_ * zoom_ + 2 * kPageMargin > region.height - 6;
  }

  void Arrow(int key) {
    long x = GetProp(window_, IMAGEREGION, PropScrollX);
    long y = GetProp(window_, IMAGEREGION, PropScrollY);
    const bool acrossPages = call_.options & OptionPageByArrows;
    if (key == KeyUp && acrossPages && y <= 0 && page_ > 1) {
      GoTo(page_ - 1);
      SetScroll(x, 255);
      return;
    }
    if (key == KeyDown && acrossPages && (y >= 255 || !PageScrolls()) && page_ < PageCount()) {
      GoTo(page_ + 1);
      SetScroll(x, 0);
      return;
    }
    if (key == KeyLeft) x -= kScrollStep;
    if (key == KeyRight) x += kScrollStep;
    if (key == KeyUp) y -= kScrollStep;
    if (key == KeyDown) y += kScrollStep;
    SetScroll(x, y);
  }

  // A rejected entry beeps (tone 16, 150 ms on the original's speaker; the desktop's bell here).
  void Beep() {
    JournalLine("beep 16 150");
    if (qApp) QMetaObject::invokeMethod(qApp, [] { QApplication::beep(); }, Qt::QueuedConnection);
  }

  void PagesToPrintAccepted() {
    ranges_.clear();
    const std::string text = GetValue(window_, PGSTOPRINT);
    const PagesToPrint parsed = ParsePagesToPrint(text, PageCount(), texts_["PagesToPrintValue"]);
    if (!parsed.valid) {
      Message("\"" + text + "\" " + texts_["PagesToPrintErrorText"], texts_["PagesToPrintErrorHdg"], IconExclamation);
      SetValue(window_, PGSTOPRINT, texts_["PagesToPrintValue"]);
      Select(window_, PGSTOPRINT);
      return;
    }
    ranges_ = parsed.ranges;
  }

  // Removes the pages outside the ranges from `list`, from the last down; with `deleteFiles`
  // a page's file goes first and an entry whose file cannot be deleted stays.
  void RemoveUnselected(PreviewQueue& list, bool deleteFiles) {
    for (int page = static_cast<int>(list.Records()); page >= 1; --page) {
      if (InRanges(ranges_, page)) continue;
      if (deleteFiles) {
        const auto name = list.Get(static_cast<std::size_t>(page));
        if (name && ::unlink(name->c_str()) != 0 && QFile::exists(QString::fromStdString(*name))) continue;
      }
      list.Delete(static_cast<std::size_t>(page));
    }
  }

  // The work report with the caller's paper, text and `copies`, its dummy page removed.
  std::unique_ptr<report::Report> OpenWorkReport(int copies) {
    auto work = std::make_unique<report::Report>(WorkReportDef());
    if (call_.report) {
      work->jobText = call_.report->jobText.empty() ? call_.report->Def().name : call_.report->jobText;
      work->paper = call_.report->paper;
      work->paperBin = call_.report->paperBin;
      work->landscape = call_.report->landscape;
    }
    work->copies = copies;
    work->collate = false;
    work->SetPreviewQueue(&work_);
    work->Open();
    work->Print("DETAIL");
    work->EndPage();
    return work;
  }

  void PrintThisPage() {
    if (ViewOnly()) return;
    auto work = OpenWorkReport(copies_);
    // The dummy page gives way to the page shown.
    if (auto dummy = work_.Get(work_.Records())) {
      ::unlink(dummy->c_str());
      work_.Put(work_.Records(), pages_.Get(static_cast<std::size_t>(page_)).value_or(""));
    }
    FlushPages(work_, report::JobSettingsOf(*work));
    work->Close();
    work_.Free();
  }

  void ReadCopies() {
    const int value = std::atoi(GetValue(window_, NBROFCOPIES).c_str());
    copies_ = std::clamp(value, 1, 99);
  }

  // Printing options. Returns false when the window is to close.
  bool Print() {
    if (ViewOnly()) return true;
    if (pages_.Records() == 0) {
      result_ = 2;
      return false;
    }
    ReadCopies();
    if (!(call_.options & OptionNoPrinterDialog)) {
      report::PrinterSettings printer = report::CurrentPrinter();
      printer.devMode.dmCopies = static_cast<std::int16_t>(copies_);
      report::StorePrinterSettings(printer);
      const bool driverCopies = Supported(31493) == 1;
      // Option 32 asks for the dialog's setup form: printer and paper, without pages or copies.
      const PrinterDialogResult chosen = ShowPrinterDialog(
          "Select Printer...", PageCount(), call_.options & OptionDialogFlag ? PrinterDialogSetup : PrinterDialogPrint);
      if (chosen.ok && chosen.fromPage >= 1 && chosen.toPage <= 65534 && chosen.toPage >= 1) {
        SetValue(window_, PGSTOPRINT, std::to_string(chosen.fromPage) + "-" + std::to_string(chosen.toPage));
        PagesToPrintAccepted();
      }
      SetText(window_, 0, Title());
      if (driverCopies || !chosen.ok) {
        copies_ = std::max<int>(1, report::CurrentPrinter().devMode.dmCopies);
        SetValue(window_, NBROFCOPIES, std::to_string(copies_));
      }
      if (!chosen.ok) return true;
    } else {
      PagesToPrintAccepted();
    }
    if (!ranges_.empty() && !stay_) RemoveUnselected(pages_, true);
    const report::PrinterSettings printer = report::CurrentPrinter();
    const bool collates = printer.devMode.dmCollate != 0;
    const int reportCopies = call_.report ? call_.report->copies : 1;
    const int reportBin = call_.report ? call_.report->paperBin : 0;
    if (printer.device != reportDevice_ || printer.port != reportPort_ || reportCopies != copies_ ||
        printer.devMode.dmDefaultSource != reportBin || collates || stay_) {
      auto work = OpenWorkReport(collates ? 1 : copies_);
      if (auto dummy = work_.Get(work_.Records())) {
        ::unlink(dummy->c_str());
        work_.Delete(work_.Records());
      }
      PreviewQueue printed = pages_;
      HandleCopies(printed, copies_);
      for (const std::string& name : printed.Names()) work_.Add(name);
      if (stay_ && !ranges_.empty()) RemoveUnselected(work_, false);
      const int outcome = FlushPages(work_, report::JobSettingsOf(*work));
      work->Close();
      work_.Free();
      if (printer.device != reportDevice_) report::ChoosePrinter(reportDevice_);
      // What did not print is not reported as printed: the pages stay, and so does the window,
      // for another try or Exit.
      if (outcome != report::PrintDone) return true;
      printedHere_ = true;
      if (!stay_) {
        // The caller prints nothing more; its page files are done with.
        report::DeletePageFiles(pages_);
      }
    }
    if (call_.report) {
      call_.report->copies = copies_;
      call_.report->pageFrom = 0;
      call_.report->pageTo = 0;
    }
    result_ = 1;
    return stay_;
  }

  void Search() {
    WindowPtr find = wdrt::Open(FindWindowDef());
    Event event;
    std::string text;
    bool matchCase = false;
    bool begin = false;
    Select(find, 2);
    while (Accept(find, event)) {
      if (event.number == EventCloseWindow || event.number == EventCloseDown) break;
      if (event.number != EventAccepted) continue;
      if (event.control == 4) {
        text = GetValue(find, 2);
        matchCase = GetValue(find, 3) == "1";
        begin = true;
        break;
      }
      if (event.control == 5) break;
    }
    Close(find);
    if (!begin || text.empty()) return;
    found_.clear();
    const std::vector<std::string> names = pages_.Names();
    for (std::size_t i = 0; i < names.size(); ++i) {
      QFile f(QString::fromStdString(names[i]));
      if (f.open(QIODevice::ReadOnly) && MetafileContains(f.readAll(), text, matchCase))
        found_.push_back(static_cast<int>(i) + 1);
    }
    foundIndex_ = 0;
    if (found_.empty()) {
      Message("Search string not found in this report!", "No Match!", IconExclamation);
      return;
    }
    Message("Search string found on " + std::to_string(found_.size()) +
                " pages.||Press F3 for NEXT page|Press F2 for PREVIOUS page|",
            "Search Completed...", IconAsterisk);
    GoTo(found_.front());
  }

  void FoundStep(int step) {
    if (found_.empty()) {
      Beep();
      return;
    }
    foundIndex_ = std::clamp(foundIndex_ + step, 0, static_cast<int>(found_.size()) - 1);
    GoTo(found_[static_cast<std::size_t>(foundIndex_)]);
  }

  void TextExport() {
    if (ViewOnly()) return;
    work_ = pages_;
    if (!ranges_.empty()) RemoveUnselected(work_, false);
    Wmf2Ascii(work_, call_.textExportNumber, call_.textCaption);
    work_.Free();
  }

  bool Accepted(int control) {
    switch (control) {
      case FULLWIDTH: Fit(1); break;
      case FULLHEIGHT: Fit(2); break;
      case ZOOMPCTVAL: ZoomTo(std::atoi(GetValue(window_, ZOOMPCTVAL).c_str())); break;
      case FIRSTPAGE: GoTo(1); break;
      case PREVPAGE: GoTo(page_ - 1); break;
      case NEXTPAGE: GoTo(page_ + 1); break;
      case LASTPAGE: GoTo(PageCount()); break;
      case PRINTTHISPAGE: PrintThisPage(); break;
      case VISIBLEPAGENUMBER: {
        const std::string text = GetValue(window_, VISIBLEPAGENUMBER);
        if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos || text.size() > 4) {
          Beep();
          SetValue(window_, VISIBLEPAGENUMBER, std::to_string(page_));
          break;
        }
        SetTimer(window_, 0);
        pendingPage_ = 0;
        GoTo(std::atoi(text.c_str()));
        break;
      }
      case NBROFCOPIES: ReadCopies(); SetValue(window_, NBROFCOPIES, std::to_string(copies_)); break;
      case PGSTOPRINT: PagesToPrintAccepted(); break;
      case PRINT: return Print();
      case CLOSE: result_ = 2; return false;
      case ASCIIOUTBUTTON: TextExport(); break;
      case SEARCH: Search(); break;
      case PRINTANDSTAY:
        stay_ = !stay_;
        SetPicture(window_, PRINTANDSTAY, stay_ ? "ICON:PinIn" : "ICON:PinOut");
        break;
      case EXTRABUTTON1:
      case EXTRABUTTON2:
      case EXTRABUTTON3: {
        const ExtraButton& extra = call_.extras[static_cast<std::size_t>(control - EXTRABUTTON1)];
        if (extra.value) *extra.value = control - EXTRABUTTON1 + 1;
        if (extra.printAfter) return Print();
        break;
      }
      case IMAGEREGION:
        ToggleZoom(GetProp(window_, IMAGEREGION, PropClickX), GetProp(window_, IMAGEREGION, PropClickY));
        break;
      default: break;
    }
    return true;
  }

  // Ctrl+M: the window's functions as a pop-up menu; each entry acts like its control.
  bool Menu() {
    const bool viewOnly = ViewOnly();
    const bool first = page_ <= 1;
    const bool last = page_ >= PageCount();
    const auto exitHidden = window_->Control(CLOSE);
    const auto textHidden = window_->Control(ASCIIOUTBUTTON);
    struct Entry {
      std::string text;
      bool enabled;
      int control;
      bool focus;  // the entry moves the focus to its field
    };
    std::vector<Entry> entries = {
        {texts_["PmenuFullHeightStr"], true, FULLHEIGHT, false},
        {texts_["PmenuFullWidthStr"], true, FULLWIDTH, false},
        {texts_["PmenuZoomPctStr"], true, ZOOMPCTVAL, true},
        {texts_["PmenuFirstPageStr"], !first, FIRSTPAGE, false},
        {texts_["PmenuPrevPageStr"], !first, PREVPAGE, false},
        {texts_["PmenuNextPageStr"], !last, NEXTPAGE, false},
        {texts_["PmenuLastPageStr"], !last, LASTPAGE, false},
        {texts_["PmenuPrintPageStr"], !viewOnly, PRINTTHISPAGE, false},
        {texts_["PmenuGoToPageStr"], PageCount() >= 2, VISIBLEPAGENUMBER, true},
        {texts_["PmenuPagesToPrintStr"], !viewOnly, PGSTOPRINT, true},
        {texts_["PmenuCopiesStr"], !viewOnly, NBROFCOPIES, true},
        {texts_["PmenuPrintStr"], !viewOnly, PRINT, false},
        {texts_["PmenuExitStr"], !(exitHidden && exitHidden->hidden), CLOSE, false},
    };
    if (!viewOnly) entries.push_back({texts_["PmenuTextOutStr"], !(textHidden && textHidden->hidden), ASCIIOUTBUTTON, false});
    entries.push_back({"Search for...", true, SEARCH, false});
    std::vector<PopupItem> items;
    for (const Entry& e : entries) items.push_back({e.text, e.enabled});
    const int chosen = Popup(window_, items);
    if (chosen == 0) return true;
    const Entry& entry = entries[static_cast<std::size_t>(chosen - 1)];
    if (entry.focus) {
      Select(window_, entry.control);
      return true;
    }
    return Accepted(entry.control);
  }

  bool Key(int key) {
    switch (key) {
      case KeyEsc:
        if (call_.options & OptionNoExit) return true;
        return false;
      case KeyUp: case KeyDown: case KeyLeft: case KeyRight: Arrow(key); return true;
      case KeySpace: ToggleZoom(128, 128); return true;
      case KeyCtrl | 'M': return Menu();
      case KeyF1: ShowHelp(helpFile_, helpContext_); return true;
      case KeyF3: FoundStep(1); return true;
      case KeyF2: FoundStep(-1); return true;
      case KeyAlt | 'A': Select(window_, VISIBLEPAGENUMBER); return true;
      case KeyAlt | 'C': Select(window_, NBROFCOPIES); return true;
      case KeyAlt | 'S': Select(window_, PGSTOPRINT); return true;
      case KeyAlt | 'Z': Select(window_, ZOOMPCTVAL); return true;
      default: return true;
    }
  }

  // Handles one event; false ends the call.
  bool Handle(const Event& event) {
    switch (event.number) {
      case EventOpenWindow:
        if (!ViewOnly()) SetValue(window_, NBROFCOPIES, std::to_string(copies_));
        return true;
      case EventAccepted: return Accepted(event.control);
      case EventNewSelection:
        if (event.control == VISIBLEPAGENUMBER) {
          // A turn of the arrows is applied a moment later unless another one follows.
          pendingPage_ = std::atoi(GetValue(window_, VISIBLEPAGENUMBER).c_str());
          SetTimer(window_, 30);
        } else if (event.control == NBROFCOPIES) {
          ReadCopies();
        }
        return true;
      case EventAlertKey: return Key(KeyCode());
      case EventTimer:
        SetTimer(window_, 0);
        if (pendingPage_ > 0) GoTo(pendingPage_);
        pendingPage_ = 0;
        return true;
      case EventSized:
        LayOut();
        ShowPage();
        return true;
      case EventCloseWindow:
      case EventCloseDown:
        return false;
      default: return true;
    }
  }

  const PreviewCall& call_;
  PreviewQueue& pages_;
  PreviewTexts texts_;
  std::string helpFile_;
  std::string helpContext_;
  WindowPtr window_;
  std::string reportDevice_;
  std::string reportPort_;
  int page_ = 1;
  double zoom_ = 1;
  double fitWidth_ = 1;
  double fitHeight_ = 1;
  double remembered_ = 1;
  int rememberedMode_ = 1;
  double zoomPctRatio_ = 0.5;
  int mode_ = 1;
  bool zoomed_ = false;
  double naturalWidth_ = 272;
  double naturalHeight_ = 325;
  int copies_ = 1;
  int pendingPage_ = 0;
  std::vector<PageRange> ranges_;
  PreviewQueue work_;
  std::vector<int> found_;
  int foundIndex_ = 0;
  bool stay_ = false;
  bool printedHere_ = false;
  int result_ = 2;
};

}  // namespace

int PrintPreview(const PreviewCall& call) {
  if (!call.pages || call.pages->Records() == 0) {
    JournalLine("preview-result 2");
    return 2;
  }
  return Previewer(call).Run();
}

long TextButtonHandle() { return textButtonHandle; }

}  // namespace rpvw
