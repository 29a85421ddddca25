// PICBUTTONCLASS: gives a window's buttons the picture-button look — flat hot spots over the
// window's picture with outlined text — and puts pictures on picture answers. One object per
// window, used on the window's thread between the window's opening and its Kill.
#pragma once

#include <string>
#include <vector>

#include "runtime/core/Window.h"

class PICBUTTONCLASS {
 public:
  PICBUTTONCLASS();  // CONSTRUCT
  ~PICBUTTONCLASS();

  // Binds the object to an opened window; `picture` is the book's button picture.
  void INIT(const wdrt::WindowPtr& window, const std::string& picture, unsigned char reserved = 0);
  // The last control number the object looks at.
  void SETLASTCONTROL(int control);
  // A picture button: the control shows `picture`.
  void ADDBUTTON(int control, const std::string& picture);
  // Draws the buttons: every button up to the last control becomes a hot spot.
  void SHOWBUTTONS();
  // After the window's resizer has moved the controls.
  void RESIZE();
  void KILL();

  // For tests: the controls drawn as picture buttons and the number of RESIZE calls.
  const std::vector<int>& Buttons() const { return buttons_; }
  int ResizeCount() const { return resizes_; }

 private:
  wdrt::WindowPtr window_;
  std::string picture_;
  int lastControl_ = 0;
  std::vector<int> buttons_;
  std::vector<std::pair<int, std::string>> pictures_;
  int resizes_ = 0;
};
