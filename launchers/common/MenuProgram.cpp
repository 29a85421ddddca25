#include "launchers/common/MenuProgram.h"

#include "launchers/common/MenuGlobals.h"
#include "pvmedia/PvLifecycle.h"
#include "runtime/core/Journal.h"
#include "runtime/os/Process.h"
#include "runtime/os/SystemParameters.h"
#include "runtime/view/Program.h"

namespace menus {

MenuGlobals& Globals() {
  static MenuGlobals* globals = new MenuGlobals;  // never destroyed: threads may outlive main()
  return *globals;
}

namespace {

void MenuMain(const std::string& iniFile, const std::function<void()>& menu) {
  MenuGlobals& g = Globals();
  g.helpFile = "bookhelp.hlp";
  g.errors.Construct();
  g.settings.Init(iniFile);
  PVINIT("2.4e");
  std::string name = iniFile.substr(0, iniFile.find('.'));
  g.applicationName = name.substr(0, 64);
  int dragFullWindows = 0;
  wdrt::SystemParametersInfoA(wdrt::SpiGetDragFullWindows, 0, &dragFullWindows, 0);
  if (dragFullWindows == 1)
    wdrt::SystemParametersInfoA(wdrt::SpiSetDragFullWindows, 0, nullptr, wdrt::SpifUpdateIniFile | wdrt::SpifSendChange);
  menu();
  g.settings.OnShutdown();
  wdrt::JournalLine("pvdispose");
  PVDISPOSE();
  if (dragFullWindows == 1)
    wdrt::SystemParametersInfoA(wdrt::SpiSetDragFullWindows, 1, nullptr, wdrt::SpifUpdateIniFile | wdrt::SpifSendChange);
  g.settings.Kill();
  g.errors.Kill();
}

}  // namespace

int RunMenuProgram(int argc, char** argv, const std::string& iniFile, std::function<void()> menu) {
  return wdrt::RunProgram(argc, argv, [iniFile, menu = std::move(menu)] { MenuMain(iniFile, menu); });
}

}  // namespace menus
