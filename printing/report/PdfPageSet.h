// The page files of one print run on their way to a PDF: NEWPREVIEWQUEUE (the pages the PDF
// is written from, in order) and SAVPREVIEWQUEUE (the pages to delete when the run ends).
// One per run of a print procedure, used on its thread.
#pragma once

#include <string>

#include "runtime/report/PreviewQueue.h"
#include "runtime/report/Report.h"

namespace printing {

class PdfPageSet {
 public:
  PdfPageSet() = default;
  ~PdfPageSet();
  PdfPageSet(const PdfPageSet&) = delete;
  PdfPageSet& operator=(const PdfPageSet&) = delete;

  // One ADD to each list for every entry of `pages`, in order.
  void CopyPages(const wdrt::report::PreviewQueue& pages);
  // Sets the report's temporary-file namer to the page-file namer.
  void SetNamer(wdrt::report::Report& report);
  // Writes the PDF `fileName` (a full name; a bare one goes in the private temporary folder)
  // from NEWPREVIEWQUEUE with the writer's settings of a printed book, opening it afterwards or,
  // when no program can, saying where it is. True when written.
  bool WritePdf(const wdrt::report::Report& report, const std::string& fileName);
  // Deletes every file named in SAVPREVIEWQUEUE (failures ignored).
  void DeletePages();
  // Deletes the page files and empties both lists (also done on destruction).
  void CleanUp();

  wdrt::report::PreviewQueue NEWPREVIEWQUEUE;
  wdrt::report::PreviewQueue SAVPREVIEWQUEUE;
};

}  // namespace printing
