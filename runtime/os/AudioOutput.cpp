#include "runtime/os/AudioOutput.h"

#include "runtime/os/SdlAudioLibrary.h"


#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <vector>

namespace wdrt {

// The state shared between the callers and SDL's audio thread. It is never destroyed: the
// audio thread may still run while the process exits.
struct AudioMixer {
  std::mutex mutex;  // guards voices, every voice's state and lastLatency
  std::condition_variable changed;
  std::vector<AudioVoice*> voices;
  std::optional<double> lastLatency;
  std::atomic<float> gain{1.0f};  // the program's volume, applied as the voices are mixed

  std::mutex deviceMutex;  // guards the fields below; never taken by the audio thread
  SDL_AudioDeviceID device = 0;
  bool deviceTried = false;
  bool running = false;
  AudioFormat format;
  std::string driver;

  static AudioMixer& Get() {
    static auto* mixer = new AudioMixer;
    return *mixer;
  }

  static void Callback(void* userdata, Uint8* stream, int length) {
    static_cast<AudioMixer*>(userdata)->Mix(reinterpret_cast<float*>(stream),
                                            static_cast<std::size_t>(length) / sizeof(float));
  }

  void Mix(float* out, std::size_t samples) {
    std::fill(out, out + samples, 0.0f);
    bool ended = false;
    std::lock_guard lock(mutex);
    const auto now = std::chrono::steady_clock::now();
    for (AudioVoice* voice : voices) {
      if (!voice->playing_) continue;
      const std::size_t channels = static_cast<std::size_t>(voice->clip_->Format().channels);
      // A clip still being decoded plays what is there; a voice that catches up with the
      // decoder waits in silence, keeping its place, for the next frames.
      const std::size_t ready = std::min(voice->end_, voice->clip_->FramesReady());
      const std::size_t frames = voice->position_ < ready ? std::min(samples / channels, ready - voice->position_) : 0;
      const float* source = voice->clip_->Frame(voice->position_);
      const float level = gain.load(std::memory_order_relaxed);
      for (std::size_t i = 0; i < frames * channels; ++i) out[i] += source[i] * level;
      voice->position_ += frames;
      if (voice->startPending_ && frames > 0) {
        voice->startPending_ = false;
        lastLatency = std::chrono::duration<double, std::milli>(now - voice->startRequested_).count();
      }
      if (voice->position_ >= voice->end_) {
        voice->playing_ = false;
        ended = true;
      }
    }
    for (std::size_t i = 0; i < samples; ++i) out[i] = std::clamp(out[i], -1.0f, 1.0f);
    if (ended) changed.notify_all();
  }

  SDL_AudioDeviceID OpenWithCurrentDriver(SDL_AudioSpec& have) {
    if (!SdlAudio().loaded || SdlAudio().SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return 0;
    SDL_AudioSpec want{};
    want.freq = 48000;
    want.format = AUDIO_F32SYS;
    want.channels = 2;
    want.samples = 480;  // 10 ms: drivers that pace themselves by the buffer keep real time
    want.callback = &AudioMixer::Callback;
    want.userdata = this;
    SDL_AudioDeviceID id = SdlAudio().SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (id == 0) SdlAudio().SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return id;
  }

  std::optional<AudioFormat> Open() {
    std::lock_guard lock(deviceMutex);
    if (!deviceTried) {
      deviceTried = true;
      SDL_AudioSpec have{};
      device = OpenWithCurrentDriver(have);
      if (device == 0 && SdlAudio().loaded) {
        // No sound device: the dummy driver consumes the sound in real time all the same.
        // Override, because SDL otherwise prefers an SDL_AUDIODRIVER variable to the hint.
        SdlAudio().SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, "dummy", SDL_HINT_OVERRIDE);
        device = OpenWithCurrentDriver(have);
      }
      if (device != 0) {
        format = AudioFormat{have.freq, have.channels};
        if (const char* name = SdlAudio().SDL_GetCurrentAudioDriver()) driver = name;
      }
    }
    if (device == 0) return std::nullopt;
    return format;
  }

