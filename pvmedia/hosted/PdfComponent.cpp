#include "PdfComponent.h"

#include <QPainter>
#include <QPdfPageNavigator>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScrollBar>

#include "HostedSupport.h"

namespace pvhosted {

PdfComponent::~PdfComponent() {
  if (view_) view_->setDocument(nullptr);
}

QWidget* PdfComponent::CreateWidget(QWidget* parent) {
  view_ = new QPdfView(parent);
  document_ = std::make_unique<QPdfDocument>();
  view_->setDocument(document_.get());
  view_->setPageMode(QPdfView::PageMode::SinglePage);
  view_->setZoomMode(QPdfView::ZoomMode::FitInView);
  return view_;
}

void PdfComponent::Go(int page) {
  if (!document_ || document_->pageCount() == 0) return;
  page = std::clamp(page, 0, document_->pageCount() - 1);
  view_->pageNavigator()->jump(page, {}, view_->pageNavigator()->currentZoom());
}

bool PdfComponent::Print(int first, int last, bool fit) {
  if (!document_ || document_->pageCount() == 0 || QPrinterInfo::availablePrinters().isEmpty()) return false;
  QPrinter printer(QPrinter::HighResolution);
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  first = std::max(1, first);
  last = std::min(document_->pageCount(), last < first ? first : last);
  for (int page = first; page <= last; ++page) {
    if (page > first) printer.newPage();
    const QRect area = painter.viewport();
    QSizeF size = document_->pagePointSize(page - 1) * printer.resolution() / 72.0;
    if (fit) size.scale(area.size(), Qt::KeepAspectRatio);
    painter.drawImage(QPointF(0, 0), document_->render(page - 1, size.toSize()));
  }
  return painter.end();
}

std::string PdfComponent::Call(const std::string& name, const std::vector<std::string>& arguments) {
  if (!view_ || !document_) return {};
  if (name == "Open" || name == "LoadFile") {
    const QPdfDocument::Error error = document_->load(Q(Arg(arguments, 0)));
    if (error == QPdfDocument::Error::None) Go(0);
    return error == QPdfDocument::Error::None ? "1" : "0";
  }
  const int page = view_->pageNavigator()->currentPage();
  if (name == "gotoFirstPage") { Go(0); return "1"; }
  if (name == "gotoPreviousPage") { Go(page - 1); return "1"; }
  if (name == "gotoNextPage") { Go(page + 1); return "1"; }
  if (name == "gotoLastPage") { Go(document_->pageCount() - 1); return "1"; }
  if (name == "setCurrentPage") { Go(std::atoi(Arg(arguments, 0).c_str()) - 1); return "1"; }
  if (name == "SetShowToolbar") return "1";  // the view has no tool bar of its own
  if (name == "SetShowScrollBars") {
    const Qt::ScrollBarPolicy policy = Arg(arguments, 0) == "0" ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded;
    view_->setVerticalScrollBarPolicy(policy);
    view_->setHorizontalScrollBarPolicy(policy);
    return "1";
  }
  if (name == "SetZoom") {
    const double percent = std::atof(Arg(arguments, 0).c_str());
    if (percent <= 0) return "0";
    view_->setZoomMode(QPdfView::ZoomMode::Custom);
    view_->setZoomFactor(percent / 100.0);
    return "1";
  }
  if (name == "printPages" || name == "printPagesFit")
    return Print(std::atoi(Arg(arguments, 0).c_str()), std::atoi(Arg(arguments, 1).c_str()), name == "printPagesFit")
               ? "1" : "0";
  if (name == "PrintWithDialog" || name == "Print") return Print(1, document_->pageCount(), true) ? "1" : "0";
  return {};
}

std::string PdfComponent::Get(const std::string& name) {
  if (!view_ || !document_) return {};
  if (name == "readyState") return document_->status() == QPdfDocument::Status::Ready ? "4" : "1";
  if (name == "CurrentPage") return std::to_string(view_->pageNavigator()->currentPage() + 1);
  if (name == "PageCount") return std::to_string(document_->pageCount());
  if (name == "Zoom") return std::to_string(static_cast<int>(view_->zoomFactor() * 100 + 0.5));
  if (name == "Title") return S(document_->metaData(QPdfDocument::MetaDataField::Title).toString());
  return {};
}

bool PdfComponent::Set(const std::string& /*name*/, const std::string& /*value*/) { return false; }

}  // namespace pvhosted
