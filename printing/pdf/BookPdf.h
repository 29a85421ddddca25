// The book print procedure's use of the PDF writer, in one call, and where a parent finds the
// result: the documents folder's "Storyloom" folder, under the book's title and the children
// it was made for, never over an earlier file. Called on the procedure's thread.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "printing/pdf/PdfReportWriter.h"

namespace printing {

// Init with the report and `fileName` (a full name, or a bare one for the private temporary
// folder), paper code 0 in portrait, compression (text 1, ASCII 0, mono 2, colour 4), empty
// information, open when written, Generate from `pages` with the status window, Reset.
// Returns Generate's result.
std::uint8_t WriteBookPdf(PdfReportWriter& writer, const wdrt::report::Report& report,
                          const wdrt::report::PreviewQueue& pages, const std::string& fileName,
                          bool showStatus = true);

// "<title> - Mia.pdf" for one child, "<title> - 3 children.pdf" for several, "<title>.pdf"
// for none; characters a file name cannot hold become "-".
std::string BookPdfName(const std::string& title, const std::vector<std::string>& children);

// Takes a free name for the book's PDF in `folder` (created when missing): `name`, else with
// " (2)", " (3)" … before its extension. The name is taken at once (an empty file), so that two
// runs at the same moment never write one file. "" when the folder cannot be made.
std::string TakePdfName(const std::string& folder, const std::string& name);

// The folder a parent looks in: <documents>/Storyloom.
std::string BookPdfFolder();

// After writing: when no program opened the file, says where it was saved.
void TellWherePdfIs(const PdfReportWriter& writer, const std::string& file);

}  // namespace printing
