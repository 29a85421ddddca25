// Shared by the report tests: the one QGuiApplication, the corpus folder and ink, a private
// CUPS server with one queue, small pictures, and reading metafiles and PDFs back.
#pragma once

#include <gtest/gtest.h>

#include <QByteArray>
#include <QImage>
#include <QString>
#include <string>
#include <vector>

namespace reporttest {

// The one QGuiApplication of the test program, with the runtime's font substitutions.
void EnsureGuiApp();
// The folder of metafiles written by other programs, or empty when it is not beside the checkout.
QString CorpusDir();
// Pixels that differ from white.
int InkPixels(const QImage& image);
// A folder under the build tree for pictures a person may look at.
QString ArtifactDir();

// A JPEG of `width` × `height` pixels in one colour, as bytes, and written to `file`.
QByteArray MakeJpeg(int width, int height, unsigned rgb = 0x3366CC);
void WriteFile(const std::string& file, const QByteArray& bytes);
QByteArray ReadFile(const std::string& file);

std::string MakeTempDir(const std::string& tag);
// `text` as one word of a shell command, whatever quotes it holds.
std::string ShellQuoted(const std::string& text);
// Runs a command; returns its standard output, and its exit code through `code`.
std::string Run(const std::string& command, int* code = nullptr);

// A private CUPS server (scripts/test-printer.sh) for one test program; sets CUPS_SERVER.
class PrivatePrinter {
 public:
  PrivatePrinter();
  ~PrivatePrinter();
  bool Ok() const { return !server_.empty(); }
  const std::string& Queue() const { return queue_; }
  const std::string& Dir() const { return dir_; }
  std::string JobFile() const { return dir_ + "/out/job.pdf"; }
  // Removes the last job's file, so that the next one can be waited for.
  void ForgetJob() const;
  // Waits until a job has been written and the queue is idle; false after `seconds`.
  bool WaitForJob(int seconds = 60) const;
  // Runs an administration command ("cupsdisable <queue>") against this server; its output.
  std::string Admin(const std::string& command) const;

 private:
  std::string dir_;
  std::string server_;
  std::string queue_ = "storyloom-test";
};

// The base of a test suite that prints: one private CUPS server for the whole suite, and the
// last job's file forgotten before each test.
class PrinterTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { printer_ = new PrivatePrinter(); }
  static void TearDownTestSuite() {
    delete printer_;
    printer_ = nullptr;
  }
  void SetUp() override {
    ASSERT_TRUE(printer_->Ok()) << "the private CUPS server did not start";
    printer_->ForgetJob();
  }
  static inline PrivatePrinter* printer_ = nullptr;
};

// pdfinfo's "Pages:" and "Page size:" of a PDF.
int PdfPages(const std::string& pdf);
std::string PdfPageSize(const std::string& pdf);
std::string PdfText(const std::string& pdf, int first = 0, int last = 0);

}  // namespace reporttest
