#include "printing/report/PdfPageSet.h"

#include <unistd.h>

#include "printing/pdf/BookPdf.h"
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
  const bool written = WriteBookPdf(writer, report, NEWPREVIEWQUEUE, fileName) != 0 && writer.Written();
  TellWherePdfIs(writer, fileName);
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
