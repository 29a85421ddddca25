#include "EditorComponent.h"

#include <QEventLoop>
#include <QFile>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTimer>
#include <QWebEngineSettings>
#include <map>

#include "HostedSupport.h"

namespace pvhosted {
namespace {

constexpr int kLoadTimeoutMs = 15000;
const QString kEmptyDocument = "<html><head><title></title></head><body></body></html>";

// The editor's command numbers and the document commands that carry them out.
const std::map<std::string, const char*>& Commands() {
  static const std::map<std::string, const char*> commands = {
      {"5000", "bold"},       {"5023", "italic"},        {"5048", "underline"},   {"5002", "copy"},
      {"5003", "cut"},        {"5032", "paste"},         {"5004", "delete"},      {"5018", "indent"},
      {"5024", "justifyCenter"}, {"5025", "justifyLeft"}, {"5026", "justifyRight"}, {"5035", "selectAll"},
      {"5049", "undo"},       {"5033", "redo"},          {"5016", "createLink"},  {"5017", "insertImage"}};
  return commands;
}

const QString kSelectionParent =
    "(function(){var s=window.getSelection();if(!s.rangeCount)return document.body;"
    "var n=s.getRangeAt(0).commonAncestorContainer;return n.nodeType==1?n:n.parentElement;})()";

}  // namespace

QWidget* EditorComponent::CreateWidget(QWidget* parent) {
  PrepareWebEngine();
  view_ = new QWebEngineView(parent);
  view_->settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
  view_->settings()->setAttribute(QWebEngineSettings::JavascriptCanAccessClipboard, true);
  view_->settings()->setAttribute(QWebEngineSettings::JavascriptCanPaste, true);
  QObject::connect(view_, &QWebEngineView::loadStarted, view_, [this] { readyState_ = 1; });
  QObject::connect(view_, &QWebEngineView::loadFinished, view_, [this](bool) {
    view_->page()->runJavaScript("document.designMode='on';");
    readyState_ = 4;
  });
  LoadAndWait({}, kEmptyDocument);
  return view_;
}

bool EditorComponent::LoadAndWait(const QUrl& url, const QString& html) {
  QEventLoop loop;
  bool finished = false;
  auto connection = QObject::connect(view_, &QWebEngineView::loadFinished, &loop, [&](bool) {
    finished = true;
    loop.quit();
  });
  readyState_ = 1;
  if (url.isEmpty())
    view_->setHtml(html, path_.isEmpty() ? QUrl("file:///") : QUrl::fromLocalFile(path_));
  else
    view_->load(url);
  if (!finished) {
    QTimer::singleShot(kLoadTimeoutMs, &loop, &QEventLoop::quit);
    loop.exec();
  }
  QObject::disconnect(connection);
  if (finished) RunScript(view_->page(), "document.designMode='on'; true");
  return finished;
}

QString EditorComponent::Script(const QString& script) { return RunScript(view_->page(), script).toString(); }

std::string EditorComponent::Call(const std::string& name, const std::vector<std::string>& arguments) {
  if (!view_) return {};
  if (name == "LoadDocument" || name == "LoadURL") {
    const QString target = Q(Arg(arguments, 0));
    const QUrl url = name == "LoadURL" ? QUrl(target) : QUrl::fromLocalFile(target);
    path_ = name == "LoadURL" ? QString() : target;
    return LoadAndWait(url, {}) ? "1" : "0";
  }
  if (name == "NewDocument") {
    path_.clear();
    return LoadAndWait({}, kEmptyDocument) ? "1" : "0";
  }
  if (name == "SaveDocument") {
    QFile file(Q(Arg(arguments, 0)));
    const QString html = Script("'<!DOCTYPE html>\\n' + document.documentElement.outerHTML");
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return "0";
    if (file.write(html.toUtf8()) < 0) return "0";
    path_ = file.fileName();
    return "1";
  }
  if (name == "DocumentHTML") return S(Script("document.documentElement.outerHTML"));
  if (name == "CurrentDocumentPath") return S(path_);
  if (name == "BaseURL") return S(Script("document.baseURI"));
  if (name == "DocumentTitle") return S(Script("document.title"));
  if (name == "PrintDocument") {
    if (QPrinterInfo::availablePrinters().isEmpty()) return "0";
    static QPrinter printer;  // must outlive the print job
    view_->print(&printer);
    return "1";
  }
  if (name == "ExecCommand") {
    const auto it = Commands().find(Arg(arguments, 0));
    if (it == Commands().end()) return "0";  // dialogs of the editor (find, font, properties)
    QString value = "null";
    if (std::string(it->second) == "createLink" || std::string(it->second) == "insertImage") {
      if (arguments.size() < 3) return "0";  // needs the address
      value = JsString(Q(arguments[2]));
    }
    return RunScript(view_->page(), "document.execCommand('" + QString(it->second) + "', false, " + value + ")")
                   .toBool() ? "1" : "0";
  }
  if (name == "DOM.selection.createRange().pasteHTML") {
    std::string html;
    for (std::size_t i = 0; i < arguments.size(); ++i) html += (i ? "," : "") + arguments[i];
    return RunScript(view_->page(), "document.execCommand('insertHTML', false, " + JsString(Q(html)) + ")")
                   .toBool() ? "1" : "0";
  }
  const std::string textCall = "DOM.selection.createRange.parentElement.insertAdjacentText";
  const std::string htmlCall = "DOM.selection.createRange.parentElement.insertAdjacentHTML";
  if (name == textCall || name == htmlCall) {
    std::string content;
    for (std::size_t i = 1; i < arguments.size(); ++i) content += (i > 1 ? "," : "") + arguments[i];
    const QString method = name == textCall ? "insertAdjacentText" : "insertAdjacentHTML";
    RunScript(view_->page(), kSelectionParent + "." + method + "(" + JsString(Q(Arg(arguments, 0))) + ", " +
                                 JsString(Q(content)) + "); true");
    return "1";
  }
  if (name == "SelectText") {  // selects the first occurrence of a text (tests and applications)
    return RunScript(view_->page(), "window.find(" + JsString(Q(Arg(arguments, 0))) + ")").toBool() ? "1" : "0";
  }
  return {};
}

std::string EditorComponent::Get(const std::string& name) {
  if (!view_) return {};
  if (name == "readyState") return std::to_string(readyState_);
  if (name == "DOM.body.innerText") return S(Script("document.body.innerText"));
  if (name == "DOM.selection.Type") {
    return S(Script("(function(){var s=window.getSelection();if(!s.rangeCount||s.isCollapsed)return 'None';"
                    "var r=s.getRangeAt(0);var c=r.cloneContents();"
                    "return (c.childNodes.length==1&&c.firstChild.nodeName=='IMG')?'Control':'Text';})()"));
  }
  static const std::map<std::string, QString> parentFields = {
      {"DOM.selection.createRange.parentElement.innerHtml", "innerHTML"},
      {"DOM.selection.createRange.parentElement.innerText", "innerText"},
      {"DOM.selection.createRange.parentElement.outerHtml", "outerHTML"},
      {"DOM.selection.createRange.parentElement.outerText", "innerText"},
      {"DOM.selection.createRange.parentElement.tagName", "tagName"}};
  if (const auto it = parentFields.find(name); it != parentFields.end())
    return S(Script(kSelectionParent + "." + it->second));
  const std::string item = "DOM.selection.createRange.item(0).";
  if (name.rfind(item, 0) == 0) {
    const QString field = Q(name.substr(item.size()));
    return S(RunScript(view_->page(), "(function(){var s=window.getSelection();if(!s.rangeCount)return '';"
                                      "var i=s.getRangeAt(0).cloneContents().querySelector('img');"
                                      "if(!i)return '';return String(i.getAttribute(" + JsString(field) + ")||'');})()")
                 .toString());
  }
  if (name == "DOM.parentWindow.event.Keycode") return "0";
  return {};
}

bool EditorComponent::Set(const std::string& name, const std::string& value) {
  if (!view_) return false;
  if (name == "DocumentHTML") return LoadAndWait({}, Q(value));
  return false;
}

}  // namespace pvhosted
