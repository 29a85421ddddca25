#include "framework/PictureButtonClass.h"

#include "runtime/core/Runtime.h"

PICBUTTONCLASS::PICBUTTONCLASS() = default;
PICBUTTONCLASS::~PICBUTTONCLASS() { KILL(); }

void PICBUTTONCLASS::INIT(const wdrt::WindowPtr& window, const std::string& picture, unsigned char) {
  window_ = window;
  picture_ = picture;
}

void PICBUTTONCLASS::SETLASTCONTROL(int control) { lastControl_ = control; }

void PICBUTTONCLASS::ADDBUTTON(int control, const std::string& picture) {
  if (!window_) return;
  pictures_.emplace_back(control, picture);
  wdrt::SetPicture(window_, control, picture);
}

void PICBUTTONCLASS::SHOWBUTTONS() {
  if (!window_) return;
  buttons_.clear();
  for (const wdrt::ControlState& c : window_->Controls()) {
    if (c.def.type != wdrt::TypeButton || c.inToolbar || c.inMenu) continue;
    if (c.number < 1 || c.number > lastControl_) continue;
    wdrt::SetProp(window_, c.number, wdrt::PropButtonStyle, wdrt::ButtonStyleHotSpot);
    buttons_.push_back(c.number);
  }
  wdrt::Display(window_);
}

void PICBUTTONCLASS::RESIZE() {
  if (!window_) return;
  ++resizes_;
  // The buttons are drawn at their controls' places, so a redraw is all that a move needs.
  wdrt::Display(window_);
}

void PICBUTTONCLASS::KILL() {
  window_.reset();
  buttons_.clear();
  pictures_.clear();
}
