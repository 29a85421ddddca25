// A picture with a caption written over it, saved as a JPEG file: how a book shows a cover
// with a name chosen after the build. Any thread (it paints on an image, not on the screen).
#pragma once

#include <string>

#include "runtime/core/WindowDef.h"

namespace wdrt {

struct PictureCaption {
  std::string text;
  double centreX = 0.5;       // the caption's centre and middle, as fractions of the picture
  double middleY = 0.5;
  double height = 0.1;        // its font's em, as a fraction of the picture's height
  double widthAtMost = 1.0;   // a longer caption is made smaller to fit this fraction of the width
  Rgb color = kBlack;
  Rgb outline = kColorNone;   // a ring around the letters, kColorNone for none
  double outlineWidth = 0;    // as a fraction of the picture's width
  std::string face = "Comic Sans MS";
};

// Draws `caption` over the picture named `picture` and saves it as `out` (through a temporary
// name, so a reader never sees half a file). False when the picture cannot be read or the file
// cannot be written.
bool WriteCaptionedPicture(const std::string& picture, const PictureCaption& caption, const std::string& out);

}  // namespace wdrt
