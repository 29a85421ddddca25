// Metafiles built in the test for what the corpus lacks: JPEG and PNG pictures, run-length
// bitmaps, the metric and English mapping modes, text alignment and spacing, state stacks,
// mix modes and clips, and a page like the report engine's.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QPainter>

#include "runtime/report/WmfBitmaps.h"
#include "runtime/report/WmfFormat.h"
#include "runtime/report/WmfPlayer.h"
#include "tests/report/ReportTestSupport.h"
#include "tests/report/WmfBuilder.h"

namespace {

using namespace wdrt::report;
using reporttest::WmfBuilder;

// With WMF_SEED_DIR set, every file drawn is also written there (seeds of the fuzz corpus).
void KeepAsSeed(const QByteArray& bytes) {
  const QString dir = qEnvironmentVariable("WMF_SEED_DIR");
  if (dir.isEmpty()) return;
  QFile file(dir + "/synthetic-" + QString::number(qHash(bytes), 16) + ".wmf");
  if (file.open(QIODevice::WriteOnly)) file.write(bytes);
}

QImage Draw(const QByteArray& bytes, QSize size, WmfPlayResult* result = nullptr,
            const WmfPlayOptions& options = {}) {
  KeepAsSeed(bytes);
  QImage image(size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::white);
  QPainter painter(&image);
  const WmfPlayResult r = PlayWmf(painter, bytes, QRectF(QPointF(0, 0), QSizeF(size)), options);
  painter.end();
  if (result) *result = r;
  return image;
}

bool Near(QRgb pixel, QColor want, int tolerance = 40) {
  return std::abs(qRed(pixel) - want.red()) <= tolerance && std::abs(qGreen(pixel) - want.green()) <= tolerance &&
         std::abs(qBlue(pixel) - want.blue()) <= tolerance;
}

// A picture half red (left) and half blue (right).
QImage TwoColours(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  QPainter p(&image);
  p.fillRect(0, 0, width / 2, height, Qt::red);
  p.fillRect(width / 2, 0, width - width / 2, height, Qt::blue);
  return image;
}

QByteArray EmbeddedDib(const QByteArray& stream, std::uint32_t compression, int width, int height) {
  return reporttest::DibHeader(width, height, 0, compression, static_cast<std::uint32_t>(stream.size())) + stream;
}

class WmfSyntheticTest : public ::testing::Test {
 protected:
  void SetUp() override { reporttest::EnsureGuiApp(); }
};

TEST_F(WmfSyntheticTest, JpegAndPngPicturesAreDrawnAndTheJpegHookGetsTheExactBytes) {
  const QByteArray jpeg = reporttest::Encode(TwoColours(64, 32), "JPEG", 90);
  const QByteArray png = reporttest::Encode(TwoColours(64, 32), "PNG");
  for (const auto& [stream, compression] : {std::pair{jpeg, BI_JPEG}, std::pair{png, BI_PNG}}) {
    SCOPED_TRACE(compression);
    const QByteArray file = WmfBuilder::Placeable(0, 0, 2000, 1000, 1000)
                                .StretchDib(0, 0, 2000, 1000, 64, 32, EmbeddedDib(stream, compression, 64, 32))
                                .Eof()
                                .Bytes();
    WmfPlayResult result;
    const QImage image = Draw(file, QSize(200, 100), &result);
    EXPECT_EQ(result.status, WmfStatus::Ok) << result.problem;
    EXPECT_TRUE(Near(image.pixel(40, 50), Qt::red)) << std::hex << image.pixel(40, 50);
    EXPECT_TRUE(Near(image.pixel(160, 50), Qt::blue)) << std::hex << image.pixel(160, 50);
  }

  // The hook sees the JPEG byte for byte (the record pads odd lengths) and where it goes.
  QByteArray odd = jpeg;
  if (odd.size() % 2 == 0) odd.append('\0');  // bytes after the end marker still belong to it
  const QByteArray file = WmfBuilder::Placeable(0, 0, 2000, 1000, 1000)
                              .StretchDib(500, 250, 1000, 500, 64, 32, EmbeddedDib(odd, BI_JPEG, 64, 32))
                              .Eof()
                              .Bytes();
  QByteArray seen;
  QRectF where;
  WmfPlayOptions options;
  options.drawJpeg = [&](const QByteArray& bytes, const QRectF& target, QPainter&) {
    seen = bytes;
    where = target;
    return true;
  };
  const QImage image = Draw(file, QSize(200, 100), nullptr, options);
  EXPECT_EQ(seen, odd);
  EXPECT_NEAR(where.x(), 50, 0.01);
  EXPECT_NEAR(where.y(), 25, 0.01);
  EXPECT_NEAR(where.width(), 100, 0.01);
  EXPECT_NEAR(where.height(), 50, 0.01);
  EXPECT_EQ(reporttest::InkPixels(image), 0);  // drawn by the hook, so not by the player
}

// Palette of the bitmaps below: index 0 black, 1 red, 2 green, 3 blue.
QByteArray Palette() {
  QByteArray p;
  for (QRgb c : {qRgb(0, 0, 0), qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255)}) {
    p.append(static_cast<char>(qBlue(c)));
    p.append(static_cast<char>(qGreen(c)));
    p.append(static_cast<char>(qRed(c)));
    p.append('\0');
  }
  return p;
}

