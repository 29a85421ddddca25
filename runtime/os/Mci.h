// The MCI command-string service: mciSendString opens sound files under aliases and plays,
// pauses, stops, seeks and closes them; status answers mode, length and position. One device
// table serves the whole program; any thread may send commands (they are serialised).
#pragma once

#include "runtime/os/MciErrors.h"

namespace wdrt {

// Carries out `command` and returns 0 or an error code (MciErrors.h). A status answer is copied
// into `returnText` (returnSize bytes with the terminating zero); other commands clear it.
// `callbackWindow` is accepted for compatibility; no completion notices are sent.
// Every command writes the journal line `mci "<command>" -> <code>`.
unsigned long mciSendString(const char* command, char* returnText, unsigned returnSize, void* callbackWindow);

}  // namespace wdrt
