// PvMediaAPI: plays one sound file at a time through the MCI command-string service under the
// program-wide alias "Mp3" (Play), and stops and closes it (Stop). Instances hold no state;
// the device is shared by the whole program, so any thread may call them.
#pragma once

#include <cstdint>
#include <string_view>

#include "pvmedia/PvDebug.h"

class PvMediaAPI : public PvDebug {
 public:
  // Slot 1. Opens `fileName` as "Mp3" and starts it without waiting. 1 when the final
  // "play Mp3" succeeded, else 0. A name holding a blank is sent quoted so that it can play.
  virtual std::uint8_t Play(std::string_view fileName);
  // Slot 2. Stops and closes "Mp3". 1 when the final "close Mp3" succeeded, else 0.
  virtual std::uint8_t Stop();
  // Slot 3. Action 1 plays `fileName`, 2 stops (the name is ignored), any other does nothing
  // and gives 0. Goes through the method table, so overrides are honoured.
  virtual std::uint8_t MediaAPI(std::string_view fileName, std::uint8_t action);
};
