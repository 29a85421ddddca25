#include "pvmedia/PvCOM.h"

void PvCOM::Kill() {
  const std::int32_t count = --InstanceCounter;
  DbgMsg("PvCOM::Kill - Set InstanceCounter to " + std::to_string(count), 0, 0, 0, 1);
  DbgMsg("PvCOM::Kill - calling parent.kill", 0, 0, 0, 1);
  PvMaster::Kill();
  DbgMsg("PvCOM::Kill - calling parent.kill  - done!", 0, 0, 0, 1);
}

void PvCOM::UseLogFile() {}

std::uint8_t PvCOM::Busy() { return 0; }
