// A small program for the previewer's end-to-end tests: makes a report of N pages and shows
// it with PRINTPREVIEW; when the user printed and pages remain, it prints them as a book
// does (HANDLECOPIES, then the flush). Arguments: pages, option bits, zoom percent, copies,
// text-export caption, the report's paper bin, help file and help context.
// Page n reads "Sheet nn of ?PP?" (the count filled in by ASSGNPGOFPG); pages 3, 7 and 15
// say "Giraffe", page 10 "GIRAFFE"; page 1 has "Marker" 2 inches from the left and 3 down.
#include <cstdlib>
#include <string>

#include "rpvw32/Exports.h"
#include "runtime/core/Journal.h"
#include "runtime/flush/Flush.h"
#include "runtime/report/Report.h"
#include "runtime/view/Program.h"

namespace {

using namespace wdrt::report;

ReportDef DemoReport(int pages) {
  ReportDef def;
  def.name = "PreviewDemo";
  for (int n = 1; n <= pages; ++n) {
    char sheet[16];
    std::snprintf(sheet, sizeof sheet, "%02d", n);
    BandDef band{"P" + std::to_string(n), BandKind::Detail, 11000, {}};
    band.items.push_back(ReportText(500, 500, std::string("Sheet ") + sheet + " of ?PP?", {"Arial", 20, true, wdrt::kBlack}));
    band.items.push_back(ReportBox(500, 1300, 7500, 1200, wdrt::kBlack, wdrt::MakeRgb(220, 235, 250)));
    std::string animal = (n == 3 || n == 7 || n == 15) ? "Giraffe" : n == 10 ? "GIRAFFE" : "Zebra";
    band.items.push_back(ReportText(700, 1600, "The " + animal + " of page " + std::to_string(n), {"Arial", 16}));
    if (n == 1) band.items.push_back(ReportText(2000, 3000, "Marker", {"Arial", 10}));
    def.bands.push_back(band);
  }
  return def;
}

}  // namespace

int main(int argc, char** argv) {
  const int pages = argc > 1 ? std::atoi(argv[1]) : 5;
  const int options = argc > 2 ? std::atoi(argv[2]) : 0;
  const int zoom = argc > 3 ? std::atoi(argv[3]) : 50;
  const int copies = argc > 4 ? std::atoi(argv[4]) : 1;
  const std::string caption = argc > 5 ? argv[5] : "";
  const int paperBin = argc > 6 ? std::atoi(argv[6]) : 0;
  const std::string helpFile = argc > 7 ? argv[7] : "";
  const std::string helpContext = argc > 8 ? argv[8] : "";
  const std::uint8_t helpFromIni = helpFile.empty() ? 1 : 0;
  return wdrt::RunProgram(argc, argv, [=] {
    PreviewQueue queue;
    Report report(DemoReport(pages));
    report.copies = copies;
    report.paperBin = paperBin;
    report.SetPreviewQueue(&queue);
    report.Open();
    for (int n = 1; n <= pages; ++n) report.Print("P" + std::to_string(n));
    report.EndPage();
    report.Close();
    ASSGNPGOFPG(&queue, 1, 0, 0, 0, 0, 0, 0, "", "");
    std::int32_t extra = 0;
    const int result = PRINTPREVIEW(&queue, static_cast<std::int16_t>(zoom), 1, &report, 0, 0, 0, 1, 0, nullptr, 0,
                                    1, 0, nullptr, 0, 0, 0, &extra, 0, helpFromIni, helpFromIni, 0, 66, 0,
                                    static_cast<std::uint8_t>(options), "", caption.c_str(), helpFile.c_str(),
                                    helpContext.c_str(), "Mark", "", "",
                                    "", "", "");
    if (result == 1 && queue.Records() > 0) {
      HANDLECOPIES(&queue, static_cast<std::int16_t>(report.copies));
      wdrt::FlushPages(queue, JobSettingsOf(report));
    }
    wdrt::JournalLine("demo-done " + std::to_string(result) + " " + std::to_string(queue.Records()) + " extra=" +
                      std::to_string(extra));
    DeletePageFiles(queue);
  });
}
