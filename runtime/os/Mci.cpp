#include "runtime/os/Mci.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstring>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "runtime/core/Journal.h"
#include "runtime/os/AudioOutput.h"
#include "runtime/os/AudioStream.h"
#include "runtime/os/MciCommand.h"
#include "runtime/os/Paths.h"

namespace wdrt {
namespace {

struct OpenDevice {
  std::string alias;
  std::string file;
  std::shared_ptr<AudioVoice> voice;
  bool paused = false;  // stopped by "pause", so "resume" may go on
};

// The program's device table. Commands hold `mutex` for their whole run except the opening of
// a file and the waiting of "play ... wait", so a slow file never blocks other threads.
struct DeviceTable {
  std::mutex mutex;
  std::vector<OpenDevice> devices;

  static DeviceTable& Get() {
    static auto* table = new DeviceTable;  // never destroyed: sounds may outlive main()
    return *table;
  }

  OpenDevice* Find(const std::string& alias) {
    auto it = std::find_if(devices.begin(), devices.end(), [&](const OpenDevice& device) {
      return device.alias.size() == alias.size() &&
             std::equal(alias.begin(), alias.end(), device.alias.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
             });
    });
    return it == devices.end() ? nullptr : &*it;
  }
};

struct Outcome {
  unsigned long code = kMciNoError;
  std::string answer;
};

// Windows names may use backslashes; the folder separator here is the slash.
std::string LocalName(std::string name) {
  std::replace(name.begin(), name.end(), '\\', '/');
  return name;
}

Outcome Open(const MciCommand& command) {
  DeviceTable& table = DeviceTable::Get();
  {
    std::lock_guard lock(table.mutex);
    if (table.Find(command.device)) return {kMciErrDuplicateAlias, {}};
  }
  const std::optional<std::string> path = FindFileAnyCase(LocalName(command.element));
  if (!path) return {kMciErrFileNotFound, {}};
  const std::optional<AudioFormat> format = OpenAudioOutput();
  if (!format) return {kMciErrHardware, {}};
  AudioLoadResult loaded = OpenAudioStream(*path, *format);
  switch (loaded.error) {
    case AudioLoadError::None: break;
    case AudioLoadError::NotFound: return {kMciErrFileNotFound, {}};
    case AudioLoadError::Invalid: return {kMciErrInvalidFile, {}};
    case AudioLoadError::OutOfMemory: return {kMciErrOutOfMemory, {}};
  }
  auto voice = std::make_shared<AudioVoice>(std::move(loaded.clip));
  std::lock_guard lock(table.mutex);
  // Another thread may have taken the alias while the file was decoded.
  if (table.Find(command.device)) return {kMciErrDuplicateAlias, {}};
  table.devices.push_back(OpenDevice{command.device, *path, std::move(voice)});
  return {};
}

std::string ModeOf(const OpenDevice& device) {
  if (device.voice->Playing()) return "playing";
  return device.paused ? "paused" : "stopped";
}

// Runs every command but open. `waitFor` receives the voice that "play ... wait" waits for.
Outcome RunOnDevice(const MciCommand& command, std::shared_ptr<AudioVoice>& waitFor) {
  DeviceTable& table = DeviceTable::Get();
  std::unique_lock lock(table.mutex);
  if (command.all) {  // close all
    std::vector<OpenDevice> closing;
    closing.swap(table.devices);
    lock.unlock();
    for (OpenDevice& device : closing) device.voice->Halt();
    return {};
  }
  OpenDevice* device = table.Find(command.device);
  if (!device) return {kMciErrInvalidDeviceName, {}};
  AudioVoice& voice = *device->voice;
  const AudioClip& clip = voice.Clip();
  switch (command.verb) {
    case MciVerb::Play: {
      const std::size_t from = command.from ? clip.FramesOf(*command.from) : voice.Position();
      const std::size_t to = command.to ? clip.FramesOf(*command.to) : clip.Frames();
      if (from > clip.Frames() || to > clip.Frames()) return {kMciErrOutOfRange, {}};
      voice.Play(from, to);
      device->paused = false;
      if (command.wait) waitFor = device->voice;
      return {};
    }
    case MciVerb::Stop:
      voice.Halt();
      device->paused = false;
      return {};
    case MciVerb::Pause:
      if (voice.Playing()) device->paused = true;
      voice.Halt();
      return {};
    case MciVerb::Resume:
      if (device->paused) voice.Play(voice.Position(), clip.Frames());
      device->paused = false;
      return {};
    case MciVerb::Seek: {
      std::size_t frame = 0;
      if (command.seekTarget == MciSeekTarget::End) frame = clip.Frames();
      if (command.seekTarget == MciSeekTarget::Position) {
        frame = clip.FramesOf(command.seekPosition);
        if (frame > clip.Frames()) return {kMciErrOutOfRange, {}};
      }
      voice.Seek(frame);
      device->paused = false;
      return {};
    }
    case MciVerb::Status:
      switch (command.statusItem) {
        case MciStatusItem::Mode: return {kMciNoError, ModeOf(*device)};
        case MciStatusItem::Length: return {kMciNoError, std::to_string(clip.MillisecondsOf(clip.Frames()))};
        case MciStatusItem::Position: return {kMciNoError, std::to_string(clip.MillisecondsOf(voice.Position()))};
        case MciStatusItem::Ready: return {kMciNoError, "true"};
        case MciStatusItem::None: break;
      }
      return {kMciErrMissingParameter, {}};
    case MciVerb::Set:
      return {};
    case MciVerb::Close: {
      auto it = table.devices.begin() + (device - table.devices.data());
      OpenDevice closing = std::move(*it);
      table.devices.erase(it);
      lock.unlock();
      closing.voice->Halt();  // also ends a "play ... wait" of another thread
      return {};
    }
    case MciVerb::Open: break;
  }
  return {kMciErrUnrecognizedCommand, {}};
}

Outcome Run(const char* text) {
  if (!text) return {kMciErrMissingCommandString, {}};
  MciParseResult parsed = ParseMciCommand(text);
  if (parsed.error) return {parsed.error, {}};
  if (parsed.command.verb == MciVerb::Open) return Open(parsed.command);
  std::shared_ptr<AudioVoice> waitFor;
  Outcome outcome = RunOnDevice(parsed.command, waitFor);
  // "wait" blocks this caller only, without the table lock; stop or close from another thread
  // ends the wait, as does the end of the sound.
  if (waitFor) {
    while (!waitFor->WaitWhilePlaying(std::chrono::seconds(1))) {
    }
  }
  return outcome;
}

}  // namespace

