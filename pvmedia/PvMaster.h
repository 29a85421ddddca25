// PvMaster: the base of the control-hosting classes: numbering of objects, the log file name,
// waiting, path completion and the utility operations (registry, versions, page setup,
// temporary files, colours, e-mail files, dial-up). Virtual operations in slot order.
// An object is used on the thread of the window that hosts its control.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

#include "pvmedia/PvDebug.h"
#include "runtime/core/Window.h"

class PvMaster : public PvDebug {
 public:
  virtual void VerifyPath();                                                            // 1
  virtual std::string GetRegValue(std::string_view valueName, std::string_view keyPath,
                                  std::string_view rootName);                           // 2
  virtual std::string GetOSVersion();                                                   // 3
  virtual void Wait(std::int32_t seconds);                                              // 4
  virtual std::uint8_t SetRegValue(std::string_view value, std::string_view valueName,
                                   std::string_view keyPath, std::string_view rootName); // 5
  virtual void Init();                                                                  // 6
  virtual void SetOCX(std::string_view type);                                           // 7
  virtual std::string VarToFile(std::string_view text, std::string_view file);          // 8
  virtual std::string PickColor();                                                      // 9
  virtual std::string RGBToHex(std::int32_t color);                                     // 10
  virtual std::string HTMLestPath(std::string_view address);                            // 11
  virtual void RemoveTempFiles(std::string_view mask, std::uint8_t confirm);            // 12
  virtual std::string ClassVersion(std::uint8_t kind);                                  // 13
  virtual void GetIEPageSetupInfo();                                                    // 14
  virtual std::uint8_t OnlineStatus();                                                  // 15
  virtual std::string OCXVersion(std::string_view type);                                // 16
  virtual std::string OCXVersion();                                                     // 17
  // Second form: appends (`append` 1) or replaces; returns "" or "Error: " and the reason.
  virtual std::string VarToFile(std::string_view text, std::string_view file, std::uint8_t append);  // 18
  virtual void Kill();                                                                  // 19
  virtual std::uint8_t InvokeDUN(std::string_view name, std::uint8_t action);           // 20
  virtual void _ShellExecute(std::string_view file);                                    // 21
  // Writes an RFC 5322 message file; returns "" or "Error: " and the reason.
  virtual std::string ConstructEML(std::string_view file, std::string_view replyTo, std::string_view from,
                                   std::string_view to, std::string_view subject, std::string_view body);  // 22
  virtual std::string _GetReg(std::string_view root, std::string_view keyPath, std::string_view valueName);  // 23

  std::string CURRENTPATH;          // 1024
  std::string LASTLOADEDDOCUMENT;   // 255
  std::int32_t CURRENTCONTROL = 0;
  std::string OBJECTTYPE;           // 10
  std::string OBJECTTYPE_BACKUP;    // 10
  std::uint8_t LOADCALLED = 0;
  std::uint8_t DISABLEWAIT = 0;
  std::uint8_t TEMPDIRLOCATION = 0;
  std::int32_t CONTROLWIDTH = 0;
  std::int32_t CONTROLHEIGHT = 0;
  std::uint8_t DONTVERIFYPATH = 0;
  std::uint8_t OS = 0;
  std::string LOGFILENAME;          // 255
  std::string WINDOWSTEMPDIR;       // 128
  std::uint32_t TEMPULONG = 0;
  std::string OVERRIDEOCX;          // 20
  std::string RETURNSTRING;         // 20
  std::uint8_t RETURNBYTE = 0;
  std::string IEPRINTERHEADER;      // 255
  std::string IEPRINTERFOOTER;      // 255
  std::string IEPRINTERORIENTATION; // 15
  std::string PDFVERSION;           // 50
  std::uint8_t PDF4SUPPORTED = 0;
  std::uint8_t PDF5SUPPORTED = 0;
  std::uint8_t AUTODIALDEFAULTINTERNETCONNECTION = 0;
  std::uint8_t AUTODISCONNECTDEFAULTINTERNETCONNECTION = 0;
  std::uint8_t KEEPINTERNETCONNECTIONOPENFORLIFEOFAPP = 0;

  // The window whose OLE control hosts the object: the calling thread's top window at Init.
  std::weak_ptr<wdrt::Window> hostWindow;

 protected:
  // The lower-cased object type without trailing blanks.
  std::string Type() const;
  wdrt::WindowPtr HostWindow();
};

// The module's object numbering: raised by every Init, lowered by every Kill. Any thread.
extern std::atomic<std::int32_t> InstanceCounter;
