// The program-wide state of a menu program: its error manager, settings manager, request and
// response variables and help file. Created before the first window and alive until the
// program ends; any procedure thread.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>

#include "framework/ErrorManager.h"
#include "framework/IniManager.h"

namespace menus {

struct MenuGlobals {
  ErrorManager errors;
  IniManager settings;
  // Written by every procedure's Init and Run; nothing decides on them.
  std::atomic<std::uint8_t> GlobalRequest{0};
  std::atomic<std::uint8_t> GlobalResponse{0};
  std::int32_t VCRRequest = 0;
  std::string helpFile;         // set at start-up, read by the Help menu
  std::string applicationName;  // the application's name, noted at start-up (64 characters)
};

MenuGlobals& Globals();

}  // namespace menus
