// The texts that report procedures show (progress window, questions, notes), read once from
// section "DISPLAY STRINGS 2.0" of a settings file ("WIN.INI" when none is named), each with
// its default. Nothing writes them. Any thread.
#pragma once

#include <string>

namespace printing {

struct ReportDisplayStrings {
  std::string ProgWinTitlePrvw;
  std::string ProgWinTitlePrnt;
  std::string ProgWinPctText;
  std::string ProgWinRecText;
  std::string ProgWinUsrText;
  std::string PrinterDlgTitle;
  std::string AskPrvwDialogTitle;
  std::string AskPrvwDialogText;
  std::string CancelAreYouSureTitle;
  std::string CancelAreYouSureText;
  std::string CancelPrvwPartialTitle;
  std::string CancelPrvwPartialText;   // 128 characters
  std::string NoDfltPrtrTitle;
  std::string NoDfltPrtrText;          // 255 characters
  std::string NothingToPrvwTitle;
  std::string NothingToPrvwText;
  std::string NothingToPrntTitle;
  std::string NothingToPrntText;
  std::string AsciiOutTitle;
  std::string AsciiOutMasks;
  std::string DynLblErrTitle;
  std::string DynLblErrText1;
  std::string DynLblErrText2;
};

// `userText`, `askTitle` and `askText` are the caller's defaults of those three strings.
ReportDisplayStrings LoadReportDisplayStrings(const std::string& iniFile, const std::string& userText,
                                              const std::string& askTitle, const std::string& askText);

}  // namespace printing
