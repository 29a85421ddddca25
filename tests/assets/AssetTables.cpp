#include "AssetTables.h"

#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTextStream>
#include <gtest/gtest.h>

namespace assetstest {

QString AssetsDir() { return QStringLiteral(STORYLOOM_ASSETS_DIR); }
QString PictureDir() { return QStringLiteral(STORYLOOM_PICTURE_DIR); }

QString SuiteDir() {
  const QString fromEnv = qEnvironmentVariable("STORYLOOM_SUITE_DIR");
  return fromEnv.isEmpty() ? QStringLiteral(STORYLOOM_DEFAULT_SUITE_DIR) : fromEnv;
}

std::vector<SoundRow> ReadSounds() {
  std::vector<SoundRow> rows;
  QFile file(AssetsDir() + QStringLiteral("/sounds.tsv"));
  EXPECT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text)) << "cannot read sounds.tsv";
  QTextStream in(&file);
  while (!in.atEnd()) {
    const QString line = in.readLine();
    if (line.isEmpty() || line.startsWith(u'#')) continue;
    const QStringList cells = line.split(u'\t');
    EXPECT_GE(cells.size(), 4) << qPrintable(line);
    if (cells.size() < 4) continue;
    rows.push_back({cells[0], cells[1], cells[2], cells[3]});
  }
  return rows;
}

std::vector<scene::PictureEntry> ReadPictures() {
  QString error;
  auto table = scene::ReadPictureTable(AssetsDir() + QStringLiteral("/pictures.tsv"), &error);
  EXPECT_TRUE(table.has_value()) << qPrintable(error);
  return table.value_or(std::vector<scene::PictureEntry>{});
}

void EnsureGuiApp() {
  if (QGuiApplication::instance()) return;
  if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
    // Qt wants a private runtime folder; the test's own temporary one will do.
    static QTemporaryDir runtimeDir;
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtimeDir.path()));
  }
  static int argc = 1;
  static char name[] = "assets_tests";
  static char* argv[] = {name, nullptr};
  // Kept for the whole run and never destroyed: tearing Qt down after main() returns would race
  // the destruction of Qt's own statics. A static pointer keeps it reachable for leak checkers.
  static QGuiApplication* app = new QGuiApplication(argc, argv);
  (void)app;
}

}  // namespace assetstest
