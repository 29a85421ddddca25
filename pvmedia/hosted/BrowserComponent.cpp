#include "BrowserComponent.h"

#include <QFile>
#include <QWebEngineHistory>
#include <QPrinter>
#include <QPrinterInfo>
#include <QWebEngineProfile>
#include <QWebEngineSettings>

#include "HostedSupport.h"

namespace pvhosted {

BrowserPage::BrowserPage(BrowserComponent* owner, QObject* parent) : QWebEnginePage(parent), owner_(owner) {}

bool BrowserPage::acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) {
  // BEFORENAVIGATE2: address, flags, target frame; a result of 1 cancels.
  const int cancel = owner_->Event(250, {S(url.toString()), std::to_string(static_cast<int>(type)),
                                         isMainFrame ? "" : "frame"});
  if (cancel != 0) return false;
  return QWebEnginePage::acceptNavigationRequest(url, type, isMainFrame);
}

QWebEnginePage* BrowserPage::createWindow(WebWindowType /*type*/) {
  // NEWWINDOW2: a result of 1 stops the window; otherwise the page opens in this browser.
  if (owner_->Event(251, {}) != 0) return nullptr;
  return this;
}

QWidget* BrowserComponent::CreateWidget(QWidget* parent) {
  PrepareWebEngine();
  view_ = new QWebEngineView(parent);
  auto* page = new BrowserPage(this, view_);
  page->settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
  view_->setPage(page);
  QObject::connect(view_, &QWebEngineView::loadStarted, view_, [this] {
    readyState_ = 1;
    Fire(106, {});
  });
  QObject::connect(view_, &QWebEngineView::loadProgress, view_,
                   [this](int progress) { Fire(108, {std::to_string(progress), "100"}); });
  QObject::connect(view_, &QWebEngineView::titleChanged, view_, [this](const QString& title) { Fire(113, {S(title)}); });
  QObject::connect(view_, &QWebEngineView::loadFinished, view_, [this](bool ok) {
    readyState_ = 4;
    const std::string url = S(view_->url().toString());
    if (ok) {
      Fire(252, {url});
      Fire(101, {url, S(view_->title())});
      Fire(259, {url});
    } else {
      Fire(271, {url});
    }
    Fire(104, {});
  });
  QObject::connect(page, &QWebEnginePage::linkHovered, view_, [this](const QString& url) { Fire(102, {S(url)}); });
  return view_;
}

std::string BrowserComponent::Call(const std::string& name, const std::vector<std::string>& arguments) {
  if (!view_) return {};
  QWebEnginePage* page = view_->page();
  if (name == "Navigate" || name == "Navigate2") {
    const QString target = Q(Arg(arguments, 0));
    const QUrl url = QUrl::fromUserInput(target);
    if (!url.isValid()) return "0";
    view_->load(url);
    return "1";
  }
  if (name == "GoBack") { view_->back(); return "1"; }
  if (name == "GoForward") { view_->forward(); return "1"; }
  if (name == "Refresh") { view_->reload(); return "1"; }
  if (name == "Stop") { view_->stop(); return "1"; }
  if (name == "ExecWB") {
    if (Arg(arguments, 0) != "6") return "0";
    if (QPrinterInfo::availablePrinters().isEmpty()) return "0";
    static QPrinter printer;  // must outlive the print job
    view_->print(&printer);
    return "1";
  }
  if (name == "PrintToPdf") { page->printToPdf(Q(Arg(arguments, 0))); return "1"; }
  if (name == "SaveAs") {
    QFile file(Q(Arg(arguments, 0)));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return "0";
    return file.write(PageHtml(page).toUtf8()) >= 0 ? "1" : "0";
  }
  if (name == "DocumentHTML") return S(PageHtml(page));
  if (name == "DocumentText") return S(RunScript(page, "document.body ? document.body.innerText : ''").toString());
  if (name == "ExecCommand")
    return RunScript(page, "document.execCommand(" + JsString(Q(Arg(arguments, 0))) + ")").toBool() ? "1" : "0";
  if (name == "GetValueByID")
    return S(RunScript(page, "(function(e){return e ? (e.value !== undefined ? e.value : e.innerText) : '';})"
                             "(document.getElementById(" + JsString(Q(Arg(arguments, 0))) + "))").toString());
  if (name == "GetValueByName")
    return S(RunScript(page, "(function(e){return e ? (e.value !== undefined ? e.value : e.innerText) : '';})"
                             "(document.getElementsByName(" + JsString(Q(Arg(arguments, 0))) + ")[0])").toString());
  if (name == "SetValueByID" || name == "SetValueByName") {
    const QString find = name == "SetValueByID" ? "document.getElementById(" + JsString(Q(Arg(arguments, 0))) + ")"
                                                : "document.getElementsByName(" + JsString(Q(Arg(arguments, 0))) + ")[0]";
    return RunScript(page, "(function(e){if(!e)return false;e.value=" + JsString(Q(Arg(arguments, 1))) +
                               ";return true;})(" + find + ")").toBool() ? "1" : "0";
  }
  if (name == "GetElementTypeByName")
    return S(RunScript(page, "(function(e){return e ? (e.type || e.tagName.toLowerCase()) : '';})"
                             "(document.getElementsByName(" + JsString(Q(Arg(arguments, 0))) + ")[0])").toString());
  if (name == "SubmitForm")
    return RunScript(page, "(function(f){if(!f)return false;f.submit();return true;})(document.forms[" +
                               JsString(Q(Arg(arguments, 0))) + "])").toBool() ? "1" : "0";
  if (name == "GetElements")
    return S(RunScript(page, "Array.from(document.getElementsByTagName(" + JsString(Q(Arg(arguments, 0))) +
                                 ")).map(e => e.id || e.getAttribute('name') || '').join('\\n')").toString());
  if (name == "GraphicsList")
    return S(RunScript(page, "Array.from(document.images).map(i => i.getAttribute('src')).join('\\n')").toString());
  if (name == "Find") {
    view_->findText(Q(Arg(arguments, 0)));
    return "1";
  }
  return {};
}

std::string BrowserComponent::Get(const std::string& name) {
  if (!view_) return {};
  if (name == "readyState" || name == "ReadyState") return std::to_string(readyState_);
  if (name == "Busy") return readyState_ == 1 ? "1" : "0";
  if (name == "LocationName") return S(view_->title());
  if (name == "LocationURL") return S(view_->url().toString());
  if (name == "Type") return readyState_ == 4 ? "HTML Document" : "";
  if (name == "CanGoBack") return view_->history()->canGoBack() ? "1" : "0";
  if (name == "CanGoForward") return view_->history()->canGoForward() ? "1" : "0";
  return {};
}

bool BrowserComponent::Set(const std::string& name, const std::string& value) {
  if (!view_) return false;
  if (name == "Silent") return true;  // the engine shows no dialogs of its own here
  if (name == "Visible") {
    view_->setVisible(value != "0");
    return true;
  }
  return false;
}

}  // namespace pvhosted
