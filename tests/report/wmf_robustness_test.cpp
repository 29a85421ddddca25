// Bad input never crashes, hangs or allocates without bound: each fault ends drawing of its
// record or of the file and comes back as Damaged (or NotMetafile) with a problem text.
#include <gtest/gtest.h>
#include <time.h>

#include <QImage>
#include <QPainter>

#include "runtime/report/WmfFormat.h"
#include "runtime/report/WmfPlayer.h"
#include "tests/report/ReportTestSupport.h"
#include "tests/report/WmfBuilder.h"

namespace {

double ThreadCpuSeconds() {
  timespec now{};
  ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

using namespace wdrt::report;
using reporttest::WmfBuilder;

WmfBuilder Page() { return WmfBuilder::Placeable(0, 0, 1000, 1000, 1000); }

QByteArray Repeat(WmfBuilder b, int times, const std::function<void(WmfBuilder&)>& add) {
  for (int i = 0; i < times; ++i) add(b);
  return b.Eof().Bytes();
}

// Replaces the 32-bit word at `offset`.
QByteArray Patch32(QByteArray bytes, int offset, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[offset + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
  return bytes;
}

// Replaces the 16-bit word at `offset`.
QByteArray Patch16(QByteArray bytes, int offset, std::uint16_t value) {
  bytes[offset] = static_cast<char>(value & 0xFF);
  bytes[offset + 1] = static_cast<char>(value >> 8);
  return bytes;
}

TEST(WmfRobustnessTest, FaultsAreReportedAndNothingRunsAway) {
  reporttest::EnsureGuiApp();
  const QByteArray good = Page().Rectangle(0, 0, 500, 500).Eof().Bytes();
  const int firstRecord = 22 + 18;
  const QByteArray hugeBitmap = reporttest::DibHeader(100000, 100000, 24, BI_RGB, 0) + QByteArray(64, '\0');
  const QByteArray shortBitmap = reporttest::DibHeader(100, 100, 24, BI_RGB, 0) + QByteArray(64, '\0');
  // 4096 × 4096 pixels in eight bytes of runs: the largest bitmap, each time it is drawn.
  const QByteArray rleBomb = reporttest::DibHeader(4096, 4096, 8, BI_RLE8, 2) + QByteArray(256 * 4, '\0') + QByteArray("\x00\x01", 2);
  const QByteArray badJpeg = reporttest::DibHeader(10, 10, 0, BI_JPEG, 8) + QByteArray("\xFF\xD8notjpeg", 10);

  const struct {
    const char* name;
    QByteArray bytes;
    WmfStatus status;
    const char* problem;  // part of the problem text
  } cases[] = {
      {"empty", QByteArray(), WmfStatus::NotMetafile, "cut short"},
      {"plain text", QByteArray("This is a readme, not a picture. It goes on for a while."), WmfStatus::NotMetafile, "not a metafile"},
      {"placeable key alone", good.left(10), WmfStatus::NotMetafile, "cut short"},
      {"record longer than the file", Patch32(good, firstRecord, 100000), WmfStatus::Damaged, "past the end"},
      {"zero size before the end", Patch32(good, firstRecord, 0), WmfStatus::Damaged, "size below"},
      {"no EOF record", good.left(good.size() - 6), WmfStatus::Damaged, ""},
      {"object index out of range", Page().Record(META_SELECTOBJECT, {500}).Eof().Bytes(), WmfStatus::Damaged, "missing object"},
      {"deleting a declared object never made", Patch16(Page().Record(META_DELETEOBJECT, {5}).Eof().Bytes(), 32, 10), WmfStatus::Ok, ""},
      {"selecting a declared object never made", Patch16(Page().Record(META_SELECTOBJECT, {5}).Eof().Bytes(), 32, 10), WmfStatus::Damaged, "missing object"},
      {"deleting past the declared objects", Patch16(Page().Record(META_DELETEOBJECT, {10}).Eof().Bytes(), 32, 10), WmfStatus::Damaged, "missing object"},
      {"deleting a missing object", Page().Record(META_DELETEOBJECT, {65535}).Eof().Bytes(), WmfStatus::Damaged, "missing object"},
      {"bitmap larger than allowed", Page().StretchDib(0, 0, 100, 100, 10, 10, hugeBitmap).Eof().Bytes(), WmfStatus::Damaged, "too large"},
      {"bitmap pixels missing", Page().StretchDib(0, 0, 100, 100, 10, 10, shortBitmap).Eof().Bytes(), WmfStatus::Damaged, "cut short"},
      {"largest bitmap drawn four times", Repeat(Page(), 4, [&](WmfBuilder& b) { b.StretchDib(0, 0, 100, 100, 4096, 4096, rleBomb); }), WmfStatus::Ok, ""},
      {"largest bitmap drawn again and again", Repeat(Page(), 50, [&](WmfBuilder& b) { b.StretchDib(0, 0, 100, 100, 4096, 4096, rleBomb); }), WmfStatus::Damaged, "too large in all"},
      {"largest pattern brush made again and again", Repeat(Page(), 50, [&](WmfBuilder& b) { b.Raw(META_DIBCREATEPATTERNBRUSH, QByteArray("\x05\x00\x00\x00", 4) + rleBomb); }), WmfStatus::Damaged, "too large in all"},
      {"JPEG that does not decode", Page().StretchDib(0, 0, 100, 100, 10, 10, badJpeg).Eof().Bytes(), WmfStatus::Damaged, "does not decode"},
      {"zero window extent", Page().WindowExt(0, 100).Rectangle(0, 0, 10, 10).Eof().Bytes(), WmfStatus::Damaged, "zero"},
      {"extent scaled by zero", Page().Record(META_SCALEWINDOWEXT, {1, 1, 0, 1}).Eof().Bytes(), WmfStatus::Damaged, "zero"},
      {"empty placeable box", WmfBuilder::Placeable(0, 0, 0, 0, 1000).Rectangle(0, 0, 10, 10).Eof().Bytes(), WmfStatus::Damaged, "empty"},
      {"too many objects", Repeat(Page(), 5000, [](WmfBuilder& b) { b.Raw(META_CREATEPENINDIRECT, QByteArray(10, '\0')); }), WmfStatus::Damaged, "too many objects"},
      {"SAVEDC nested deep", Repeat(Page(), 5000, [](WmfBuilder& b) { b.Record(META_SAVEDC, {}); }), WmfStatus::Damaged, "nested"},
      {"RESTOREDC without SAVEDC", Page().Record(META_RESTOREDC, {-1}).Eof().Bytes(), WmfStatus::Damaged, "RESTOREDC"},
      {"polygon count past its record", Page().Record(META_POLYGON, {30000, 0, 0}).Eof().Bytes(), WmfStatus::Damaged, "past the record"},
      {"POLYPOLYGON counts past its record", Page().Record(META_POLYPOLYGON, {2, 3000, 3000, 0, 0}).Eof().Bytes(), WmfStatus::Damaged, "past the record"},
      {"text count past its record", Page().Record(META_EXTTEXTOUT, {0, 0, 5000, 0, 0x4141}).Eof().Bytes(), WmfStatus::Damaged, "past its record"},
      {"TEXTOUT cut short", Page().Record(META_TEXTOUT, {9}).Eof().Bytes(), WmfStatus::Damaged, "past its record"},
      {"pen record too short", Page().Record(META_CREATEPENINDIRECT, {0}).Eof().Bytes(), WmfStatus::Damaged, "too short"},
      {"many exclusions", Repeat(Page(), 20000, [](WmfBuilder& b) { b.Record(META_EXCLUDECLIPRECT, {7, 7, 3, 3}).Rectangle(0, 0, 9, 9); }), WmfStatus::Ok, ""},
      {"huge scale and pen", Page().Record(META_SETMAPMODE, {MM_ANISOTROPIC}).WindowExt(1, 1).Record(META_SETVIEWPORTEXT, {32767, 32767})
                                 .Pen(PS_DASH, 30000, 0).Rectangle(-32768, -32768, 32767, 32767).Eof().Bytes(), WmfStatus::Ok, ""},
      {"huge font", Page().Font(-32768, 400, "Arial").ExtTextOut(0, 0, "Big").Eof().Bytes(), WmfStatus::Ok, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    QImage image(200, 200, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    // The processor time of this thread, not the clock: a loaded machine stretches the one, a
    // runaway loop the other.
    const double started = ThreadCpuSeconds();
    const WmfPlayResult result = PlayWmf(painter, c.bytes, QRectF(0, 0, 200, 200));
    painter.end();
    EXPECT_LT(ThreadCpuSeconds() - started, 6.0);
    EXPECT_EQ(result.status, c.status) << result.problem;
    EXPECT_NE(result.problem.find(c.problem), std::string::npos) << result.problem;
    EXPECT_EQ(result.problem.empty(), c.status == WmfStatus::Ok) << result.problem;
    // Header and texts of the same bytes come back without fault as well.
    EXPECT_EQ(ReadWmfHeader(c.bytes).has_value(), c.status != WmfStatus::NotMetafile);
    (void)ExtractWmfTexts(c.bytes);
  }
}

TEST(WmfRobustnessTest, DamagedFilesStillDrawWhatCameBeforeTheFault) {
  reporttest::EnsureGuiApp();
  // A filled square, then a record that runs past the end.
  QByteArray bytes = Page().Brush(BS_SOLID, 0).Rectangle(0, 0, 500, 500).Rectangle(500, 500, 1000, 1000).Bytes();
  bytes = Patch32(bytes, static_cast<int>(bytes.size()) - 14, 4000);
  QImage image(100, 100, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::white);
  QPainter painter(&image);
  const WmfPlayResult result = PlayWmf(painter, bytes, QRectF(0, 0, 100, 100));
  painter.end();
  EXPECT_EQ(result.status, WmfStatus::Damaged);
  EXPECT_EQ(image.pixel(25, 25), qRgb(0, 0, 0));
  EXPECT_EQ(image.pixel(75, 75), qRgb(255, 255, 255));
}

}  // namespace
