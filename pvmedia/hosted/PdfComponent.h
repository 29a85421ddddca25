// The PDF viewer behind "PDF.PDFCtrl.1": a Qt PDF document in a Qt PDF view with page
// navigation, zoom, tool and scroll bars, and printing of page ranges. GUI thread only.
#pragma once

#include <QPdfDocument>
#include <QPdfView>
#include <QPointer>

#include "runtime/os/OleControl.h"

namespace pvhosted {

class PdfComponent : public wdrt::OleComponent {
 public:
  QWidget* CreateWidget(QWidget* parent) override;
  std::string Call(const std::string& name, const std::vector<std::string>& arguments) override;
  std::string Get(const std::string& name) override;
  bool Set(const std::string& name, const std::string& value) override;

 private:
  bool Print(int first, int last, bool fit);
  void Go(int page);

  QPointer<QPdfView> view_;
  QPointer<QPdfDocument> document_;
};

}  // namespace pvhosted
