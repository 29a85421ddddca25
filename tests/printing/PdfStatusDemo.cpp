// A tiny program for the end-to-end tests of the PDF writer's status window: it prints a
// report of `pages` text pages (pictures from the folder given, when any) and writes them to a
// PDF exactly as the book print procedure does, then journals Generate's result. `times` lists
// the pages that many times over (as copies do), so that the writing lasts long enough for a
// script to press Cancel on any machine. Arguments: <pages> [picture folder|-] [times].
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "printing/pdf/BookPdf.h"
#include "runtime/core/Journal.h"
#include "runtime/report/Report.h"
#include "runtime/view/Program.h"

namespace {

using namespace wdrt::report;

ReportDef DemoReport(bool pictures) {
  ReportDef def;
  def.name = "PdfDemo";
  BandDef page;
  page.name = "PAGE";
  page.height = 10900;
  page.items = {ReportText(1000, 1000, "A page for the PDF writer", {"Arial", 28, true, wdrt::kBlack}),
                ReportBox(500, 500, 7500, 10000, wdrt::MakeRgb(200, 0, 0))};
  if (pictures) page.items.push_back(ReportPicture("zuli.jpg", 1000, 2500, 6500, 4200));
  def.bands = {page};
  return def;
}

}  // namespace

int main(int argc, char** argv) {
  const int pages = argc > 1 ? std::atoi(argv[1]) : 20;
  const std::string pictures = argc > 2 && std::string(argv[2]) != "-" ? argv[2] : "";
  const int times = argc > 3 ? std::max(1, std::atoi(argv[3])) : 1;
  return wdrt::RunProgram(argc, argv, [pages, pictures, times] {
    const ReportDef def = DemoReport(!pictures.empty());
    PreviewQueue queue;
    Report report(def);
    report.SetPreviewQueue(&queue);
    const auto here = std::filesystem::current_path();
    if (!pictures.empty()) std::filesystem::current_path(pictures);
    report.Open();
    for (int i = 0; i < pages; ++i) report.Print("PAGE");
    report.EndPage();
    std::filesystem::current_path(here);
    const std::vector<std::string> made = queue.Names();
    for (int t = 1; t < times; ++t)
      for (const std::string& name : made) queue.Add(name);
    // The book print procedure's call.
    printing::PdfReportWriter writer;
    const int result = printing::WriteBookPdf(writer, report, queue, "comp1.pdf");
    report.Close();
    for (const std::string& name : made) std::filesystem::remove(name);
    wdrt::JournalLine("pdf-demo-result " + std::to_string(result));
  });
}
