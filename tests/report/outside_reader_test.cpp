// Our page files as other programs read them: ImageMagick and libwmf (wmf2svg) draw the
// texts and lines where our player draws them, and the picture's JPEG bytes are inside as
// the program carries them. Also leaves a side-by-side picture of both renderings in the
// build folder for people to look at.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <filesystem>
#include <regex>

#include "runtime/report/Report.h"
#include "runtime/report/WmfPlayer.h"
#include "tests/report/ReportTestSupport.h"

using namespace wdrt::report;

namespace {

constexpr int kDpi = 100;
constexpr double kTolerance = 0.05 * kDpi;  // a twentieth of an inch

// The box around the pixels that `wanted` picks out; empty when none does.
QRect InkBox(const QImage& image, const std::function<bool(QRgb)>& wanted) {
  int left = image.width(), top = image.height(), right = -1, bottom = -1;
  for (int y = 0; y < image.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      if (!wanted(line[x])) continue;
      left = std::min(left, x);
      right = std::max(right, x);
      top = std::min(top, y);
      bottom = std::max(bottom, y);
    }
  }
  return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

bool Red(QRgb c) { return qRed(c) > 180 && qGreen(c) < 90 && qBlue(c) < 90; }
bool Black(QRgb c) { return qRed(c) < 80 && qGreen(c) < 80 && qBlue(c) < 80; }

// `withRight` false: the right edge of a text depends on the face each program substitutes
// for Arial (ImageMagick's is narrower), not on where the page puts the text.
void ExpectClose(const QRect& ours, const QRect& theirs, const char* what, bool withRight = true) {
  ASSERT_FALSE(ours.isNull()) << what;
  ASSERT_FALSE(theirs.isNull()) << what;
  EXPECT_NEAR(ours.left(), theirs.left(), kTolerance) << what;
  EXPECT_NEAR(ours.top(), theirs.top(), kTolerance) << what;
  if (withRight) {
    EXPECT_NEAR(ours.right(), theirs.right(), kTolerance) << what;
  }
  EXPECT_NEAR(ours.bottom(), theirs.bottom(), kTolerance) << what;
}

}  // namespace

TEST(OutsideReaders, DrawOurPagesWhereOurPlayerDoes) {
  reporttest::EnsureGuiApp();
  const std::string dir = reporttest::MakeTempDir("outside");
  const std::string picture = dir + "/party.jpg";
  const QByteArray jpeg = reporttest::MakeJpeg(400, 260, 0x2850A0);
  reporttest::WriteFile(picture, jpeg);

  ReportDef def;
  def.name = "OutsideReaders";
  def.marginLeft = 208;
  def.marginTop = 125;
  for (const char* name : {"ONE", "TWO"}) {
    BandDef band{name, BandKind::Detail, 10750, {}};
    band.items.push_back(ReportPicture(picture, 594, 208, 7000, 4521));
    band.items.push_back(ReportText(646, 281, "Hi, my name is Zuli.", {"Arial", 48, true, wdrt::kWhite}));
    band.items.push_back(
        ReportText(646, 6000, std::string("Where was her party? ") + name, {"Arial", 11, false, wdrt::MakeRgb(255, 0, 0)}));
    band.items.push_back(ReportBox(500, 7000, 3000, 1500));
    def.bands.push_back(band);
  }
  PreviewQueue queue;
  Report report(def);
  report.SetPreviewQueue(&queue);
  report.Open();
  report.Print("ONE");
  report.Print("TWO");
  report.EndPage();
  ASSERT_EQ(queue.Records(), 2u);

  for (std::size_t page = 1; page <= 2; ++page) {
    const std::string file = *queue.Get(page);
    const QByteArray bytes = reporttest::ReadFile(file);
    EXPECT_TRUE(bytes.contains(jpeg)) << "the picture's own bytes";

    // Ours, at 100 dots per inch on white.
    QImage ours(850, 1100, QImage::Format_RGB32);
    ours.fill(Qt::white);
    {
      QPainter painter(&ours);
      EXPECT_EQ(PlayWmf(painter, bytes, QRectF(0, 0, 850, 1100)).status, WmfStatus::Ok);
    }
    // ImageMagick's, through libwmf, at the same density.
    const std::string png = dir + "/im-" + std::to_string(page) + ".png";
    // libwmf cannot decode JPEG pictures inside a metafile: it says so, leaves the picture out
    // and draws the rest, so only the written image counts here.
    reporttest::Run("convert -density " + std::to_string(kDpi) + " '" + file + "' -background white -flatten '" + png +
                    "' 2>/dev/null");
    ASSERT_TRUE(std::filesystem::exists(png)) << "ImageMagick could not read the page";
    QImage theirs = QImage(QString::fromStdString(png)).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(theirs.size(), ours.size());

    ExpectClose(InkBox(ours, Red), InkBox(theirs, Red), "the red line of text", false);
    // The ruled box: black ink below the picture.
    auto lowerBlack = [](const QImage& image) {
      return InkBox(image.copy(0, 650, image.width(), 450), Black).translated(0, 650);
    };
    ExpectClose(lowerBlack(ours), lowerBlack(theirs), "the ruled box");

    // libwmf's own text positions against our player's: the left end, and the top of the
    // text (libwmf puts the baseline one character height below it, where the font's ascent
    // would be exact; the top is what the page sets).
    const std::string svg = reporttest::Run("wmf2svg '" + file + "' 2>/dev/null");
    const std::regex widthPattern("<svg width=\"([0-9.]+)\"");
    std::smatch width;
    ASSERT_TRUE(std::regex_search(svg, width, widthPattern));
    const double perInch = std::stod(width[1]) / 8.5;
    const auto texts = ExtractWmfTexts(bytes);
    ASSERT_EQ(texts.size(), 2u);
    const std::regex textPattern("matrix\\([^ ]+ [^ ]+ [^ ]+ [^ ]+ ([0-9.]+) ([0-9.]+)\\)\"\\s*>([^<]+)<");
    int matched = 0;
    for (auto it = std::sregex_iterator(svg.begin(), svg.end(), textPattern); it != std::sregex_iterator(); ++it) {
      for (const WmfTextItem& item : texts) {
        if (item.text.toStdString() != (*it)[3].str()) continue;
        ++matched;
        const double characterHeight = (item.text.startsWith("Hi") ? 48 : 11) / 72.0;
        EXPECT_NEAR(item.position.x(), std::stod((*it)[1]) / perInch, 0.05) << item.text.toStdString();
        EXPECT_NEAR(item.box.top(), std::stod((*it)[2]) / perInch - characterHeight, 0.05) << item.text.toStdString();
      }
    }
    EXPECT_EQ(matched, 2);

    if (page == 1) {
      // Side by side for people to look at: ours left, ImageMagick's right.
      QImage both(1700, 1100, QImage::Format_RGB32);
      QPainter painter(&both);
      painter.drawImage(0, 0, ours);
      painter.drawImage(850, 0, theirs);
      painter.setPen(Qt::gray);
      painter.drawLine(850, 0, 850, 1100);
      painter.end();
      both.save(QString(STORYLOOM_SUITE_DIR) + "/../report-player-vs-imagemagick.png");
    }
  }
  DeletePageFiles(queue);
  std::filesystem::remove_all(dir);
}
