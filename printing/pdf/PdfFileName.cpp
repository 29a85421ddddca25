#include "printing/pdf/PdfFileName.h"

#include <filesystem>

#include "runtime/os/PrivateFolder.h"

namespace printing {

std::string ResolvePdfFileName(const std::string& name, const std::string& folder) {
  namespace fs = std::filesystem;
  if (name.empty()) return {};
  fs::path path(name);
  if (path.is_relative()) {
    std::error_code ec;
    fs::path base = folder.empty() ? fs::current_path(ec) : fs::path(folder);
    if (base.is_relative()) base = fs::current_path(ec) / base;
    path = base / path;
  }
  if (!path.has_extension() || path.extension() == ".") path.replace_extension(".pdf");
  return path.lexically_normal().string();
}

std::string CutUtf8(const std::string& text, std::size_t size) {
  if (text.size() <= size) return text;
  std::size_t end = size;
  // Step back over continuation bytes (10xxxxxx) to the start of the cut character.
  while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
  return text.substr(0, end);
}

std::string PdfTempFolder() { return wdrt::PrivateTempFolder(); }

}  // namespace printing
