// Shared helpers of the report tests: the one QGuiApplication, the corpus folder, and ink.
#pragma once

#include <QImage>
#include <QString>

namespace reporttest {

void EnsureGuiApp();
// The folder of metafiles written by other programs, or empty when it is not beside the checkout.
QString CorpusDir();
// Pixels that differ from white.
int InkPixels(const QImage& image);
// A folder under the build tree for pictures a person may look at.
QString ArtifactDir();

}  // namespace reporttest
