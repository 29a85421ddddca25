#include "pvmedia/PvDebug.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "pvmedia/PvText.h"
#include "runtime/os/DebugOutput.h"
#include "runtime/os/Process.h"

namespace {

constexpr std::size_t kMaxMessage = 1010;
constexpr std::size_t kLineBuffer = 1024;  // with its terminating zero

bool HasSwitch(const std::vector<std::string>& arguments, std::string_view wanted) {
  return std::any_of(arguments.begin(), arguments.end(), [&](const std::string& argument) {
    return argument.size() == wanted.size() &&
           std::equal(argument.begin(), argument.end(), wanted.begin(), [](char a, char b) {
             return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
           });
  });
}

}  // namespace

void PvDebug::DbgMsg(std::string_view message, std::uint8_t raw, std::int32_t number, std::uint8_t force,
                     std::uint8_t useOwnNumber) {
  try {
    if (DEBUGGING == 0 && force == 0) return;
    std::string_view text = pv::TrimRight(message);
    text = text.substr(0, kMaxMessage);
    std::string line;
    if (raw == 1) {
      line = text;
    } else {
      const std::int32_t shown = useOwnNumber != 0 ? CLASSINSTANCENUMBER : number;
      line = shown != 0 ? "PV [" + std::to_string(shown) + "] : " : "PV [?] : ";
      line += text;
    }
    line += "\r\n";
    line.resize(std::min(line.size(), kLineBuffer - 1));
    wdrt::OutputDebugStringA(line.c_str());
  } catch (...) {
    // Debug output is best effort.
  }
}

void PvDebug::_SetDebugLevel() {
  try {
    const std::vector<std::string> arguments = wdrt::CommandArguments();
    if (HasSwitch(arguments, "/debug0")) {
      DEBUGGING = 0;
    } else if (HasSwitch(arguments, "/debug1")) {
      DEBUGGING = 1;
    } else if (HasSwitch(arguments, "/debug2")) {
      DEBUGGING = 2;
    }
    DbgMsg("PvDebug::SetDebugging = " + std::to_string(DEBUGGING), 0, 0, 1, 1);
  } catch (...) {
  }
}
