// Every metafile of the corpus (written by other programs) is drawn headless within a time
// bound, the structurally faulty ones are reported as such, and where libwmf's wmf2svg renders
// a file, our drawing has ink and our texts stand where wmf2svg puts them.
#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QSvgRenderer>
#include <QTemporaryDir>

#include <cmath>
#include <map>
#include <set>

#include "runtime/report/WmfPlayer.h"
#include "tests/report/ReportTestSupport.h"

namespace {

using wdrt::report::WmfStatus;

// Files with structural faults (header size disagreeing with the file, bytes after the EOF
// record, a record running past the end, no EOF, a zero extent) and the one that is no
// metafile at all.
// Distance allowed between our baseline start and wmf2svg's, in text box heights (ascent +
// descent, about 1.15 em). The reference point of a record is exact, but top- and bottom-
// aligned texts find their baseline through the font's ascent or descent, and centred or
// right-aligned ones through the text's width, and both come from other fonts there
// (Times/Helvetica metrics and its own symbol tables against our Liberation faces): for
// single glyphs of substituted symbol fonts that reaches about 0.8 of a text height.
constexpr double kTolerance = 0.8;
// Share of a file's texts that must stand within the tolerance.
constexpr double kAgreeing = 0.9;

// wmf2svg frames the extent of what this file draws instead of its placeable box (ImageMagick,
// on the same library, shows the same shift), so positions cannot be compared.
const std::set<QString> kOtherFrame = {"libwmf_fulltest.wmf"};

const std::map<QString, WmfStatus> kFaulty = {
    {"libwmf_gd-Readme-not-a-metafile.wmf", WmfStatus::NotMetafile},
    {"libwmf_2doorvan.wmf", WmfStatus::Damaged},
    {"lo_B_DNA.wmf", WmfStatus::Damaged},  // sets a window extent of zero near its end
    {"libwmf_fjftest.wmf", WmfStatus::Damaged},
    {"lo_47243_wmf1.wmf", WmfStatus::Damaged},
    {"lo_test_libuemf_ref.wmf", WmfStatus::Damaged},
    {"lo_visio_import_source.wmf", WmfStatus::Damaged},
    {"poi_61338.wmf", WmfStatus::Damaged},
    {"wmf2canvas_4.wmf", WmfStatus::Damaged},
    {"wmf2canvas_5.wmf", WmfStatus::Damaged},
    {"wmf2png_world.wmf", WmfStatus::Damaged},
    {"wmfjs_dash-dot.wmf", WmfStatus::Damaged},
    {"wmfjs_pie.wmf", WmfStatus::Damaged},
    {"wmfpreview_bird.wmf", WmfStatus::Damaged},
    {"wmfpreview_owl.wmf", WmfStatus::Damaged},
    {"wmfpreview_wmftest.wmf", WmfStatus::Damaged},
};

QStringList CorpusFiles() {
  const QString dir = reporttest::CorpusDir();
  if (dir.isEmpty()) return {};
  QStringList files = QDir(dir).entryList({"*.wmf"}, QDir::Files, QDir::Name);
  for (QString& f : files) f = dir + "/" + f;
  return files;
}

// True when a SETTEXTALIGN asks for texts at the current position: their places then follow
// the advance widths of the texts before them, which wmf2svg measures with other fonts (and
// in part ignores), so such files are left out of the position comparison.
bool UsesCurrentPosition(const QByteArray& bytes) {
  const auto* d = reinterpret_cast<const unsigned char*>(bytes.constData());
  const std::size_t n = static_cast<std::size_t>(bytes.size());
  std::size_t at = (n >= 4 && d[0] == 0xD7 && d[1] == 0xCD && d[2] == 0xC6 && d[3] == 0x9A) ? 40 : 18;
  while (at + 8 <= n) {
    const std::uint32_t words = d[at] | d[at + 1] << 8 | d[at + 2] << 16 | static_cast<std::uint32_t>(d[at + 3]) << 24;
    const int function = d[at + 4] | d[at + 5] << 8;
    if (words < 3 || words > (n - at) / 2) break;
    if (function == 0x012E && (d[at + 6] & 1)) return true;
    at += static_cast<std::size_t>(words) * 2;
  }
  return false;
}

QByteArray ReadAll(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Draws `bytes` onto a white image `width` pixels wide, of the frame's aspect.
QImage Draw(const QByteArray& bytes, int width, wdrt::report::WmfPlayResult* result) {
  const auto header = wdrt::report::ReadWmfHeader(bytes);
  double aspect = 1;
  if (header && header->sizeInches.width() > 0 && header->sizeInches.height() > 0)
    aspect = header->sizeInches.height() / header->sizeInches.width();
  const int height = std::clamp(static_cast<int>(std::lround(width * aspect)), 1, 4 * width);
  QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::white);
  QPainter painter(&image);
  *result = wdrt::report::PlayWmf(painter, bytes, QRectF(0, 0, width, height));
  painter.end();
  return image;
}

class WmfCorpusTest : public ::testing::Test {
 protected:
  void SetUp() override {
    reporttest::EnsureGuiApp();
    if (CorpusFiles().isEmpty()) GTEST_SKIP() << "the metafile corpus is not beside the checkout";
  }
};

TEST_F(WmfCorpusTest, EveryFileDrawsInTimeWithItsStatus) {
  const QStringList files = CorpusFiles();
  EXPECT_EQ(files.size(), 55);
  for (const QString& path : files) {
    const QString name = QFileInfo(path).fileName();
    SCOPED_TRACE(name.toStdString());
    const QByteArray bytes = ReadAll(path);
    QElapsedTimer timer;
    timer.start();
    wdrt::report::WmfPlayResult result;
    const QImage image = Draw(bytes, 400, &result);
    EXPECT_LT(timer.elapsed(), 5000);
    const auto expected = kFaulty.count(name) ? kFaulty.at(name) : WmfStatus::Ok;
    EXPECT_EQ(result.status, expected) << result.problem;
    EXPECT_EQ(result.problem.empty(), expected == WmfStatus::Ok) << result.problem;
    if (expected != WmfStatus::NotMetafile) {
      EXPECT_GT(result.records, 0);
    }
    image.save(reporttest::ArtifactDir() + "/corpus-" + QFileInfo(path).completeBaseName() + ".png");
  }
}

// Texts as wmf2svg draws them: the baseline start of every glyph run, in SVG pixels.
struct SvgRender {
  bool ok = false;
  int ink = -1;  // pixels of ink when the SVG is drawn 400 pixels wide; -1: Qt cannot read it
  QSizeF size;
  std::vector<QPointF> texts;
};

SvgRender RunWmf2Svg(const QString& wmf, const QString& svgPath) {
  SvgRender out;
  QProcess process;
  process.start("wmf2svg", {"-o", svgPath, wmf});
  if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit ||
      process.exitCode() != 0)
    return out;
  const QString svg = QString::fromLatin1(ReadAll(svgPath));
  const QRegularExpression sizeRe(R"re(<svg width="([\d.]+)" height="([\d.]+)")re");
  const auto size = sizeRe.match(svg);
  if (!size.hasMatch()) return out;
  out.size = QSizeF(size.captured(1).toDouble(), size.captured(2).toDouble());
  const QRegularExpression textRe(
      R"re(<text x="([-\d.]+)" y="([-\d.]+)"[^>]*transform="matrix\(\S+ \S+ \S+ \S+ ([-\d.]+) ([-\d.]+)\))re");
  for (auto it = textRe.globalMatch(svg); it.hasNext();) {
    const auto m = it.next();
    out.texts.emplace_back(m.captured(1).toDouble() + m.captured(3).toDouble(),
                           m.captured(2).toDouble() + m.captured(4).toDouble());
  }
  QSvgRenderer renderer(svgPath);
  if (renderer.isValid() && out.size.width() > 0) {
    QImage image(400, std::max(1, static_cast<int>(400 * out.size.height() / out.size.width())), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    renderer.render(&painter);
    painter.end();
    out.ink = reporttest::InkPixels(image);
  }
  out.ok = true;
  return out;
}

TEST_F(WmfCorpusTest, InkAndTextPositionsAgreeWithWmf2Svg) {
  if (QStandardPaths::findExecutable("wmf2svg").isEmpty()) GTEST_SKIP() << "wmf2svg (libwmf-bin) missing";
  QTemporaryDir tmp;
  int compared = 0, filesWithText = 0;
  for (const QString& path : CorpusFiles()) {
    const QString name = QFileInfo(path).fileName();
    SCOPED_TRACE(name.toStdString());
    const SvgRender svg = RunWmf2Svg(path, tmp.filePath(QFileInfo(path).completeBaseName() + ".svg"));
    if (!svg.ok) continue;
    const QByteArray bytes = ReadAll(path);
    wdrt::report::WmfPlayResult result;
    // Ink wherever wmf2svg shows some (one file paints white on white).
    if (svg.ink != 0) {
      EXPECT_GT(reporttest::InkPixels(Draw(bytes, 400, &result)), 0);
    }
    ++compared;

    const auto header = wdrt::report::ReadWmfHeader(bytes);
    ASSERT_TRUE(header.has_value());
    const auto texts = wdrt::report::ExtractWmfTexts(bytes);
    // Without a placeable box wmf2svg frames what the file draws, we frame its window.
    if (texts.empty() || svg.texts.empty() || !header->placeable || kOtherFrame.count(name) ||
        UsesCurrentPosition(bytes))
      continue;
    ++filesWithText;
    // Our baseline start, in wmf2svg's pixels, must lie near one of its glyph origins.
    const double perInchX = svg.size.width() / header->sizeInches.width();
    const double perInchY = svg.size.height() / header->sizeInches.height();
    int near = 0;
    for (const auto& item : texts) {
      const QPointF ours(item.position.x() * perInchX, item.position.y() * perInchY);
      double best = 1e9;
      for (const QPointF& theirs : svg.texts) best = std::min(best, std::hypot(ours.x() - theirs.x(), ours.y() - theirs.y()));
      const double tolerance = kTolerance * std::max(item.box.height() * perInchY, 4.0);
      near += best <= tolerance;

    }
    EXPECT_GE(near, kAgreeing * static_cast<double>(texts.size())) << near << " of " << texts.size();
  }
  EXPECT_GE(compared, 45);
  EXPECT_GE(filesWithText, 10);
}

}  // namespace
