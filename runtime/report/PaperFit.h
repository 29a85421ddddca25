// How a page goes onto paper of another size: its safe area (a margin along every edge) into
// the paper's, as large as it fits, centred; a page of the paper's own size stays as it is.
// Plain arithmetic in any one unit; any thread.
#pragma once

namespace wdrt::report {

struct PaperFit {
  double scale = 1;
  double offsetX = 0;  // where the page's corner comes on the paper
  double offsetY = 0;
};

PaperFit FitOnPaper(double pageWidth, double pageHeight, double paperWidth, double paperHeight, double margin);

}  // namespace wdrt::report
