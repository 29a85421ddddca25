#include "runtime/os/MciCommand.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <vector>

#include "runtime/os/MciErrors.h"

namespace wdrt {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool SameWord(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

// Splits at blanks; a quoted part ("my song.mp3") keeps its blanks and loses its quotes.
// A quote may start inside a word (mpegvideo!"my song.mp3") but must end one.
unsigned long Tokenize(std::string_view text, std::vector<std::string>& words) {
  std::size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && IsBlank(text[i])) ++i;
    if (i >= text.size()) break;
    std::string word;
    while (i < text.size() && !IsBlank(text[i])) {
      if (text[i] == '"') {
        const std::size_t close = text.find('"', i + 1);
        if (close == std::string_view::npos) return kMciErrNoClosingQuote;
        word.append(text.substr(i + 1, close - i - 1));
        i = close + 1;
        if (i < text.size() && !IsBlank(text[i])) return kMciErrExtraCharacters;
      } else {
        word += text[i++];
      }
    }
    words.push_back(std::move(word));
  }
  return kMciNoError;
}

std::optional<unsigned long> ParseNumber(std::string_view word) {
  unsigned long value = 0;
  auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), value);
  if (ec != std::errc() || end != word.data() + word.size()) return std::nullopt;
  return value;
}

bool IsKnownDeviceType(std::string_view type) {
  return SameWord(type, "mpegvideo") || SameWord(type, "waveaudio");
}

// Reads the flags shared by every command: wait and notify.
bool TakeCommonFlag(std::string_view word, MciCommand& command, unsigned long& error) {
  bool* flag = nullptr;
  if (SameWord(word, "wait")) flag = &command.wait;
  else if (SameWord(word, "notify")) flag = &command.notify;
  else return false;
  if (*flag) error = kMciErrDuplicateFlags;
  *flag = true;
  return true;
}

unsigned long ParseOpen(const std::vector<std::string>& words, MciCommand& command) {
  const std::string& target = words[1];
  if (const std::size_t bang = target.find('!'); bang != std::string::npos) {
    command.deviceType = target.substr(0, bang);
    command.element = target.substr(bang + 1);
    if (command.element.empty()) return kMciErrFilenameRequired;
  } else if (IsKnownDeviceType(target)) {
    // A device type alone names no file, and these devices only play files.
    return kMciErrFilenameRequired;
  } else {
    command.element = target;
  }
  bool hasType = false;
  for (std::size_t i = 2; i < words.size(); ++i) {
    unsigned long error = kMciNoError;
    if (TakeCommonFlag(words[i], command, error)) {
      if (error) return error;
    } else if (SameWord(words[i], "alias") || SameWord(words[i], "type")) {
      const bool isAlias = SameWord(words[i], "alias");
      if (i + 1 >= words.size() || words[i + 1].empty()) return kMciErrMissingStringArgument;
      if (isAlias ? command.hasAlias : hasType) return kMciErrDuplicateFlags;
      if (isAlias) {
        command.hasAlias = true;
        command.device = words[++i];
      } else {
        if (!command.deviceType.empty()) return kMciErrFlagsNotCompatible;
        hasType = true;
        command.deviceType = words[++i];
      }
    } else if (SameWord(words[i], "shareable")) {
      // Accepted and ignored: every device here may be addressed from any thread.
    } else {
      return kMciErrUnrecognizedKeyword;
    }
  }
  if (!command.deviceType.empty() && !IsKnownDeviceType(command.deviceType)) return kMciErrCannotLoadDriver;
  command.deviceType = Lower(command.deviceType);
  if (!command.hasAlias) command.device = command.element;
  return kMciNoError;
}

unsigned long ParseRange(const std::vector<std::string>& words, std::size_t& i, std::optional<unsigned long>& value) {
  if (value) return kMciErrDuplicateFlags;
  if (i + 1 >= words.size()) return kMciErrBadInteger;
  value = ParseNumber(words[++i]);
  return value ? kMciNoError : kMciErrBadInteger;
}

