#include "pvmedia/PvMedia.h"

#include <cstdlib>

#include "pvmedia/PvText.h"

namespace {
constexpr const char* kProgId = "MediaPlayer.MediaPlayer.1";
constexpr int kDefaultVolume = -600;
}  // namespace

std::optional<int> PvMediaDisplaySize(std::uint8_t zoom) {
  switch (zoom) {
    case 100: return 0;
    case 50: return 1;
    case 200: return 2;
    case 1: return 3;
    case 2: return 4;
    case 3: return 5;
    case 4: return 6;
    case 5: return 7;
    default: return std::nullopt;
  }
}

void PvMedia::Init(std::int32_t control) {
  if (control != 0) CURRENTCONTROL = control;
  PvMaster::Init();
}

void PvMedia::Load(std::string_view path) { Load(path, 0, 1); }
void PvMedia::LoadMedia(std::string_view path) { Load(path, 0, 1); }

void PvMedia::Load(std::string_view path, std::int32_t control, std::uint8_t useOwn) {
  CURRENTCONTROL = LoadControl(control, useOwn);
  if (CURRENTCONTROL == 0) return;
  CURRENTPATH = pv::Cut(pv::TrimRight(path), 1023);
  LASTLOADEDDOCUMENT = pv::Cut(path, 255);
  OBJECTTYPE = "media";
  if (!CreateControl(kProgId)) return;
  if (!pv::TrimRight(path).empty()) {
    Set("AutoSize", MEDAUTORESIZE == 1 ? "1" : "0");
    Set("AutoStart", MEDAUTOSTART == 1 ? "1" : "0");
    Call("Open(\"" + std::string(pv::TrimRight(path)) + "\")");
    LOADCALLED = 1;
  }
  Set("AutoRewind", MEDAUTOREWIND == 1 ? "1" : "0");
  Set("ShowControls", MEDSHOWTOOLBAR == 1 ? "1" : "0");
  Set("Rate", MEDPLAYRATE <= 0 ? "1" : std::to_string(MEDPLAYRATE / 100.0));
  Set("PlayCount", std::to_string(MEDREPEATTIMES));
  Set("AllowChangeDisplaySize", MEDALLOWZOOMCHANGE == 2 ? "0" : "-1");
  if (const auto size = PvMediaDisplaySize(MEDZOOM)) Set("DisplaySize", std::to_string(*size));
  Set("Volume", std::to_string(MEDVOLUME != 0 ? MEDVOLUME : kDefaultVolume));
  Set("Mute", MEDMUTE == 1 ? "-1" : "0");
}

void PvMedia::Play() { Call("Play()"); }
void PvMedia::Pause() { Call("Pause()"); }
void PvMedia::Stop() {
  Call("Stop()");
  Set("CurrentPosition", "0");
}
void PvMedia::Navigate(std::int32_t seconds) { Set("CurrentPosition", std::to_string(seconds)); }
void PvMedia::ShowAboutBox() {
  if (Type() == "media") Call("AboutBox()");
}
void PvMedia::Reload() {
  const std::string path = CURRENTPATH;  // Load assigns CURRENTPATH while it reads the path
  Load(path, 0, 1);
}

std::string PvMedia::GetInfo(std::string_view name) { return Get(std::string(pv::Trim(name))); }

void PvMedia::GetInfo() {
  MEDDURATION = pv::Cut(Get("Duration()"), 20);
  MEDFILENAME = pv::Cut(Get("FileName()"), 255);
  MEDREPEATTIMES = static_cast<std::uint8_t>(std::atoi(Get("PlayCount").c_str()));
  MEDVOLUME = std::atoi(Get("Volume()").c_str());
  MEDMUTE = Get("Mute()") == "-1" ? 1 : 0;
  MEDSOUNDCARD = Get("IsSoundCardEnabled()") == "-1" ? 1 : 0;
  MEDCURRENTPOSITION = static_cast<std::int32_t>(std::atof(Get("CurrentPosition()").c_str()));
  MEDSHOWTOOLBAR = Get("ShowControls()") == "-1" ? 1 : 0;
  MEDPLAYRATE = static_cast<std::int32_t>(std::atof(Get("Rate()").c_str()) * 100 + 0.5);
  MEDAUTOSTART = Get("AutoStart()") == "-1" ? 1 : 0;
  MEDAUTOREWIND = Get("AutoRewind()") == "-1" ? 1 : 0;
  MEDAUTORESIZE = Get("AutoSize()") == "-1" ? 1 : 0;
  MEDINFO_AUTHOR = pv::Cut(Call("GetMediaInfoString(7)"), 100);
  MEDINFO_TITLE = pv::Cut(Call("GetMediaInfoString(8)"), 100);
  MEDINFO_COPYRIGHT = pv::Cut(Call("GetMediaInfoString(9)"), 100);
  MEDINFO_DESCRIPTION = pv::Cut(Call("GetMediaInfoString(10)"), 255);
  MEDINFO_RATING = pv::Cut(Call("GetMediaInfoString(11)"), 20);
  MEDINFO_FILENAME = pv::Cut(Call("GetMediaInfoString(12)"), 255);
}

void PvMedia::Update(std::string_view setting) {
  const std::string name = pv::Lower(pv::Trim(setting));
  if (name == "volume") Set("Volume", std::to_string(MEDVOLUME != 0 ? MEDVOLUME : kDefaultVolume));
  else if (name == "mute") Set("Mute", MEDMUTE == 1 ? "-1" : "0");
  else if (name == "rate") Set("Rate", MEDPLAYRATE <= 0 ? "1" : std::to_string(MEDPLAYRATE / 100.0));
  else if (name == "playcount") Set("PlayCount", std::to_string(MEDREPEATTIMES));
  else if (name == "autorewind") Set("AutoRewind", MEDAUTOREWIND == 1 ? "1" : "0");
  else if (name == "showcontrols") Set("ShowControls", MEDSHOWTOOLBAR == 1 ? "1" : "0");
  else if (name == "autosize") Set("AutoSize", MEDAUTORESIZE == 1 ? "1" : "0");
  else if (name == "allowchangedisplaysize") Set("AllowChangeDisplaySize", MEDALLOWZOOMCHANGE == 2 ? "0" : "-1");
  else if (name == "displaysize") {
    if (const auto size = PvMediaDisplaySize(MEDZOOM)) Set("DisplaySize", std::to_string(*size));
  } else if (name == "currentposition") Set("CurrentPosition", std::to_string(MEDCURRENTPOSITION));
}
