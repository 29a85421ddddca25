// Pictures by name, found as Windows would: whatever the case. Looks in the program's
// embedded pictures (":/pictures/"), then the file system; "ICON:<name>" gives a stock icon.
// GUI thread only (uses QPixmap).
#pragma once

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <string>

namespace wdrt::view {

QImage LoadPictureImage(const std::string& name);
QPixmap LoadPicture(const std::string& name);
QIcon LoadIcon(const std::string& name);

}  // namespace wdrt::view
