#include "tests/report/ReportTestSupport.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QBuffer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <thread>

namespace reporttest {

void EnsureGuiApp() {
  if (QGuiApplication::instance()) return;
  if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
    static QTemporaryDir runtimeDir;
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtimeDir.path()));
  }
  static int argc = 1;
  static char name[] = "report_tests";
  static char* argv[] = {name, nullptr};
  // Never destroyed: tearing Qt down after main() would race Qt's own statics.
  static QGuiApplication* app = new QGuiApplication(argc, argv);
  (void)app;
}

QByteArray MakeJpeg(int width, int height, unsigned rgb) {
  EnsureGuiApp();
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(QColor::fromRgb(rgb));
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "JPEG", 85);
  return bytes;
}

void WriteFile(const std::string& file, const QByteArray& bytes) {
  QFile out(QString::fromStdString(file));
  ASSERT_TRUE(out.open(QIODevice::WriteOnly));
  out.write(bytes);
}

QByteArray ReadFile(const std::string& file) {
  QFile in(QString::fromStdString(file));
  return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
}

std::string MakeTempDir(const std::string& tag) {
  std::string pattern = std::filesystem::temp_directory_path().string() + "/storyloom-" + tag + "-XXXXXX";
  return ::mkdtemp(pattern.data()) ? pattern : std::string();
}

std::string Run(const std::string& command, int* code) {
  std::string out;
  FILE* pipe = ::popen(command.c_str(), "r");
  if (!pipe) return out;
  std::array<char, 4096> buffer{};
  std::size_t n = 0;
  while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0) out.append(buffer.data(), n);
  const int status = ::pclose(pipe);
  if (code) *code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return out;
}

PrivatePrinter::PrivatePrinter() {
  dir_ = MakeTempDir("cups");
  const std::string script = std::string(STORYLOOM_SOURCE_DIR) + "/scripts/test-printer.sh";
  const std::string out = Run(script + " start " + dir_ + " " + queue_ + " 2>/dev/null");
  const std::size_t at = out.find("CUPS_SERVER=");
  if (at == std::string::npos) return;
  server_ = out.substr(at + 12);
  while (!server_.empty() && (server_.back() == '\n' || server_.back() == ' ')) server_.pop_back();
  ::setenv("CUPS_SERVER", server_.c_str(), 1);
}

PrivatePrinter::~PrivatePrinter() {
  const std::string script = std::string(STORYLOOM_SOURCE_DIR) + "/scripts/test-printer.sh";
  Run(script + " stop " + dir_);
  std::error_code ec;
  std::filesystem::remove_all(dir_, ec);
}

void PrivatePrinter::ForgetJob() const { ::unlink(JobFile().c_str()); }

bool PrivatePrinter::WaitForJob(int seconds) const {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  while (std::chrono::steady_clock::now() < deadline) {
    if (std::filesystem::exists(JobFile())) {
      const std::string pending = Run("CUPS_SERVER=" + server_ + " lpstat -o " + queue_ + " 2>/dev/null");
      if (pending.empty()) return true;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  return false;
}

int PdfPages(const std::string& pdf) {
  const std::string info = Run("pdfinfo '" + pdf + "' 2>/dev/null");
  const std::size_t at = info.find("Pages:");
  return at == std::string::npos ? -1 : std::atoi(info.c_str() + at + 6);
}

std::string PdfPageSize(const std::string& pdf) {
  const std::string info = Run("pdfinfo '" + pdf + "' 2>/dev/null");
  const std::size_t at = info.find("Page size:");
  if (at == std::string::npos) return {};
  const std::size_t end = info.find('\n', at);
  std::string size = info.substr(at + 10, end - at - 10);
  size.erase(0, size.find_first_not_of(' '));
  return size;
}

std::string PdfText(const std::string& pdf, int first, int last) {
  std::string range;
  if (first > 0) range += " -f " + std::to_string(first);
  if (last > 0) range += " -l " + std::to_string(last);
  return Run("pdftotext" + range + " '" + pdf + "' - 2>/dev/null");
}

}  // namespace reporttest
