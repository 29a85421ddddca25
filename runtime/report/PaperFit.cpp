#include "runtime/report/PaperFit.h"

#include <algorithm>
#include <cmath>

namespace wdrt::report {

PaperFit FitOnPaper(double pageWidth, double pageHeight, double paperWidth, double paperHeight, double margin) {
  PaperFit fit;
  // Sizes that differ by less than a hundredth of the margin are one paper size.
  const double same = margin / 100;
  if (std::fabs(pageWidth - paperWidth) <= same && std::fabs(pageHeight - paperHeight) <= same) return fit;
  const double innerWidth = pageWidth - 2 * margin, innerHeight = pageHeight - 2 * margin;
  if (innerWidth <= 0 || innerHeight <= 0) return fit;
  fit.scale = std::min((paperWidth - 2 * margin) / innerWidth, (paperHeight - 2 * margin) / innerHeight);
  if (fit.scale <= 0) {
    fit.scale = 1;
    return fit;
  }
  fit.offsetX = (paperWidth - pageWidth * fit.scale) / 2;
  fit.offsetY = (paperHeight - pageHeight * fit.scale) / 2;
  return fit;
}

}  // namespace wdrt::report