TEST_F(WmfSyntheticTest, BitmapsDecodeInEveryLayout) {
  // 4 x 2 pixels; expected top row then bottom row as palette indices.
  struct Case {
    const char* name;
    int bitCount;
    std::uint32_t compression;
    int height;  // negative: top-down
    QByteArray bits;
    int top[4], bottom[4];
  };
  const Case cases[] = {
      // RLE8: bottom row a run of four 1s; end of line; top row absolute 0 1 0 1; end.
      {"rle8", 8, BI_RLE8, 2, QByteArray::fromHex("0401" "0000" "000400010001" "0001"), {0, 1, 0, 1}, {1, 1, 1, 1}},
      // RLE4: bottom row run of four alternating 1 2; end of line; top row absolute 3 0 0 3.
      {"rle4", 4, BI_RLE4, 2, QByteArray::fromHex("0412" "0000" "00043003" "0001"), {3, 0, 0, 3}, {1, 2, 1, 2}},
      // RLE8 with a delta jump: bottom row 2 pixels then skip; pixels never reached stay clear.
      {"rle8-delta", 8, BI_RLE8, 2, QByteArray::fromHex("0203" "00020001" "0203" "0001"), {-1, -1, 3, 3}, {3, 3, -1, -1}},
      // Uncompressed, rows padded to 4 bytes, bottom row first.
      {"1bit", 1, BI_RGB, 2, QByteArray::fromHex("50000000" "A0000000"), {1, 0, 1, 0}, {0, 1, 0, 1}},
      {"4bit", 4, BI_RGB, 2, QByteArray::fromHex("01230000" "32100000"), {3, 2, 1, 0}, {0, 1, 2, 3}},
      {"8bit", 8, BI_RGB, 2, QByteArray::fromHex("00010203" "03020100"), {3, 2, 1, 0}, {0, 1, 2, 3}},
      {"8bit-topdown", 8, BI_RGB, -2, QByteArray::fromHex("00010203" "03020100"), {0, 1, 2, 3}, {3, 2, 1, 0}},
  };
  const QRgb colours[] = {qRgb(0, 0, 0), qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255)};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const int entries = std::min(4, 1 << c.bitCount);
    const QByteArray dib = reporttest::DibHeader(4, c.height, c.bitCount, c.compression,
                                                 static_cast<std::uint32_t>(c.bits.size()), entries) +
                           Palette().left(4 * entries) + c.bits;
    std::string problem;
    const auto decoded = DecodeDib(reinterpret_cast<const unsigned char*>(dib.constData()),
                                   static_cast<std::size_t>(dib.size()), DIB_RGB_COLORS, &problem);
    ASSERT_TRUE(decoded.has_value()) << problem;
    ASSERT_EQ(decoded->image.size(), QSize(4, 2));
    for (int x = 0; x < 4; ++x) {
      for (int row = 0; row < 2; ++row) {
        const int want = row == 0 ? c.top[x] : c.bottom[x];
        const QRgb got = decoded->image.pixel(x, row);
        if (want < 0) {
          EXPECT_EQ(qAlpha(got), 0) << x << "," << row;
        } else {
          EXPECT_EQ(got, colours[want]) << x << "," << row;
        }
      }
    }
  }
}

