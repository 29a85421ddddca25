// The PDF viewer behind "PDF.PDFCtrl.1": a Qt PDF document in a Qt PDF view with page
// navigation, zoom, scroll bars, a tool bar (pages and zoom) shown on request, and printing
// of page ranges, with the printer dialog or without. GUI thread only.
#pragma once

#include <QPdfDocument>
#include <QPdfView>
#include <QPointer>
#include <memory>

#include "runtime/os/OleControl.h"

class QComboBox;
class QLabel;
class QSpinBox;
class QToolBar;

namespace pvhosted {

class PdfComponent : public wdrt::OleComponent {
 public:
  ~PdfComponent() override;
  QWidget* CreateWidget(QWidget* parent) override;
  std::string Call(const std::string& name, const std::vector<std::string>& arguments) override;
  std::string Get(const std::string& name) override;
  bool Set(const std::string& name, const std::string& value) override;

 private:
  QToolBar* MakeToolbar(QWidget* parent);
  // Brings the tool bar's page number, page count and zoom up to date with the view.
  void ShowState();
  void ZoomChosen(int index);
  bool Print(int first, int last, bool fit, bool withDialog);
  void Go(int page);

  QPointer<QPdfView> view_;
  QPointer<QToolBar> toolbar_;
  QPointer<QSpinBox> pageBox_;
  QPointer<QLabel> pageCountLabel_;
  QPointer<QComboBox> zoomBox_;
  // Not the view's child: the view must let go of it before it goes (the view's own
  // destruction would otherwise signal into a half-destroyed view).
  std::unique_ptr<QPdfDocument> document_;
};

}  // namespace pvhosted