std::optional<MciPlayback> MciPlaybackOf(const std::string& alias) {
  DeviceTable& table = DeviceTable::Get();
  std::lock_guard lock(table.mutex);
  const OpenDevice* device = table.Find(alias);
  if (!device) return std::nullopt;
  const AudioVoice& voice = *device->voice;
  const AudioClip& clip = voice.Clip();
  return MciPlayback{device->file, clip.MillisecondsOf(voice.Position()), clip.MillisecondsOf(clip.Frames()),
                     voice.Playing()};
}

unsigned long mciSendString(const char* command, char* returnText, unsigned returnSize, void* /*callbackWindow*/) {
  if (returnText && returnSize > 0) returnText[0] = '\0';
  Outcome outcome;
  try {
    outcome = Run(command);
  } catch (const std::bad_alloc&) {
    outcome = {kMciErrOutOfMemory, {}};
  } catch (...) {
    outcome = {kMciErrHardware, {}};
  }
  if (outcome.code == kMciNoError && !outcome.answer.empty() && returnText && returnSize > 0) {
    if (outcome.answer.size() >= returnSize) {
      outcome.code = kMciErrParamOverflow;
    } else {
      std::memcpy(returnText, outcome.answer.c_str(), outcome.answer.size() + 1);
    }
  }
  JournalLine("mci " + JournalQuote(command ? command : "") + " -> " + std::to_string(outcome.code));
  return outcome.code;
}

}  // namespace wdrt
