#include "printing/pdf/BookPdf.h"

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

}  // namespace printing
