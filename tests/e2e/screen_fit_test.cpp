// Pages open whole on common screens: the frame, its toolbar and the first page fit the
// screen, the page lies inside the child-window area, and no scroll bar shows.
#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>

#include "BookRun.h"

namespace {

TEST(ScreenFit, FirstPageOpensWholeOnCommonScreens) {
  const struct {
    int width, height;
  } screens[] = {{1366, 768}, {1920, 1080}, {1280, 720}};
  for (const auto& screen : screens) {
    const std::string size = std::to_string(screen.width) + "x" + std::to_string(screen.height);
    SCOPED_TRACE(size);
    const std::string dir = e2e::MakeTempDir("fit");
    const std::string shot = dir + "/fete-fit-" + size + ".png";
    for (const char* book : {"fete", "b"}) {
      const std::string script =
          "press \"Storyloom\" -10\n"
          "wait-window \"Learning Words\"\n"
          "expect-visible \"Learning Words\"#1\n"
          "expect-visible \"Storyloom\"\n" +
          (std::string(book) == "fete" ? "screenshot " + shot + "\n" : std::string()) + "close \"Storyloom\"\n";
      const e2e::RunResult run =
          e2e::RunBook(book, script, {e2e::OffscreenScreen(dir, screen.width, screen.height)});
      EXPECT_EQ(run.exitCode, 0) << book << "\n" << run.output;
    }
    const QImage image(QString::fromStdString(shot));
    ASSERT_FALSE(image.isNull());
    EXPECT_LE(image.width(), screen.width);
    EXPECT_LE(image.height(), screen.height);
    const std::string kept = std::string(STORYLOOM_BINARY_DIR) + "/screenshots/" + std::filesystem::path(shot).filename().string();
    std::filesystem::create_directories(std::filesystem::path(kept).parent_path());
    std::filesystem::copy_file(shot, kept, std::filesystem::copy_options::overwrite_existing);
  }
}

}  // namespace
