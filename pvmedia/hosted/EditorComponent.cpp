#include "EditorComponent.h"

#include <QEventLoop>
#include <QFile>
#include <QTimer>
#include <QWebEngineSettings>
#include <map>

#include "EditorDialogs.h"
#include "HostedPrinting.h"
#include "HostedSupport.h"

namespace pvhosted {
namespace {

constexpr int kPrintTimeoutMs = 60000;
// Every loaded document is edited, and remembers the code of the last key pressed in it.
const QString kReadyScript =
    "document.designMode='on';window.pvKeyCode=window.pvKeyCode||0;if(!window.pvKeyWatch){window.pvKeyWatch=true;"
    "document.addEventListener('keydown',function(e){window.pvKeyCode=e.keyCode;},true);}true";
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
    view_->page()->runJavaScript(kReadyScript);
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
    QTimer::singleShot(kEngineLoadMs, &loop, &QEventLoop::quit);
    loop.exec();
  }
  QObject::disconnect(connection);
  if (finished) {
    RunScript(view_->page(), kReadyScript);
    view_->setFocus();  // an editor takes the keys once its document is there
  }
  return finished;
}

// A document still loading (the engine's first start on a busy machine can outlast the wait
// at creation) is waited for again before it is read or edited.
bool EditorComponent::WaitForDocument() {
  if (readyState_ == 4) return true;
  QEventLoop loop;
  auto connection = QObject::connect(view_, &QWebEngineView::loadFinished, &loop, [&](bool) { loop.quit(); });
  QTimer::singleShot(kEngineLoadMs, &loop, &QEventLoop::quit);
  if (readyState_ != 4) loop.exec();
  QObject::disconnect(connection);
  return readyState_ == 4;
}

QString EditorComponent::Script(const QString& script) { return RunScript(view_->page(), script).toString(); }

// The document's HTML, once the caller has waited for the document. On the engine's first start
// on a busy machine an answer can still come back empty while the document is being put in
// place, so it is asked again, so that a save does not fail (or write nothing) for that alone.
QString EditorComponent::DocumentSource() {
  for (int attempt = 0; attempt < 3; ++attempt) {
    if (attempt > 0) {
      QEventLoop pause;
      QTimer::singleShot(250, &pause, &QEventLoop::quit);
      pause.exec();
    }
    const QString html = Script("document.documentElement ? document.documentElement.outerHTML : ''");
    if (!html.isEmpty()) return html;
  }
  return {};
}

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
  WaitForDocument();
  if (name == "SaveDocument") {
    QFile file(Q(Arg(arguments, 0)));
    const QString source = DocumentSource();
    if (source.isEmpty()) return "0";  // the engine did not answer: an empty file would lose the document
    const QString html = "<!DOCTYPE html>\n" + source;
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return "0";
    if (file.write(html.toUtf8()) < 0) return "0";
    path_ = file.fileName();
    return "1";
  }
  if (name == "DocumentHTML") return S(DocumentSource());
  if (name == "CurrentDocumentPath") return S(path_);
  if (name == "BaseURL") return S(Script("document.baseURI"));
  if (name == "DocumentTitle") return S(Script("document.title"));
  if (name == "PrintDocument") return Print(Arg(arguments, 0) == "1") ? "1" : "0";
  if (name == "ExecCommand") return ExecCommand(arguments);
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
    return RunScript(view_->page(), "getSelection().removeAllRanges();window.find(" + JsString(Q(Arg(arguments, 0))) + ")")
                   .toBool() ? "1" : "0";
  }
  if (name == "SelectElement") {  // selects the first element a CSS selector finds (the same)
    return RunScript(view_->page(), "(function(){var e=document.querySelector(" + JsString(Q(Arg(arguments, 0))) +
                                        ");if(!e)return false;var r=document.createRange();r.selectNode(e);"
                                        "var s=getSelection();s.removeAllRanges();s.addRange(r);return true;})()")
                   .toBool() ? "1" : "0";
  }
  return {};
}

// ExecCommand(<command>[, <option>[, <value>]]): the option 2 (do not prompt) keeps the dialogs
// of commands that would ask the user.
std::string EditorComponent::ExecCommand(const std::vector<std::string>& arguments) {
  const std::string command = Arg(arguments, 0);
  const bool mayPrompt = Arg(arguments, 1) != "2";
  const auto done = [](bool ok) { return ok ? std::string("1") : std::string("0"); };
  if (command == "5008") return done(mayPrompt && FindText(view_->page()));
  if (command == "5009") return done(mayPrompt && ChooseFont(view_->page()));
  if (command == "5052") return done(mayPrompt && EditProperties(view_->page()));
  const auto it = Commands().find(command);
  if (it == Commands().end()) return "0";
  QString value = "null";
  if (command == "5016" || command == "5017") {
    if (arguments.size() < 3) return done(mayPrompt && AskAddressAndInsert(view_->page(), command == "5017"));
    value = JsString(Q(arguments[2]));
  }
  return done(RunScript(view_->page(), "document.execCommand('" + QString(it->second) + "', false, " + value + ")")
                  .toBool());
}

// Prints the document on the printer chosen in the dialog, or on the current printer, and
// waits (bounded) until the page has printed.
bool EditorComponent::Print(bool withDialog) {
  auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
  PrintRange range;
  if (!PreparePrinter(*printer, withDialog, "Print", 0, range)) return false;
  printer_ = std::move(printer);
  QEventLoop loop;
  bool printed = false;
  bool finished = false;
  const auto connection = QObject::connect(view_, &QWebEngineView::printFinished, &loop, [&](bool ok) {
    printed = ok;
    finished = true;
    loop.quit();
  });
  view_->print(printer_.get());
  if (!finished) {
    QTimer::singleShot(kPrintTimeoutMs, &loop, &QEventLoop::quit);
    loop.exec();
  }
  QObject::disconnect(connection);
  return printed;
}

std::string EditorComponent::Get(const std::string& name) {
  if (!view_) return {};
  if (name == "readyState") return std::to_string(readyState_);
  if (name == "DOM.body.innerText") return S(Script("document.body.innerText"));
  if (name == "SelectionText") return S(Script("String(getSelection())"));
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
  if (name == "DOM.parentWindow.event.Keycode") return S(Script("String(window.pvKeyCode||0)"));
  return {};
}

bool EditorComponent::Set(const std::string& name, const std::string& value) {
  if (!view_) return false;
  if (name == "DocumentHTML") return LoadAndWait({}, Q(value));
  return false;
}

}  // namespace pvhosted
