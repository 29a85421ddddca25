// Test helpers: the sound and picture tables of the assets folder, the build's output folders,
// and a Qt GUI application for the tests that decode pictures. Test thread only.
#pragma once

#include "PictureTable.h"

#include <QString>
#include <vector>

namespace assetstest {

struct SoundRow {
  QString name;
  QString kind;
  QString voice;
  QString text;
};

std::vector<SoundRow> ReadSounds();                 // fails the calling test when unreadable
std::vector<scene::PictureEntry> ReadPictures();    // likewise
QString SuiteDir();      // where the sounds are (STORYLOOM_SUITE_DIR, else the build's default)
QString PictureDir();    // where the rendered pictures are
QString AssetsDir();     // the assets source folder
void EnsureGuiApp();     // creates the one QGuiApplication of the test program on first use

}  // namespace assetstest