TEST_F(WmfSyntheticTest, TrueColourBitmapsKeepTheirColours) {
  // 2 x 1 pixels red, blue in 16 (5-5-5), 24 and 32 bits.
  const struct {
    int bitCount;
    QByteArray bits;
  } cases[] = {{16, QByteArray::fromHex("007C1F00")}, {24, QByteArray::fromHex("0000FFFF00000000")},
               {32, QByteArray::fromHex("0000FF00FF000000")}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.bitCount);
    const QByteArray dib = reporttest::DibHeader(2, 1, c.bitCount, BI_RGB, 0) + c.bits;
    std::string problem;
    const auto decoded = DecodeDib(reinterpret_cast<const unsigned char*>(dib.constData()),
                                   static_cast<std::size_t>(dib.size()), DIB_RGB_COLORS, &problem);
    ASSERT_TRUE(decoded.has_value()) << problem;
    EXPECT_EQ(decoded->image.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(decoded->image.pixel(1, 0), qRgb(0, 0, 255));
  }
}

TEST_F(WmfSyntheticTest, MetricAndEnglishModesPlaceAnInchSquare) {
  // A 2 x 2 inch page at 100 pixels per inch; each mode draws the square from (0.5, 0.5) to
  // (1.5, 1.5) inches in its own units, y growing upwards as these modes have it.
  const struct {
    const char* name;
    int mode;
    int perInch;
  } modes[] = {{"LOMETRIC", MM_LOMETRIC, 254}, {"HIMETRIC", MM_HIMETRIC, 2540}, {"LOENGLISH", MM_LOENGLISH, 100},
               {"HIENGLISH", MM_HIENGLISH, 1000}, {"TWIPS", MM_TWIPS, 1440}};
  for (const auto& m : modes) {
    SCOPED_TRACE(m.name);
    const int half = m.perInch / 2, one = m.perInch + m.perInch / 2;
    for (bool placeable : {true, false}) {
      WmfBuilder b = placeable ? WmfBuilder::Placeable(0, 0, 2000, 2000, 1000) : WmfBuilder::Bare();
      b.MapMode(m.mode).Pen(PS_NULL, 0, 0).Brush(BS_SOLID, 0x000000).Rectangle(half, -half, one, -one);
      // Without a placeable box the frame is what is drawn: a white outline of the page.
      if (!placeable) b.Pen(PS_SOLID, 0, 0xFFFFFF).Brush(BS_NULL, 0).Rectangle(0, 0, 2 * m.perInch, -2 * m.perInch);
      const QImage image = Draw(b.Eof().Bytes(), QSize(200, 200));
      SCOPED_TRACE(placeable ? "placeable" : "bare");
      EXPECT_EQ(image.pixel(100, 100), qRgb(0, 0, 0));
      EXPECT_EQ(image.pixel(55, 55), qRgb(0, 0, 0));
      EXPECT_EQ(image.pixel(145, 145), qRgb(0, 0, 0));
      EXPECT_EQ(image.pixel(45, 100), qRgb(255, 255, 255));
      EXPECT_EQ(image.pixel(155, 100), qRgb(255, 255, 255));
      EXPECT_EQ(image.pixel(100, 155), qRgb(255, 255, 255));
    }
  }
}

