// Fuzz target of the MCI command-string parser: any bytes must give a command or a known
// result code, never a crash, and a parsed command must be consistent.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "runtime/os/MciCommand.h"
#include "runtime/os/MciErrors.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const wdrt::MciParseResult result = wdrt::ParseMciCommand(text);
  char message[128];
  if (!wdrt::mciGetErrorString(result.error, message, sizeof message)) std::abort();
  if (result.error == wdrt::kMciNoError) {
    const wdrt::MciCommand& command = result.command;
    if (command.device.empty()) std::abort();
    if (command.verb == wdrt::MciVerb::Open && command.element.empty()) std::abort();
    if (command.from && command.to && *command.to < *command.from) std::abort();
  }
  return 0;
}
