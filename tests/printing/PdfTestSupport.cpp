#include "PdfTestSupport.h"

#include <QFile>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "runtime/report/Report.h"
#include "runtime/view/Units.h"
#include "tests/report/ReportTestSupport.h"

namespace pdftest {

std::string PictureDir() {
  const std::filesystem::path dir = std::filesystem::path(STORYLOOM_BINARY_DIR) / "assets" / "pictures";
  std::error_code ec;
  return std::filesystem::is_directory(dir, ec) ? dir.string() : "";
}

bool MakePages(const wdrt::report::ReportDef& def, int records, wdrt::report::PreviewQueue& queue,
               const std::string& pictureDir) {
  reporttest::EnsureGuiApp();
  wdrt::view::InstallFontSubstitutions();
  const auto here = std::filesystem::current_path();
  if (!pictureDir.empty()) std::filesystem::current_path(pictureDir);
  wdrt::report::Report report(def);
  report.SetPreviewQueue(&queue);
  report.Open();
  bool ok = true;
  for (int r = 0; r < records && ok; ++r)
    for (const wdrt::report::BandDef& band : def.bands)
      if (band.kind == wdrt::report::BandKind::Detail) ok = ok && report.Print(band.name) == wdrt::report::ReportOk;
  ok = ok && report.EndPage() == wdrt::report::ReportOk;
  report.Close();
  std::filesystem::current_path(here);
  return ok;
}

std::string WriteBlankPageFile(const std::string& dir, int scale, int width, int height) {
  QByteArray b;
  auto u16 = [&](int v) { b.append(static_cast<char>(v & 0xFF)).append(static_cast<char>((v >> 8) & 0xFF)); };
  auto u32 = [&](std::uint32_t v) { u16(static_cast<int>(v & 0xFFFF)); u16(static_cast<int>(v >> 16)); };
  u32(0x9AC6CDD7u);
  u16(0);
  u16(0);
  u16(0);
  u16(width);
  u16(height);
  u16(scale);
  u32(0);
  std::uint16_t sum = 0;
  for (int i = 0; i < 20; i += 2)
    sum ^= static_cast<std::uint16_t>(static_cast<unsigned char>(b[i]) | (static_cast<unsigned char>(b[i + 1]) << 8));
  u16(sum);
  // Standard header: type 1, 9 words, version 0x300, size in words, no objects, largest record 3.
  u16(1);
  u16(9);
  u16(0x300);
  u32(9 + 3);
  u16(0);
  u32(3);
  u16(0);
  u32(3);  // EOF record
  u16(0);
  const std::string name = dir + "/blank-" + std::to_string(scale) + "-" + std::to_string(width) + ".wmf";
  reporttest::WriteFile(name, b);
  return name;
}

std::vector<std::string> PageSizes(const std::string& pdf, int pages) {
  const std::string out = reporttest::Run("pdfinfo -f 1 -l " + std::to_string(pages) + " " + reporttest::ShellQuoted(pdf) + " 2>&1");
  std::vector<std::string> sizes;
  std::istringstream in(out);
  std::string line;
  while (std::getline(in, line)) {
    const auto at = line.find(" size:");
    if (line.rfind("Page ", 0) != 0 || at == std::string::npos) continue;
    double w = 0, h = 0;
    if (std::sscanf(line.c_str() + at + 6, " %lf x %lf", &w, &h) == 2)
      sizes.push_back(std::to_string(std::lround(w)) + " x " + std::to_string(std::lround(h)));
  }
  return sizes;
}

std::uintmax_t FileSize(const std::string& file) {
  std::error_code ec;
  const auto size = std::filesystem::file_size(file, ec);
  return ec ? 0 : size;
}

PageFiles::~PageFiles() { wdrt::report::DeletePageFiles(queue); }

}  // namespace pdftest
