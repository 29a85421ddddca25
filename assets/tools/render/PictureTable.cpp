#include "PictureTable.h"

#include <QFile>
#include <QTextStream>

namespace scene {

std::optional<std::vector<PictureEntry>> ReadPictureTable(const QString& path, QString* error) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
    if (error) *error = QStringLiteral("cannot open %1").arg(path);
    return std::nullopt;
  }
  std::vector<PictureEntry> entries;
  QTextStream in(&file);
  int lineNo = 0;
  while (!in.atEnd()) {
    const QString line = in.readLine();
    ++lineNo;
    if (line.trimmed().isEmpty() || line.startsWith(u'#')) continue;
    const QStringList cells = line.split(u'\t');
    bool okW = false, okH = false;
    PictureEntry e;
    if (cells.size() >= 4) {
      e.name = cells[0];
      e.width = cells[1].toInt(&okW);
      e.height = cells[2].toInt(&okH);
      e.source = cells[3];
      e.named = cells.value(4) != QStringLiteral("extra");
    }
    if (!okW || !okH || e.width <= 0 || e.height <= 0 || e.name.isEmpty()) {
      if (error) *error = QStringLiteral("%1:%2: expected name, width, height, scene").arg(path).arg(lineNo);
      return std::nullopt;
    }
    entries.push_back(e);
  }
  return entries;
}

}  // namespace scene
