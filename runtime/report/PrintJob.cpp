#include "runtime/report/PrintJob.h"

#include <QFile>

#include <algorithm>

#include "runtime/report/PaperFit.h"
#include "runtime/report/PaperSizes.h"
#include "runtime/report/Report.h"
#include "runtime/report/WmfPlayer.h"

namespace wdrt::report {
namespace {

constexpr double kSafeMarginPoints = kSafeMargin * 72.0 / 1000;

}  // namespace

PrintJobSettings JobSettingsOf(const Report& report) {
  PrintJobSettings s;
  s.copies = report.copies;
  s.collate = report.collate;
  s.jobText = report.jobText.empty() ? report.Def().name : report.jobText;
  s.pageFrom = report.pageFrom;
  s.pageTo = report.pageTo;
  s.paper = report.paper;
  s.landscape = report.landscape;
  return s;
}

std::vector<std::string> PagesToPrint(const PreviewQueue& pages, const PrintJobSettings& settings) {
  const std::vector<std::string> names = pages.Names();
  const int count = static_cast<int>(names.size());
  const int from = settings.pageFrom > 0 ? settings.pageFrom : 1;
  const int to = settings.pageTo > 0 ? std::min(settings.pageTo, count) : count;
  if (count == 0 || from > to) return {};
  return {names.begin() + (from - 1), names.begin() + to};
}

PagePlacement PlacePage(QSizeF page, QSizeF paper) {
  PagePlacement placement;
  if (paper.isEmpty()) {
    placement.target = QRectF(QPointF(0, 0), page);
    return placement;
  }
  // A landscape page on upright paper (or the other way round) is turned to stand on it.
  placement.turned = (page.width() > page.height()) != (paper.width() > paper.height());
  const QSizeF upright = placement.turned ? page.transposed() : page;
  // On paper of another size its safe area goes into the paper's, centred and never cut.
  const PaperFit fit = FitOnPaper(upright.width(), upright.height(), paper.width(), paper.height(), kSafeMarginPoints);
  placement.target = QRectF(fit.offsetX, fit.offsetY, upright.width() * fit.scale, upright.height() * fit.scale);
  return placement;
}

QSizeF JobPaper(const PrintJobSettings& settings, int printerPaperCode) {
  const PaperSize* paper = FindPaper(settings.paper > 0 ? settings.paper : printerPaperCode);
  if (!paper) return {};
  return QSizeF(paper->width / 1000.0, paper->height / 1000.0);
}

JobDocument::JobDocument(std::vector<std::string> files, QSizeF paperPoints)
    : files_(std::move(files)), paper_(paperPoints) {}

bool JobDocument::AddNextPage() {
  if (done_ >= Total()) return false;
  QFile file(QString::fromStdString(files_[static_cast<std::size_t>(done_)]));
  if (!file.open(QIODevice::ReadOnly)) return false;
  const QByteArray bytes = file.readAll();
  const std::optional<WmfHeaderInfo> header = ReadWmfHeader(bytes);
  if (!header || header->sizeInches.width() <= 0 || header->sizeInches.height() <= 0) return false;
  const QSizeF page(header->sizeInches.width() * 72.0, header->sizeInches.height() * 72.0);
  const PagePlacement placement = PlacePage(page, paper_);
  const QSizeF sheet = paper_.isEmpty() ? page : paper_;
  if (!pdf_.BeginPage(sheet.width(), sheet.height())) return false;
  if (pdf_.Draw(bytes, placement.target, placement.turned) == WmfStatus::NotMetafile) return false;
  ++done_;
  return true;
}

QByteArray JobDocument::Finish(const std::string& title) {
  if (done_ == 0 || done_ < Total()) return {};
  return pdf_.Finish({{"/Title", title}, {"/Producer", "Storyloom"}});
}

}  // namespace wdrt::report
