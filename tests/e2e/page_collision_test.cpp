// Nothing on a page collides, on any common screen: every page of every book is opened at each
// size and its layout (control rectangles and the boxes of their drawn texts) is checked against
// itself and against the figures that the picture generator reports for the page's pictures.
#include <gtest/gtest.h>

#include <QRect>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "BookRun.h"

namespace {

constexpr int kPageButtons[] = {-10, -11, -12, -13, -20, -18, -17, -19, -16, -15};
constexpr struct {
  int width, height;
} kScreens[] = {{1280, 720}, {1366, 768}, {1920, 1080}, {2560, 1440}};

struct Control {
  int number = 0;
  int type = 0;
  QRect rect;
  QRect text;  // empty without a text
  std::string style;
  std::string picture;
  std::string words;
};

struct Layout {
  QSize surface;
  std::vector<Control> controls;
};

// Reads a quoted word of a layout line (the journal's quoting: \" and \\ inside).
std::string Quoted(std::istringstream& in) {
  std::string word;
  char c = 0;
  in >> std::ws;
  if (!in.get(c) || c != '"') return word;
  while (in.get(c) && c != '"') {
    if (c == '\\' && in.get(c)) {}
    word += c;
  }
  return word;
}

Layout ReadLayout(const std::string& file) {
  Layout layout;
  std::ifstream in(file);
  for (std::string line; std::getline(in, line);) {
    std::istringstream words(line);
    std::string kind;
    words >> kind;
    if (kind == "surface") {
      int w = 0, h = 0;
      words >> w >> h;
      layout.surface = QSize(w, h);
    } else if (kind == "control") {
      Control c;
      int x, y, w, h, tx, ty, tw, th;
      words >> c.number >> c.type >> x >> y >> w >> h >> tx >> ty >> tw >> th >> c.style;
      c.rect = QRect(x, y, w, h);
      c.text = QRect(tx, ty, tw, th);
      c.picture = Quoted(words);
      c.words = Quoted(words);
      layout.controls.push_back(c);
    }
  }
  return layout;
}

// The figures of a picture as the generator reports them, as shares of the picture.
std::vector<QRectF> Figures(const std::string& picture) {
  std::vector<QRectF> figures;
  std::ifstream in(std::string(STORYLOOM_BINARY_DIR) + "/assets/figures/" + picture + ".tsv");
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') continue;
    const QStringList cells = QString::fromStdString(line).split('\t');
    if (cells.size() == 6)
      figures.emplace_back(cells[2].toDouble(), cells[3].toDouble(), cells[4].toDouble(), cells[5].toDouble());
  }
  return figures;
}

// Two boxes share more than antialiasing's pixel.
bool Overlap(const QRect& a, const QRect& b) { return a.adjusted(1, 1, -1, -1).intersects(b.adjusted(1, 1, -1, -1)); }

std::string Describe(const Control& c) {
  return "control " + std::to_string(c.number) + " \"" + c.words + "\" " + c.picture;
}

// Everything that a page may not do, said once per fault.
std::vector<std::string> Collisions(const Layout& page) {
  std::vector<std::string> faults;
  const QRect surface(QPoint(0, 0), page.surface);
  for (const Control& c : page.controls) {
    if (c.text.isEmpty()) continue;
    if (!c.rect.contains(c.text)) faults.push_back(Describe(c) + ": its text leaves the control");
    if (!surface.contains(c.text)) faults.push_back(Describe(c) + ": its text leaves the page");
    for (const Control& other : page.controls)
      if (other.number > c.number && !other.text.isEmpty() && Overlap(c.text, other.text))
        faults.push_back(Describe(c) + ": its text runs into the text of " + Describe(other));
    if (c.style == "label") {
      // A label stands on a picture card and stays on it.
      for (const Control& card : page.controls)
        if (card.type == 9 && !card.picture.empty() && card.rect.contains(c.rect.topLeft()) &&
            !card.rect.contains(c.text))
          faults.push_back(Describe(c) + ": leaves its card " + Describe(card));
    }
  }
  // No control lies over a figure of the page's picture.
  for (const Control& image : page.controls) {
    if (image.type != 3 || image.picture.empty()) continue;
    for (const QRectF& share : Figures(image.picture)) {
      const QRectF figure(image.rect.x() + share.x() * image.rect.width(), image.rect.y() + share.y() * image.rect.height(),
                          share.width() * image.rect.width(), share.height() * image.rect.height());
      for (const Control& c : page.controls) {
        if (c.number == image.number) continue;
        const QRectF common = figure & QRectF(c.rect);
        if (common.width() > 0.01 * image.rect.width() && common.height() > 0.01 * image.rect.height())
          faults.push_back(Describe(c) + ": covers a figure of " + image.picture);
      }
    }
  }
  return faults;
}

class PageCollisions : public ::testing::TestWithParam<std::string> {};

TEST_P(PageCollisions, NoPageHasTextsRunningTogetherOrControlsOverFigures) {
  const std::string book = GetParam();
  for (const auto& screen : kScreens) {
    const std::string size = std::to_string(screen.width) + "x" + std::to_string(screen.height);
    SCOPED_TRACE(size);
    const std::string dir = e2e::MakeTempDir("collide");
    std::string script = "wait-window \"Storyloom\"\n";
    int opened = 0;
    for (int button : kPageButtons) {
      ++opened;
      const std::string page = "\"Learning Words\"#" + std::to_string(opened);
      script += "press \"Storyloom\" " + std::to_string(button) + "\n" + "wait-window \"Learning Words\" " +
                std::to_string(opened) + "\n" + "layout " + page + " " + dir + "/page" + std::to_string(opened) + ".txt\n";
    }
    script += "close \"Storyloom\"\n";
    const e2e::RunResult run = e2e::RunBook(book, script, {e2e::OffscreenScreen(dir, screen.width, screen.height)});
    ASSERT_EQ(run.exitCode, 0) << run.output;
    for (int page = 1; page <= opened; ++page) {
      const Layout layout = ReadLayout(dir + "/page" + std::to_string(page) + ".txt");
      ASSERT_FALSE(layout.controls.empty()) << "page " << page;
      for (const std::string& fault : Collisions(layout)) ADD_FAILURE() << book << " page " << page << ": " << fault;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Books, PageCollisions, ::testing::Values("fete", "banners", "a", "b"));

}  // namespace
