// The program's one audio output: an SDL2 device opened on first use (SDL's dummy driver when
// no sound device can be opened, so playback still runs in real time) and the voices mixed
// into it. Voices are driven from any thread; mixing runs on SDL's audio thread.
#pragma once

#include <chrono>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>

#include "runtime/os/AudioClip.h"

namespace wdrt {

// Opens the output once for the whole program and returns its sample format, or nullopt when
// not even the dummy driver could be opened.
std::optional<AudioFormat> OpenAudioOutput();

// The program's volume, 0 (silent) to 100 (as recorded), for everything it plays from now on,
// including what already plays. Any thread.
void SetOutputVolume(int percent);
int OutputVolume();

// The SDL driver in use ("pulseaudio", "dummy", "disk" ...); empty before the output opens.
std::string AudioDriverName();

// Milliseconds from the last AudioVoice::Play to its first samples handed to the device.
std::optional<double> LastAudioStartLatency();

// One clip with a play position. The voice is mixed while playing; it stops by itself at the
// end of its range and keeps its position. Destroying the voice silences it at once.
class AudioVoice {
 public:
  explicit AudioVoice(std::shared_ptr<const AudioClip> clip);
  ~AudioVoice();
  AudioVoice(const AudioVoice&) = delete;
  AudioVoice& operator=(const AudioVoice&) = delete;

  const AudioClip& Clip() const { return *clip_; }

  // Plays frames [from, to) starting now; to is clamped to the clip's length.
  void Play(std::size_t fromFrame, std::size_t toFrame);
  // Stops playing; the position stays where the sound was.
  void Halt();
  // Stops playing and moves the position.
  void Seek(std::size_t frame);

  std::size_t Position() const;
  bool Playing() const;
  // Blocks while the voice plays, at most `timeout`. Returns true when it is no longer playing.
  bool WaitWhilePlaying(std::chrono::milliseconds timeout) const;

 private:
  friend struct AudioMixer;
  std::shared_ptr<const AudioClip> clip_;
  // Guarded by the mixer's lock.
  std::size_t position_ = 0;
  std::size_t end_ = 0;
  bool playing_ = false;
  bool startPending_ = false;
  std::chrono::steady_clock::time_point startRequested_{};
};

}  // namespace wdrt
