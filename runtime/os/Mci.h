// The MCI command-string service: mciSendString opens sound files under aliases and plays,
// pauses, stops, seeks and closes them; status answers mode, length and position. One device
// table serves the whole program; any thread may send commands (they are serialised).
#pragma once

#include <optional>
#include <string>

#include "runtime/os/MciErrors.h"

namespace wdrt {

// Carries out `command` and returns 0 or an error code (MciErrors.h). A status answer is copied
// into `returnText` (returnSize bytes with the terminating zero); other commands clear it.
// `callbackWindow` is accepted for compatibility; no completion notices are sent.
// Every command writes the journal line `mci "<command>" -> <code>`.
unsigned long mciSendString(const char* command, char* returnText, unsigned returnSize, void* callbackWindow);

// Where the sound open under an alias is: its file (as found on disk), the play position that
// the audio thread has reached, its length, and whether it is playing.
struct MciPlayback {
  std::string file;
  unsigned long positionMs = 0;
  unsigned long lengthMs = 0;
  bool playing = false;
};
// Nullopt when no device has the alias (any case). Unlike "status", writes no journal line:
// a read-along asks it many times a second.
std::optional<MciPlayback> MciPlaybackOf(const std::string& alias);

}  // namespace wdrt
