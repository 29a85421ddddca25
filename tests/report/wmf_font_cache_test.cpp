// The fonts that metafile font records resolve to: a font served from the per-thread cache is
// the one a fresh resolution gives, and records that differ in any field the font depends on
// (or the same record on devices of other resolutions) never share a cache entry.
#include <gtest/gtest.h>

#include <QFontInfo>
#include <QImage>

#include <string>
#include <vector>

#include "runtime/report/WmfFontCache.h"
#include "tests/report/ReportTestSupport.h"

namespace {

using wdrt::report::WmfFont;
using wdrt::report::WmfQFontFor;

WmfFont Record(const char* face, int height, int weight = 400) {
  WmfFont f;
  f.face = QString::fromLatin1(face);
  f.height = height;
  f.weight = weight;
  return f;
}

QImage Device(int dpi) {
  QImage image(1, 1, QImage::Format_RGB32);
  image.setDotsPerMeterX(static_cast<int>(dpi / 0.0254 + 0.5));
  image.setDotsPerMeterY(static_cast<int>(dpi / 0.0254 + 0.5));
  return image;
}

// What a drawing takes from the font.
std::string Describe(const QFont& f) {
  return f.family().toStdString() + " " + std::to_string(f.pointSizeF()) + "pt w" + std::to_string(f.weight()) +
         " s" + std::to_string(f.stretch()) + (f.italic() ? " italic" : "") + (f.underline() ? " underline" : "") +
         (f.strikeOut() ? " strike" : "") + " hint" + std::to_string(f.styleHint());
}

TEST(WmfFontCacheTest, EveryFieldOfTheRecordAndTheDeviceKeepsItsOwnFont) {
  reporttest::EnsureGuiApp();
  QImage device72 = Device(72), device300 = Device(300);
  std::vector<WmfFont> records;
  records.push_back(Record("Arial", -40));
  records.push_back(Record("Arial", 40));  // cell height: fitted to the line
  records.push_back(Record("Arial", -40, 700));
  records.push_back(Record("Comic Sans MS", -40));
  WmfFont roman = Record("No Such Face", -40);
  roman.pitchAndFamily = 0x12;
  records.push_back(roman);
  WmfFont modern = Record("No Such Face", -40);
  modern.pitchAndFamily = 0x31;
  records.push_back(modern);
  WmfFont italic = Record("Arial", -40);
  italic.italic = true;
  records.push_back(italic);
  WmfFont underline = Record("Arial", -40);
  underline.underline = true;
  records.push_back(underline);
  WmfFont strike = Record("Arial", -40);
  strike.strikeOut = true;
  records.push_back(strike);

  std::vector<std::string> first;
  for (const WmfFont& f : records) {
    first.push_back(Describe(WmfQFontFor(f, 40, 0, device72)));
    first.push_back(Describe(WmfQFontFor(f, 40, 15, device72)));  // narrowed
    first.push_back(Describe(WmfQFontFor(f, 40, 0, device300)));
  }
  for (std::size_t i = 0; i < first.size(); ++i)
    for (std::size_t j = i + 1; j < first.size(); ++j) EXPECT_NE(first[i], first[j]) << i << " and " << j;

  // From the cache, and again after other fonts pushed them all out: the same fonts.
  for (int round = 0; round < 2; ++round) {
    SCOPED_TRACE(round == 0 ? "cached" : "resolved again");
    std::size_t k = 0;
    for (const WmfFont& f : records) {
      EXPECT_EQ(Describe(WmfQFontFor(f, 40, 0, device72)), first[k++]);
      EXPECT_EQ(Describe(WmfQFontFor(f, 40, 15, device72)), first[k++]);
      EXPECT_EQ(Describe(WmfQFontFor(f, 40, 0, device300)), first[k++]);
    }
    for (std::size_t i = 0; i < wdrt::report::kWmfFontCacheSize + 1; ++i) {
      const WmfFont other = Record(("Other Face " + std::to_string(i)).c_str(), -10);
      (void)WmfQFontFor(other, 10 + static_cast<double>(i), 0, device72);
    }
  }
}

TEST(WmfFontCacheTest, FacesResolveToInstalledSubstitutedOrCommonFaces) {
  reporttest::EnsureGuiApp();
  WmfFont f = Record("Comic Sans MS", -10);
  EXPECT_EQ(wdrt::report::WmfFaceFor(f), "Comic Sans MS");  // substituted by the runtime
  f.face = "Liberation Serif";
  EXPECT_EQ(wdrt::report::WmfFaceFor(f), "Liberation Serif");  // installed
  f.face = "No Such Face";
  const struct {
    std::uint8_t pitchAndFamily;
    const char* face;
  } kinds[] = {{0x00, "Arial"}, {0x01, "Courier New"}, {0x12, "Times New Roman"}, {0x31, "Courier New"}, {0x22, "Arial"}};
  for (const auto& k : kinds) {
    f.pitchAndFamily = k.pitchAndFamily;
    for (int again = 0; again < 2; ++again) EXPECT_EQ(wdrt::report::WmfFaceFor(f), k.face) << int(k.pitchAndFamily);
  }
}

}  // namespace
