// Reads the picture table (pictures.tsv): every picture's file name, pixel size, scene source
// and whether a page table names it. Any thread (build tool and tests).
#pragma once

#include <QString>
#include <optional>
#include <vector>

namespace scene {

struct PictureEntry {
  QString name;    // file name exactly as the tables write it
  int width = 0;   // rendered size in pixels
  int height = 0;
  QString source;  // scene file, relative to the assets folder
  bool named = true;  // false for suite extras that no table names
};

// Returns nothing when the file cannot be read or a row is malformed (*error says which).
std::optional<std::vector<PictureEntry>> ReadPictureTable(const QString& path, QString* error);

}  // namespace scene
