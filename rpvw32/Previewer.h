// PRINTPREVIEW: one call shows the page list in the "Report Preview" window on the calling
// procedure thread and returns 1 (printed, or the caller prints what the list holds) or 2.
// The call's state lives in one Previewer; lists are emptied before it returns.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "runtime/report/PreviewQueue.h"
#include "runtime/report/Report.h"

namespace rpvw {

struct ExtraButton {
  bool noTip = false;
  bool suppress = false;
  bool printAfter = false;
  std::int32_t* value = nullptr;  // receives the button's number when pressed
  bool suppress2 = false;
};

// Option bits.
enum PreviewOption : int {
  OptionNoIcon = 1,
  OptionNoExit = 2,
  OptionNoPrinterDialog = 4,
  OptionZoomedIn = 8,
  OptionFitHeight = 16,
  OptionDialogFlag = 32,
  OptionViewOnly = 64,
  OptionPageByArrows = 128,
};

struct PreviewCall {
  wdrt::report::PreviewQueue* pages = nullptr;
  int zoomPercent = 50;
  bool useDefaultIni = true;
  wdrt::report::Report* report = nullptr;
  std::array<ExtraButton, 3> extras;  // buttons 1, 2, 3
  bool helpContextFromIni = true;
  bool helpFileFromIni = true;
  bool hideTextExport = false;
  std::int32_t textExportNumber = 0;
  bool skipTextButtonSetup = false;
  int options = 0;
  std::string iniFile = "RPVWRPTS.INI";
  std::string textCaption;
  std::string helpFile;
  std::string helpContext;
  std::array<std::string, 3> extraTexts;
  std::array<std::string, 3> extraTips;
};

int PrintPreview(const PreviewCall& call);

// The handle of the open preview's text-export button; 0 when no preview is open.
long TextButtonHandle();

}  // namespace rpvw
