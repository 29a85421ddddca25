#include "printing/pdf/BookPdf.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "runtime/dialogs/Message.h"
#include "runtime/os/Paths.h"

namespace printing {

std::uint8_t WriteBookPdf(PdfReportWriter& writer, const wdrt::report::Report& report,
                          const wdrt::report::PreviewQueue& pages, const std::string& fileName, bool showStatus) {
  writer.Init(report, fileName, "");
  writer.SetPaper(0, 0, 1, 0, 0, 0);
  writer.SetCompression(1, 1, 0, 2, 4);
  writer.SetAuthor(1, "");
  writer.SetCreator(1, "");
  writer.SetSubject(1, "");
  writer.SetTitle(1, "");
  writer.SetKeywords(1, "");
  writer.SetRun(1, 1, "");
  const std::uint8_t result = writer.Generate(pages, showStatus);
  writer.Reset();
  return result;
}

std::string BookPdfName(const std::string& title, const std::vector<std::string>& children) {
  std::string name = title.empty() ? "Book" : title;
  if (children.size() == 1) name += " - " + children.front();
  if (children.size() > 1) name += " - " + std::to_string(children.size()) + " children";
  for (char& c : name)
    if (c == '/' || c == '\\' || static_cast<unsigned char>(c) < 0x20) c = '-';
  if (name[0] == '.') name = "Book" + name;  // never a hidden file
  return name + ".pdf";
}

std::string TakePdfName(const std::string& folder, const std::string& name) {
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  const std::size_t dot = name.rfind('.');
  const std::string stem = dot == std::string::npos ? name : name.substr(0, dot);
  const std::string extension = dot == std::string::npos ? "" : name.substr(dot);
  for (int n = 1; n < 10000; ++n) {
    const std::string candidate =
        folder + "/" + (n == 1 ? name : stem + " (" + std::to_string(n) + ")" + extension);
    const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd >= 0) {
      ::close(fd);
      return candidate;
    }
    if (errno != EEXIST) return {};
  }
  return {};
}

std::string BookPdfFolder() { return wdrt::DocumentsFolder() + "/Storyloom"; }

void TellWherePdfIs(const PdfReportWriter& writer, const std::string& file) {
  if (!writer.Written() || writer.Opened()) return;
  const std::filesystem::path path(file);
  wdrt::Message("The book was saved as \"" + path.filename().string() + "\"|in the folder " +
                    path.parent_path().string() + ".||No program to show PDF files was found on this computer.",
                "PDF saved", wdrt::IconAsterisk, wdrt::ButtonOk, wdrt::ButtonOk);
}

}  // namespace printing
