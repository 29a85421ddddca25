// PvOCX: base of the classes whose control is the window runtime's OLE control: waiting for
// the control to be ready, busy state, sizing, the activity log, and Kill, which releases
// the hosted component. Used on the thread of the window that hosts the control.
#pragma once

#include "pvmedia/PvMaster.h"

class PvOCX : public PvMaster {
 public:
  void Kill() override;                                         // 19
  virtual void WaitForOCX();                                    // 24
  virtual void Wait2();                                         // 25
  virtual void UseLogFile();                                    // 26
  virtual std::uint8_t Busy();                                  // 27
  // Mode 1 both ways, 3 width only, 2 height only.
  virtual void AutoSize(std::uint8_t mode, std::int32_t bottomMargin, std::int32_t leftEdge,
                        std::int32_t rightMargin);              // 28
  virtual void SaveSize();                                      // 29
  virtual void SetSize();                                       // 30

  std::uint8_t ENABLEWAIT2 = 0;
  std::int32_t INIENTRYCOUNTER = 0;
  std::uint8_t LOGACTIVITY = 0;
  std::uint8_t OCXCREATED = 0;

 protected:
  // True for the types whose control sizes and busy state are the OLE control's.
  bool SizedType() const;
  // Creates the component `progId` in CURRENTCONTROL once; later calls reuse it.
  bool CreateControl(const std::string& progId);
  std::string Call(const std::string& text);
  std::string Get(const std::string& name);
  bool Set(const std::string& name, const std::string& value);
  // The control for a load: the object's own when `useOwn` is set or `control` is 0.
  std::int32_t LoadControl(std::int32_t control, std::uint8_t useOwn) const;

  std::string createdProgId;
};
