// Checks of a sound file that need no decoding, so that a damaged file is refused before any
// of it plays: header values in range, a WAV data chunk cut short, an MP3 whose frames stop
// before the file's end. Pure functions; any thread.
#pragma once

#include <sndfile.h>

#include <memory>
#include <string>

namespace wdrt {

struct SndFileCloser {
  void operator()(SNDFILE* file) const { sf_close(file); }
};
using SndFilePtr = std::unique_ptr<SNDFILE, SndFileCloser>;

// Longest sound accepted: ten minutes keeps a decoded clip under a few hundred megabytes.
constexpr sf_count_t kMaxSoundSeconds = 600;

// Channels, rate and length that a clip can be made of.
bool HeaderUsable(const SF_INFO& info);

// libsndfile shortens a WAV whose data chunk is cut off to what is there and only notes it in
// its log ("data : 88200 (should be 29920)").
bool WaveDataCutShort(SNDFILE* file, const SF_INFO& info);

// Walks the MPEG audio frames of `bytes` (after an ID3v2 tag): true when they run on without a
// gap to the end of the file or to a closing tag, and there are as many as the encoder's
// "Xing"/"Info" header announces.
bool Mp3FramesComplete(const std::string& bytes);

}  // namespace wdrt
