// The HTML editor behind "DHTMLEdit.DHTMLEdit.1": a Qt WebEngine view in design mode, driven
// by the editor's command numbers (its find, font, properties and address dialogs included),
// its selection operations, the last key pressed in it and printing. GUI thread only.
#pragma once

#include <QPointer>
#include <QPrinter>
#include <QWebEngineView>
#include <memory>

#include "runtime/os/OleControl.h"

namespace pvhosted {

class EditorComponent : public wdrt::OleComponent {
 public:
  QWidget* CreateWidget(QWidget* parent) override;
  std::string Call(const std::string& name, const std::vector<std::string>& arguments) override;
  std::string Get(const std::string& name) override;
  bool Set(const std::string& name, const std::string& value) override;

 private:
  // Loads and waits until the page is ready for editing (bounded).
  bool LoadAndWait(const QUrl& url, const QString& html);
  // Waits (bounded) for a load still under way; true when the document is there.
  bool WaitForDocument();
  QString Script(const QString& script);
  // The document's HTML (asked up to three times); empty when the engine gave none.
  QString DocumentSource();
  std::string ExecCommand(const std::vector<std::string>& arguments);
  bool Print(bool withDialog);

  QPointer<QWebEngineView> view_;
  QString path_;
  std::unique_ptr<QPrinter> printer_;  // lives until the page has printed on it
  int readyState_ = 0;
};

}  // namespace pvhosted