unsigned long ParseRest(MciVerb verb, const std::vector<std::string>& words, MciCommand& command) {
  for (std::size_t i = 2; i < words.size(); ++i) {
    unsigned long error = kMciNoError;
    const std::string& word = words[i];
    if (TakeCommonFlag(word, command, error)) {
      // Flags are checked below.
    } else if (verb == MciVerb::Play && SameWord(word, "from")) {
      error = ParseRange(words, i, command.from);
    } else if (verb == MciVerb::Play && SameWord(word, "to")) {
      error = ParseRange(words, i, command.to);
    } else if (verb == MciVerb::Status && command.statusItem == MciStatusItem::None &&
               (SameWord(word, "mode") || SameWord(word, "length") || SameWord(word, "position") ||
                SameWord(word, "ready"))) {
      command.statusItem = SameWord(word, "mode")     ? MciStatusItem::Mode
                           : SameWord(word, "length") ? MciStatusItem::Length
                           : SameWord(word, "ready")  ? MciStatusItem::Ready
                                                      : MciStatusItem::Position;
    } else if (verb == MciVerb::Seek && SameWord(word, "to")) {
      if (command.seekTarget != MciSeekTarget::None) return kMciErrDuplicateFlags;
      if (i + 1 >= words.size()) return kMciErrMissingParameter;
      const std::string& where = words[++i];
      if (SameWord(where, "start")) {
        command.seekTarget = MciSeekTarget::Start;
      } else if (SameWord(where, "end")) {
        command.seekTarget = MciSeekTarget::End;
      } else if (auto position = ParseNumber(where)) {
        command.seekTarget = MciSeekTarget::Position;
        command.seekPosition = *position;
      } else {
        return kMciErrBadInteger;
      }
    } else if (verb == MciVerb::Set && SameWord(word, "time") && i + 2 < words.size() &&
               SameWord(words[i + 1], "format")) {
      // Positions are always in milliseconds; other formats are refused.
      const std::string& format = words[i + 2];
      if (!SameWord(format, "milliseconds") && !SameWord(format, "ms")) return kMciErrBadTimeFormat;
      i += 2;
    } else {
      return kMciErrUnrecognizedKeyword;
    }
    if (error) return error;
  }
  if (verb == MciVerb::Status && command.statusItem == MciStatusItem::None) return kMciErrMissingParameter;
  if (verb == MciVerb::Seek && command.seekTarget == MciSeekTarget::None) return kMciErrMissingParameter;
  if (command.from && command.to && *command.to < *command.from) return kMciErrOutOfRange;
  return kMciNoError;
}

}  // namespace

MciParseResult ParseMciCommand(std::string_view text) {
  MciParseResult result;
  std::vector<std::string> words;
  if ((result.error = Tokenize(text, words))) return result;
  if (words.empty()) {
    result.error = kMciErrMissingCommandString;
    return result;
  }
  static constexpr std::pair<std::string_view, MciVerb> kVerbs[] = {
      {"open", MciVerb::Open},     {"play", MciVerb::Play},   {"stop", MciVerb::Stop},
      {"pause", MciVerb::Pause},   {"resume", MciVerb::Resume}, {"close", MciVerb::Close},
      {"status", MciVerb::Status}, {"seek", MciVerb::Seek},   {"set", MciVerb::Set},
  };
  const auto verb = std::find_if(std::begin(kVerbs), std::end(kVerbs),
                                 [&](const auto& entry) { return SameWord(entry.first, words[0]); });
  if (verb == std::end(kVerbs)) {
    result.error = kMciErrUnrecognizedCommand;
    return result;
  }
  MciCommand& command = result.command;
  command.verb = verb->second;
  if (words.size() < 2 || words[1].empty()) {
    result.error = command.verb == MciVerb::Open ? kMciErrFilenameRequired : kMciErrMissingDeviceName;
    return result;
  }
  if (command.verb == MciVerb::Open) {
    result.error = ParseOpen(words, command);
    return result;
  }
  command.device = words[1];
  if (SameWord(command.device, "all")) {
    if (command.verb != MciVerb::Close) {
      result.error = kMciErrUnsupportedFunction;
      return result;
    }
    command.all = true;
  }
  result.error = ParseRest(command.verb, words, command);
  return result;
}

}  // namespace wdrt
