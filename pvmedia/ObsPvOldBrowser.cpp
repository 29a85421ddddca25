#include "pvmedia/ObsPvOldBrowser.h"

void ObsPvOldBrowser::Init() {
  // Counts the object without numbering it and without the wrap of the other classes.
  const std::int32_t count = ++InstanceCounter;
  DbgMsg("PvOldBrowser::Init - Set InstanceCounter to " + std::to_string(count), 0, 0, 0, 1);
}
