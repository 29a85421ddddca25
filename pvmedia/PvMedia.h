// PvMedia: plays audio and video files in a window's OLE control ("media") with the player's
// settings in the MED fields. Used on the thread of the window that hosts the control.
#pragma once

#include <optional>

#include "pvmedia/PvOCX.h"

class PvMedia : public PvOCX {
 public:
  virtual void Load(std::string_view path, std::int32_t control, std::uint8_t useOwn);  // 31
  virtual void Play();                                                                  // 32
  virtual void Pause();                                                                 // 33
  virtual void Stop();                                                                  // 34
  // Writes one named setting ("Volume", "Mute", "Rate" ...) from its MED field.
  virtual void Update(std::string_view setting);                                       // 35
  virtual void Load(std::string_view path);                                            // 36
  // Moves to a position in seconds.
  virtual void Navigate(std::int32_t seconds);                                         // 37
  virtual void LoadMedia(std::string_view path);                                       // 38
  virtual void GetInfo();                                                               // 39
  virtual std::string GetInfo(std::string_view name);                                  // 40
  virtual void Reload();                                                                // 41
  virtual void ShowAboutBox();                                                          // 42
  virtual void Init(std::int32_t control);                                              // 43
  using PvMaster::Init;

  std::uint8_t MEDALLOWZOOMCHANGE = 0, MEDAUTORESIZE = 0, MEDAUTOREWIND = 0, MEDAUTOSTART = 0;
  std::int32_t MEDCURRENTPOSITION = 0;
  std::string MEDDURATION;  // 20
  std::uint8_t MEDENABLESLIDEBAR = 0, MEDENABLETOOLBAR = 0;
  std::int32_t MEDENDPOSITION = 0;
  std::string MEDFILENAME;  // 255
  std::string MEDINFO_AUTHOR, MEDINFO_COPYRIGHT, MEDINFO_DESCRIPTION, MEDINFO_FILENAME, MEDINFO_RATING,
      MEDINFO_TITLE;
  std::uint8_t MEDMUTE = 0;
  std::int32_t MEDPLAYRATE = 0;
  std::uint8_t MEDREPEATTIMES = 0, MEDRIGHTCLICK = 0, MEDSHOWGOTOBAR = 0, MEDSHOWINFOWINDOW = 0,
               MEDSHOWPOSITIONCONTROLS = 0, MEDSHOWSLIDEBAR = 0, MEDSHOWTOOLBAR = 0, MEDSOUNDCARD = 0;
  std::int32_t MEDSTARTPOSITION = 0, MEDVOLUME = 0;
  std::uint8_t MEDZOOM = 0;
};

// The player's DisplaySize for a MEDZOOM value; nullopt leaves it unset.
std::optional<int> PvMediaDisplaySize(std::uint8_t zoom);