  // Runs the device while any voice plays and pauses it otherwise, so an idle program uses no
  // CPU for sound. Deciding under deviceMutex makes the last caller see every earlier change.
  void UpdateRunning() {
    std::lock_guard lock(deviceMutex);
    const bool run = AnyPlaying();
    if (device == 0 || running == run) return;
    running = run;
    SdlAudio().SDL_PauseAudioDevice(device, run ? 0 : 1);
  }

  bool AnyPlaying() {
    std::lock_guard lock(mutex);
    return std::any_of(voices.begin(), voices.end(), [](AudioVoice* voice) { return voice->playing_; });
  }
};

std::optional<AudioFormat> OpenAudioOutput() { return AudioMixer::Get().Open(); }

void SetOutputVolume(int percent) {
  const int clamped = std::clamp(percent, 0, 100);
  AudioMixer::Get().gain.store(static_cast<float>(clamped) / 100.0f, std::memory_order_relaxed);
}

int OutputVolume() { return static_cast<int>(AudioMixer::Get().gain.load(std::memory_order_relaxed) * 100.0f + 0.5f); }

std::string AudioDriverName() {
  AudioMixer& mixer = AudioMixer::Get();
  std::lock_guard lock(mixer.deviceMutex);
  return mixer.driver;
}

std::optional<double> LastAudioStartLatency() {
  AudioMixer& mixer = AudioMixer::Get();
  std::lock_guard lock(mixer.mutex);
  return mixer.lastLatency;
}

AudioVoice::AudioVoice(std::shared_ptr<const AudioClip> clip) : clip_(std::move(clip)) {
  AudioMixer& mixer = AudioMixer::Get();
  std::lock_guard lock(mixer.mutex);
  end_ = clip_->Frames();
  mixer.voices.push_back(this);
}

AudioVoice::~AudioVoice() {
  AudioMixer& mixer = AudioMixer::Get();
  {
    std::lock_guard lock(mixer.mutex);
    std::erase(mixer.voices, this);
    playing_ = false;
  }
  mixer.changed.notify_all();
  mixer.UpdateRunning();
}

void AudioVoice::Play(std::size_t fromFrame, std::size_t toFrame) {
  AudioMixer& mixer = AudioMixer::Get();
  {
    std::lock_guard lock(mixer.mutex);
    end_ = std::min(toFrame, clip_->Frames());
    position_ = std::min(fromFrame, end_);
    playing_ = position_ < end_;
    startPending_ = playing_;
    startRequested_ = std::chrono::steady_clock::now();
  }
  mixer.changed.notify_all();
  mixer.UpdateRunning();
}

void AudioVoice::Halt() {
  AudioMixer& mixer = AudioMixer::Get();
  {
    std::lock_guard lock(mixer.mutex);
    playing_ = false;
    startPending_ = false;
  }
  mixer.changed.notify_all();
  mixer.UpdateRunning();
}

void AudioVoice::Seek(std::size_t frame) {
  AudioMixer& mixer = AudioMixer::Get();
  {
    std::lock_guard lock(mixer.mutex);
    playing_ = false;
    startPending_ = false;
    position_ = std::min(frame, clip_->Frames());
  }
  mixer.changed.notify_all();
  mixer.UpdateRunning();
}

std::size_t AudioVoice::Position() const {
  AudioMixer& mixer = AudioMixer::Get();
  std::lock_guard lock(mixer.mutex);
  return position_;
}

bool AudioVoice::Playing() const {
  AudioMixer& mixer = AudioMixer::Get();
  std::lock_guard lock(mixer.mutex);
  return playing_;
}

bool AudioVoice::WaitWhilePlaying(std::chrono::milliseconds timeout) const {
  AudioMixer& mixer = AudioMixer::Get();
  std::unique_lock lock(mixer.mutex);
  return mixer.changed.wait_for(lock, timeout, [this] { return !playing_; });
}

}  // namespace wdrt
