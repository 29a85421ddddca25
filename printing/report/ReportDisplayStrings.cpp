#include "printing/report/ReportDisplayStrings.h"

#include "runtime/data/Ini.h"

namespace printing {

ReportDisplayStrings LoadReportDisplayStrings(const std::string& iniFile, const std::string& userText,
                                              const std::string& askTitle, const std::string& askText) {
  const std::string file = iniFile.empty() ? "WIN.INI" : iniFile;
  auto get = [&](const char* key, const std::string& fallback, std::size_t size = 64) {
    std::string value = wdrt::GetIni("DISPLAY STRINGS 2.0", key, fallback, file);
    if (value.size() > size) value.resize(size);
    return value;
  };
  ReportDisplayStrings s;
  s.ProgWinTitlePrvw = get("ProgWinTitlePrvw", "Generating Report");
  s.ProgWinTitlePrnt = get("ProgWinTitlePrnt", "Printing Report");
  s.ProgWinPctText = get("ProgWinPctText", "% Completed");
  s.ProgWinRecText = get("ProgWinRecText", "Records Read");
  s.ProgWinUsrText = get("ProgWinUsrText", userText);
  s.PrinterDlgTitle = get("PrinterDlgTitle", "Report Destination");
  s.AskPrvwDialogTitle = get("AskPrvwDialogTitle", askTitle);
  s.AskPrvwDialogText = get("AskPrvwDialogText", askText);
  s.CancelAreYouSureTitle = get("CancelAreYouSureTitle", "Question");
  s.CancelAreYouSureText = get("CancelAreYouSureText", "Are you sure you want to CANCEL this Report?");
  s.CancelPrvwPartialTitle = get("CancelPrvwPartialTitle", "Question");
  s.CancelPrvwPartialText =
      get("CancelPrvwPartialText", "Report Cancellation Requested!||Preview Report generated so far?", 128);
  s.NoDfltPrtrTitle = get("NoDfltPrtrTitle", "WARNING!");
  s.NoDfltPrtrText = get("NoDfltPrtrText",
                         "Warning:  No DEFAULT Printer Driver Found!||Printing may not occur correctly (or at all)|"
                         "without a Default printer assigned.||Use CONTROL PANEL (PRINTERS) to set a|printer as "
                         "your Default.||Continue with report anyway?",
                         255);
  s.NothingToPrvwTitle = get("NothingToPrvwTitle", "NOTE...");
  s.NothingToPrvwText = get("NothingToPrvwText", "Nothing to Preview.");
  s.NothingToPrntTitle = get("NothingToPrntTitle", "NOTE...");
  s.NothingToPrntText = get("NothingToPrntText", "Nothing to Print.");
  s.AsciiOutTitle = get("AsciiOutTitle", "Save to what Filename?");
  s.AsciiOutMasks = get("AsciiOutMasks", "Text|*.TXT|All Files|*.*");
  s.DynLblErrTitle = get("DynLblErrTitle", "Problem!");
  s.DynLblErrText1 = get("DynLblErrText1", "Sorry!");
  s.DynLblErrText2 = get("DynLblErrText2", "||Does not support paper type:");
  return s;
}

}  // namespace printing
