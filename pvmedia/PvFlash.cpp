#include "pvmedia/PvFlash.h"

#include <cstdlib>
#include <filesystem>

#include "pvmedia/PvPlatform.h"
#include "pvmedia/PvText.h"

void PvFlash::Init(std::int32_t control) {
  if (control != 0) CURRENTCONTROL = control;
  PvMaster::Init();
}

void PvFlash::Load(std::string_view path) { Load(path, 0, 1); }
void PvFlash::LoadFlash(std::string_view path) { Load(path, 0, 1); }

void PvFlash::Load(std::string_view path, std::int32_t control, std::uint8_t useOwn) {
  CURRENTCONTROL = LoadControl(control, useOwn);
  if (CURRENTCONTROL == 0) {
    DbgMsg("PvFlash::Load - quitting, control not initialized", 0, 0, 0, 1);
    return;
  }
  const std::string given(pv::TrimRight(path));
  CURRENTPATH = pv::Cut(given, 1023);
  LASTLOADEDDOCUMENT = pv::Cut(path, 255);
  OBJECTTYPE = "flash";
  if (!CreateControl("ShockwaveFlash.ShockwaveFlash.1")) return;
  if (given.empty()) {
    DbgMsg("PvFlash::Load - Quitting, no path passed", 0, 0, 0, 1);
    return;
  }
  std::string movie = given;
  std::error_code error;
  if (!std::filesystem::exists(given, error)) {
    const std::string local = pv::CurrentFolder() + "/" + given;
    DbgMsg("PvFlash::Load - path does not exist, trying local path: " + local, 0, 0, 0, 1);
    if (std::filesystem::exists(local, error)) movie = local;
  }
  DbgMsg("PvFlash::Load - loading Movie", 0, 0, 0, 1);
  FLASHMOVIEPATH = pv::Cut(movie, 255);
  if (Set("Movie", movie)) LOADCALLED = 1;
  Update("FlashLoop");
}

void PvFlash::Update(std::string_view setting) {
  const std::string name = pv::Lower(pv::Trim(setting));
  if (name == "flashloop" || name == "loop") Set("Loop", FLASHLOOP == 1 ? "1" : "0");
  else if (name == "quality") Set("Quality", std::to_string(FLASHQUALITY));
  else if (name == "scalemode") Set("ScaleMode", std::to_string(FLASHSCALEMODE));
  else if (name == "alignmode") Set("AlignMode", std::to_string(FLASHALIGNMODE));
  else if (name == "backgroundcolor") Set("BackgroundColor", std::to_string(FLASHBACKGROUNDCOLOR));
}

void PvFlash::Play() { Call("Play"); }
void PvFlash::Pause() { Set("Playing", "0"); }
void PvFlash::Stop() {
  Call("StopPlay");
  Call("Rewind");
}
std::int32_t PvFlash::CurrentFrame() { return std::atoi(Get("CurrentFrame()").c_str()); }
std::int32_t PvFlash::FlashCurrentFrame() { return CurrentFrame(); }
void PvFlash::Reload() {
  const std::string path = CURRENTPATH;  // Load assigns CURRENTPATH while it reads the path
  Load(path, 0, 1);
}

void PvFlash::Navigate(std::uint8_t action, std::int32_t frames) {
  const std::int32_t current = CurrentFrame();
  const std::int32_t total = std::atoi(Get("TotalFrames()").c_str());
  std::int32_t target = -1;
  switch (action) {
    case 1: target = std::min(total > 0 ? total - 1 : 0, current + frames); break;
    case 2: target = std::max(0, current - frames); break;
    case 3: target = std::clamp(frames, 0, total > 0 ? total - 1 : 0); break;
    case 4: Call("Rewind"); break;
    default: break;
  }
  if (target >= 0 && !Set("FrameNum", std::to_string(target)))
    DbgMsg("PvFlash::Navigate - the player cannot go to frame " + std::to_string(target), 0, 0, 0, 1);
}

std::string PvFlash::GetInfo(std::string_view name) { return Get(std::string(pv::Trim(name))); }

void PvFlash::GetInfo() {
  FLASHTOTALFRAMES = std::atoi(Get("TotalFrames()").c_str());
  FLASHPLAYING = Get("Playing()") == "1" ? 1 : 0;
  FLASHQUALITY = static_cast<std::uint8_t>(std::atoi(Get("Quality()").c_str()));
  FLASHSCALEMODE = static_cast<std::uint8_t>(std::atoi(Get("ScaleMode()").c_str()));
  FLASHALIGNMODE = static_cast<std::int16_t>(std::atoi(Get("AlignMode()").c_str()));
  FLASHBACKGROUNDCOLOR = std::atoi(Get("BackgroundColor()").c_str());
  FLASHLOOP = Get("Loop()") == "1" ? 1 : 0;
  FLASHMOVIEPATH = pv::Cut(Get("Movie()"), 255);
}
