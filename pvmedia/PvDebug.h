// PvDebug: the debug-output base class of the media library's classes. It writes lines
// "PV [n] : text" to the platform's debug-output channel when the object's debug level is set.
// DbgMsg uses only its arguments and the object's fields: any thread may call it.
#pragma once

#include <cstdint>
#include <string_view>

class PvDebug {
 public:
  // Slot 0. Writes `message` (trailing blanks removed, cut to 1010 characters) as one line when
  // DEBUGGING is non-zero or `force` is set. `raw` 1 writes the message alone; otherwise it is
  // prefixed "PV [n] : " with n taken from CLASSINSTANCENUMBER when `useOwnNumber` is non-zero,
  // else from `number`; a zero number gives "PV [?] : ".
  virtual void DbgMsg(std::string_view message, std::uint8_t raw, std::int32_t number, std::uint8_t force,
                      std::uint8_t useOwnNumber);

  // Sets DEBUGGING from the program's command line: "/debug0" gives 0, else "/debug1" 1, else
  // "/debug2" 2; without any of them the level stays. Then writes the level (forced).
  void _SetDebugLevel();

  std::int32_t CLASSINSTANCENUMBER = 0;
  std::uint8_t DEBUGGING = 0;
};
