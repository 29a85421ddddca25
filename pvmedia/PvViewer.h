// PvViewer: compatibility facade of an earlier viewer. Every one of its 90 operations does
// nothing and returns an empty text or 0, whatever its arguments; HiddenMediaLoad opens the
// library's hidden window and releases it at once. Any thread.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

class PvViewer {
 public:
  // Defined in the library so that the class's method table and type record live there.
  virtual std::string AnalyzeEvent(std::string_view = {}, std::int32_t = 0, std::int32_t = 0);  // 0
  virtual std::int32_t AutoSize(std::string_view = {}, std::int32_t = 0, std::int32_t = 0) { return 0; }  // 1
  virtual std::int32_t Back(std::string_view = {}, std::int32_t = 0, std::int32_t = 0) { return 0; }  // 2
  virtual std::int32_t Busy(std::string_view = {}, std::int32_t = 0, std::int32_t = 0) { return 0; }  // 3
  virtual std::int32_t DbgMsg(std::string_view = {}, std::int32_t = 0, std::int32_t = 0) { return 0; }  // 4
  virtual std::int32_t Edit(std::string_view = {}, std::int32_t = 0, std::int32_t = 0) { return 0; }  // 5
  virtual std::int32_t Edit1(std::string_view = {}, std::int32_t = 0, std::int32_t = 0) { return 0; }  // 6
  virtual std::int32_t FlashCurrentFrame(std::string_view = {}, std::int32_t = 0, std::int32_t = 0) { return 0; }  // 7
  virtual std::int32_t Forward(std::string_view = {}, std::int32_t = 0, std::int32_t = 0) { return 0; }  // 8
  virtual std::string GetHTMLGraphicsInfo(std::string_view = {}, std::int32_t = 0, std::int32_t = 0) { return {}; }  // 9
  virtual std::string GetInfo(std::string_view = {}, std::int32_t = 0, std::int32_t = 0) { return {}; }  // 10
  virtual std::string GetInfo1(std::string_view = {}, std::int32_t = 0, std::int32_t = 0) { return {}; }  // 11
  virtual std::string GetRegValue(std::string_view = {}, std::int32_t = 0, std::int32_t = 0) { return {}; }  // 12
  virtual std::int32_t Html2KeyPressed(std::string_view = {}, std::int32_t = 0, std::int32_t = 0) { return 0; }  // 13
  virtual std::int32_t Html2Settings(std::string_view = {}, std::int32_t = 0, std::int32_t = 0) { return 0; }  // 14
  virtual std::int32_t Html3Kill(std::string_view = {}, std::int32_t = 0, std::int32_t = 0) { return 0; }  // 15
  virtual std::int32_t Html3Resize(std::string_view = {}, std::int32_t = 0, std::int32_t = 0) { return 0; }  // 16
  virtual std::int32_t Html2Back(std::string_view = {}, std::int32_t = 0, std::int32_t = 0) { return 0; }  // 17
  virtual std::string HTMLestPath(std::string_view = {}, std::int32_t = 0, std::int32_t = 0) { return {}; }  // 18
  virtual std::int32_t HtmlForward(std::string_view = {}, std::int32_t = 0, std::int32_t = 0) { return 0; }  // 19
  virtual std::string HtmlHyperlinkURL(std::string_view = {}, std::int32_t = 0, std::int32_t = 0) { return {}; }  // 20
  virtual std::int32_t HtmlInitialize(std::string_view = {}, std::int32_t = 0, std::int32_t = 0) { return 0; }  // 21
  virtual std::string HtmlStatusText(std::string_view = {}, std::int32_t = 0, std::int32_t = 0) { return {}; }  // 22
  virtual std::int32_t HtmlStop(std::string_view = {}, std::int32_t = 0, std::int32_t = 0) { return 0; }  // 23
  virtual std::int32_t HtmlRefresh(std::string_view = {}, std::int32_t = 0, std::int32_t = 0) { return 0; }  // 24
  virtual std::int32_t Init(std::string_view = {}, std::int32_t = 0, std::int32_t = 0) { return 0; }  // 25
  virtual std::int32_t InsertHTML(std::string_view = {}, std::int32_t = 0, std::int32_t = 0) { return 0; }  // 26
  virtual std::int32_t InsertText(std::string_view = {}, std::int32_t = 0, std::int32_t = 0) { return 0; }  // 27
  virtual std::int32_t Kill(std::string_view = {}, std::int32_t = 0, std::int32_t = 0) { return 0; }  // 28
  virtual std::int32_t Load(std::string_view = {}, std::int32_t = 0, std::int32_t = 0) { return 0; }  // 29
  virtual std::int32_t LoadFlash(std::string_view = {}, std::int32_t = 0, std::int32_t = 0) { return 0; }  // 30
  virtual std::int32_t LoadHtml1(std::string_view = {}, std::int32_t = 0, std::int32_t = 0) { return 0; }  // 31
  virtual std::int32_t LoadHtml2(std::string_view = {}, std::int32_t = 0, std::int32_t = 0) { return 0; }  // 32
  virtual std::int32_t LoadHtml3(std::string_view = {}, std::int32_t = 0, std::int32_t = 0) { return 0; }  // 33
  virtual std::int32_t LoadHtmlEdit(std::string_view = {}, std::int32_t = 0, std::int32_t = 0) { return 0; }  // 34
  virtual std::int32_t LoadPDF(std::string_view = {}, std::int32_t = 0, std::int32_t = 0) { return 0; }  // 35
  virtual std::int32_t LoadShell(std::string_view = {}, std::int32_t = 0, std::int32_t = 0) { return 0; }  // 36
  virtual std::int32_t MediaAPI(std::string_view = {}, std::int32_t = 0, std::int32_t = 0) { return 0; }  // 37
  virtual std::int32_t Navigate(std::string_view = {}, std::int32_t = 0, std::int32_t = 0) { return 0; }  // 38
  virtual std::string OCXVersion(std::string_view = {}, std::int32_t = 0, std::int32_t = 0) { return {}; }  // 39
  virtual std::string OCXVersion1(std::string_view = {}, std::int32_t = 0, std::int32_t = 0) { return {}; }  // 40
  virtual std::int32_t Pause(std::string_view = {}, std::int32_t = 0, std::int32_t = 0) { return 0; }  // 41
  virtual std::int32_t PauseMedia(std::string_view = {}, std::int32_t = 0, std::int32_t = 0) { return 0; }  // 42
  virtual std::int32_t PDFGoto(std::string_view = {}, std::int32_t = 0, std::int32_t = 0) { return 0; }  // 43
  virtual std::string PickColor(std::string_view = {}, std::int32_t = 0, std::int32_t = 0) { return {}; }  // 44
  virtual std::int32_t Play(std::string_view = {}, std::int32_t = 0, std::int32_t = 0) { return 0; }  // 45
  virtual std::int32_t PlayMedia(std::string_view = {}, std::int32_t = 0, std::int32_t = 0) { return 0; }  // 46
  virtual std::int32_t PrintMe(std::string_view = {}, std::int32_t = 0, std::int32_t = 0) { return 0; }  // 47
  virtual std::int32_t PrintMe(std::uint8_t) { return 0; }  // 48
  virtual std::int32_t PrintPages(std::string_view = {}, std::int32_t = 0, std::int32_t = 0) { return 0; }  // 49
  virtual std::int32_t Refresh(std::string_view = {}, std::int32_t = 0, std::int32_t = 0) { return 0; }  // 50
  virtual std::int32_t Reload(std::string_view = {}, std::int32_t = 0, std::int32_t = 0) { return 0; }  // 51
  virtual std::int32_t RemoveTempFiles(std::string_view = {}, std::int32_t = 0, std::int32_t = 0) { return 0; }  // 52
  virtual std::int32_t RetrieveFromStorage(std::string_view = {}, std::int32_t = 0, std::int32_t = 0) { return 0; }  // 53
  virtual std::string RGBToHex(std::string_view = {}, std::int32_t = 0, std::int32_t = 0) { return {}; }  // 54
  virtual std::int32_t Save(std::string_view = {}, std::int32_t = 0, std::int32_t = 0) { return 0; }  // 55
  virtual std::int32_t SaveSize(std::string_view = {}, std::int32_t = 0, std::int32_t = 0) { return 0; }  // 56
  virtual std::int32_t SetOCX(std::string_view = {}, std::int32_t = 0, std::int32_t = 0) { return 0; }  // 57
  virtual std::int32_t SetRegValue(std::string_view = {}, std::int32_t = 0, std::int32_t = 0) { return 0; }  // 58
  virtual std::int32_t SetSize(std::string_view = {}, std::int32_t = 0, std::int32_t = 0) { return 0; }  // 59
  virtual std::int32_t ShowAboutBox(std::string_view = {}, std::int32_t = 0, std::int32_t = 0) { return 0; }  // 60
  virtual std::int32_t Stop(std::string_view = {}, std::int32_t = 0, std::int32_t = 0) { return 0; }  // 61
  virtual std::int32_t StopMedia(std::string_view = {}, std::int32_t = 0, std::int32_t = 0) { return 0; }  // 62
  virtual std::int32_t Unload(std::string_view = {}, std::int32_t = 0, std::int32_t = 0) { return 0; }  // 63
  virtual std::int32_t Update(std::string_view = {}, std::int32_t = 0, std::int32_t = 0) { return 0; }  // 64
  virtual std::int32_t UseLogFile(std::string_view = {}, std::int32_t = 0, std::int32_t = 0) { return 0; }  // 65
  virtual std::string VarToFile(std::string_view = {}, std::int32_t = 0, std::int32_t = 0) { return {}; }  // 66
  virtual std::int32_t Wait(std::string_view = {}, std::int32_t = 0, std::int32_t = 0) { return 0; }  // 67
  virtual std::int32_t VerifyPath(std::string_view = {}, std::int32_t = 0, std::int32_t = 0) { return 0; }  // 68
  virtual std::int32_t WaitForOCX(std::string_view = {}, std::int32_t = 0, std::int32_t = 0) { return 0; }  // 69
  virtual std::string ClassVersion(std::string_view = {}, std::int32_t = 0, std::int32_t = 0) { return {}; }  // 70
  virtual std::string GetOSVersion(std::string_view = {}, std::int32_t = 0, std::int32_t = 0) { return {}; }  // 71
  virtual std::int32_t GetIEPageSetupInfo(std::string_view = {}, std::int32_t = 0, std::int32_t = 0) { return 0; }  // 72
  virtual std::int32_t Html3Init(std::string_view = {}, std::int32_t = 0, std::int32_t = 0) { return 0; }  // 73
  virtual std::int32_t Hide(std::string_view = {}, std::int32_t = 0, std::int32_t = 0) { return 0; }  // 74
  virtual std::int32_t Unhide(std::string_view = {}, std::int32_t = 0, std::int32_t = 0) { return 0; }  // 75
  virtual std::string GetValueByID(std::string_view = {}, std::int32_t = 0, std::int32_t = 0) { return {}; }  // 76
  virtual std::int32_t SetValueByID(std::string_view = {}, std::int32_t = 0, std::int32_t = 0) { return 0; }  // 77
  virtual std::int32_t EventCallback(std::string_view = {}, std::int32_t = 0, std::int32_t = 0) { return 0; }  // 78
  virtual std::int32_t SubmitForm(std::string_view = {}, std::int32_t = 0, std::int32_t = 0) { return 0; }  // 79
  virtual std::string GetValueByName(std::string_view = {}, std::int32_t = 0, std::int32_t = 0) { return {}; }  // 80
  virtual std::int32_t SetValueByName(std::string_view = {}, std::int32_t = 0, std::int32_t = 0) { return 0; }  // 81
  virtual std::int32_t GetElementQ(std::string_view = {}, std::int32_t = 0, std::int32_t = 0) { return 0; }  // 82
  virtual std::int32_t OnlineStatus(std::string_view = {}, std::int32_t = 0, std::int32_t = 0) { return 0; }  // 83
  virtual std::int32_t Find(std::string_view = {}, std::int32_t = 0, std::int32_t = 0) { return 0; }  // 84
  virtual std::int32_t LoadMedia(std::string_view = {}, std::int32_t = 0, std::int32_t = 0) { return 0; }  // 85
  virtual std::int32_t Resize(std::string_view = {}, std::int32_t = 0, std::int32_t = 0) { return 0; }  // 86
  virtual std::string TranslateEventID(std::string_view = {}, std::int32_t = 0, std::int32_t = 0) { return {}; }  // 87
  virtual std::int32_t NewDocument(std::string_view = {}, std::int32_t = 0, std::int32_t = 0) { return 0; }  // 88
  virtual std::int32_t CurrentFrame(std::string_view = {}, std::int32_t = 0, std::int32_t = 0) { return 0; }  // 89

  // Opens the hidden window definition and closes it again; returns 0.
  std::int32_t HiddenMediaLoad();
};
