// PvBrowser: the browser control-host class. For now only what PVDISPOSE needs of it: a
// debug object whose Kill releases the per-thread browser objects (there are none yet).
// The object's own thread calls it.
#pragma once

#include <cstdint>

#include "pvmedia/PvDebug.h"

class PvBrowser : public PvDebug {
 public:
  // Releases this object's resources, then the calling thread's shared browser objects and,
  // with `final` 1, those of every thread.
  void Kill(std::uint8_t final);
};
