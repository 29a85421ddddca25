// PvFlash: plays Flash movies in a window's OLE control ("flash"): play, pause, stop and
// rewind, frames, and the FLASH settings. Used on the thread of the window hosting the control.
#pragma once

#include "pvmedia/PvOCX.h"

class PvFlash : public PvOCX {
 public:
  virtual void Load(std::string_view path, std::int32_t control, std::uint8_t useOwn);  // 31
  virtual void Load(std::string_view path);                                            // 32
  // Writes one setting ("FlashLoop", "Quality", "ScaleMode", "AlignMode", "BackgroundColor")
  // to the player.
  virtual void Update(std::string_view setting);                                       // 33
  virtual void LoadFlash(std::string_view path);                                       // 34
  virtual void Play();                                                                  // 35
  virtual void Pause();                                                                 // 36
  virtual void Stop();                                                                  // 37
  virtual void GetInfo();                                                               // 38
  virtual std::string GetInfo(std::string_view name);                                  // 39
  // 1 forward by `frames`, 2 back by `frames`, 3 to frame `frames`, 4 to the start.
  virtual void Navigate(std::uint8_t action, std::int32_t frames);                     // 40
  virtual std::int32_t FlashCurrentFrame();                                            // 41
  virtual void Reload();                                                                // 42
  virtual std::int32_t CurrentFrame();                                                  // 43
  virtual void Init(std::int32_t control);                                              // 44
  using PvMaster::Init;

  std::int32_t FLASHTOTALFRAMES = 0;
  std::uint8_t FLASHUSEHTML1 = 0, FLASHPLAYING = 0, FLASHLOOP = 0;
  std::string FLASHMOVIEPATH;  // 255
  std::uint8_t FLASHQUALITY = 0, FLASHSCALEMODE = 0;
  std::int16_t FLASHALIGNMODE = 0;
  std::int32_t FLASHBACKGROUNDCOLOR = 0;
};
