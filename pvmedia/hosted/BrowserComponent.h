// The web browser behind "Shell.Explorer.2": a Qt WebEngine view whose navigations, titles,
// progress and new windows become the browser's published events. GUI thread only.
#pragma once

#include <QPointer>
#include <QWebEnginePage>
#include <QWebEngineView>

#include "runtime/os/OleControl.h"

namespace pvhosted {

class BrowserComponent;

// Asks the component's events whether a navigation or a new window may go on.
class BrowserPage : public QWebEnginePage {
  Q_OBJECT
 public:
  BrowserPage(BrowserComponent* owner, QObject* parent);

 protected:
  bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;
  QWebEnginePage* createWindow(WebWindowType type) override;

 private:
  BrowserComponent* owner_;
};

class BrowserComponent : public wdrt::OleComponent {
 public:
  QWidget* CreateWidget(QWidget* parent) override;
  std::string Call(const std::string& name, const std::vector<std::string>& arguments) override;
  std::string Get(const std::string& name) override;
  bool Set(const std::string& name, const std::string& value) override;

  // Events the page reports; the results of 250 and 251 decide.
  int Event(int event, const std::vector<std::string>& parameters) { return Fire(event, parameters); }
  QWebEngineView* View() const { return view_; }

 private:
  QPointer<QWebEngineView> view_;
  int readyState_ = 0;  // 0 nothing loaded, 1 loading, 4 complete
};

}  // namespace pvhosted
