// ObsPvOldBrowser: compatibility class of the retired first browser generation ("html1").
// Its Init only counts the object; every other operation does nothing and returns blanks or 0.
#pragma once

#include "pvmedia/PvOCX.h"

class ObsPvOldBrowser : public PvOCX {
 public:
  void Init() override;                                                                // 6
  virtual std::uint8_t LoadHtml1(std::string_view) { return 0; }                      // 31
  virtual std::uint8_t Back() { return 0; }                                            // 32
  virtual std::uint8_t Forward() { return 0; }                                         // 33
  virtual std::uint8_t Refresh() { return 0; }                                         // 34
  virtual std::uint8_t Stop() { return 0; }                                            // 35
  virtual std::uint8_t PrintMe() { return 0; }                                         // 36
  virtual std::string GetInfo() { return {}; }                                        // 37
  virtual std::uint8_t Update(std::string_view) { return 0; }                         // 38
  virtual std::uint8_t Reload() { return 0; }                                          // 39
  virtual std::uint8_t Load(std::string_view, std::int32_t, std::uint8_t) { return 0; } // 40
  virtual std::uint8_t Navigate(std::string_view) { return 0; }                       // 41
  virtual std::string HtmlStatusText() { return {}; }                                 // 42
  virtual std::string HtmlHyperlinkURL() { return {}; }                               // 43
  virtual std::uint8_t HtmlInitialize() { return 0; }                                  // 44
  virtual std::uint8_t Find(std::string_view) { return 0; }                           // 45
  virtual std::uint8_t Resize() { return 0; }                                          // 46
  virtual std::uint8_t Hide() { return 0; }                                            // 47
  virtual std::uint8_t Unhide() { return 0; }                                          // 48
  virtual std::string GetHTMLGraphicsInfo() { return {}; }                            // 49
  virtual std::uint8_t Edit(std::int32_t) { return 0; }                                // 50
  virtual std::uint8_t NewDocument() { return 0; }                                     // 51
};