TEST_F(WmfSyntheticTest, WindowAndViewportScaleAndFlip) {
  // Window (0,0)-(100,100) of a 1-inch placeable box; viewport changes scale what follows.
  const struct {
    const char* name;
    std::vector<std::pair<std::uint16_t, std::vector<int>>> records;
    QPoint black, white;
  } cases[] = {
      {"window flipped upwards", {{META_SETWINDOWORG, {100, 0}}, {META_SETWINDOWEXT, {-100, 100}}}, {25, 75}, {25, 25}},
      {"viewport halves", {{META_SETMAPMODE, {MM_ANISOTROPIC}}, {META_SETVIEWPORTEXT, {50, 50}}}, {10, 10}, {40, 40}},
      {"isotropic keeps the smaller scale",
       {{META_SETMAPMODE, {MM_ISOTROPIC}}, {META_SETWINDOWEXT, {100, 200}}, {META_SETVIEWPORTEXT, {100, 100}}},
       {10, 20},
       {30, 20}},
      {"offset window origin", {{META_OFFSETWINDOWORG, {0, -50}}}, {60, 10}, {10, 10}},
      {"scaled window extent", {{META_SCALEWINDOWEXT, {1, 1, 1, 2}}}, {10, 10}, {40, 10}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    WmfBuilder b = WmfBuilder::Placeable(0, 0, 100, 100, 100);
    b.WindowOrg(0, 0).WindowExt(100, 100);
    for (const auto& [function, words] : c.records) b.Record(function, words);
    // A black square over the window's first half-by-half quarter.
    b.Pen(PS_NULL, 0, 0).Brush(BS_SOLID, 0).Rectangle(0, 0, 50, 50);
    const QImage image = Draw(b.Eof().Bytes(), QSize(100, 100));
    image.save(reporttest::ArtifactDir() + "/mapping-" + QString::fromLatin1(c.name).replace(' ', '-') + ".png");
    EXPECT_EQ(image.pixel(c.black), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(c.white), qRgb(255, 255, 255));
  }
}

TEST_F(WmfSyntheticTest, TextAlignmentPlacesTheBoxAroundTheReferencePoint) {
  // One inch page, 1000 units; a 100-unit (0.1 inch) font at the centre.
  const struct {
    int align;
    bool leftOf, rightOf, above, below;  // where the box lies relative to the point
  } cases[] = {
      {0, false, true, false, true},                               // left, top
      {TA_RIGHT, true, false, false, true},                        // right, top
      {TA_CENTER | TA_BASELINE, true, true, true, true},           // centred on the baseline
      {TA_BOTTOM, false, true, true, false},                       // left, bottom
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.align);
    const QByteArray file = WmfBuilder::Placeable(0, 0, 1000, 1000, 1000)
                                .Font(-100, 400, "Arial")
                                .TextAlign(c.align)
                                .ExtTextOut(500, 500, "Hello")
                                .Eof()
                                .Bytes();
    const auto texts = ExtractWmfTexts(file);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, "Hello");
    const QRectF box = texts[0].box;
    EXPECT_EQ(box.left() < 0.49, c.leftOf) << box.left();
    EXPECT_EQ(box.right() > 0.51, c.rightOf) << box.right();
    EXPECT_EQ(box.top() < 0.49, c.above) << box.top();
    EXPECT_EQ(box.bottom() > 0.51, c.below) << box.bottom();
    EXPECT_NEAR(box.height(), 0.1 * 1.15, 0.03);  // about 1.15 em for Liberation Sans
  }
}

