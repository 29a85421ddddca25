// The resizer of a window that has a picture-button object: after its own moves it lets the
// buttons follow (frames and pages of the books that use picture buttons). Window's thread.
#pragma once

#include "framework/PictureButtonClass.h"
#include "framework/WindowResizer.h"

namespace book {

class PictureButtonResizer : public WindowResizer {
 public:
  PICBUTTONCLASS* buttons = nullptr;

  void OnSized() override {
    WindowResizer::OnSized();
    if (buttons) buttons->RESIZE();
  }
  void Rearrange(std::int32_t control) override {
    WindowResizer::Rearrange(control);
    if (buttons) buttons->RESIZE();
  }
};

}  // namespace book
