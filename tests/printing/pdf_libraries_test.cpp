// The C-style layers and their wrappers: handles, result codes, JPEG recognition and the
// stand-in pictures the player is given.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "PdfTestSupport.h"
#include "printing/pdf/PdfCreator.h"
#include "printing/pdf/PdfEditor.h"
#include "runtime/report/JpegPassThrough.h"
#include "runtime/report/JpegTokens.h"
#include "printing/pdflibs/PdfCore.h"
#include "printing/pdflibs/PdfPost.h"
#include "runtime/report/WmfPlayer.h"
#include "runtime/report/WmfWriter.h"
#include "tests/report/ReportTestSupport.h"

namespace {

TEST(PdfLibraries, UnknownHandlesAndBadArgumentsAreRefusedWithoutThrowing) {
  std::int32_t count = 0;
  EXPECT_EQ(PDFC_SetInfo(987654, 0, "x"), PdfBadArgument);
  EXPECT_EQ(PDFC_BeginPage(987654, 0, 612000, 792000, 0, 0), PdfBadArgument);
  EXPECT_EQ(PDFC_Free(987654), PdfBadArgument);
  EXPECT_EQ(PDFP_AddImageFromFile(987654, "x.wmf", nullptr, &count), PdfBadArgument);
  EXPECT_EQ(PDFP_ReadDocument(987654), PdfBadArgument);
  EXPECT_EQ(PDFP_Close(987654), PdfBadArgument);

  const std::int32_t doc = PDFC_InitEx();
  ASSERT_NE(doc, 0);
  EXPECT_EQ(PDFC_SetInfo(doc, 9, "x"), PdfBadArgument);
  EXPECT_EQ(PDFC_SetInfo(doc, PdfInfoTitle, nullptr), PdfBadArgument);
  EXPECT_EQ(PDFC2_PlaceImage(doc, 1, 0, 0, 10, 10), PdfNoPage);
  EXPECT_EQ(PDFC_EndPage(doc), PdfNoPage);
  const struct {
    int orientation, width, height, lr, tb;
  } badPages[] = {{2, 612000, 792000, 0, 0}, {0, 0, 792000, 0, 0}, {0, 612000, -1, 0, 0}, {0, 612000, 792000, -5, 0}};
  for (const auto& p : badPages) EXPECT_EQ(PDFC_BeginPage(doc, p.orientation, p.width, p.height, p.lr, p.tb), PdfBadArgument);
  EXPECT_EQ(PDFC_Write(doc, "/tmp/never.pdf", 0, ""), PdfNoPages);
  EXPECT_EQ(PDFP_AddImageFromFile(doc, "/no/such/page.wmf", nullptr, &count), PdfCannotRead);
  EXPECT_EQ(PDFC_Free(doc), PdfOk);
  EXPECT_EQ(PDFC_Free(doc), PdfBadArgument);  // a handle is never valid twice
  EXPECT_NE(PDFC_InitEx(), doc);
}

TEST(PdfWrappers, WithoutADocumentEveryOperationFailsWithMinusOne) {
  printing::PdfCreator creator;
  EXPECT_EQ(creator.SetInfo(0, "t"), -1);
  EXPECT_EQ(creator.LASTERRORCODE, -1);
  EXPECT_EQ(creator.LoadImages("x.wmf"), -1);
  EXPECT_EQ(creator.Write("x.pdf"), -1);
  printing::PdfEditor editor;
  EXPECT_EQ(editor.Read(), -1);
  EXPECT_EQ(editor.LASTERRORCODE, -1);
  EXPECT_EQ(editor.Write("x.pdf"), -1);

  // With a document: the library's result is kept, image numbers outside 1..IMAGECOUNT refused.
  const std::string dir = reporttest::MakeTempDir("pdf-wrap");
  ASSERT_EQ(creator.Init(), 0);
  EXPECT_EQ(creator.LoadImages(dir + "/missing.wmf"), -1);
  EXPECT_EQ(creator.LASTERRORCODE, PdfCannotRead);
  ASSERT_EQ(creator.LoadImages(pdftest::WriteBlankPageFile(dir, 1440, 12240, 15840)), 0);
  EXPECT_EQ(creator.LASTERRORCODE, 0);
  EXPECT_EQ(creator.IMAGECOUNT, 1);
  EXPECT_EQ(creator.SetPageParameters(0, 612000, 792000, 0, 0), 0);
  ASSERT_EQ(creator.BeginPage(), 0);
  EXPECT_EQ(creator.PlaceImage(0, 0, 0, 612000, 792000), -1);
  EXPECT_EQ(creator.PlaceImage(2, 0, 0, 612000, 792000), -1);
  EXPECT_EQ(creator.PlaceImage(1, -1, 0, 612000, 792000), -1);
  EXPECT_EQ(creator.PlaceImage(1, 0, 0, 612000, 792000), 0);
  EXPECT_EQ(creator.EndPage(), 0);
  EXPECT_EQ(creator.Write(dir + "/one.pdf"), 0);
  EXPECT_EQ(reporttest::PdfPages(dir + "/one.pdf"), 1);
  // A protected document is not opened unless a password may be asked.
  ASSERT_EQ(editor.Init(), 0);
  EXPECT_EQ(editor.SetFileName(dir + "/one.pdf"), 0);
  EXPECT_EQ(editor.Read(), 1);
}

TEST(JpegProbe, OnlyJpegsAPdfCarriesAsTheyAre) {
  const QByteArray colour = reporttest::MakeJpeg(33, 17);
  ASSERT_TRUE(wdrt::report::ProbeJpeg(colour));
  EXPECT_EQ(wdrt::report::ProbeJpeg(colour)->width, 33);
  EXPECT_EQ(wdrt::report::ProbeJpeg(colour)->height, 17);
  EXPECT_EQ(wdrt::report::ProbeJpeg(colour)->components, 3);
  const QByteArray cases[] = {QByteArray(), QByteArray("\xFF\xD8"), colour.left(20), QByteArray("GIF89a....."),
                              QByteArray("\xFF\xD8\xFF\xC0\x00\x0B\x08\x00\x10\x00\x10\x04", 12)};  // CMYK
  for (const QByteArray& bytes : cases) EXPECT_FALSE(wdrt::report::ProbeJpeg(bytes)) << bytes.size();
}

TEST(JpegTokens, ThePlayerSeesStandInsAndTheWriterGetsTheOriginalsBack) {
  reporttest::EnsureGuiApp();
  const QByteArray first = reporttest::MakeJpeg(640, 480, 0x3366CC);
  const QByteArray second = reporttest::MakeJpeg(300, 200, 0xCC6633);
  wdrt::report::WmfWriter writer(8500, 11000);
  writer.Picture(first.toStdString(), wdrt::report::WmfPictureFormat::Jpeg, 640, 480, 500, 500, 4000, 3000);
  writer.Picture(second.toStdString(), wdrt::report::WmfPictureFormat::Jpeg, 300, 200, 500, 5000, 3000, 2000);
  const std::string finished = writer.Finish();
  const QByteArray page(finished.data(), static_cast<qsizetype>(finished.size()));
  wdrt::report::JpegTokens tokens;
  const QByteArray swapped = tokens.Swap(page);
  EXPECT_EQ(swapped.indexOf(first), -1);
  EXPECT_EQ(swapped.indexOf(second), -1);
  std::vector<QByteArray> offered;
  QImage canvas(85, 110, QImage::Format_RGB32);
  QPainter painter(&canvas);
  wdrt::report::WmfPlayOptions options;
  options.drawJpeg = [&](const QByteArray& bytes, const QRectF&, QPainter&) {
    offered.push_back(bytes);
    return true;
  };
  EXPECT_EQ(wdrt::report::PlayWmf(painter, swapped, QRectF(0, 0, 85, 110), options).status, wdrt::report::WmfStatus::Ok);
  ASSERT_EQ(offered.size(), 2u);
  EXPECT_EQ(tokens.Original(offered[0]), first);
  EXPECT_EQ(tokens.Original(offered[1]), second);
  EXPECT_FALSE(tokens.Original(first));
  // Bytes that do not walk as a metafile are handed back untouched.
  EXPECT_EQ(tokens.Swap(QByteArray("not a metafile")), QByteArray("not a metafile"));
  EXPECT_EQ(tokens.Swap(page.left(page.size() - 40)), page.left(page.size() - 40));
}

}  // namespace
