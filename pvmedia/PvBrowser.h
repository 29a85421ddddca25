// PvBrowser: shows web pages and local HTML files in a region of a window ("html3"). Browsers
// of one window on one thread share an entry of ObjectQ (initialiser and container); each has
// its own control site and browser. Browser events reach EventCallback, which applications
// override; it runs on the GUI thread, where the browser asks whether to go on.
// Every other operation runs on the thread of the browser's window.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "pvmedia/PvCOM.h"

class PvBrowser : public PvCOM {
 public:
  PvBrowser();
  ~PvBrowser();
  PvBrowser(const PvBrowser&) = delete;
  PvBrowser& operator=(const PvBrowser&) = delete;

  virtual void Kill(std::uint8_t final);                                            // 26
  virtual void Html3Init(std::string_view) {}                                       // 27
  virtual void Html3Kill();                                                         // 28
  virtual void Html3Resize();                                                       // 29
  virtual void LoadHtml3(std::string_view path);                                    // 30
  virtual std::int32_t OleControlSite_Invoke(std::int32_t event,
                                             const std::vector<std::string>& parameters);  // 31
  virtual std::uint8_t Back();                                                      // 32
  virtual std::uint8_t Forward();                                                   // 33
  virtual std::uint8_t Refresh();                                                   // 34
  virtual std::uint8_t Stop();                                                      // 35
  virtual std::uint8_t PrintMe();                                                   // 36
  // Second form: prints into a PDF file instead of the printer.
  virtual std::uint8_t PrintMe(std::string_view pdfFile);                           // 37
  virtual std::uint8_t Edit(std::int32_t action);                                   // 38
  virtual std::uint8_t Edit(std::string_view command);                              // 39
  virtual void GetInfo();                                                           // 40
  virtual std::string GetInfo(std::string_view what);                               // 41
  virtual void Update();                                                            // 42
  virtual std::string GetElementQ(std::string_view tag);                            // 43
  virtual std::string GetValueByID(std::string_view id);                            // 44
  virtual std::string GetValueByName(std::string_view name);                        // 45
  virtual std::uint8_t SetValueByID(std::string_view id, std::string_view value);   // 46
  virtual std::uint8_t SetValueByName(std::string_view name, std::string_view value);  // 47
  virtual std::uint8_t SubmitForm(std::string_view formName);                      // 48
  virtual void Load(std::string_view path, std::int32_t control, std::uint8_t useOwn);  // 49
  virtual std::uint8_t Reload();                                                    // 50
  virtual void Init(std::int32_t control, std::int32_t windowHandle, std::int32_t clientHandle,
                    std::uint8_t disableEvents, std::string_view firstPage);        // 51
  virtual void Resize();                                                            // 52
  virtual std::string GetHTMLGraphicsInfo();                                        // 53
  // The application's hook: 0 go on, 1 cancel the navigation, 2 cancel and post 1030,
  // 3 prevent a new window.
  virtual std::int32_t EventCallback(std::int32_t event, const std::vector<std::string>& parameters);  // 54
  virtual std::int32_t _EventCallback(std::int32_t event, const std::vector<std::string>& parameters);  // 55
  virtual std::string TranslateEventID(std::int32_t event);                         // 56
  virtual void Load(std::string_view path);                                         // 57
  virtual std::string GetInfo(std::int32_t what);                                   // 58
  virtual std::string GetElementTypeByName(std::string_view name);                  // 59
  virtual std::uint8_t SaveAs(std::string_view file);                               // 60
  virtual void StartIE(std::string_view address);                                   // 61
  virtual std::uint8_t LeakTest() { return 0; }                                     // 62
  virtual std::string AnalyzeEvent(std::int32_t) { return {}; }                     // 63
  virtual std::string GetHTMLGraphicsInfo(std::string_view source);                 // 64
  virtual std::uint8_t FrameTest() { return 0; }                                    // 65
  virtual std::uint8_t FindTest(std::string_view text);                             // 66

  std::uint8_t BUSY = 0;
  std::string DOCUMENTTYPE;      // 100
  std::string GRAPHICSLIST;      // 8192
  std::uint8_t NEWWINDOW = 0;
  std::string OUTERTEXT;         // 50000
  std::string ROOTFOLDER;        // 255
  std::string SOURCE;            // 100000
  std::string PAGETITLE;         // 255
  std::string URL;               // 255
  std::uint8_t DONTADDTOHISTORY = 0;
  std::uint8_t SILENTMODE = 0;
  std::int32_t OLEINITER = 0;
  std::int32_t OLECONTAINER = 0;
  std::int32_t OLECONTROLSITE = 0;
  std::int32_t WEBBROWSER = 0;
  std::int16_t COMPARENTCONTROL = 0;
  std::uint8_t COMCONTROLCREATED = 0;
  std::uint8_t USELATEBINDING = 0;
  std::uint8_t DONTINITIALIZEHTML1 = 0;
  std::uint8_t NAVIGATEMETHOD = 0;

 private:
  std::string Call(const std::string& text);
  // Shared with the event sink: cleared when the object goes, so late events find nobody.
  std::shared_ptr<std::atomic<PvBrowser*>> self_;
  std::int32_t objectQHandle_ = 0;  // the window whose ObjectQ entry this browser uses
};

namespace pv {
// ObjectQ entries alive (tests).
std::size_t ObjectQCount();
}  // namespace pv
