#include "framework/StandardWarning.h"

#include "runtime/core/Events.h"
#include "runtime/data/ErrorState.h"
#include "runtime/dialogs/Message.h"
#include "runtime/os/Process.h"

namespace {

constexpr std::size_t kErrorTextLimit = 150;

std::string TrimRight(std::string text) {
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

// Shows an OK warning, then ends the program with `exitMessage`.
[[noreturn]] void WarnAndHalt(const std::string& text, const std::string& title, const std::string& exitMessage) {
  wdrt::Message(text, title, wdrt::IconExclamation, wdrt::ButtonOk, wdrt::ButtonOk);
  wdrt::Halt(kWarningHaltCode, exitMessage);
}

}  // namespace

std::string StandardWarningErrorText() {
  std::string text;
  if (wdrt::ErrorCode() == wdrt::ErrDriver)
    text = TrimRight(wdrt::FileErrorText()) + " (" + wdrt::FileErrorCode() + ")";
  else
    text = TrimRight(wdrt::ErrorText()) + " (" + std::to_string(wdrt::ErrorCode()) + ")";
  if (text.size() > kErrorTextLimit) text.resize(kErrorTextLimit);
  return text;
}

int StandardWarning(int number, const std::string& fileText, const std::string& extraText) {
  (void)extraText;  // always empty in the book programs
  const std::string error = StandardWarningErrorText();
  const std::string file = TrimRight(fileText);
  switch (number) {
    case WarnInvalidFile:
      WarnAndHalt("Error: (" + error + ") accessing " + file + ".  Press OK to end this application.",
                  "Invalid File", "Invalid File!");
    case WarnInvalidKey: {
      const int button = wdrt::Message(file + " key file is invalid.  Do you want to rebuild the key?", "Invalid Key",
                                       wdrt::IconQuestion, wdrt::ButtonYes | wdrt::ButtonNo, wdrt::ButtonYes);
      if (button != wdrt::ButtonYes) wdrt::Halt(kWarningHaltCode, "Invalid Key!");
      return wdrt::ButtonYes;
    }
    case WarnRebuildError:
      WarnAndHalt("Error: (" + error + ") repairing key for " + file + ".  Press OK to end this application.",
                  "Key Rebuild Error", "Error Rebuilding Key!");
    case WarnCreateError:
      WarnAndHalt("Error: (" + error + ") creating " + file + ".  Press OK to end this application.",
                  "File Creation Error", "File Creation Error!");
    case WarnCreateOpenError:
      WarnAndHalt("Error: (" + error + ") opening created file:" + file + ".  Press OK to end this application.",
                  "File Creation Error", "File Creation Error!");
    case WarnFileAccess:
      return wdrt::Message("File (" + file + ") could not be opened.  Error: " + error + ".", "File Access Error",
                           wdrt::IconExclamation, wdrt::ButtonOk, wdrt::ButtonOk);
    case WarnRecordRetrieval:
      return wdrt::Message("Error: (" + error + ") attempting to access a record from the " + file +
                               " file.  Returning to previous window.",
                           "Record Retrieval Error", wdrt::IconExclamation, wdrt::ButtonOk, wdrt::ButtonOk);
    case WarnViewOpen:
      return wdrt::Message("Error: (" + error + ") attempting to open the current VIEW. Filter and Range Limits ignored.",
                           "View Open Error", wdrt::IconExclamation, wdrt::ButtonOk, wdrt::ButtonOk);
    default:
      return 0;
  }
}
