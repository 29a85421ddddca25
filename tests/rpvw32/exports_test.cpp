// The library's exported names, the printer-status helper (no shell between it and the
// program it starts) and clipboard bitmaps saved as BMP files.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <filesystem>
#include <thread>

#include "rpvw32/Previewer.h"
#include "rpvw32/Utilities.h"
#include "runtime/core/Runtime.h"
#include "tests/report/ReportTestSupport.h"

namespace {

TEST(Exports, EveryExportIsVisibleUnderItsName) {
  const std::string symbols =
      reporttest::Run("nm -D --defined-only " + std::string(STORYLOOM_SUITE_DIR) + "/librpvw32.so");
  for (const char* name : {"PRINTPREVIEW", "ASSGNPGOFPG", "HANDLECOPIES", "SUPPORTED", "PAPERSUPPORT", "WMF2ASCII",
                           "SHOWPRINTERSTATUS", "SaveClipToFile", "SetPrinterDraftMode", "GETRPVWTEXTBUTTONHANDLE"})
    EXPECT_NE(symbols.find(std::string(" T ") + name + "\n"), std::string::npos) << name;
  // Nothing else of the library's inner parts is exported.
  EXPECT_EQ(symbols.find("rpvw"), std::string::npos);
  EXPECT_EQ(rpvw::TextButtonHandle(), 0);
}

TEST(PrinterStatus, StartsTheProgramWithoutAShellAndClosesTheWindowByTitle) {
  reporttest::EnsureGuiApp();
  const std::string dir = reporttest::MakeTempDir("status");
  const QString before = QDir::currentPath();
  QDir::setCurrent(QString::fromStdString(dir));
  rpvw::ShowPrinterStatus(1, 0, "", "touch made;touch other");
  QDir::setCurrent(before);
  // The blanks split the command; ";" is no command separator without a shell.
  // touch makes its files in order: once the last is there, both are.
  for (int i = 0; i < 3000 && !std::filesystem::exists(dir + "/other"); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  EXPECT_TRUE(std::filesystem::exists(dir + "/made;touch"));
  EXPECT_TRUE(std::filesystem::exists(dir + "/other"));

  wdrt::WindowDef def;
  def.title = "* Printing Report...";
  wdrt::WindowPtr window = wdrt::Open(def);
  wdrt::Event event;
  ASSERT_TRUE(wdrt::Accept(window, event));  // the open event
  rpvw::ShowPrinterStatus(0, 1, "ignored", "");
  ASSERT_TRUE(wdrt::Accept(window, event));
  EXPECT_EQ(event.number, wdrt::EventCloseWindow);
  wdrt::Close(window);
  std::filesystem::remove_all(dir);
}

TEST(ClipboardBitmap, TheClipboardImageBecomesABmpAndNothingWithoutOne) {
  reporttest::EnsureGuiApp();
  const std::string dir = reporttest::MakeTempDir("clip");
  QImage image(7, 4, QImage::Format_RGB32);
  image.fill(QColor(200, 100, 50));
  QGuiApplication::clipboard()->setImage(image);
  const std::string written = rpvw::SaveClipToFile(false, dir + "/clip.bmp");
  ASSERT_EQ(written, dir + "/clip.bmp");
  QImage back;
  ASSERT_TRUE(back.load(QString::fromStdString(written), "BMP"));
  EXPECT_EQ(back.size(), QSize(7, 4));
  EXPECT_EQ(back.pixelColor(6, 3), QColor(200, 100, 50));
  QGuiApplication::clipboard()->clear();
  EXPECT_EQ(rpvw::SaveClipToFile(false, dir + "/none.bmp"), "");
  EXPECT_FALSE(std::filesystem::exists(dir + "/none.bmp"));
  std::filesystem::remove_all(dir);
}

}  // namespace
