// The PDF viewer behind "PDF.PDFCtrl.1": a Qt PDF document in a Qt PDF view with page
// navigation, zoom, tool and scroll bars, and printing of page ranges. GUI thread only.
#pragma once

#include <QPdfDocument>
#include <QPdfView>
#include <QPointer>
#include <memory>

#include "runtime/os/OleControl.h"

namespace pvhosted {

class PdfComponent : public wdrt::OleComponent {
 public:
  ~PdfComponent() override;
  QWidget* CreateWidget(QWidget* parent) override;
  std::string Call(const std::string& name, const std::vector<std::string>& arguments) override;
  std::string Get(const std::string& name) override;
  bool Set(const std::string& name, const std::string& value) override;

 private:
  bool Print(int first, int last, bool fit);
  void Go(int page);

  QPointer<QPdfView> view_;
  // Not the view's child: the view must let go of it before it goes (the view's own
  // destruction would otherwise signal into a half-destroyed view).
  std::unique_ptr<QPdfDocument> document_;
};

}  // namespace pvhosted
