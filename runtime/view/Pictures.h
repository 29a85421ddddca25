// Pictures by name, found as Windows would: whatever the case. Looks in the program's
// embedded pictures (":/pictures/"), then the file system (a whole path to a file that is there
// is taken first); "ICON:<name>" gives a stock icon.
// PicturePath and DecodePicture may run on any thread; the others on the GUI thread only
// (they make QPixmaps).
#pragma once

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QSize>
#include <QString>
#include <string>

namespace wdrt::view {

// The embedded or on-disk file of a picture name, empty when there is none.
QString PicturePath(const std::string& name);
// Decodes a picture file, scaled to `size` when that is not empty (JPEGs are decoded straight
// to about that size, which is several times faster than decoding whole and scaling).
QImage DecodePicture(const QString& path, QSize size);

QImage LoadPictureImage(const std::string& name);
QPixmap LoadPicture(const std::string& name);
QIcon LoadIcon(const std::string& name);

}  // namespace wdrt::view
