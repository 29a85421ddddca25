#include "EditorDialogs.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QWebEnginePage>
#include <cmath>

#include "HostedSupport.h"
#include "runtime/dialogs/FontDialog.h"
#include "runtime/dialogs/FormDialog.h"
#include "runtime/dialogs/Message.h"

namespace pvhosted {
namespace {

// The element the selection stands on: a selected element (a picture), else the element that
// holds the selection.
const QString kSelected =
    "function pvSelected(){var s=getSelection();if(!s.rangeCount)return document.body;var r=s.getRangeAt(0);"
    "if(!r.collapsed&&r.startContainer===r.endContainer&&r.endOffset-r.startOffset==1){"
    "var n=r.startContainer.childNodes[r.startOffset];if(n&&n.nodeType==1)return n;}"
    "var c=r.commonAncestorContainer;return c.nodeType==1?c:c.parentElement;}";

QJsonObject RunForObject(QWebEnginePage* page, const QString& body) {
  const QString json = RunScript(page, "(function(){" + kSelected + body + "})()").toString();
  return QJsonDocument::fromJson(json.toUtf8()).object();
}

bool RunWith(QWebEnginePage* page, const QString& body, const QJsonObject& values) {
  const QString json = QString::fromUtf8(QJsonDocument(values).toJson(QJsonDocument::Compact));
  return RunScript(page, "(function(v){" + kSelected + body + "})(" + json + ")").toBool();
}

wdrt::FormField Text(const char* name, const char* label, const QString& value) {
  return {name, label, wdrt::FormField::Text, S(value), {}};
}

QJsonObject ToJson(const wdrt::FormValues& values) {
  QJsonObject object;
  for (const auto& [name, value] : values) object[Q(name)] = Q(value);
  return object;
}

}  // namespace

bool FindText(QWebEnginePage* page) {
  const auto answer = wdrt::ShowFormDialog(
      {"Find", {Text("text", "Fi&nd what:", ""), {"case", "Match &case", wdrt::FormField::Check, "0", {}},
                {"word", "Match &whole word only", wdrt::FormField::Check, "0", {}},
                {"up", "Search &up", wdrt::FormField::Check, "0", {}}}, "Find Next"});
  if (!answer || answer->at("text").empty()) return false;
  const bool found = RunWith(page, "return window.find(v.text, v.case=='1', v.up=='1', true, v.word=='1', false, false);",
                             ToJson(*answer));
  if (!found) wdrt::Message("Cannot find \"" + answer->at("text") + "\".", "Find", wdrt::IconAsterisk, wdrt::ButtonOk);
  return found;
}

bool ChooseFont(QWebEnginePage* page) {
  const QJsonObject now = RunForObject(
      page, "var c=getComputedStyle(pvSelected());return JSON.stringify({face:c.fontFamily.split(',')[0]"
            ".replace(/[\"']/g,'').trim(),size:parseFloat(c.fontSize)*0.75,bold:parseInt(c.fontWeight)>=600,"
            "italic:c.fontStyle=='italic',underline:c.textDecorationLine.indexOf('underline')>=0});");
  wdrt::FontChoice initial{S(now["face"].toString()), static_cast<int>(std::lround(now["size"].toDouble())),
                           now["bold"].toBool(), now["italic"].toBool(), now["underline"].toBool()};
  const auto chosen = wdrt::ShowFontDialog("Font", initial);
  if (!chosen) return false;
  QJsonObject values{{"face", Q(chosen->face).remove('\'').remove('"')}, {"size", chosen->points},
                     {"bold", chosen->bold}, {"italic", chosen->italic}, {"underline", chosen->underline}};
  // The selection goes into a span that carries the font; insertHTML keeps it undoable.
  return RunWith(page,
                 "var s=getSelection();if(!s.rangeCount||s.isCollapsed)return false;"
                 "var d=document.createElement('div');d.appendChild(s.getRangeAt(0).cloneContents());"
                 "var e=document.createElement('span');e.innerHTML=d.innerHTML;"
                 "e.style.fontFamily=\"'\"+v.face+\"'\";if(v.size>0)e.style.fontSize=v.size+'pt';"
                 "e.style.fontWeight=v.bold?'bold':'normal';e.style.fontStyle=v.italic?'italic':'normal';"
                 "e.style.textDecoration=v.underline?'underline':'none';"
                 "return document.execCommand('insertHTML',false,e.outerHTML);",
                 values);
}

bool EditProperties(QWebEnginePage* page) {
  const QJsonObject now = RunForObject(
      page, "var e=pvSelected();var a=e&&e.closest?e.closest('a'):null;var g=function(n,k){return n.getAttribute(k)||'';};"
            "if(e&&e.tagName=='IMG')return JSON.stringify({kind:'image',src:g(e,'src'),alt:g(e,'alt'),"
            "border:g(e,'border'),hspace:g(e,'hspace'),vspace:g(e,'vspace'),align:g(e,'align')});"
            "if(a)return JSON.stringify({kind:'link',href:g(a,'href'),target:g(a,'target')});"
            "return JSON.stringify({kind:'page',title:document.title,bgcolor:g(document.body,'bgcolor')});");
  const QString kind = now["kind"].toString();
  wdrt::FormRequest request;
  QString apply;
  if (kind == "image") {
    request = {"Picture Properties",
               {Text("src", "Picture &source:", now["src"].toString()), Text("alt", "&Alternate text:", now["alt"].toString()),
                {"align", "Al&ignment:", wdrt::FormField::Choice, S(now["align"].toString()),
                 {"", "left", "right", "top", "middle", "bottom"}},
                Text("border", "&Border thickness:", now["border"].toString()),
                Text("hspace", "&Horizontal spacing:", now["hspace"].toString()),
                Text("vspace", "&Vertical spacing:", now["vspace"].toString())}};
    apply = "var n=pvSelected();";
  } else if (kind == "link") {
    request = {"Link Properties", {Text("href", "&URL:", now["href"].toString()),
                                   Text("target", "&Target frame:", now["target"].toString())}};
    apply = "var n=pvSelected().closest('a');";
  } else {
    request = {"Page Properties", {Text("title", "&Title:", now["title"].toString()),
                                   Text("bgcolor", "&Background colour:", now["bgcolor"].toString())}};
    apply = "if(v.title!==undefined){document.title=v.title;delete v.title;}var n=document.body;";
  }
  const auto answer = wdrt::ShowFormDialog(request);
  if (!answer) return false;
  // Each field is the attribute of its name; an empty one is removed.
  return RunWith(page, apply + "for(var k in v){if(v[k]==='')n.removeAttribute(k);else n.setAttribute(k,v[k]);}return true;",
                 ToJson(*answer));
}

bool AskAddressAndInsert(QWebEnginePage* page, bool picture) {
  if (!picture) {
    const auto answer = wdrt::ShowFormDialog({"Hyperlink", {Text("url", "&URL:", "http://")}});
    if (!answer || answer->at("url").empty()) return false;
    return RunWith(page, "return document.execCommand('createLink',false,v.url);", ToJson(*answer));
  }
  const auto answer =
      wdrt::ShowFormDialog({"Picture", {Text("src", "Picture &source:", ""), Text("alt", "&Alternate text:", "")}});
  if (!answer || answer->at("src").empty()) return false;
  return RunWith(page,
                 "var i=document.createElement('img');i.setAttribute('src',v.src);if(v.alt)i.setAttribute('alt',v.alt);"
                 "return document.execCommand('insertHTML',false,i.outerHTML);",
                 ToJson(*answer));
}

}  // namespace pvhosted
