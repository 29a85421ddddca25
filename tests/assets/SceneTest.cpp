// The scene language and its drawing: parsing, faults reported by line, the child's name, and
// the flag drawn to its real pattern (13 stripes, 50 stars in 9 rows) in its three colourings.
#include "AssetTables.h"
#include "ScenePainter.h"
#include "SceneScript.h"

#include <QImage>
#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace assetstest {
namespace {

std::optional<QImage> Render(const QString& text, QSize size, const QString& child = QStringLiteral("Zuli"),
                             QString* error = nullptr) {
  EnsureGuiApp();
  auto commands = scene::ParseScene(text, error);
  if (!commands) return std::nullopt;
  QImage image(size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::white);
  scene::ScenePainter painter(image, {child, QStringLiteral(STORYLOOM_CLIPART_DIR)});
  if (!painter.Run(*commands, error)) return std::nullopt;
  return image;
}

TEST(SceneScript, SplitsWordsAndKeepsQuotedBlanks) {
  const auto words = scene::SplitWords(QStringLiteral("text 1 2  \"I  see  birds.\" align=left #ff0000"));
  ASSERT_TRUE(words.has_value());
  EXPECT_EQ(*words, (QStringList{"text", "1", "2", "I  see  birds.", "align=left", "#ff0000"}));
  EXPECT_FALSE(scene::SplitWords(QStringLiteral("text \"unterminated")).has_value());
}

TEST(SceneScript, SeparatesOptionsAndSkipsComments) {
  QString error;
  const auto commands = scene::ParseScene(QStringLiteral("# a comment\n\nclip 1 2 3 a.svg rot=-8 flip\n"), &error);
  ASSERT_TRUE(commands.has_value()) << qPrintable(error);
  ASSERT_EQ(commands->size(), 1u);
  const auto& c = commands->front();
  EXPECT_EQ(c.name, QStringLiteral("clip"));
  EXPECT_EQ(c.line, 3);
  EXPECT_EQ(c.args, (QStringList{"1", "2", "3", "a.svg", "flip"}));
  EXPECT_EQ(c.Option(QStringLiteral("rot")), QStringLiteral("-8"));
  EXPECT_TRUE(c.Flag(QStringLiteral("flip")));
  EXPECT_FALSE(c.Flag(QStringLiteral("pole")));
}

TEST(ScenePainter, ReportsFaultsWithTheirLine) {
  struct Case {
    const char* scene;
    const char* expected;
  };
  const Case cases[] = {
      {"fill #ffffff\nwobble 1 2\n", "line 2 (wobble)"},
      {"rect 1 2 three 4 #ff0000\n", "line 1 (rect)"},
      {"fill notacolour\n", "line 1 (fill)"},
      {"path #ff0000 none 0 \"M 1 2 X 3\"\n", "line 1 (path)"},
      {"clip 10 10 10 no/such/file.svg\n", "cannot read clip art"},
      {"text 1 2 \"open\n", "unterminated quote"},
  };
  for (const Case& c : cases) {
    QString error;
    EXPECT_FALSE(Render(QString::fromUtf8(c.scene), {64, 64}, QStringLiteral("Zuli"), &error).has_value()) << c.scene;
    EXPECT_TRUE(error.contains(QString::fromUtf8(c.expected))) << qPrintable(error);
  }
}

// Where one balloon ends up, as a share of the picture, with controls and printed texts kept clear.
QRectF BalloonPlaced(double x, const std::vector<QRectF>& controls, const std::vector<QRectF>& printed) {
  EnsureGuiApp();
  const auto commands = scene::ParseScene(QStringLiteral("balloon %1 60 10 #e53935 0\n").arg(x), nullptr);
  QImage image(316, 208, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::white);
  scene::ScenePainter painter(image, {QStringLiteral("Zuli"), QStringLiteral(STORYLOOM_CLIPART_DIR)});
  painter.KeepClearOf(controls, printed);
  if (!commands || !painter.Run(*commands, nullptr) || painter.Figures().size() != 1) return {};
  return painter.Figures().front().share;
}

bool Meets(const QRectF& a, const QRectF& b) {
  const QRectF common = a & b;
  return common.width() > 0.01 && common.height() > 0.01;
}

TEST(ScenePainter, FiguresKeepClearOfPrintedTextsWhereThereIsRoomAndOfControlsAlways) {
  const QRectF left(0, 0, 0.5, 1), right(0.5, 0, 0.5, 1), top(0, 0, 1, 0.45);
  // Room below the printed lines: the balloon moves there.
  const QRectF below = BalloonPlaced(60, {}, {top});
  ASSERT_FALSE(below.isEmpty());
  EXPECT_FALSE(Meets(below, top));
  // No room clear of both: a balloon under no control stays where it was drawn ...
  const QRectF stays = BalloonPlaced(60, {right}, {left});
  EXPECT_NEAR(stays.center().x(), 60.0 / 316, 0.02);
  // ... and one under a control leaves it, even for a place under the printed texts.
  const QRectF moved = BalloonPlaced(250, {right}, {left});
  ASSERT_FALSE(moved.isEmpty());
  EXPECT_FALSE(Meets(moved, right));
}

TEST(ScenePainter, ShowsTheChildOfTheBuild) {
  const QString scene = QStringLiteral("text 158 104 60 #000000 \"{child}\"\n");
  const auto ann = Render(scene, {632, 416}, QStringLiteral("Ann"));
  const auto bob = Render(scene, {632, 416}, QStringLiteral("Bob"));
  const auto literal = Render(QStringLiteral("text 158 104 60 #000000 \"Ann\"\n"), {632, 416});
  ASSERT_TRUE(ann && bob && literal);
  EXPECT_NE(*ann, *bob);
  EXPECT_EQ(*ann, *literal);
}

enum class Hue { Red, White, Blue, Other };

Hue Classify(QRgb p) {
  const int r = qRed(p), g = qGreen(p), b = qBlue(p);
  if (r > 200 && g > 200 && b > 200) return Hue::White;
  if (r > 140 && g < 80 && b < 90) return Hue::Red;
  if (b > 80 && r < 90 && g < 90) return Hue::Blue;
  return Hue::Other;
}

// Counts connected regions of one hue inside a rectangle (4-neighbour flood fill).
int CountRegions(const QImage& image, QRect area, Hue hue, std::vector<QPoint>* centres) {
  std::vector<char> seen(size_t(area.width()) * area.height(), 0);
  auto index = [&](int x, int y) { return size_t(y - area.top()) * area.width() + (x - area.left()); };
  int regions = 0;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      if (seen[index(x, y)] || Classify(image.pixel(x, y)) != hue) continue;
      ++regions;
      std::vector<QPoint> stack{{x, y}};
      seen[index(x, y)] = 1;
      long sumX = 0, sumY = 0, count = 0;
      while (!stack.empty()) {
        const QPoint p = stack.back();
        stack.pop_back();
        sumX += p.x();
        sumY += p.y();
        ++count;
        for (QPoint n : {p + QPoint(1, 0), p - QPoint(1, 0), p + QPoint(0, 1), p - QPoint(0, 1)}) {
          if (!area.contains(n) || seen[index(n.x(), n.y())] || Classify(image.pixel(n)) != hue) continue;
          seen[index(n.x(), n.y())] = 1;
          stack.push_back(n);
        }
      }
      if (centres) centres->push_back(QPoint(int(sumX / count), int(sumY / count)));
    }
  }
  return regions;
}

