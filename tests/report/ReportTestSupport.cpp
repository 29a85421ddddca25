#include "tests/report/ReportTestSupport.h"

#include <QBuffer>
#include <QDir>
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
#include <unistd.h>
#include <sys/wait.h>
#include <gtest/gtest.h>

#include "runtime/report/WmfFormat.h"
#include "runtime/view/Units.h"
#include "tests/report/WmfBuilder.h"

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
  // Never destroyed: tearing Qt down after main() returns would race Qt's own statics.
  static QGuiApplication* app = new QGuiApplication(argc, argv);
  (void)app;
  wdrt::view::InstallFontSubstitutions();
}

QString CorpusDir() {
  const QString dir = QString::fromUtf8(STORYLOOM_SOURCE_DIR) + "/../shared/wmf-corpus";
  return QDir(dir).exists() ? QDir(dir).canonicalPath() : QString();
}

int InkPixels(const QImage& image) {
  int ink = 0;
  const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
  for (int y = 0; y < rgb.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
    for (int x = 0; x < rgb.width(); ++x) ink += (line[x] & 0xFFFFFF) != 0xFFFFFF;
  }
  return ink;
}

QString ArtifactDir() {
  const QString dir = QString::fromUtf8(STORYLOOM_SUITE_DIR) + "/../report-artifacts";
  QDir().mkpath(dir);
  return QDir(dir).canonicalPath();
}

namespace {

void Put16(QByteArray& b, int v) {
  b.append(static_cast<char>(v & 0xFF));
  b.append(static_cast<char>((v >> 8) & 0xFF));
}
void Put32(QByteArray& b, std::uint32_t v) {
  Put16(b, static_cast<int>(v & 0xFFFF));
  Put16(b, static_cast<int>(v >> 16));
}
void PutColor(QByteArray& b, std::uint32_t rgb) {
  b.append(static_cast<char>((rgb >> 16) & 0xFF));
  b.append(static_cast<char>((rgb >> 8) & 0xFF));
  b.append(static_cast<char>(rgb & 0xFF));
  b.append('\0');
}

}  // namespace

using namespace wdrt::report;

WmfBuilder WmfBuilder::Placeable(int left, int top, int right, int bottom, int unitsPerInch) {
  WmfBuilder b;
  Put32(b.head_, kPlaceableKey);
  Put16(b.head_, 0);
  Put16(b.head_, left);
  Put16(b.head_, top);
  Put16(b.head_, right);
  Put16(b.head_, bottom);
  Put16(b.head_, unitsPerInch);
  Put32(b.head_, 0);
  std::uint16_t sum = 0;
  for (int i = 0; i < 20; i += 2)
    sum ^= static_cast<std::uint16_t>(static_cast<unsigned char>(b.head_[i]) | static_cast<unsigned char>(b.head_[i + 1]) << 8);
  Put16(b.head_, sum);
  return b;
}

WmfBuilder WmfBuilder::Bare() { return WmfBuilder(); }

WmfBuilder& WmfBuilder::Raw(std::uint16_t function, const QByteArray& params) {
  QByteArray p = params;
  if (p.size() & 1) p.append('\0');
  const std::uint32_t words = 3 + static_cast<std::uint32_t>(p.size() / 2);
  Put32(records_, words);
  Put16(records_, function);
  records_.append(p);
  maxRecordWords_ = std::max(maxRecordWords_, words);
  return *this;
}

WmfBuilder& WmfBuilder::Record(std::uint16_t function, std::initializer_list<int> words) {
  return Record(function, std::vector<int>(words));
}

WmfBuilder& WmfBuilder::Record(std::uint16_t function, const std::vector<int>& words) {
  QByteArray p;
  for (int w : words) Put16(p, w);
  return Raw(function, p);
}

WmfBuilder& WmfBuilder::WindowOrg(int x, int y) { return Record(META_SETWINDOWORG, {y, x}); }
WmfBuilder& WmfBuilder::WindowExt(int x, int y) { return Record(META_SETWINDOWEXT, {y, x}); }
WmfBuilder& WmfBuilder::MapMode(int mode) { return Record(META_SETMAPMODE, {mode}); }

WmfBuilder& WmfBuilder::Pen(int style, int width, std::uint32_t rgb) {
  QByteArray p;
  Put16(p, style);
  Put16(p, width);
  Put16(p, 0);
  PutColor(p, rgb);
  Raw(META_CREATEPENINDIRECT, p);
  return Record(META_SELECTOBJECT, {objects_++});
}

WmfBuilder& WmfBuilder::Brush(int style, std::uint32_t rgb, int hatch) {
  QByteArray p;
  Put16(p, style);
  PutColor(p, rgb);
  Put16(p, hatch);
  Raw(META_CREATEBRUSHINDIRECT, p);
  return Record(META_SELECTOBJECT, {objects_++});
}

