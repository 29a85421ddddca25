// Parser of MCI command strings ("open mpegvideo!song.mp3 alias Mp3", "play Mp3 from 0 wait").
// Turns one text into a checked command or a result code; no state, so any thread may call it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace wdrt {

enum class MciVerb { Open, Play, Stop, Pause, Resume, Close, Status, Seek, Set };

enum class MciStatusItem { None, Mode, Length, Position, Ready };

enum class MciSeekTarget { None, Start, End, Position };

struct MciCommand {
  MciVerb verb = MciVerb::Open;
  // The device the command addresses: for open the alias it will have, otherwise its name.
  std::string device;
  // Open only: the device type ("mpegvideo", "waveaudio"; empty: decided by the file) and the file.
  std::string deviceType;
  std::string element;
  bool hasAlias = false;
  bool all = false;                  // close all
  std::optional<unsigned long> from; // play from, in milliseconds
  std::optional<unsigned long> to;   // play to, in milliseconds
  bool wait = false;
  bool notify = false;
  MciStatusItem statusItem = MciStatusItem::None;
  MciSeekTarget seekTarget = MciSeekTarget::None;
  unsigned long seekPosition = 0;
};

struct MciParseResult {
  unsigned long error = 0;  // 0, or one of the kMciErr codes
  MciCommand command;
};

MciParseResult ParseMciCommand(std::string_view text);

}  // namespace wdrt