TEST(Flag, HasThirteenStripesAndFiftyStarsInNineRows) {
  // 1900 x 1000 px is exactly the flag's 19:10 proportion.
  const auto image = Render(QStringLiteral("space 190 100\nflag 0 0 190\n"), {1900, 1000});
  ASSERT_TRUE(image.has_value());
  const double stripe = 1000.0 / 13;
  int red = 0, white = 0;
  for (int i = 0; i < 13; ++i) {
    const Hue hue = Classify(image->pixel(1850, int((i + 0.5) * stripe)));
    EXPECT_EQ(hue, i % 2 == 0 ? Hue::Red : Hue::White) << "stripe " << i;
    red += hue == Hue::Red;
    white += hue == Hue::White;
  }
  EXPECT_EQ(red, 7);
  EXPECT_EQ(white, 6);
  // The canton covers seven stripes and 0.76 of the hoist.
  EXPECT_EQ(Classify(image->pixel(740, 520)), Hue::Blue);
  EXPECT_EQ(Classify(image->pixel(790, 520)), Hue::Red);
  std::vector<QPoint> centres;
  EXPECT_EQ(CountRegions(*image, QRect(0, 0, 760, 538), Hue::White, &centres), 50);
  std::set<int> rows;
  for (QPoint c : centres) rows.insert(c.y() / 10);
  EXPECT_EQ(rows.size(), 9u);
}

TEST(Flag, AnswerColouringsDiffer) {
  struct Case {
    const char* style;
    bool red, white, blue;
  };
  for (const Case& c : {Case{"us", true, true, true}, Case{"redwhite", true, true, false}, Case{"redblue", true, false, true}}) {
    const auto image = Render(QStringLiteral("space 190 100\nflag 0 0 190 %1\n").arg(QString::fromLatin1(c.style)), {380, 200});
    ASSERT_TRUE(image.has_value());
    std::set<Hue> hues;
    for (int y = 2; y < 198; y += 3)
      for (int x = 2; x < 378; x += 3) hues.insert(Classify(image->pixel(x, y)));
    EXPECT_EQ(hues.count(Hue::Red) == 1, c.red) << c.style;
    EXPECT_EQ(hues.count(Hue::White) == 1, c.white) << c.style;
    EXPECT_EQ(hues.count(Hue::Blue) == 1, c.blue) << c.style;
  }
}

}  // namespace
}  // namespace assetstest
