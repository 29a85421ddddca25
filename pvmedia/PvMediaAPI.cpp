#include "pvmedia/PvMediaAPI.h"

#include <string>

#include "pvmedia/PvText.h"
#include "runtime/os/Mci.h"

namespace {

constexpr std::size_t kCommandBuffer = 128;  // 127 usable characters
constexpr std::size_t kTextBuffer = 128;

struct CommandOutcome {
  std::uint8_t status = 0;    // low 8 bits of the result code
  std::uint8_t textFlag = 0;  // 1 when the error text could be looked up
};

// Sends one command and reports any text the service gives back for its result code (the
// success text included) as a debug line of `self`.
CommandOutcome SendCommand(PvDebug& self, const std::string& command) {
  char returnText[kTextBuffer] = {};
  const unsigned long code = wdrt::mciSendString(command.c_str(), returnText, kTextBuffer, nullptr);
  CommandOutcome outcome;
  outcome.status = static_cast<std::uint8_t>(code & 0xFF);
  char errorText[kTextBuffer] = {};
  outcome.textFlag = wdrt::mciGetErrorString(code, errorText, kTextBuffer) ? 1 : 0;
  if (errorText[0] != '\0') {
    self.DbgMsg("MedApi Method Error: " + std::string(pv::TrimRight(errorText)), 0, 0, 0, 1);
  }
  return outcome;
}

std::uint8_t Decide(const CommandOutcome& last) {
  int failures = 0;
  if (last.status != 0) ++failures;
  if (last.textFlag != 1) ++failures;
  return failures == 0 ? 1 : 0;
}

}  // namespace

std::uint8_t PvMediaAPI::Play(std::string_view fileName) {
  try {
    std::string name(pv::TrimRight(fileName));
    // Unquoted, a blank would split the name into several words of the command.
    if (name.find(' ') != std::string::npos) name = '"' + name + '"';
    SendCommand(*this, pv::CutToBuffer("open mpegvideo!" + name + " alias Mp3", kCommandBuffer));
    return Decide(SendCommand(*this, "play Mp3"));
  } catch (...) {
    return 0;
  }
}

std::uint8_t PvMediaAPI::Stop() {
  try {
    SendCommand(*this, "stop Mp3");
    return Decide(SendCommand(*this, "close Mp3"));
  } catch (...) {
    return 0;
  }
}

std::uint8_t PvMediaAPI::MediaAPI(std::string_view fileName, std::uint8_t action) {
  switch (action) {
    case 1: return Play(fileName);
    case 2: return Stop();
    default: return 0;
  }
}
