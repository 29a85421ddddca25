#include "pvmedia/PvOCX.h"

#include <chrono>
#include <ctime>
#include <filesystem>

#include "pvmedia/PvHosted.h"
#include "pvmedia/PvPlatform.h"
#include "pvmedia/PvText.h"
#include "runtime/core/Runtime.h"
#include "runtime/data/Ini.h"
#include "runtime/dialogs/Message.h"
#include "runtime/os/OleControl.h"

namespace {
constexpr int kReadyStateComplete = 4;
constexpr int kReadyPolls = 16;
}  // namespace

bool PvOCX::SizedType() const {
  const std::string type = Type();
  return type == "html1" || type == "html2" || type == "media" || type == "pdf" || type == "flash";
}

bool PvOCX::CreateControl(const std::string& progId) {
  if (OCXCREATED == 1 && createdProgId == progId && wdrt::OleExists(HostWindow(), CURRENTCONTROL)) return true;
  pv::LoadHostedControls();
  OCXCREATED = wdrt::OleCreate(HostWindow(), CURRENTCONTROL, progId) ? 1 : 0;
  createdProgId = OCXCREATED == 1 ? progId : std::string();
  if (OCXCREATED == 0) DbgMsg("PvOCX - could not create the control " + progId, 0, 0, 0, 1);
  return OCXCREATED == 1;
}

std::string PvOCX::Call(const std::string& text) { return wdrt::OleCall(HostWindow(), CURRENTCONTROL, text); }
std::string PvOCX::Get(const std::string& name) { return wdrt::OleGet(HostWindow(), CURRENTCONTROL, name); }
bool PvOCX::Set(const std::string& name, const std::string& value) {
  return wdrt::OleSet(HostWindow(), CURRENTCONTROL, name, value);
}

std::int32_t PvOCX::LoadControl(std::int32_t control, std::uint8_t useOwn) const {
  return useOwn != 0 || control == 0 ? CURRENTCONTROL : control;
}

void PvOCX::Kill() {
  const std::int32_t count = --InstanceCounter;
  DbgMsg("PvOCX::Kill - Set InstanceCounter to " + std::to_string(count), 0, 0, 0, 1);
  if (CURRENTCONTROL != 0) wdrt::OleDestroy(hostWindow.lock(), CURRENTCONTROL);
  OCXCREATED = 0;
  createdProgId.clear();
  if (Type() == "html1") Wait(1);
}

void PvOCX::Wait2() {
  if (ENABLEWAIT2 != 0) pv::SpinHundredths(ENABLEWAIT2, false);
}

void PvOCX::WaitForOCX() {
  if (DISABLEWAIT == 1) return;
  pv::BusyCursor busy;
  Wait2();
  for (int i = 0; i < kReadyPolls; ++i) {
    if (std::atoi(Get("readyState").c_str()) == kReadyStateComplete) break;
    pv::SpinHundredths(100, false);
  }
}

std::uint8_t PvOCX::Busy() {
  if (!SizedType()) return 0;
  return std::atoi(Get("readyState").c_str()) != kReadyStateComplete ? 1 : 0;
}

void PvOCX::SaveSize() {
  if (!SizedType()) return;
  const wdrt::WindowPtr window = HostWindow();
  if (!window) return;
  const wdrt::Geometry g = wdrt::GetPosition(window, CURRENTCONTROL);
  CONTROLWIDTH = g.width;
  CONTROLHEIGHT = g.height;
}

void PvOCX::SetSize() {
  if (!SizedType() || CONTROLWIDTH <= 0 || CONTROLHEIGHT <= 0) return;
  const wdrt::WindowPtr window = HostWindow();
  if (!window) return;
  wdrt::Geometry g = wdrt::GetPosition(window, CURRENTCONTROL);
  g.width = CONTROLWIDTH;
  g.height = CONTROLHEIGHT;
  wdrt::SetPosition(window, CURRENTCONTROL, g);
}

void PvOCX::AutoSize(std::uint8_t mode, std::int32_t bottomMargin, std::int32_t leftEdge, std::int32_t rightMargin) {
  const wdrt::WindowPtr window = HostWindow();
  if (!window) return;
  const wdrt::Geometry client = wdrt::GetPosition(window, 0);
  wdrt::Geometry g = wdrt::GetPosition(window, CURRENTCONTROL);
  if (mode == 1 || mode == 3) {
    const int left = leftEdge != 0 ? leftEdge : g.x;
    g.width = rightMargin != 0 ? client.width - rightMargin - left : client.width - 2 * g.x;
    g.x = left;
  }
  if (mode == 1 || mode == 2) g.height = client.height - bottomMargin - g.y;
  wdrt::SetPosition(window, CURRENTCONTROL, g);
}

void PvOCX::UseLogFile() {
  LOGACTIVITY = 1;
  INIENTRYCOUNTER = 0;
  if (pv::TrimRight(LOGFILENAME).empty()) {
    if (TEMPDIRLOCATION == 1) {
      const std::string temporary = pv::TemporaryFolder();
      LOGFILENAME = temporary.empty() ? pv::CurrentFolder() + "/pv_log.txt" : temporary + "pv_log.txt";
    } else {
      LOGFILENAME = pv::CurrentFolder() + "/pv_log.txt";
    }
    std::error_code error;
    if (std::filesystem::exists(LOGFILENAME, error) && !std::filesystem::remove(LOGFILENAME, error))
      wdrt::Message("Error clearing system log file, " + error.message() + ".", "Panoview");
  }
  const std::string file(pv::TrimRight(LOGFILENAME));
  const auto put = [&](const std::string& value) {
    wdrt::PutIni("pv_Class", std::to_string(++INIENTRYCOUNTER), value, file);
  };
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char stamp[64];
  std::strftime(stamp, sizeof stamp, "%d/%m/%Y %H:%M:%S", &local);
  put(std::string("New Panoview Log: ") + stamp);
  put("OS Info: " + std::string(pv::TrimRight(pv::Cut(GetOSVersion(), 100))));
  put("IE Info: " + std::string(pv::TrimRight(pv::Cut(PvMaster::OCXVersion("html1"), 100))));
  put("PV Info:  Class Version 2.5d");
  put("self.OS: " + std::to_string(OS));
  put("LogFile: " + file);
  put("</Info>");
}