TEST_F(WmfSyntheticTest, SpacingArraysCodePagesAndCurrentPosition) {
  const int dx[] = {100, 100, 100};
  const QByteArray file = WmfBuilder::Placeable(0, 0, 2000, 2000, 1000)
                              .Font(-100, 400, "Arial")
                              .TextAlign(TA_BASELINE)
                              .ExtTextOut(100, 300, "abc", 0, nullptr, dx)                  // 0.3 inch wide
                              .Font(-100, 400, "Arial", RUSSIAN_CHARSET)
                              .ExtTextOut(100, 600, QByteArray::fromHex("cff0e8e2e5f2"))   // cp1251
                              .Font(-100, 400, "Arial", SHIFTJIS_CHARSET)
                              .TextOut(100, 900, QByteArray::fromHex("93fa967b"))          // Shift_JIS
                              .TextAlign(TA_BASELINE | TA_UPDATECP)
                              .Font(-100, 400, "Arial")
                              .Record(META_MOVETO, {1200, 1000})
                              .ExtTextOut(0, 0, "ab", 0, nullptr, dx)
                              .ExtTextOut(0, 0, "c")
                              .Eof()
                              .Bytes();
  const auto texts = ExtractWmfTexts(file);
  ASSERT_EQ(texts.size(), 5u);
  EXPECT_NEAR(texts[0].box.width(), 0.3, 1e-6);
  EXPECT_NEAR(texts[0].position.x(), 0.1, 1e-6);
  EXPECT_NEAR(texts[0].position.y(), 0.3, 1e-6);
  EXPECT_EQ(texts[1].text, QString::fromUtf8("Привет"));
  EXPECT_EQ(texts[2].text, QString::fromUtf8("日本"));
  // At the current position: the first text starts at the MOVETO, the next one after it.
  EXPECT_NEAR(texts[3].position.x(), 1.0, 1e-6);
  EXPECT_NEAR(texts[3].position.y(), 1.2, 1e-6);
  EXPECT_NEAR(texts[4].position.x(), 1.2, 1e-6);
}

