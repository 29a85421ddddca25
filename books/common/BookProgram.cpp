#include "books/common/BookProgram.h"

#include <string_view>

#include "books/common/BookGlobals.h"
#include "books/common/Frame.h"
#include "family/SuiteSettings.h"
#include "pvmedia/PvLifecycle.h"
#include "runtime/core/Journal.h"
#include "runtime/core/Runtime.h"
#include "runtime/data/Ini.h"
#include "runtime/os/SystemParameters.h"
#include "runtime/view/Program.h"

namespace book {

void BookMain() {
  BookGlobals& g = Globals();
  g.errors.Construct();
  g.settings.Init(g.book->iniFile);
  g.kiosk = g.kioskArgument || KioskChosen(g.book->iniFile);
  int dragFullWindows = 0;
  wdrt::SystemParametersInfoA(wdrt::SpiGetDragFullWindows, 0, &dragFullWindows, 0);
  if (dragFullWindows == 1)
    wdrt::SystemParametersInfoA(wdrt::SpiSetDragFullWindows, 0, nullptr, wdrt::SpifUpdateIniFile | wdrt::SpifSendChange);
  Amain();
  g.settings.OnShutdown();
  wdrt::JournalLine("pvdispose");
  PVDISPOSE();
  if (dragFullWindows == 1)
    wdrt::SystemParametersInfoA(wdrt::SpiSetDragFullWindows, 1, nullptr, wdrt::SpifUpdateIniFile | wdrt::SpifSendChange);
  g.settings.Kill();
  g.errors.Kill();
}

int RunBook(int argc, char** argv, const BookDef& book) {
  Globals().book = &book;
  for (int i = 1; i < argc; ++i)
    if (std::string_view(argv[i]) == "--kiosk") Globals().kioskArgument = true;
  return wdrt::RunProgram(argc, argv, [] { BookMain(); });
}

}  // namespace book
