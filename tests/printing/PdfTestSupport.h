// Shared by the PDF writer's tests: page files of the birthday book's report and of small
// test reports, and reading PDFs back with qpdf and poppler's tools.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "runtime/report/PreviewQueue.h"
#include "runtime/report/ReportDef.h"

namespace pdftest {

// The folder of the build's pictures; "" when the build made none.
std::string PictureDir();

// Prints every band of `def` `records` times into page files (in the engine's private page
// folder) listed in `queue`, with pictures looked up in `pictureDir` (may be "").
bool MakePages(const wdrt::report::ReportDef& def, int records, wdrt::report::PreviewQueue& queue,
               const std::string& pictureDir = "");

// A minimal placeable metafile with `scale` units per inch and a frame of width × height.
std::string WriteBlankPageFile(const std::string& dir, int scale, int width, int height);

// Every "Page size:" of a PDF, per page, as "612 x 792" (rounded points).
std::vector<std::string> PageSizes(const std::string& pdf, int pages);
std::uintmax_t FileSize(const std::string& file);

// Cleans the page files up when a test ends.
struct PageFiles {
  wdrt::report::PreviewQueue queue;
  ~PageFiles();
};

}  // namespace pdftest
