#include "PdfComponent.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QPainter>
#include <QPdfPageNavigator>
#include <QPrinter>
#include <QScrollBar>
#include <QSpinBox>
#include <QToolBar>
#include <QVBoxLayout>

#include "HostedPrinting.h"
#include "HostedSupport.h"

namespace pvhosted {
namespace {

// The zoom list of the tool bar: the two fits, then percentages.
constexpr int kFitWidth = -1;
constexpr int kFitPage = -2;
constexpr int kZoomSteps[] = {kFitWidth, kFitPage, 50, 75, 100, 125, 150, 200, 400};

QString ZoomText(int step) {
  if (step == kFitWidth) return "Fit Width";
  if (step == kFitPage) return "Fit Page";
  return QString::number(step) + "%";
}

}  // namespace

PdfComponent::~PdfComponent() {
  if (view_) view_->setDocument(nullptr);
}

QWidget* PdfComponent::CreateWidget(QWidget* parent) {
  auto* box = new QWidget(parent);
  auto* layout = new QVBoxLayout(box);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  view_ = new QPdfView(box);
  document_ = std::make_unique<QPdfDocument>();
  view_->setDocument(document_.get());
  view_->setPageMode(QPdfView::PageMode::SinglePage);
  view_->setZoomMode(QPdfView::ZoomMode::FitInView);
  toolbar_ = MakeToolbar(box);
  toolbar_->hide();
  layout->addWidget(toolbar_);
  layout->addWidget(view_, 1);
  QObject::connect(view_->pageNavigator(), &QPdfPageNavigator::currentPageChanged, box, [this] { ShowState(); });
  QObject::connect(view_, &QPdfView::zoomFactorChanged, box, [this] { ShowState(); });
  QObject::connect(document_.get(), &QPdfDocument::pageCountChanged, box, [this] { ShowState(); });
  return box;
}

QToolBar* PdfComponent::MakeToolbar(QWidget* parent) {
  auto* bar = new QToolBar(parent);
  bar->setIconSize(QSize(16, 16));
  bar->addAction("|<", [this] { Go(0); })->setToolTip("First Page");
  bar->addAction("<", [this] { Go(view_->pageNavigator()->currentPage() - 1); })->setToolTip("Previous Page");
  bar->addWidget(new QLabel(" Page ", bar));
  pageBox_ = new QSpinBox(bar);
  pageBox_->setRange(1, 1);
  pageBox_->setKeyboardTracking(false);
  bar->addWidget(pageBox_);
  pageCountLabel_ = new QLabel(" of 0 ", bar);
  bar->addWidget(pageCountLabel_);
  bar->addAction(">", [this] { Go(view_->pageNavigator()->currentPage() + 1); })->setToolTip("Next Page");
  bar->addAction(">|", [this] { Go(document_->pageCount() - 1); })->setToolTip("Last Page");
  bar->addSeparator();
  zoomBox_ = new QComboBox(bar);
  for (int step : kZoomSteps) zoomBox_->addItem(ZoomText(step), step);
  zoomBox_->setToolTip("Zoom");
  bar->addWidget(zoomBox_);
  QObject::connect(pageBox_, &QSpinBox::valueChanged, bar, [this](int page) {
    if (page - 1 != view_->pageNavigator()->currentPage()) Go(page - 1);
  });
  QObject::connect(zoomBox_, &QComboBox::activated, bar, [this](int index) { ZoomChosen(index); });
  return bar;
}

void PdfComponent::ShowState() {
  if (!toolbar_ || !document_ || !view_) return;
  const QSignalBlocker blockPage(pageBox_);
  pageBox_->setRange(1, std::max(1, document_->pageCount()));
  pageBox_->setValue(view_->pageNavigator()->currentPage() + 1);
  pageCountLabel_->setText(QString(" of %1 ").arg(document_->pageCount()));
  const QSignalBlocker blockZoom(zoomBox_);
  if (view_->zoomMode() == QPdfView::ZoomMode::FitToWidth) {
    zoomBox_->setCurrentIndex(zoomBox_->findData(kFitWidth));
  } else if (view_->zoomMode() == QPdfView::ZoomMode::FitInView) {
    zoomBox_->setCurrentIndex(zoomBox_->findData(kFitPage));
  } else {
    // A zoom set by the application that the list lacks joins it.
    const int percent = static_cast<int>(view_->zoomFactor() * 100 + 0.5);
    if (zoomBox_->findData(percent) < 0) zoomBox_->addItem(ZoomText(percent), percent);
    zoomBox_->setCurrentIndex(zoomBox_->findData(percent));
  }
}

void PdfComponent::ZoomChosen(int index) {
  const int step = zoomBox_->itemData(index).toInt();
  if (step == kFitWidth) {
    view_->setZoomMode(QPdfView::ZoomMode::FitToWidth);
  } else if (step == kFitPage) {
    view_->setZoomMode(QPdfView::ZoomMode::FitInView);
  } else {
    view_->setZoomMode(QPdfView::ZoomMode::Custom);
    view_->setZoomFactor(step / 100.0);
  }
  ShowState();
}

void PdfComponent::Go(int page) {
  if (!document_ || document_->pageCount() == 0) return;
  page = std::clamp(page, 0, document_->pageCount() - 1);
  view_->pageNavigator()->jump(page, {}, view_->pageNavigator()->currentZoom());
}

bool PdfComponent::Print(int first, int last, bool fit, bool withDialog) {
  if (!document_ || document_->pageCount() == 0) return false;
  QPrinter printer(QPrinter::HighResolution);
  PrintRange range;
  if (!PreparePrinter(printer, withDialog, "Print", document_->pageCount(), range)) return false;
  if (range.from > 0) {
    first = range.from;
    last = range.to;
  }
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
    ShowState();
    return error == QPdfDocument::Error::None ? "1" : "0";
  }
  const int page = view_->pageNavigator()->currentPage();
  if (name == "gotoFirstPage") { Go(0); return "1"; }
  if (name == "gotoPreviousPage") { Go(page - 1); return "1"; }
  if (name == "gotoNextPage") { Go(page + 1); return "1"; }
  if (name == "gotoLastPage") { Go(document_->pageCount() - 1); return "1"; }
  if (name == "setCurrentPage") { Go(std::atoi(Arg(arguments, 0).c_str()) - 1); return "1"; }
  if (name == "SetShowToolbar") {
    toolbar_->setVisible(Arg(arguments, 0) != "0");
    ShowState();
    return "1";
  }
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
    ShowState();
    return "1";
  }
  if (name == "printPages" || name == "printPagesFit")
    return Print(std::atoi(Arg(arguments, 0).c_str()), std::atoi(Arg(arguments, 1).c_str()), name == "printPagesFit",
                 false) ? "1" : "0";
  if (name == "PrintWithDialog") return Print(1, document_->pageCount(), true, true) ? "1" : "0";
  if (name == "Print") return Print(1, document_->pageCount(), true, false) ? "1" : "0";
  return {};
}

std::string PdfComponent::Get(const std::string& name) {
  if (!view_ || !document_) return {};
  if (name == "readyState") return document_->status() == QPdfDocument::Status::Ready ? "4" : "1";
  if (name == "CurrentPage") return std::to_string(view_->pageNavigator()->currentPage() + 1);
  if (name == "PageCount") return std::to_string(document_->pageCount());
  if (name == "Zoom") return std::to_string(static_cast<int>(view_->zoomFactor() * 100 + 0.5));
  if (name == "Title") return S(document_->metaData(QPdfDocument::MetaDataField::Title).toString());
  if (name == "ShowToolbar") return toolbar_ && !toolbar_->isHidden() ? "1" : "0";
  return {};
}

bool PdfComponent::Set(const std::string& /*name*/, const std::string& /*value*/) { return false; }

}  // namespace pvhosted
