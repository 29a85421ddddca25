// BEEP: a short tone through the program's sound device, mixed over whatever else plays.
// Returns at once; any thread.
#pragma once

namespace wdrt {

// Plays the tone; returns false when there is no sound output at all.
bool Beep();

}  // namespace wdrt
