#include "runtime/os/SystemParameters.h"

#include <string>

#include "runtime/core/Journal.h"
#include "runtime/data/Ini.h"

namespace wdrt {
namespace {

constexpr char kFile[] = "desktop.INI";
constexpr char kSection[] = "Desktop";
constexpr char kDragKey[] = "DragFullWindows";

}  // namespace

bool SystemParametersInfoA(unsigned action, unsigned parameter, int* value, unsigned flags) {
  switch (action) {
    case SpiGetDragFullWindows:
      if (value) *value = GetIni(kSection, kDragKey, "1", kFile) == "0" ? 0 : 1;
      return true;
    case SpiSetDragFullWindows: {
      const std::string text = parameter ? "1" : "0";
      JournalLine("sysparam set 37 " + text);
      // Without "update the user profile" the change would last only for this session; the
      // file is the profile, so it is written in both cases.
      (void)flags;
      return PutIni(kSection, kDragKey, text, kFile);
    }
    default:
      return false;
  }
}

}  // namespace wdrt
