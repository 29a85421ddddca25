// Every picture of the table exists after a build, decodes in Qt at its listed size and in the
// format its name promises, and is embedded as a resource under ":/pictures/<name>".
#include "AssetTables.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <gtest/gtest.h>

namespace assetstest {
namespace {

QByteArray ExpectedFormat(const QString& name) {
  const QString suffix = QFileInfo(name).suffix().toLower();
  if (suffix == u"gif") return "gif";
  if (suffix == u"ico") return "ico";
  if (suffix == u"png") return "png";
  return "jpeg";  // .jpg, and the banner whose extension names no format
}

TEST(PictureFiles, EveryListedPictureLoadsAtItsSizeAndFormat) {
  EnsureGuiApp();
  const auto pictures = ReadPictures();
  ASSERT_FALSE(pictures.empty());
  for (const auto& entry : pictures) {
    const QString path = PictureDir() + u'/' + entry.name;
    ASSERT_TRUE(QFile::exists(path)) << "missing " << qPrintable(path);
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    const QByteArray format = reader.format();
    const QImage image = reader.read();
    ASSERT_FALSE(image.isNull()) << qPrintable(entry.name) << ": " << qPrintable(reader.errorString());
    EXPECT_EQ(image.size(), QSize(entry.width, entry.height)) << qPrintable(entry.name);
    EXPECT_EQ(format, ExpectedFormat(entry.name)) << qPrintable(entry.name);
  }
}

TEST(PictureFiles, PagePicturesAreRenderedAtTwiceTheirScreenSize) {
  // A full page picture fills 316 x 208 dialog units; a unit is 3.0 px across and 3.25 px down.
  for (const auto& entry : ReadPictures()) {
    if (entry.width == 1896) {
      EXPECT_EQ(entry.height, 1352) << qPrintable(entry.name);
    }
  }
}

TEST(PictureResources, EveryPictureIsEmbeddedUnderItsTableName) {
  EnsureGuiApp();
  const QImage zuli(QStringLiteral(":/pictures/zuli.jpg"));
  EXPECT_EQ(zuli.size(), QSize(1896, 1352));
  for (const auto& entry : ReadPictures()) {
    QFile resource(QStringLiteral(":/pictures/") + entry.name);
    ASSERT_TRUE(resource.open(QIODevice::ReadOnly)) << qPrintable(entry.name);
    QFile built(PictureDir() + u'/' + entry.name);
    ASSERT_TRUE(built.open(QIODevice::ReadOnly)) << qPrintable(entry.name);
    EXPECT_EQ(resource.readAll(), built.readAll()) << "stale resource: " << qPrintable(entry.name);
  }
  EXPECT_FALSE(QFile::exists(QStringLiteral(":/pictures/no-such-picture.jpg")));
}

TEST(PictureFiles, ContactSheetExists) {
  EnsureGuiApp();
  const QImage sheet(PictureDir() + QStringLiteral("/../contact-sheet.png"));
  EXPECT_FALSE(sheet.isNull());
}

}  // namespace
}  // namespace assetstest
