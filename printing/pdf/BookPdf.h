// The book print procedure's use of the PDF writer, in one call: the PDF of a report's page
// list in the private temporary folder, each page the size of its page file, opened with the
// desktop's viewer, the status window shown. Called on the procedure's thread.
#pragma once

#include <cstdint>
#include <string>

#include "printing/pdf/PdfReportWriter.h"

namespace printing {

// Init with the report and `fileName` ("comp1.pdf") and no folder, paper code 0 in portrait,
// compression (text 1, ASCII 0, mono 2, colour 4), empty information, open when written,
// Generate from `pages` with the status window, Reset. Returns Generate's result.
std::uint8_t WriteBookPdf(PdfReportWriter& writer, const wdrt::report::Report& report,
                          const wdrt::report::PreviewQueue& pages, const std::string& fileName,
                          bool showStatus = true);

}  // namespace printing
