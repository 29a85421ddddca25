#include "runtime/view/Pictures.h"

#include <QApplication>
#include <QDir>
#include <QImageReader>
#include <QStyle>
#include <map>

#include "runtime/os/Paths.h"

namespace wdrt::view {
namespace {

// Picture names in the embedded resources, by lower-case name.
const std::map<QString, QString>& EmbeddedPictures() {
  static const std::map<QString, QString> names = [] {
    std::map<QString, QString> found;
    QDir dir(":/pictures");
    for (const QString& entry : dir.entryList(QDir::Files)) found[entry.toLower()] = dir.filePath(entry);
    return found;
  }();
  return names;
}

}  // namespace

QString PicturePath(const std::string& name) {
  // A whole path to a file that is there is that file, even where an embedded picture has its name.
  if (!name.empty() && name[0] == '/')
    if (auto file = FindFileAnyCase(name)) return QString::fromStdString(*file);
  QString wanted = QString::fromStdString(name);
  const int slash = std::max(wanted.lastIndexOf('/'), wanted.lastIndexOf('\\'));
  const QString bare = slash >= 0 ? wanted.mid(slash + 1) : wanted;
  auto it = EmbeddedPictures().find(bare.toLower());
  if (it != EmbeddedPictures().end()) return it->second;
  if (auto file = FindFileAnyCase(name)) return QString::fromStdString(*file);
  return {};
}

namespace {

QIcon StockIcon(const std::string& name) {
  QStyle* style = QApplication::style();
  if (name == "Print") {
    // The suite's own printer picture when the program carries it.
    QIcon own = LoadIcon("printer.ico");
    if (!own.isNull()) return own;
    return QIcon::fromTheme("document-print", style->standardIcon(QStyle::SP_FileDialogDetailedView));
  }
  if (name == "Exit") return style->standardIcon(QStyle::SP_DialogCloseButton);
  // Paging and viewing, for previews.
  if (name == "First") return style->standardIcon(QStyle::SP_MediaSkipBackward);
  if (name == "Previous") return style->standardIcon(QStyle::SP_MediaSeekBackward);
  if (name == "Next") return style->standardIcon(QStyle::SP_MediaSeekForward);
  if (name == "Last") return style->standardIcon(QStyle::SP_MediaSkipForward);
  if (name == "FullWidth") return style->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton);
  if (name == "FullHeight") return style->standardIcon(QStyle::SP_ToolBarVerticalExtensionButton);
  if (name == "PrintPage") return style->standardIcon(QStyle::SP_FileIcon);
  if (name == "Search") return QIcon::fromTheme("edit-find", style->standardIcon(QStyle::SP_FileDialogContentsView));
  if (name == "PinIn") return style->standardIcon(QStyle::SP_DialogApplyButton);
  if (name == "PinOut") return style->standardIcon(QStyle::SP_DialogNoButton);
  if (name == "Text") return style->standardIcon(QStyle::SP_FileDialogDetailedView);
  if (name == "Help") return style->standardIcon(QStyle::SP_DialogHelpButton);
  if (name == "Information" || name == "Asterisk") return style->standardIcon(QStyle::SP_MessageBoxInformation);
  if (name == "Question") return style->standardIcon(QStyle::SP_MessageBoxQuestion);
  if (name == "Exclamation") return style->standardIcon(QStyle::SP_MessageBoxWarning);
  if (name == "Hand") return style->standardIcon(QStyle::SP_MessageBoxCritical);
  return {};
}

}  // namespace

QImage DecodePicture(const QString& path, QSize size) {
  if (path.isEmpty()) return {};
  // Read by content, not by extension: some pictures carry names such as ".OZE".
  QImageReader reader(path);
  reader.setDecideFormatFromContent(true);
  if (!size.isEmpty()) {
    const QSize natural = reader.size();
    reader.setScaledSize(natural.isEmpty() ? size : natural.scaled(size, Qt::KeepAspectRatioByExpanding));
  }
  return reader.read();
}

QRectF CoverSource(QSizeF picture, QSizeF target) {
  if (picture.isEmpty() || target.isEmpty()) return QRectF(QPointF(0, 0), picture);
  const QSizeF shown = target.scaled(picture, Qt::KeepAspectRatio);
  return QRectF(QPointF((picture.width() - shown.width()) / 2, (picture.height() - shown.height()) / 2), shown);
}

QRectF ContainRect(QSizeF picture, const QRectF& target) {
  if (picture.isEmpty() || target.isEmpty()) return target;
  const QSizeF shown = picture.scaled(target.size(), Qt::KeepAspectRatio);
  return QRectF(target.x() + (target.width() - shown.width()) / 2, target.y() + (target.height() - shown.height()) / 2,
                shown.width(), shown.height());
}

QImage LoadPictureImage(const std::string& name) { return DecodePicture(PicturePath(name), QSize()); }

QPixmap LoadPicture(const std::string& name) {
  if (name.rfind("ICON:", 0) == 0) return StockIcon(name.substr(5)).pixmap(64, 64);
  return QPixmap::fromImage(LoadPictureImage(name));
}

QIcon LoadIcon(const std::string& name) {
  if (name.empty()) return {};
  // Icons are small and few; each is read once and shared by every control that shows it.
  static std::map<std::string, QIcon> loaded;
  auto it = loaded.find(name);
  if (it != loaded.end()) return it->second;
  QIcon icon;
  if (name.rfind("ICON:", 0) == 0) {
    icon = StockIcon(name.substr(5));
  } else {
    const QPixmap pixmap = LoadPicture(name);
    if (!pixmap.isNull()) icon = QIcon(pixmap);
  }
  loaded.emplace(name, icon);
  return icon;
}

}  // namespace wdrt::view
