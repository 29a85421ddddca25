#include "printing/report/PdfPageSet.h"

#include <unistd.h>

#include "printing/pdf/PdfReportWriter.h"
#include "printing/report/PageFileNamer.h"

namespace printing {

PdfPageSet::~PdfPageSet() { CleanUp(); }

void PdfPageSet::CopyPages(const wdrt::report::PreviewQueue& pages) {
  for (const std::string& name : pages.Names()) {
    NEWPREVIEWQUEUE.Add(name);
    SAVPREVIEWQUEUE.Add(name);
  }
}

void PdfPageSet::SetNamer(wdrt::report::Report& report) { report.SetTempFileNamer(&NamePageFile); }

bool PdfPageSet::WritePdf(const wdrt::report::Report& report, const std::string& fileName) {
  PdfReportWriter writer;
  writer.Init(report, fileName, "");
  writer.SetPaper(0, 0, 1, 0, 0, 0);         // each page takes its page file's size; portrait
  writer.SetCompression(1, 1, 0, 2, 4);
  writer.SetAuthor(1, "");
  writer.SetCreator(1, "");
  writer.SetSubject(1, "");
  writer.SetTitle(1, "");
  writer.SetKeywords(1, "");
  writer.SetRun(1, 1, "");                   // opened with the desktop's viewer
  const bool written = writer.Generate(NEWPREVIEWQUEUE, true) != 0;
  writer.Reset();
  return written;
}

void PdfPageSet::DeletePages() {
  for (const std::string& name : SAVPREVIEWQUEUE.Names()) ::unlink(name.c_str());
}

void PdfPageSet::CleanUp() {
  DeletePages();
  SAVPREVIEWQUEUE.Free();
  NEWPREVIEWQUEUE.Free();
}

}  // namespace printing
