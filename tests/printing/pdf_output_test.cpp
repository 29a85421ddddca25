// What the PDF holds, checked with outside readers: qpdf --check, pdfinfo, pdftotext,
// pdffonts, pdfimages. Page files come from the birthday book's report with the build's
// pictures, and from hand-made headers.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>

#include <filesystem>
#include <set>
#include <sstream>

#include "PdfTestSupport.h"
#include "books/fete/FeteReport.h"
#include "printing/pdf/PdfReportWriter.h"
#include "runtime/report/Report.h"
#include "runtime/report/WmfPlayer.h"
#include "tests/report/ReportTestSupport.h"

namespace {

using printing::PdfReportWriter;
std::string Shell(const std::string& command, int* code = nullptr) { return reporttest::Run(command, code); }

std::string Normalised(const std::string& text) {
  std::string out;
  for (char c : text) {
    const bool blank = c == ' ' || c == '\n' || c == '\t' || c == '\f' || c == '\r';
    if (blank) {
      if (!out.empty() && out.back() != ' ') out += ' ';
    } else {
      out += c;
    }
  }
  return out;
}

// The JPEG pictures of the page files, as the player offers them.
std::set<QByteArray> PictureBytesOf(const std::vector<std::string>& pageFiles) {
  std::set<QByteArray> pictures;
  QImage canvas(100, 100, QImage::Format_RGB32);
  for (const std::string& name : pageFiles) {
    QPainter painter(&canvas);
    wdrt::report::WmfPlayOptions options;
    options.drawJpeg = [&](const QByteArray& bytes, const QRectF&, QPainter&) {
      pictures.insert(bytes);
      return true;
    };
    wdrt::report::PlayWmf(painter, reporttest::ReadFile(name), QRectF(0, 0, 100, 100), options);
  }
  return pictures;
}

// The print procedure's own sequence, into `dir`.
std::string WriteLikeThePrintProcedure(const wdrt::report::PreviewQueue& queue, const std::string& dir,
                                       const std::string& name = "comp1.pdf") {
  wdrt::report::Report report(FeteReport());
  PdfReportWriter writer;
  writer.Init(report, name, dir);
  writer.SetPaper(0, 0, 1, 0, 0, 0);
  writer.SetCompression(1, 1, 0, 2, 4);
  writer.SetAuthor(1, "");
  writer.SetCreator(1, "");
  writer.SetSubject(1, "");
  writer.SetTitle(1, "");
  writer.SetKeywords(1, "");
  writer.SetRun(0, 1, "");
  const std::string file = writer.FILENAME;
  EXPECT_EQ(writer.Generate(queue, false), 1);
  writer.Reset();
  return file;
}

TEST(PdfOutput, TheBookReportBecomesACheckedSearchableSmallPdfWithItsOwnJpegs) {
  const std::string pictures = pdftest::PictureDir();
  if (pictures.empty()) GTEST_SKIP() << "a build without pictures";
  pdftest::PageFiles pages;
  ASSERT_TRUE(pdftest::MakePages(FeteReport(), 1, pages.queue, pictures));
  const std::vector<std::string> names = pages.queue.Names();
  ASSERT_EQ(names.size(), 6u);
  const std::string dir = reporttest::MakeTempDir("pdf-book");
  const std::string pdf = WriteLikeThePrintProcedure(pages.queue, dir);
  EXPECT_EQ(pdf, dir + "/comp1.pdf");

  int code = -1;
  const std::string check = Shell("qpdf --check '" + pdf + "' 2>&1", &code);
  EXPECT_EQ(code, 0) << check;
  EXPECT_EQ(reporttest::PdfPages(pdf), 6);
  for (const std::string& size : pdftest::PageSizes(pdf, 6)) EXPECT_EQ(size, "612 x 792");

  // Every text of every page file, on its page.
  for (std::size_t i = 0; i < names.size(); ++i) {
    const std::string text = Normalised(reporttest::PdfText(pdf, static_cast<int>(i) + 1, static_cast<int>(i) + 1));
    for (const auto& item : wdrt::report::ExtractWmfTexts(reporttest::ReadFile(names[i]))) {
      const std::string wanted = Normalised(item.text.toStdString());
      if (wanted.empty() || wanted == " ") continue;
      EXPECT_NE(text.find(wanted), std::string::npos) << "page " << i + 1 << ": " << wanted;
    }
  }

  // Fonts embedded (as subsets).
  std::istringstream fonts(Shell("pdffonts '" + pdf + "'"));
  std::string line;
  int fontLines = 0;
  while (std::getline(fonts, line)) {
    if (line.empty() || line.rfind("name", 0) == 0 || line.rfind("---", 0) == 0) continue;
    std::vector<std::string> words;
    std::istringstream in(line);
    for (std::string w; in >> w;) words.push_back(w);
    ASSERT_GE(words.size(), 6u) << line;
    EXPECT_EQ(words[words.size() - 5], "yes") << line;  // the "emb" column
    EXPECT_EQ(words[words.size() - 4], "yes") << line;  // the "sub" column
    ++fontLines;
  }
  EXPECT_GE(fontLines, 1);

  // Every picture is a JPEG, and its bytes are exactly the page files' bytes.
  std::istringstream images(Shell("pdfimages -list '" + pdf + "'"));
  int imageLines = 0;
  while (std::getline(images, line)) {
    if (line.rfind("page", 0) == 0 || line.rfind("---", 0) == 0 || line.empty()) continue;
    EXPECT_NE(line.find(" jpeg "), std::string::npos) << line;
    ++imageLines;
  }
  const std::set<QByteArray> wanted = PictureBytesOf(names);
  EXPECT_GE(imageLines, static_cast<int>(wanted.size()));
  const std::string extracted = dir + "/images";
  std::filesystem::create_directories(extracted);
  Shell("pdfimages -all '" + pdf + "' '" + extracted + "/img'");
  std::set<QByteArray> carried;
  qint64 carriedBytes = 0;
  for (const auto& entry : std::filesystem::directory_iterator(extracted)) {
    EXPECT_EQ(entry.path().extension(), ".jpg") << entry.path();
    const QByteArray bytes = reporttest::ReadFile(entry.path().string());
    if (carried.insert(bytes).second) carriedBytes += bytes.size();
  }
  EXPECT_EQ(carried, wanted);
  const auto size = static_cast<double>(pdftest::FileSize(pdf));
  EXPECT_LE(size, 1.1 * static_cast<double>(carriedBytes) + 80 * 1024) << "pictures " << carriedBytes;
  std::printf("book PDF: %.0f bytes for %lld bytes of JPEG in %zu pictures\n", size,
              static_cast<long long>(carriedBytes), carried.size());
}

TEST(PdfOutput, PagesTakeTheSizeOfTheirFilesOrOfTheChosenPaper) {
  const std::string dir = reporttest::MakeTempDir("pdf-sizes");
  wdrt::report::PreviewQueue queue;
  queue.Add(pdftest::WriteBlankPageFile(dir, 1440, 12240, 15840));  // Letter in twips
  queue.Add(pdftest::WriteBlankPageFile(dir, 1000, 11000, 8500));   // landscape Letter
  queue.Add(pdftest::WriteBlankPageFile(dir, 1440, 11906, 16838));  // A4
  struct Case {
    const char* label;
    int code;
    std::int32_t units, width, height;
    int usePortrait;
    std::uint32_t orientation;
    std::vector<std::string> want;
  };
  const Case cases[] = {
      {"own sizes", 0, 0, 0, 0, 1, 0, {"612 x 792", "792 x 612", "595 x 842"}},
      {"A4 millimetres", 256, printing::PaperMillimetres, 210, 297, 1, 0, {"595 x 842", "595 x 842", "595 x 842"}},
      {"A4 turned", 256, printing::PaperMillimetres, 210, 297, 0, 1, {"842 x 595", "842 x 595", "842 x 595"}},
      {"Letter", 1, 0, 0, 0, 1, 0, {"612 x 792", "612 x 792", "612 x 792"}},
  };
  for (const Case& c : cases) {
    PdfReportWriter writer;
    writer.Setup(std::string("sizes-") + std::to_string(c.code) + "-" + std::to_string(c.orientation), dir, false);
    writer.SetPaper(c.code, c.units, c.usePortrait, c.orientation, c.height, c.width);
    ASSERT_EQ(writer.Generate(queue, false), 1) << c.label;
    EXPECT_EQ(pdftest::PageSizes(writer.FILENAME, 3), c.want) << c.label;
  }
  // A landscape report's page files are turned already: each keeps its own size.
  wdrt::report::ReportDef landscapeDef;
  wdrt::report::Report landscape(landscapeDef);
  landscape.landscape = true;
  PdfReportWriter turned;
  turned.Init(landscape, "turned", dir);
  EXPECT_EQ(turned.ORIENTATION, 1u);
  ASSERT_EQ(turned.Generate(queue, false), 1);
  EXPECT_EQ(pdftest::PageSizes(turned.FILENAME, 3), (std::vector<std::string>{"612 x 792", "792 x 612", "595 x 842"}));
  // The exact box of a custom paper: 595276 × 841890 thousandths of a point.
  PdfReportWriter writer;
  writer.Setup("exact", dir, false);
  writer.SetPaper(256, printing::PaperMillimetres, 1, 0, 297, 210);
  ASSERT_EQ(writer.Generate(queue, false), 1);
  EXPECT_NE(Shell("pdfinfo '" + writer.FILENAME + "'").find("595.276 x 841.89 pts"), std::string::npos);
}

TEST(PdfOutput, FilesThatAreNotPageFilesAreLeftOutAndAnEmptyListWritesNothing) {
  const std::string dir = reporttest::MakeTempDir("pdf-bad");
  wdrt::report::PreviewQueue queue;
  queue.Add(pdftest::WriteBlankPageFile(dir, 1440, 12240, 15840));
  reporttest::WriteFile(dir + "/garbage.wmf", QByteArray("not a metafile at all"));
  queue.Add(dir + "/garbage.wmf");
  queue.Add(dir + "/missing.wmf");
  queue.Add(pdftest::WriteBlankPageFile(dir, 1000, 8500, 11000));
  PdfReportWriter writer;
  writer.Setup("two", dir, false);
  EXPECT_EQ(writer.Generate(queue, false), 1);
  EXPECT_EQ(reporttest::PdfPages(writer.FILENAME), 2);
  EXPECT_EQ(writer.PagesWritten(), 2);

  PdfReportWriter empty;
  empty.Setup("none", dir, false);
  EXPECT_EQ(empty.Generate(wdrt::report::PreviewQueue(), false), 0);
  EXPECT_FALSE(std::filesystem::exists(dir + "/none.pdf"));
}

}  // namespace
