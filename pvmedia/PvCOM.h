// PvCOM: base of the browser class, whose control lives in the library's own container.
// Its Kill lowers the object count and runs PvMaster's; it keeps no log and is never busy.
#pragma once

#include "pvmedia/PvMaster.h"

class PvCOM : public PvMaster {
 public:
  void Kill() override;                 // 19
  virtual void UseLogFile();            // 24: does nothing
  virtual std::uint8_t Busy();          // 25: always 0
};
