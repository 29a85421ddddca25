// The recording library (libwdrt_voice.so beside the runtime): microphone capture on Qt
// Multimedia and word times by PocketSphinx. Loaded on first use and kept for the process's
// life, so that programs that never record do not load those libraries at start. Any thread.
#pragma once

#include <string>
#include <vector>

#include "runtime/os/ForcedAlignment.h"

namespace wdrt {
class VoiceCapture;
}

namespace wdrt::voice {

// The library's entry points; null when it could not be loaded (`error` says why).
using CaptureLoop = void (*)(VoiceCapture& capture);
using Aligner = bool (*)(const std::vector<float>& samples, const std::vector<WordToAlign>& words,
                         std::vector<HeardWord>& heard, std::string& error);

struct Library {
  CaptureLoop capture = nullptr;
  Aligner align = nullptr;
  std::string error;
};

const Library& Load();

}  // namespace wdrt::voice