WmfBuilder& WmfBuilder::Font(int height, int weight, const std::string& face, int charset,
                             int escapement, bool italic) {
  QByteArray p;
  Put16(p, height);
  Put16(p, 0);
  Put16(p, escapement);
  Put16(p, escapement);
  Put16(p, weight);
  p.append(static_cast<char>(italic));
  p.append('\0');
  p.append('\0');
  p.append(static_cast<char>(charset));
  p.append(QByteArray(4, '\0'));
  QByteArray name = QByteArray::fromStdString(face);
  name.resize(32, '\0');
  p.append(name);
  Raw(META_CREATEFONTINDIRECT, p);
  return Record(META_SELECTOBJECT, {objects_++});
}

WmfBuilder& WmfBuilder::TextColor(std::uint32_t rgb) {
  QByteArray p;
  PutColor(p, rgb);
  return Raw(META_SETTEXTCOLOR, p);
}
WmfBuilder& WmfBuilder::TextAlign(int align) { return Record(META_SETTEXTALIGN, {align}); }
WmfBuilder& WmfBuilder::BkMode(int mode) { return Record(META_SETBKMODE, {mode}); }
WmfBuilder& WmfBuilder::Rectangle(int left, int top, int right, int bottom) {
  return Record(META_RECTANGLE, {bottom, right, top, left});
}

WmfBuilder& WmfBuilder::ExtTextOut(int x, int y, const QByteArray& text, int options,
                                   const int* rect, const int* dx) {
  QByteArray p;
  Put16(p, y);
  Put16(p, x);
  Put16(p, static_cast<int>(text.size()));
  Put16(p, options);
  if (rect)
    for (int i = 0; i < 4; ++i) Put16(p, rect[i]);
  p.append(text);
  if (text.size() & 1) p.append('\0');
  if (dx)
    for (qsizetype i = 0; i < text.size(); ++i) Put16(p, dx[i]);
  return Raw(META_EXTTEXTOUT, p);
}

WmfBuilder& WmfBuilder::TextOut(int x, int y, const QByteArray& text) {
  QByteArray p;
  Put16(p, static_cast<int>(text.size()));
  p.append(text);
  if (text.size() & 1) p.append('\0');
  Put16(p, y);
  Put16(p, x);
  return Raw(META_TEXTOUT, p);
}

WmfBuilder& WmfBuilder::StretchDib(int x, int y, int width, int height, int srcWidth,
                                   int srcHeight, const QByteArray& dib) {
  QByteArray p;
  Put32(p, SRCCOPY);
  Put16(p, DIB_RGB_COLORS);
  for (int w : {srcHeight, srcWidth, 0, 0, height, width, y, x}) Put16(p, w);
  p.append(dib);
  return Raw(META_STRETCHDIB, p);
}

WmfBuilder& WmfBuilder::Eof() { return Record(META_EOF, {}); }

QByteArray WmfBuilder::Bytes() const {
  QByteArray standard;
  Put16(standard, 1);
  Put16(standard, 9);
  Put16(standard, 0x0300);
  Put32(standard, static_cast<std::uint32_t>((18 + records_.size()) / 2));
  Put16(standard, objects_);
  Put32(standard, maxRecordWords_);
  Put16(standard, 0);
  return head_ + standard + records_;
}

QByteArray DibHeader(int width, int height, int bitCount, std::uint32_t compression,
                     std::uint32_t imageBytes, std::uint32_t colorsUsed) {
  QByteArray h;
  Put32(h, 40);
  Put32(h, static_cast<std::uint32_t>(width));
  Put32(h, static_cast<std::uint32_t>(height));
  Put16(h, 1);
  Put16(h, bitCount);
  Put32(h, compression);
  Put32(h, imageBytes);
  Put32(h, 3780);
  Put32(h, 3780);
  Put32(h, colorsUsed);
  Put32(h, 0);
  return h;
}

QByteArray Encode(const QImage& image, const char* format, int quality) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, format, quality);
  return bytes;
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

std::string ShellQuoted(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
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

std::string PrivatePrinter::Admin(const std::string& command) const {
  return Run("CUPS_SERVER=" + server_ + " " + command + " 2>&1");
}

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
  const std::string info = Run("pdfinfo " + ShellQuoted(pdf) + " 2>/dev/null");
  const std::size_t at = info.find("Pages:");
  return at == std::string::npos ? -1 : std::atoi(info.c_str() + at + 6);
}

std::string PdfPageSize(const std::string& pdf) {
  const std::string info = Run("pdfinfo " + ShellQuoted(pdf) + " 2>/dev/null");
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
  return Run("pdftotext" + range + " " + ShellQuoted(pdf) + " - 2>/dev/null");
}

}  // namespace reporttest
