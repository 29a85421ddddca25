#include "pvmedia/PvLifecycle.h"

#include <mutex>

#include "pvmedia/PvBrowser.h"
#include "pvmedia/PvText.h"

namespace {

constexpr std::size_t kTemplateVersionLength = 15;
constexpr std::size_t kLineBuffer = 128;

// Written by PVINIT on the main thread, read by PV_CLASSVERSION from any thread. Both are
// constant-initialised, so the load-time PVINIT may use them whatever the order of start-up.
std::mutex templateVersionMutex;
char templateVersion[kTemplateVersionLength + 1] = {};

void ForcedLine(PvDebug& debug, const std::string& text) {
  debug.DbgMsg(pv::CutToBuffer(text, kLineBuffer), 1, 0, 1, 0);
}

}  // namespace

void PVINIT(std::string_view version) {
  try {
    std::string stored;
    {
      std::lock_guard lock(templateVersionMutex);
      const std::size_t length = std::min(version.size(), kTemplateVersionLength);
      version.copy(templateVersion, length);
      templateVersion[length] = '\0';
      stored = templateVersion;
    }
    PvDebug debug{};
    ForcedLine(debug, "[Panoview] pvInit::Version = " + std::string(kPvClassVersion));
    ForcedLine(debug, "[Panoview] pvInit::DLL_Version = " + std::to_string(kPvLibraryVersion));
    ForcedLine(debug, "[Panoview] pvInit::Template_Version = " + stored);
  } catch (...) {
  }
}

void PVDISPOSE() {
  try {
    PvBrowser browser{};
    browser.DbgMsg("[Panoview] pvDispose::Kill", 0, 0, 0, 1);
    browser.Kill(1);
  } catch (...) {
  }
}

std::string PV_CLASSVERSION(std::uint8_t kind) {
  try {
    switch (kind) {
      case 1: return std::to_string(kPvLibraryVersion);
      case 2: {
        std::lock_guard lock(templateVersionMutex);
        return templateVersion;
      }
      default: return std::string(kPvClassVersion);
    }
  } catch (...) {
    return {};
  }
}
