// The page writer's files: a placeable header with its checksum, a standard header whose size
// and largest record agree with the records, texts where the previewer's search reads them,
// pictures carried byte for byte, and an object table that does not grow with every font.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "runtime/report/WmfFormat.h"
#include "runtime/report/WmfWriter.h"
#include "tests/report/ReportTestSupport.h"

using namespace wdrt::report;

namespace {

struct RecordView {
  std::size_t offset;
  std::uint32_t words;
  std::uint16_t function;
};

// Walks the records after the two headers.
std::vector<RecordView> Records(const std::string& file) {
  std::vector<RecordView> out;
  const auto* p = reinterpret_cast<const unsigned char*>(file.data());
  std::size_t at = kPlaceableHeaderBytes + kStandardHeaderBytes;
  while (at + 6 <= file.size()) {
    RecordView r{at, ReadU32(p + at), ReadU16(p + at + 4)};
    out.push_back(r);
    if (r.function == META_EOF || r.words < 3) break;
    at += r.words * 2;
  }
  return out;
}

}  // namespace

TEST(WmfWriter, HeadersAgreeWithTheRecords) {
  WmfWriter writer(8500, 11000, 1000);
  writer.SetFont({"Arial", 667, 700, false, false, 0});
  writer.SetTextColor(wdrt::kWhite);
  writer.Text(646, 281, "Hi, my name is Zuli.");
  writer.SetPen(0, 10, wdrt::kBlack);
  writer.SetBrush(1, wdrt::kBlack);
  writer.Rectangle(100, 100, 2000, 1000);
  const std::string file = writer.Finish();
  const auto* p = reinterpret_cast<const unsigned char*>(file.data());

  ASSERT_GE(file.size(), 40u);
  EXPECT_EQ(ReadU32(p), kPlaceableKey);
  EXPECT_EQ(ReadS16(p + 10), 8500);  // bounding box right
  EXPECT_EQ(ReadS16(p + 12), 11000); // bottom
  EXPECT_EQ(ReadU16(p + 14), 1000);  // units per inch
  std::uint16_t checksum = 0;
  for (int i = 0; i < 10; ++i) checksum ^= ReadU16(p + 2 * i);
  EXPECT_EQ(ReadU16(p + 20), checksum);

  const unsigned char* h = p + kPlaceableHeaderBytes;
  EXPECT_EQ(ReadU16(h + 2), 9);        // header size in words
  EXPECT_EQ(ReadU16(h + 4), 0x0300);   // version
  EXPECT_EQ(ReadU32(h + 6) * 2, file.size() - kPlaceableHeaderBytes);
  const auto records = Records(file);
  ASSERT_FALSE(records.empty());
  EXPECT_EQ(records.back().function, META_EOF);
  std::uint32_t largest = 0;
  for (const auto& r : records) largest = std::max(largest, r.words);
  EXPECT_EQ(ReadU32(h + 12), largest);
  EXPECT_EQ(records.back().offset + 6, file.size());
}

TEST(WmfWriter, TextStandsFourteenBytesIntoItsRecord) {
  WmfWriter writer(8500, 11000);
  writer.SetFont({"Arial", 667, 700, false, false, 0});
  writer.Text(10, 20, "odd");  // an odd length is padded, the length field says 3
  writer.Text(30, 40, "even");
  const std::string file = writer.Finish();
  std::vector<std::string> texts;
  for (const auto& r : Records(file)) {
    if (r.function != META_EXTTEXTOUT) continue;
    const auto* rec = reinterpret_cast<const unsigned char*>(file.data() + r.offset);
    EXPECT_EQ(ReadU16(rec + 12), 0) << "options";
    texts.emplace_back(file.data() + r.offset + 14, ReadU16(rec + 10));
  }
  EXPECT_EQ(texts, (std::vector<std::string>{"odd", "even"}));
}

TEST(WmfWriter, PicturesCarryTheirOwnBytes) {
  const QByteArray jpeg = reporttest::MakeJpeg(64, 48);
  WmfWriter writer(8500, 11000);
  writer.Picture(jpeg.toStdString(), WmfPictureFormat::Jpeg, 64, 48, 594, 208, 7000, 4521);
  const std::string file = writer.Finish();
  int pictures = 0;
  for (const auto& r : Records(file)) {
    if (r.function != META_STRETCHDIB) continue;
    ++pictures;
    const auto* rec = reinterpret_cast<const unsigned char*>(file.data() + r.offset);
    EXPECT_EQ(ReadU32(rec + 6), SRCCOPY);
    EXPECT_EQ(ReadS16(rec + 20), 4521);  // destination height
    EXPECT_EQ(ReadS16(rec + 22), 7000);  // destination width
    const unsigned char* dib = rec + 28;
    EXPECT_EQ(ReadU32(dib), 40u);
    EXPECT_EQ(ReadS32(dib + 4), 64);
    EXPECT_EQ(ReadS32(dib + 8), 48);
    EXPECT_EQ(ReadU32(dib + 16), static_cast<std::uint32_t>(BI_JPEG));
    EXPECT_EQ(ReadU32(dib + 20), static_cast<std::uint32_t>(jpeg.size()));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(dib + 40), static_cast<std::size_t>(jpeg.size())),
              jpeg.toStdString());
  }
  EXPECT_EQ(pictures, 1);
  EXPECT_LT(file.size(), static_cast<std::size_t>(jpeg.size()) + 300);  // little more than its picture
}

TEST(WmfWriter, ObjectTableStaysSmallAcrossManyFontsAndPens) {
  WmfWriter writer(8500, 11000);
  for (int i = 0; i < 200; ++i) {
    writer.SetFont({"Arial", 100 + i, 400, false, false, 0});
    writer.SetPen(0, i, wdrt::kBlack);
    writer.Text(0, i * 10, "x");
  }
  const std::string file = writer.Finish();
  const auto* h = reinterpret_cast<const unsigned char*>(file.data()) + kPlaceableHeaderBytes;
  EXPECT_LE(ReadU16(h + 10), 4);  // number of objects: one font and one pen alive, one new each
  std::map<std::uint16_t, int> counts;
  for (const auto& r : Records(file)) ++counts[r.function];
  EXPECT_EQ(counts[META_CREATEFONTINDIRECT], 200);
  EXPECT_EQ(counts[META_DELETEOBJECT], 199 + 200);  // every pen replaces the page frame's null pen first
}
