// The picture cache: a picture is decoded once at the size it is shown and shared by every
// widget that shows it; it is decoded again only for a larger size. Runs a Qt application in a
// child process (offscreen).
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "runtime/view/PictureCache.h"

namespace {

void Check(bool ok, const char* what) {
  if (ok) return;
  std::fprintf(stderr, "failed: %s\n", what);
  std::exit(1);
}

void SharedAndDecodedAtItsSize() {
  int argc = 1;
  char name[] = "picture_cache_test";
  char* argv[] = {name, nullptr};
  QApplication app(argc, argv);
  const std::string file = (std::filesystem::temp_directory_path() / "storyloom-cache-test.jpg").string();
  QImage source(1600, 1200, QImage::Format_RGB32);
  source.fill(Qt::darkGreen);
  Check(source.save(QString::fromStdString(file), "JPG"), "writing the picture");

  using wdrt::view::PictureCache;
  PictureCache& cache = PictureCache::Get();
  QWidget first, second;
  QPixmap gotFirst, gotSecond;
  Check(cache.Request(file, QSize(400, 300), &first, [&](const QPixmap& p) { gotFirst = p; }).isNull(),
        "nothing is there before the decode");
  Check(cache.Request(file, QSize(400, 300), &second, [&](const QPixmap& p) { gotSecond = p; }).isNull(),
        "a second window waits for the same decode");
  Check(cache.DecodeCount() == 1, "two windows, one decode");
  cache.Settle(5000);
  Check(gotFirst.size() == QSize(400, 300), "decoded at the size it is shown");
  Check(gotFirst.cacheKey() == gotSecond.cacheKey(), "both windows share one picture");
  Check(cache.Request(file, QSize(200, 150), &first, nullptr).cacheKey() == gotFirst.cacheKey(),
        "a smaller window takes the picture there is");
  Check(cache.DecodeCount() == 1, "no decode for a smaller size");
  QPixmap larger;
  cache.Request(file, QSize(800, 600), &first, [&](const QPixmap& p) { larger = p; });
  Check(cache.DecodeCount() == 2, "a window grown past the decoded size decodes again");
  cache.Settle(5000);
  Check(larger.size() == QSize(800, 600), "the larger decode arrives");
  std::filesystem::remove(file);
  std::exit(0);
}

TEST(PictureCache, DecodesOnceAtTheShownSizeAndShares) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  EXPECT_EXIT(SharedAndDecodedAtItsSize(), ::testing::ExitedWithCode(0), "");
}

}  // namespace
