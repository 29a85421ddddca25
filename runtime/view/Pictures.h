// Pictures by name, found as Windows would: whatever the case. Looks in the program's
// embedded pictures (":/pictures/"), then the file system (a whole path to a file that is there
// is taken first); "ICON:<name>" gives a stock icon.
// PicturePath and DecodePicture may run on any thread; the others on the GUI thread only
// (they make QPixmaps).
#pragma once

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QRectF>
#include <QSize>
#include <QString>
#include <string>

namespace wdrt::view {

// The embedded or on-disk file of a picture name, empty when there is none.
QString PicturePath(const std::string& name);
// Decodes a picture file, scaled to cover `size` with its proportions kept when that is not
// empty (JPEGs are decoded straight to about that size, which is several times faster than
// decoding whole and scaling).
QImage DecodePicture(const QString& path, QSize size);

// Pictures keep their proportions wherever they are shown. The part of a picture of size
// `picture` that fills `target` whole, the overflow cut off evenly on both sides:
QRectF CoverSource(QSizeF picture, QSizeF target);
// and the centred rectangle inside `target` where the whole picture shows:
QRectF ContainRect(QSizeF picture, const QRectF& target);

QImage LoadPictureImage(const std::string& name);
QPixmap LoadPicture(const std::string& name);
QIcon LoadIcon(const std::string& name);

}  // namespace wdrt::view
