#include "pvmedia/PvBrowser.h"

void PvBrowser::Kill(std::uint8_t /*final*/) {
  // No browser object holds shared resources yet, so there is nothing to release.
}
