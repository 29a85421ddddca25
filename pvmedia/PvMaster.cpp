#include "pvmedia/PvMaster.h"

#include "pvmedia/PvDUN.h"
#include "pvmedia/PvLifecycle.h"
#include "pvmedia/PvPlatform.h"
#include "pvmedia/PvText.h"
#include "runtime/core/Runtime.h"

std::atomic<std::int32_t> InstanceCounter{0};

namespace {

constexpr std::int32_t kInstanceWrap = 1000;

bool IsWebAddress(std::string_view path) {
  const std::string lower = pv::Lower(path);
  return lower.find("www") != std::string::npos || lower.find("http") != std::string::npos ||
         lower.find("ftp") != std::string::npos;
}

}  // namespace

std::string PvMaster::Type() const { return pv::Lower(pv::TrimRight(OBJECTTYPE)); }

wdrt::WindowPtr PvMaster::HostWindow() {
  wdrt::WindowPtr window = hostWindow.lock();
  if (!window) {
    window = wdrt::Target();
    hostWindow = window;
  }
  return window;
}

void PvMaster::Init() {
  DbgMsg("PvMaster::Init - top", 0, 0, 0, 1);
  _SetDebugLevel();
  if (CLASSINSTANCENUMBER != 0) {
    DbgMsg("PvMaster::Init - self.init already called for object " + std::to_string(CLASSINSTANCENUMBER) +
               ", aborting method...",
           0, 0, 0, 1);
    return;
  }
  std::int32_t number = 0;
  std::int32_t current = InstanceCounter.load();
  do {
    number = current + 1 > kInstanceWrap ? 1 : current + 1;
  } while (!InstanceCounter.compare_exchange_weak(current, number));
  CLASSINSTANCENUMBER = number;
  DbgMsg("PvMaster::Init - Set InstanceCounter to " + std::to_string(number), 0, 0, 0, 1);
  hostWindow = wdrt::Target();
  if (TEMPDIRLOCATION == 0) {
    LOGFILENAME = pv::CurrentFolder() + "/pv_log.txt";
  } else if (TEMPDIRLOCATION == 1) {
    WINDOWSTEMPDIR = pv::TemporaryFolder();
    TEMPULONG = static_cast<std::uint32_t>(WINDOWSTEMPDIR.size());
    LOGFILENAME = WINDOWSTEMPDIR.empty() ? pv::CurrentFolder() + "/pv_log.txt" : WINDOWSTEMPDIR + "pv_log.txt";
  }
  GetOSVersion();
}

void PvMaster::Kill() {
  DbgMsg("PvMaster::Kill", 0, 0, 0, 1);
  if (AUTODISCONNECTDEFAULTINTERNETCONNECTION == 0) return;
  DbgMsg("PvMaster::Kill - Checking online status...", 0, 0, 0, 1);
  if (PV_ONLINESTATUS() == 1) {
    DbgMsg("PvMaster::Kill - Closing modem connection...", 0, 0, 0, 1);
    std::uint8_t result = 0;
    if (AUTODIALDEFAULTINTERNETCONNECTION == 1) {
      result = InvokeDUN("", 3);
    } else if (AUTODIALDEFAULTINTERNETCONNECTION == 2) {
      result = InvokeDUN("", 4);
    } else {
      InvokeDUN("", 3);
      result = InvokeDUN("", 4);
    }
    DbgMsg("PvMaster::Kill - Closing modem connection... - RetVar = " + std::to_string(result), 0, 0, 0, 1);
  } else {
    DbgMsg("PvMaster::Kill - Not connected via modem.", 0, 0, 0, 1);
  }
}

void PvMaster::Wait(std::int32_t seconds) {
  pv::BusyCursor busy;
  pv::SpinHundredths(static_cast<std::int64_t>(seconds) * 100, true);
}

void PvMaster::SetOCX(std::string_view type) {
  const std::string lower = pv::Lower(pv::TrimRight(type));
  OVERRIDEOCX = lower == "html2" || lower == "html3" ? lower : std::string();
}

void PvMaster::VerifyPath() {
  std::string path(pv::TrimRight(CURRENTPATH));
  if (path.empty() || path.front() == '!') return;
  const bool web = IsWebAddress(path);
  // A bare name is completed with the current folder; a name with a folder of its own stays.
  if (path.find('/') == std::string::npos && path.find('\\') == std::string::npos && !web)
    path = pv::CurrentFolder() + "/" + path;
  const std::string type = Type();
  if ((type == "html1" || type == "html3") && !web && pv::Lower(path.substr(0, 5)) != "file:")
    path = (path.front() == '/' ? "file://" : "file:///") + path;
  CURRENTPATH = pv::Cut(path, 1023);
}

std::string PvMaster::ClassVersion(std::uint8_t kind) { return PV_CLASSVERSION(kind); }
