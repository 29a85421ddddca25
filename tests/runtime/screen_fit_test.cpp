// The arithmetic of fitting windows to screens and pictures to their places, the menus' texts,
// the text layout's promise to stay inside its rectangle, and the help book's search.
#include <gtest/gtest.h>

#include <QFont>
#include <QGuiApplication>
#include <filesystem>
#include <fstream>

#include "runtime/dialogs/HelpBook.h"
#include "runtime/view/FrameFit.h"
#include "runtime/view/Pictures.h"
#include "runtime/view/TextPainting.h"
#include "runtime/view/Units.h"
#include "runtime/view/WindowShapeView.h"

namespace {

using namespace wdrt::view;

wdrt::WindowDef BookFrame() {
  wdrt::WindowDef def;
  def.kind = wdrt::WindowKind::Frame;
  def.size = {0, 0, 317, 228};  // made to hold its tallest page
  for (int row = 0; row < 2; ++row) {
    wdrt::ControlDef button;
    button.pos = {1, 1 + row * 24, 52, 23};
    def.toolbar.push_back(button);
  }
  def.menu.resize(1);
  return def;
}

const FrameChrome kChrome{24, QSize(8, 30), QSize(8, 32)};

TEST(FrameFit, ABookUsesItsScreenAndStillFitsIt) {
  const wdrt::WindowDef frame = BookFrame();
  for (const QSize screen : {QSize(1280, 720), QSize(1366, 768), QSize(1920, 1080), QSize(2560, 1440)}) {
    SCOPED_TRACE(std::to_string(screen.width()) + "x" + std::to_string(screen.height()));
    const double scale = ScaleToFit(frame, kChrome, screen);
    const QSize fitted = FrameSizeAt(frame, kChrome, scale);
    EXPECT_LE(fitted.height(), screen.height() - kChrome.windowFrame.height());
    // One step larger would not fit: the book takes what the screen gives.
    const QSize larger = FrameSizeAt(frame, kChrome, scale + 0.01);
    EXPECT_TRUE(larger.height() > screen.height() - kChrome.windowFrame.height() ||
                larger.width() > screen.width() - kChrome.windowFrame.width() || scale >= kMaxBookScale);
  }
  // A large screen lets a book grow past the design scale; a menu does not.
  EXPECT_GT(ScaleToFit(frame, kChrome, QSize(2560, 1440)), kDesignScale);
  wdrt::WindowDef menu;
  menu.size = {0, 0, 320, 262};
  EXPECT_DOUBLE_EQ(ScaleToFit(menu, kChrome, QSize(2560, 1440)), kDesignScale);
  EXPECT_LE(WindowSizeAt(menu, kChrome, ScaleToFit(menu, kChrome, QSize(1366, 768))).height(), 768 - 32);
}

TEST(FrameFit, AWindowTooLargeForTheScreenIsBoundedAndMovedOntoIt) {
  const QRect screen(0, 0, 1366, 768);
  const QRect placed = PlaceOnScreen(QRect(0, 0, 1530, 1105), true, screen, kChrome);
  EXPECT_LE(placed.width() + 8, 1366);
  EXPECT_LE(placed.height() + 32, 768);
  EXPECT_TRUE(screen.contains(placed.adjusted(0, 0, 8, 32)));
  // One that fits where it is stays there; one sticking out is centred.
  EXPECT_EQ(PlaceOnScreen(QRect(10, 20, 400, 300), false, screen, kChrome), QRect(10, 20, 400, 300));
  const QRect moved = PlaceOnScreen(QRect(1200, 600, 400, 300), false, screen, kChrome);
  EXPECT_EQ(moved.size(), QSize(400, 300));
  EXPECT_TRUE(screen.contains(moved.adjusted(0, 0, 8, 32)));
}

TEST(PictureProportions, CoverCutsEvenlyAndContainCentres) {
  // A 4:3 picture over a 16:9 place loses equal strips at its top and bottom.
  const QRectF source = CoverSource(QSizeF(1600, 1200), QSizeF(1920, 1080));
  EXPECT_DOUBLE_EQ(source.width(), 1600);
  EXPECT_NEAR(source.height(), 900, 0.01);
  EXPECT_NEAR(source.top(), 150, 0.01);
  // Shown whole in a wide place it stands in the middle, as tall as the place.
  const QRectF shown = ContainRect(QSizeF(400, 300), QRectF(0, 0, 800, 300));
  EXPECT_EQ(shown, QRectF(200, 0, 400, 300));
  // Either way the proportions are the picture's.
  EXPECT_NEAR(source.width() / source.height(), 1920.0 / 1080, 0.01);
  EXPECT_NEAR(shown.width() / shown.height(), 400.0 / 300, 0.01);
}

TEST(MenuTexts, AnAmpersandBeforeABlankIsShownItself) {
  EXPECT_EQ(MenuText("Web Help & discussion").toStdString(), "Web Help && discussion");
  EXPECT_EQ(MenuText("&Help").toStdString(), "&Help");
  EXPECT_EQ(MenuText("Fish && Chips").toStdString(), "Fish && Chips");
  EXPECT_EQ(MenuText("Odds &").toStdString(), "Odds &&");
}

TEST(TextLayout, TextsStayInsideTheirRectanglesWholeDescendersIncluded) {
  // Fonts need an application.
  int argc = 1;
  char name[] = "screen_fit_test";
  char* argv[] = {name, nullptr};
  QGuiApplication app(argc, argv);
  QFont font("Liberation Sans");
  font.setBold(true);
  font.setPixelSize(60);
  const struct {
    QRect rect;
    const char* text;
  } cases[] = {{QRect(10, 10, 300, 70), "How  old  is  Zuli  going  to  be?"},
               {QRect(0, 0, 130, 45), "House"},
               {QRect(5, 5, 420, 60), "I  am  turning  six."},
               {QRect(0, 0, 78, 34), "Binoculars"}};
  for (const auto& c : cases) {
    for (bool outline : {false, true}) {
      const FittedText laid = LayOutText(c.rect, c.text, font, outline);
      ASSERT_FALSE(laid.lines.empty());
      EXPECT_TRUE(c.rect.contains(laid.bounds)) << c.text << (outline ? " outlined" : "");
    }
  }
}

TEST(HelpBook, SearchFindsThePagesHoldingEveryWordInAnyCase) {
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "storyloom-help-search";
  std::filesystem::create_directories(folder);
  std::ofstream(folder / "index.html") << "<html><body><p>Contents</p></body></html>";
  std::ofstream(folder / "printing.html") << "<html><body><p>Cut the sheet, then <b>staple</b> it.</p></body></html>";
  std::ofstream(folder / "kiosk.html") << "<html><body><p>Hold Ctrl+Alt+Q &amp; answer the sum.</p></body></html>";
  EXPECT_EQ(wdrt::SearchHelpBook(folder.string(), "STAPLE"), std::vector<std::string>{"printing.html"});
  EXPECT_EQ(wdrt::SearchHelpBook(folder.string(), "cut staple"), std::vector<std::string>{"printing.html"});
  EXPECT_TRUE(wdrt::SearchHelpBook(folder.string(), "cut sum").empty());
  EXPECT_EQ(wdrt::SearchHelpBook(folder.string(), "& answer"), std::vector<std::string>{"kiosk.html"});
  // Tags are not words of a page.
  EXPECT_TRUE(wdrt::SearchHelpBook(folder.string(), "body").empty());
  EXPECT_TRUE(wdrt::SearchHelpBook(folder.string(), "   ").empty());
  std::filesystem::remove_all(folder);
}

}  // namespace
