// Sounds that start before they are decoded: the file is checked, its first frames are decoded
// on the caller's thread, and the program's one decoder thread fills in the rest while the
// sound plays, well ahead of the audio thread. A clip that nobody holds any more is dropped by
// the decoder. Any thread.
#pragma once

#include <string>

#include "runtime/os/AudioClip.h"

namespace wdrt {

// As LoadAudioClip (same errors for missing, damaged and cut files), but returns as soon as the
// first frames are ready. Formats whose completeness cannot be told without decoding them
// (all but MP3 and WAV) are decoded whole, as LoadAudioClip does.
AudioLoadResult OpenAudioStream(const std::string& path, AudioFormat format);

// Clips being filled by the decoder thread now (for tests).
int AudioStreamsDecoding();

}  // namespace wdrt
