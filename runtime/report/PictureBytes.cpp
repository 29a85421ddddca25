#include "runtime/report/PictureBytes.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <map>
#include <mutex>

#include "runtime/view/Pictures.h"

namespace wdrt::report {
namespace {

std::shared_ptr<const PictureBytes> Read(const std::string& name) {
  const QString path = view::PicturePath(name);
  if (path.isEmpty()) return nullptr;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return nullptr;
  QByteArray bytes = file.readAll();
  QBuffer buffer(&bytes);
  QImageReader reader(&buffer);
  reader.setDecideFormatFromContent(true);
  const QByteArray format = reader.format();
  const QSize size = reader.size();
  auto picture = std::make_shared<PictureBytes>();
  if ((format == "jpeg" || format == "jpg" || format == "png") && size.isValid()) {
    picture->encoded = bytes.toStdString();
    picture->format = format == "png" ? WmfPictureFormat::Png : WmfPictureFormat::Jpeg;
    picture->pixelWidth = size.width();
    picture->pixelHeight = size.height();
    return picture;
  }
  const QImage image = reader.read();
  if (image.isNull()) return nullptr;
  QByteArray png;
  QBuffer out(&png);
  out.open(QIODevice::WriteOnly);
  if (!image.save(&out, "PNG")) return nullptr;
  picture->encoded = png.toStdString();
  picture->format = WmfPictureFormat::Png;
  picture->pixelWidth = image.width();
  picture->pixelHeight = image.height();
  return picture;
}

}  // namespace

std::shared_ptr<const PictureBytes> LoadPictureBytes(const std::string& name) {
  static std::mutex mutex;
  static std::map<std::string, std::shared_ptr<const PictureBytes>> cache;
  QString key = QString::fromStdString(name).toLower();
  {
    std::lock_guard lock(mutex);
    if (auto it = cache.find(key.toStdString()); it != cache.end()) return it->second;
  }
  auto picture = Read(name);
  if (!picture) return nullptr;  // not remembered: the file may still appear
  std::lock_guard lock(mutex);
  cache[key.toStdString()] = picture;
  return picture;
}

}  // namespace wdrt::report