TEST_F(WmfSyntheticTest, StateStackMixModesAndClips) {
  // Each case draws a 100 x 100 page; the probe pixel must come out in the given colour.
  struct Case {
    const char* name;
    std::function<void(WmfBuilder&)> build;
    QPoint probe;
    QRgb want;
  };
  const Case cases[] = {
      {"restore two levels back",
       [](WmfBuilder& b) {
         b.Brush(BS_SOLID, 0x00FF00).Record(META_SAVEDC, {}).Brush(BS_SOLID, 0xFF0000);
         b.Record(META_SAVEDC, {}).Brush(BS_SOLID, 0x0000FF).Record(META_RESTOREDC, {-2}).Rectangle(0, 0, 100, 100);
       },
       {50, 50}, qRgb(0, 255, 0)},
      {"R2_NOP draws nothing", [](WmfBuilder& b) { b.Record(META_SETROP2, {R2_NOP}).Rectangle(0, 0, 100, 100); }, {50, 50}, qRgb(255, 255, 255)},
      {"R2_BLACK", [](WmfBuilder& b) { b.Brush(BS_SOLID, 0xFF0000).Record(META_SETROP2, {R2_BLACK}).Rectangle(0, 0, 100, 100); }, {50, 50}, qRgb(0, 0, 0)},
      {"R2_NOT inverts", [](WmfBuilder& b) { b.Record(META_SETROP2, {R2_NOT}).Rectangle(0, 0, 100, 100); }, {50, 50}, qRgb(0, 0, 0)},
      {"R2_XORPEN", [](WmfBuilder& b) { b.Brush(BS_SOLID, 0x00FFFF).Record(META_SETROP2, {R2_XORPEN}).Rectangle(0, 0, 100, 100); }, {50, 50}, qRgb(255, 0, 0)},
      {"intersected clip keeps the inside",
       [](WmfBuilder& b) { b.Record(META_INTERSECTCLIPRECT, {60, 60, 40, 40}).Brush(BS_SOLID, 0).Rectangle(0, 0, 100, 100); },
       {50, 50}, qRgb(0, 0, 0)},
      {"intersected clip cuts the outside",
       [](WmfBuilder& b) { b.Record(META_INTERSECTCLIPRECT, {60, 60, 40, 40}).Brush(BS_SOLID, 0).Rectangle(0, 0, 100, 100); },
       {20, 20}, qRgb(255, 255, 255)},
      {"excluded clip leaves a hole",
       [](WmfBuilder& b) { b.Record(META_EXCLUDECLIPRECT, {60, 60, 40, 40}).Brush(BS_SOLID, 0).Rectangle(0, 0, 100, 100); },
       {50, 50}, qRgb(255, 255, 255)},
      {"restore undoes a clip",
       [](WmfBuilder& b) {
         b.Record(META_SAVEDC, {}).Record(META_INTERSECTCLIPRECT, {10, 10, 0, 0}).Record(META_RESTOREDC, {-1});
         b.Brush(BS_SOLID, 0).Rectangle(0, 0, 100, 100);
       },
       {50, 50}, qRgb(0, 0, 0)},
      {"null brush", [](WmfBuilder& b) { b.Brush(BS_NULL, 0).Rectangle(0, 0, 100, 100); }, {50, 50}, qRgb(255, 255, 255)},
      {"ETO_OPAQUE fills its rectangle with the background colour",
       [](WmfBuilder& b) {
         static const int rect[] = {0, 0, 100, 100};
         b.Raw(META_SETBKCOLOR, QByteArray::fromHex("FF000000")).ExtTextOut(0, 0, "", ETO_OPAQUE, rect);
       },
       {50, 50}, qRgb(255, 0, 0)},
      {"ETO_CLIPPED keeps a big letter inside its rectangle",
       [](WmfBuilder& b) {
         static const int rect[] = {0, 0, 10, 10};
         b.BkMode(BK_TRANSPARENT).Font(-100, 900, "Arial").ExtTextOut(0, 0, "W", ETO_CLIPPED, rect);
       },
       {50, 50}, qRgb(255, 255, 255)},
      {"an unclipped big letter covers the middle",
       [](WmfBuilder& b) { b.BkMode(BK_TRANSPARENT).Font(-100, 900, "Arial").ExtTextOut(0, 0, "W"); },
       {50, 50}, qRgb(0, 0, 0)},
      {"PATBLT with the brush", [](WmfBuilder& b) { b.Brush(BS_SOLID, 0x0000FF).Record(META_PATBLT, {0x0021, 0x00F0, 100, 100, 0, 0}); }, {50, 50}, qRgb(0, 0, 255)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WmfBuilder b = WmfBuilder::Placeable(0, 0, 100, 100, 100);
    b.Pen(PS_NULL, 0, 0);
    c.build(b);
    WmfPlayResult result;
    const QImage image = Draw(b.Eof().Bytes(), QSize(100, 100), &result);
    EXPECT_EQ(result.status, WmfStatus::Ok) << result.problem;
    EXPECT_TRUE(Near(image.pixel(c.probe), QColor(c.want), 16)) << std::hex << image.pixel(c.probe);
  }
}

// A page as the report engine writes it: letter size, 1000 units per inch, a picture, a
// 48-point bold white text on it, an 11-point red text under it and a ruled box.
QByteArray ReportPage(const QByteArray& jpeg, QSize jpegSize) {
  const int rect[] = {750, 6500, 7750, 7300};
  return WmfBuilder::Placeable(0, 0, 8500, 11000, 1000)
      .WindowOrg(0, 0)
      .WindowExt(8500, 11000)
      .StretchDib(750, 750, 7000, 4500, jpegSize.width(), jpegSize.height(),
                  EmbeddedDib(jpeg, BI_JPEG, jpegSize.width(), jpegSize.height()))
      .Font(-667, 700, "Arial")  // 48 points
      .TextColor(0xFFFFFF)
      .BkMode(BK_TRANSPARENT)
      .TextAlign(TA_BASELINE)
      .ExtTextOut(1000, 2000, "Happy Birthday")
      .Font(-153, 400, "Arial")  // 11 points
      .TextColor(0xFF0000)
      .ExtTextOut(1000, 6000, "Made for Emma on her fifth birthday.")
      .Pen(PS_SOLID, 20, 0x000000)
      .Brush(BS_NULL, 0)
      .Rectangle(rect[0], rect[1], rect[2], rect[3])
      .Eof()
      .Bytes();
}

QImage Scene(QSize size) {
  QImage image(size, QImage::Format_RGB32);
  QPainter p(&image);
  QLinearGradient g(0, 0, size.width(), size.height());
  g.setColorAt(0, QColor(30, 60, 160));
  g.setColorAt(1, QColor(40, 140, 60));
  p.fillRect(image.rect(), g);
  p.setBrush(QColor(250, 200, 40));
  p.drawEllipse(QPointF(size.width() * 0.75, size.height() * 0.3), size.height() * 0.15, size.height() * 0.15);
  return image;
}

TEST_F(WmfSyntheticTest, AReportPageDrawsItsPictureTextsAndBox) {
  const QByteArray jpeg = reporttest::Encode(Scene(QSize(1400, 900)), "JPEG", 85);
  const QByteArray page = ReportPage(jpeg, QSize(1400, 900));
  const auto header = ReadWmfHeader(page);
  ASSERT_TRUE(header.has_value());
  EXPECT_TRUE(header->placeable);
  EXPECT_DOUBLE_EQ(header->unitsPerInch, 1000);
  EXPECT_DOUBLE_EQ(header->sizeInches.width(), 8.5);
  EXPECT_DOUBLE_EQ(header->sizeInches.height(), 11);

  std::vector<std::pair<QString, QRectF>> drawn;
  WmfPlayOptions options;
  options.onText = [&](const QString& text, const QRectF& box) { drawn.emplace_back(text, box); };
  WmfPlayResult result;
  const QImage image = Draw(page, QSize(816, 1056), &result, options);  // 96 dpi
  image.save(reporttest::ArtifactDir() + "/report-page.png");
  EXPECT_EQ(result.status, WmfStatus::Ok) << result.problem;
  EXPECT_EQ(result.records, 19);

  // Picture from (72, 72) to (744, 504) pixels: its blue corner, with white letters on it.
  EXPECT_TRUE(Near(image.pixel(80, 80), QColor(30, 60, 160), 50)) << std::hex << image.pixel(80, 80);
  ASSERT_EQ(drawn.size(), 2u);
  EXPECT_EQ(drawn[0].first, "Happy Birthday");
  int white = 0;
  const QRect big = drawn[0].second.toRect();
  for (int y = big.top(); y <= big.bottom(); ++y)
    for (int x = big.left(); x <= big.right(); ++x) white += image.pixel(x, y) == qRgb(255, 255, 255);
  EXPECT_GT(white, 500);
  // 48 points at 96 dpi is a 64-pixel em: the box (ascent + descent) is a little taller.
  EXPECT_NEAR(big.height(), 64 * 1.15, 6);
  // Red text under the picture, baseline at 6 inches.
  int red = 0;
  const QRect small = drawn[1].second.toRect();
  EXPECT_NEAR(drawn[1].second.bottom(), 576 + 0.212 * 14.7, 3);
  for (int y = small.top(); y <= small.bottom(); ++y)
    for (int x = small.left(); x <= small.right(); ++x) red += Near(image.pixel(x, y), Qt::red, 60);
  EXPECT_GT(red, 100);
  // The ruled box: 20 thousandths of an inch is about two pixels.
  EXPECT_TRUE(Near(image.pixel(400, 624), Qt::black));
  EXPECT_TRUE(Near(image.pixel(72, 660), Qt::black));
  EXPECT_EQ(image.pixel(400, 660), qRgb(255, 255, 255));

  const auto texts = ExtractWmfTexts(page);
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_NEAR(texts[1].position.x(), 1.0, 1e-6);
  EXPECT_NEAR(texts[1].position.y(), 6.0, 1e-6);
}

}  // namespace
